#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/pixel_image.h"

namespace tarnwick {

/// What the header of a Windows bitmap file says, checked against the file's length.
struct BmpHeader {
  int Width = 0;
  int Height = 0;         // always positive; `TopDown` tells the row order
  bool TopDown = false;
  int BitsPerPixel = 0;   // 1, 4, 8, 16, 24 or 32
};

/// Reads and checks the headers of a BMP file without decoding it: the signature, a known header
/// size, a positive size no larger than `kMaxPicturePixels`, a known colour depth, no compression
/// (other than bit fields) and pixel data that the file holds in full. Gives nothing, with the
/// reason in `error`, for anything else.
std::optional<BmpHeader> ReadBmpHeader(std::string_view bytes, std::string* error = nullptr);

/// Decodes a BMP file into red, green, blue, alpha pixels. A file that fails `ReadBmpHeader` or
/// the decoder gives nothing, with the reason in `error`.
std::optional<PixelImage> DecodeBmp(std::string_view bytes, std::string* error = nullptr);

/// Writes pixels as an uncompressed BMP file with a BITMAPINFOHEADER, rows bottom-up and padded to
/// 4 bytes; 32 bits per pixel keeps alpha, any other value writes 24 bits. Gives an empty string
/// when the pixels do not fit their size.
std::string EncodeBmp(const PixelView& pixels, int bitsPerPixel);

}  // namespace tarnwick
