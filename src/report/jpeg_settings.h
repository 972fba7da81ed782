#pragma once

#include <string>
#include <string_view>

#include "report/report_options.h"

namespace tarnwick {

/// The message of the JPEG settings dialog when the lines per image are not a whole number.
inline constexpr std::string_view kInvalidLinesPerImage = "Invalid value for \"Lines Per Image\"";

/// The three values the JPEG settings dialog edits, as its controls hold them: the quality of
/// the track bar, the "Progressive Display" check box and the text of the lines-per-image edit.
struct JpegSettings {
  int Quality = 100;
  bool ProgressiveDisplay = false;
  std::string LinesPerImageText = "100";
};

/// What the dialog shows on opening: the current quality, flag and lines per image.
JpegSettings CurrentJpegSettings(int quality, const ReportOptions& options);

/// The check of the dialog's OK button: empty when `text` is an optional sign followed by decimal
/// digits giving a whole number of at least 1, otherwise the message to show (the dialog then
/// stays open). Numbers below 1 are refused too, since the tree pictures divide by this value.
std::string CheckLinesPerImage(std::string_view text);

/// Takes the values of a dialog closed with OK: the quality (brought into 1..100), the flag and
/// the lines per image. Changes nothing and gives false when the lines per image fail the check.
bool ApplyJpegSettings(const JpegSettings& values, int& quality, ReportOptions& options);

}  // namespace tarnwick
