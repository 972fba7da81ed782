#include "report/jpeg_settings.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace tarnwick {

namespace {

// An optional sign followed by decimal digits, nothing else, within 32 bits.
std::optional<int32_t> ParseSignedDecimal(std::string_view text) {
  const bool negative = !text.empty() && text[0] == '-';
  std::string_view digits = text.substr(!text.empty() && (negative || text[0] == '+') ? 1 : 0);
  if (digits.empty()) return std::nullopt;
  int64_t value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > int64_t{INT32_MAX} + 1) return std::nullopt;
  }
  value = negative ? -value : value;
  if (value > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(value);
}

}  // namespace

JpegSettings CurrentJpegSettings(int quality, const ReportOptions& options) {
  return JpegSettings{quality, options.ProgressiveDisplay,
                      std::to_string(options.LinesPerImage)};
}

std::string CheckLinesPerImage(std::string_view text) {
  std::optional<int32_t> lines = ParseSignedDecimal(text);
  if (!lines || *lines < 1) return std::string(kInvalidLinesPerImage);
  return {};
}

bool ApplyJpegSettings(const JpegSettings& values, int& quality, ReportOptions& options) {
  if (!CheckLinesPerImage(values.LinesPerImageText).empty()) return false;
  quality = std::clamp(values.Quality, 1, 100);
  options.ProgressiveDisplay = values.ProgressiveDisplay;
  options.LinesPerImage = *ParseSignedDecimal(values.LinesPerImageText);
  return true;
}

}  // namespace tarnwick
