#include "platform/bmp_codec.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

PixelImage Pattern(int width, int height, bool varyAlpha) {
  PixelImage image{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.Pixels.insert(image.Pixels.end(), {static_cast<uint8_t>(x * 37 + y), static_cast<uint8_t>(y * 53 + 7),
                                               static_cast<uint8_t>(x * y * 11 + 3),
                                               static_cast<uint8_t>(varyAlpha ? x * 40 + y * 9 + 1 : 255)});
    }
  }
  return image;
}

void PutU32(std::string& bytes, size_t at, uint32_t value) {
  for (size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

TEST(BmpCodec, RoundTripsIn24And32BitsAndReadsTopDownFiles) {
  // Odd widths need row padding; the reader is independent of the writer, so a wrong row order,
  // padding or channel order shows up here.
  PixelImage opaque = Pattern(5, 3, false);
  std::string bytes24 = EncodeBmp(opaque.View(), 24);
  EXPECT_EQ(bytes24.size(), 54u + 3 * 16);
  EXPECT_EQ(DecodeBmp(bytes24)->Pixels, opaque.Pixels);

  PixelImage translucent = Pattern(5, 3, true);
  std::string bytes32 = EncodeBmp(translucent.View(), 32);
  EXPECT_EQ(ReadBmpHeader(bytes32)->BitsPerPixel, 32);
  EXPECT_EQ(DecodeBmp(bytes32)->Pixels, translucent.Pixels);

  PutU32(bytes24, 22, static_cast<uint32_t>(-3));  // a negative height stores the rows top-down
  EXPECT_TRUE(ReadBmpHeader(bytes24)->TopDown);
  std::optional<PixelImage> flipped = DecodeBmp(bytes24);
  ASSERT_TRUE(flipped.has_value());
  EXPECT_TRUE(std::equal(flipped->Pixels.begin(), flipped->Pixels.begin() + 20, opaque.Pixels.end() - 20));
}

TEST(BmpCodec, RefusesDamagedOrUnsupportedFiles) {
  const std::string good = EncodeBmp(Pattern(6, 4, false).View(), 24);
  auto refusedWith = [&good](size_t at, uint32_t value) {
    std::string bytes = good;
    PutU32(bytes, at, value);
    std::string error;
    return !DecodeBmp(bytes, &error) && !error.empty();
  };
  EXPECT_TRUE(refusedWith(18, 100000000));  // too large
  EXPECT_TRUE(refusedWith(18, 4000));       // more pixel data than the file holds
  EXPECT_TRUE(refusedWith(30, 1));          // run-length compressed
  EXPECT_TRUE(refusedWith(14, 41));         // unknown header size
  EXPECT_TRUE(refusedWith(10, 20));         // pixel data inside the header
  EXPECT_FALSE(DecodeBmp("PK\x03\x04 a zip file"));
  EXPECT_EQ(EncodeBmp(PixelView{4, 4, PixelLayout::Rgba, std::span<const uint8_t>(), 0}, 24), "");

  // Every prefix is refused (single-byte damage is the picture fuzzer's).
  for (size_t length = 0; length < good.size(); ++length) EXPECT_FALSE(DecodeBmp(good.substr(0, length)));
}

}  // namespace
}  // namespace tarnwick
