#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/pixel_image.h"

namespace tarnwick {

/// The width and height of a picture, in pixels.
struct PictureSize {
  int Width = 0;
  int Height = 0;
};

/// Encodes colour pixels as a baseline JPEG file with libjpeg's default settings and the given
/// quality (brought into 1..100). Gives nothing, with the reason in `error`, when the pixels do
/// not fit their size or the encoder fails; never ends the process.
std::optional<std::string> EncodeJpeg(const PixelView& pixels, int quality, std::string* error = nullptr);

/// Decodes a JPEG file into red, green, blue, alpha pixels (alpha 255). Grey and CMYK files are
/// turned into colour. Damaged data gives nothing, with the decoder's text in `error`; a file whose
/// picture data ends early gives what could be decoded.
std::optional<PixelImage> DecodeJpeg(std::string_view bytes, std::string* error = nullptr);

/// Reads only the header of a JPEG file: a cheap test that the bytes are a JPEG picture of a usable
/// size, and its width and height.
std::optional<PictureSize> ReadJpegSize(std::string_view bytes, std::string* error = nullptr);

}  // namespace tarnwick
