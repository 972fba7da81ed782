#include "picture_writer.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/bmp_codec.h"
#include "platform/jpeg_codec.h"
#include "random_source.h"

namespace tarnwick {

namespace {

struct Rgb {
  uint8_t Red, Green, Blue;
};

/// Red, green, blue pixels with rectangle filling.
class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height * 3) {}

  void Fill(int left, int top, int right, int bottom, Rgb colour) {
    for (int y = std::max(top, 0); y < std::min(bottom, height_); ++y) {
      for (int x = std::max(left, 0); x < std::min(right, width_); ++x) {
        uint8_t* pixel = &pixels_[(static_cast<size_t>(y) * width_ + x) * 3];
        pixel[0] = colour.Red;
        pixel[1] = colour.Green;
        pixel[2] = colour.Blue;
      }
    }
  }

  PixelView View() const { return PixelView{width_, height_, PixelLayout::Rgb, pixels_, 0}; }

 private:
  int width_;
  int height_;
  std::vector<uint8_t> pixels_;
};

}  // namespace

std::string DrawFormPicture(int width, int height, bool jpeg, RandomSource& random) {
  Canvas canvas(width, height);
  canvas.Fill(0, 0, width, height, {64, 64, 64});                 // frame
  canvas.Fill(2, 2, width - 2, 14, {0, 84, 166});                 // title bar
  canvas.Fill(2, 14, width - 2, height - 2, {212, 208, 200});     // client area
  for (int i = random.Between(2, 6); i > 0; --i) {
    const int left = random.Between(6, width / 2);
    const int top = random.Between(18, height - 14);
    const bool field = random.Chance(50);
    canvas.Fill(left, top, left + random.Between(12, width / 2), top + 8,
                field ? Rgb{255, 255, 255} : Rgb{180, 176, 168});
  }
  if (!jpeg) return EncodeBmp(canvas.View(), 24);
  return EncodeJpeg(canvas.View(), 90).value_or("");
}

}  // namespace tarnwick
