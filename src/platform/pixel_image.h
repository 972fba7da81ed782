#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tarnwick {

/// The byte order of one pixel in a buffer handed to an encoder. `Bgra` is what a 32-bit drawing
/// surface holds on a little-endian machine.
enum class PixelLayout { Rgb, Rgba, Bgra };

/// The most pixels a decoder accepts. A damaged header may claim any size; refusing absurd ones
/// keeps a few bytes of input from asking for gigabytes of memory.
inline constexpr int64_t kMaxPicturePixels = int64_t{1} << 27;

/// Pixels owned by someone else, as the encoders read them: rows top to bottom, `Stride` bytes
/// apart (0 means the rows follow each other without a gap).
struct PixelView {
  int Width = 0;
  int Height = 0;
  PixelLayout Layout = PixelLayout::Rgba;
  std::span<const uint8_t> Data;
  size_t Stride = 0;

  size_t BytesPerPixel() const { return Layout == PixelLayout::Rgb ? 3 : 4; }
  size_t RowStride() const { return Stride != 0 ? Stride : static_cast<size_t>(Width) * BytesPerPixel(); }
  /// True when the size is positive and `Data` holds every row; an encoder refuses anything else.
  bool Fits() const {
    if (Width <= 0 || Height <= 0) return false;
    size_t rowBytes = static_cast<size_t>(Width) * BytesPerPixel();
    if (RowStride() < rowBytes) return false;
    return Data.size() / RowStride() >= static_cast<size_t>(Height) - 1 &&
           Data.size() - RowStride() * (static_cast<size_t>(Height) - 1) >= rowBytes;
  }
};

/// Decoded pixels, owned: rows top to bottom, 4 bytes per pixel in the order red, green, blue,
/// alpha.
struct PixelImage {
  int Width = 0;
  int Height = 0;
  std::vector<uint8_t> Pixels;

  PixelView View() const { return PixelView{Width, Height, PixelLayout::Rgba, Pixels, 0}; }
};

}  // namespace tarnwick
