// Decodes arbitrary bytes as JPEG and as BMP picture files.
#include <cstdint>
#include <string_view>

#include "platform/bmp_codec.h"
#include "platform/jpeg_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  tarnwick::ReadJpegSize(bytes);
  tarnwick::DecodeJpeg(bytes);
  tarnwick::ReadBmpHeader(bytes);
  tarnwick::DecodeBmp(bytes);
  return 0;
}
