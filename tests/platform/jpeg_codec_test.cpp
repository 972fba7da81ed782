#include "platform/jpeg_codec.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

// A smooth colour gradient: what a JPEG keeps closely even after chroma subsampling.
PixelImage Gradient(int width, int height) {
  PixelImage image{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.Pixels.insert(image.Pixels.end(), {static_cast<uint8_t>(40 + x * 4), static_cast<uint8_t>(60 + y * 4),
                                               static_cast<uint8_t>(200 - x * 2), 255});
    }
  }
  return image;
}

std::string Encode(const PixelImage& image, int quality = 90) {
  return EncodeJpeg(image.View(), quality).value_or(std::string());
}

TEST(JpegCodec, RoundTripOfABaselineFile) {
  PixelImage original = Gradient(40, 30);
  std::string bytes = Encode(original, 100);
  EXPECT_NE(bytes.find("\xFF\xC0"), std::string::npos);  // baseline frame, not progressive
  EXPECT_EQ(bytes.find("\xFF\xC2"), std::string::npos);
  const PictureSize size = ReadJpegSize(bytes).value_or(PictureSize{});
  EXPECT_EQ(std::pair(size.Width, size.Height), std::pair(40, 30));

  const PixelImage decoded = DecodeJpeg(bytes).value_or(PixelImage{});
  ASSERT_EQ(decoded.Pixels.size(), original.Pixels.size());
  int worst = 0;
  for (size_t i = 0; i < original.Pixels.size(); ++i)
    worst = std::max(worst, std::abs(int{decoded.Pixels[i]} - int{original.Pixels[i]}));
  EXPECT_LE(worst, 8);

  EXPECT_LT(Encode(original, 10).size(), Encode(original, 95).size());
  EXPECT_EQ(Encode(original, 500), Encode(original, 100));  // qualities are brought into 1..100
  // Noise at full quality outgrows the encoder's first output buffer.
  PixelImage noise{96, 96, std::vector<uint8_t>(96 * 96 * 4)};
  for (size_t i = 0; i < noise.Pixels.size(); ++i) noise.Pixels[i] = static_cast<uint8_t>(i * 2654435761u >> 13);
  std::string large = Encode(noise, 100);
  EXPECT_GT(large.size(), 4096u * 2);
  EXPECT_EQ(DecodeJpeg(large).value_or(PixelImage{}).Height, 96);
}

// Blue first with padded rows, as the tree pictures hand them over, gives the file of plain RGBA.
TEST(JpegCodec, EveryPixelLayoutAndRowStrideGivesTheSameFile) {
  const int width = 33, height = 17;  // partial blocks and row batches
  PixelImage rgba = Gradient(width, height);
  std::vector<uint8_t> bgra;
  const size_t stride = width * 4 + 12;
  for (size_t i = 0; i < rgba.Pixels.size(); i += 4) {
    const uint8_t* p = &rgba.Pixels[i];
    bgra.insert(bgra.end(), {p[2], p[1], p[0], 0});
    if ((i / 4 + 1) % width == 0) bgra.resize(bgra.size() + 12, 0xAB);
  }
  EXPECT_EQ(EncodeJpeg(PixelView{width, height, PixelLayout::Bgra, bgra, stride}, 90), Encode(rgba));

  std::string error;
  std::span<const uint8_t> shortData(bgra.data(), bgra.size() - 13);
  EXPECT_FALSE(EncodeJpeg(PixelView{width, height, PixelLayout::Bgra, shortData, stride}, 90, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(EncodeJpeg(PixelView{width, height, PixelLayout::Bgra, bgra, 16}, 90));  // stride < row
  std::vector<uint8_t> wide(70000 * 3, 0);  // wider than the format allows: libjpeg's error, no exit
  EXPECT_FALSE(EncodeJpeg(PixelView{70000, 1, PixelLayout::Rgb, wide, 0}, 90));
}

// A grey file (one component), as the codec only writes colour ones.
TEST(JpegCodec, GreyFilesDecodeToColour) {
  std::ifstream in(TARNWICK_FIXTURES_DIR "/images/grey_9x5.jpg", std::ios::binary);
  const PixelImage decoded = DecodeJpeg(std::string(std::istreambuf_iterator<char>(in), {})).value_or(PixelImage{});
  ASSERT_EQ(decoded.Pixels.size(), 9u * 5 * 4);
  for (size_t i = 0; i < decoded.Pixels.size(); i += 4) {
    const uint8_t* p = &decoded.Pixels[i];
    EXPECT_TRUE(std::abs(p[0] - 128) <= 2 && p[1] == p[0] && p[2] == p[0] && p[3] == 255) << i;
  }
}

TEST(JpegCodec, RefusesWhatIsNoUsableJpeg) {
  std::string error;
  EXPECT_FALSE(ReadJpegSize("", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(ReadJpegSize("BM not a jpeg at all"));
  std::string bytes = Encode(Gradient(16, 16));
  EXPECT_FALSE(ReadJpegSize(bytes.substr(0, 20)));  // ends before the frame header

  // A frame header claiming 60000 x 60000 pixels: far too much memory for a few bytes of input.
  size_t frame = bytes.find("\xFF\xC0");
  ASSERT_NE(frame, std::string::npos);
  bytes[frame + 5] = bytes[frame + 7] = '\xEA';
  bytes[frame + 6] = bytes[frame + 8] = '\x60';
  EXPECT_FALSE(ReadJpegSize(bytes));
  EXPECT_FALSE(DecodeJpeg(bytes, &error));
  EXPECT_NE(error.find("too large"), std::string::npos) << error;
}

// Damaged files in general are the picture fuzzer's; picture data cut in the middle still gives the
// whole picture, its missing part filled.
TEST(JpegCodec, PictureDataCutShortGivesTheWholePicture) {
  const std::string bytes = Encode(Gradient(24, 20), 75);
  const size_t scan = bytes.find("\xFF\xDA");
  EXPECT_EQ(DecodeJpeg(bytes.substr(0, scan + (bytes.size() - scan) / 2)).value_or(PixelImage{}).Height, 20);
}

}  // namespace
}  // namespace tarnwick
