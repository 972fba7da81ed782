// Decodes arbitrary bytes as JPEG and as BMP picture files. A picture that decodes must hold
// exactly the pixels its size promises: the tree pictures and the viewers index it by that size.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "platform/bmp_codec.h"
#include "platform/jpeg_codec.h"

namespace {

void CheckSize(const std::optional<tarnwick::PixelImage>& image) {
  if (!image) return;
  size_t expected = static_cast<size_t>(image->Width) * static_cast<size_t>(image->Height) * 4;
  if (image->Width <= 0 || image->Height <= 0 || image->Pixels.size() != expected) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  tarnwick::ReadJpegSize(bytes);
  CheckSize(tarnwick::DecodeJpeg(bytes));
  tarnwick::ReadBmpHeader(bytes);
  CheckSize(tarnwick::DecodeBmp(bytes));
  return 0;
}
