#include "capture/qt/picture_conversion.h"

#include <cstring>

#include "platform/jpeg_codec.h"

namespace tarnwick {

namespace {

QImage FromRgba(int width, int height, const std::vector<uint8_t>& pixels) {
  const size_t rowBytes = static_cast<size_t>(width) * 4;
  if (width <= 0 || height <= 0 || pixels.size() < rowBytes * static_cast<size_t>(height)) return {};
  // The wrapping image borrows the bytes; the copy owns its own.
  return QImage(pixels.data(), width, height, static_cast<qsizetype>(rowBytes), QImage::Format_RGBA8888).copy();
}

}  // namespace

QImage ToQImage(const Picture& picture) {
  if (picture.Kind == Picture::Format::Jpeg && !picture.JpegData.empty()) {
    std::optional<PixelImage> decoded = DecodeJpeg(picture.JpegData);
    return decoded ? FromRgba(decoded->Width, decoded->Height, decoded->Pixels) : QImage();
  }
  return FromRgba(picture.Width, picture.Height, picture.Pixels);
}

PixelImage ToPixelImage(const QImage& image) {
  const QImage rgba = image.convertToFormat(QImage::Format_RGBA8888);
  PixelImage pixels{rgba.width(), rgba.height(), std::vector<uint8_t>(static_cast<size_t>(rgba.width()) * 4 *
                                                                      static_cast<size_t>(rgba.height()))};
  const size_t rowBytes = static_cast<size_t>(rgba.width()) * 4;
  for (int y = 0; y < rgba.height(); ++y)
    std::memcpy(&pixels.Pixels[rowBytes * static_cast<size_t>(y)], rgba.constScanLine(y), rowBytes);
  return pixels;
}

}  // namespace tarnwick
