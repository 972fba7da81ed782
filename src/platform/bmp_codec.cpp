#include "platform/bmp_codec.h"

#include <climits>
#include <cstdint>
#include <memory>
#include <new>

// Only the bitmap reader of the image library is built: the other formats would be code that
// reads untrusted files for no use of this program.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#include <stb_image.h>

namespace tarnwick {

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kRgbCompression = 0;
constexpr uint32_t kBitFieldsCompression = 3;

uint32_t ReadU16(std::string_view bytes, size_t at) {
  return static_cast<uint32_t>(static_cast<uint8_t>(bytes[at])) |
         static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 1])) << 8;
}

uint32_t ReadU32(std::string_view bytes, size_t at) { return ReadU16(bytes, at) | ReadU16(bytes, at + 2) << 16; }

void WriteU16(char* target, uint32_t value) {
  target[0] = static_cast<char>(value & 0xFF);
  target[1] = static_cast<char>((value >> 8) & 0xFF);
}

void WriteU32(char* target, uint32_t value) {
  WriteU16(target, value & 0xFFFF);
  WriteU16(target + 2, value >> 16);
}

std::nullopt_t Fail(std::string* error, const char* text) {
  if (error) *error = text;
  return std::nullopt;
}

bool KnownInfoSize(uint32_t size) { return size == 12 || size == 40 || size == 56 || size == 108 || size == 124; }

bool KnownDepth(uint32_t bits) { return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32; }

struct StbFree {
  void operator()(stbi_uc* data) const { stbi_image_free(data); }
};

// Where red, green, blue and alpha sit within one pixel of a layout; alpha -1 when it has none.
struct ChannelOffsets {
  int Red, Green, Blue, Alpha;
};

ChannelOffsets OffsetsOf(PixelLayout layout) {
  switch (layout) {
    case PixelLayout::Rgb:
      return {0, 1, 2, -1};
    case PixelLayout::Bgra:
      return {2, 1, 0, 3};
    case PixelLayout::Rgba:
    default:
      return {0, 1, 2, 3};
  }
}

void WriteInfoHeaders(char* out, uint32_t fileSize, int width, int height, int bitsPerPixel, uint32_t imageSize) {
  out[0] = 'B';
  out[1] = 'M';
  WriteU32(out + 2, fileSize);
  WriteU32(out + 10, static_cast<uint32_t>(kFileHeaderSize + kInfoHeaderSize));
  char* info = out + kFileHeaderSize;
  WriteU32(info, kInfoHeaderSize);
  WriteU32(info + 4, static_cast<uint32_t>(width));
  WriteU32(info + 8, static_cast<uint32_t>(height));  // positive: rows are stored bottom-up
  WriteU16(info + 12, 1);
  WriteU16(info + 14, static_cast<uint32_t>(bitsPerPixel));
  WriteU32(info + 16, kRgbCompression);
  WriteU32(info + 20, imageSize);
  // Resolution and palette fields stay zero.
}

}  // namespace

std::optional<BmpHeader> ReadBmpHeader(std::string_view bytes, std::string* error) {
  if (bytes.size() < kFileHeaderSize + 12 || bytes[0] != 'B' || bytes[1] != 'M') return Fail(error, "Not a bitmap file");
  uint32_t dataOffset = ReadU32(bytes, 10);
  uint32_t infoSize = ReadU32(bytes, 14);
  if (!KnownInfoSize(infoSize) || bytes.size() < kFileHeaderSize + infoSize) {
    return Fail(error, "Unknown or incomplete bitmap header");
  }
  int64_t width, height;
  uint32_t bits, compression = kRgbCompression;
  if (infoSize == 12) {
    width = ReadU16(bytes, 18);
    height = ReadU16(bytes, 20);
    bits = ReadU16(bytes, 24);
  } else {
    width = static_cast<int32_t>(ReadU32(bytes, 18));
    height = static_cast<int32_t>(ReadU32(bytes, 22));
    bits = ReadU16(bytes, 28);
    compression = ReadU32(bytes, 30);
  }
  BmpHeader header;
  header.TopDown = height < 0;
  height = height < 0 ? -height : height;
  if (width <= 0 || height <= 0) return Fail(error, "The bitmap has no pixels");
  if (width * height > kMaxPicturePixels) return Fail(error, "The bitmap is too large");
  if (!KnownDepth(bits)) return Fail(error, "Unknown bitmap colour depth");
  if (compression != kRgbCompression && compression != kBitFieldsCompression) {
    return Fail(error, "Compressed bitmaps are not supported");
  }
  uint64_t rowBytes = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
  if (dataOffset < kFileHeaderSize + infoSize || dataOffset > bytes.size() ||
      (bytes.size() - dataOffset) / rowBytes < static_cast<uint64_t>(height)) {
    return Fail(error, "The bitmap file is incomplete");
  }
  header.Width = static_cast<int>(width);
  header.Height = static_cast<int>(height);
  header.BitsPerPixel = static_cast<int>(bits);
  return header;
}

std::optional<PixelImage> DecodeBmp(std::string_view bytes, std::string* error) {
  std::optional<BmpHeader> header = ReadBmpHeader(bytes, error);
  if (!header) return std::nullopt;
  if (bytes.size() > static_cast<size_t>(INT_MAX)) return Fail(error, "The bitmap is too large");
  int width = 0, height = 0, channels = 0;
  std::unique_ptr<stbi_uc, StbFree> data(stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()),
                                                               static_cast<int>(bytes.size()), &width, &height,
                                                               &channels, 4));
  if (!data) return Fail(error, stbi_failure_reason());
  if (width != header->Width || height != header->Height) return Fail(error, "The bitmap header is inconsistent");
  PixelImage image;
  image.Width = width;
  image.Height = height;
  try {
    image.Pixels.assign(data.get(), data.get() + static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
  } catch (const std::bad_alloc&) {
    return Fail(error, "Not enough memory for the bitmap");
  }
  return image;
}

std::string EncodeBmp(const PixelView& pixels, int bitsPerPixel) {
  if (!pixels.Fits()) return std::string();
  const int bitsOut = bitsPerPixel == 32 ? 32 : 24;
  const size_t bytesOut = static_cast<size_t>(bitsOut / 8);
  const size_t rowBytes = (static_cast<size_t>(pixels.Width) * bytesOut + 3) / 4 * 4;
  const uint64_t imageSize = static_cast<uint64_t>(rowBytes) * static_cast<uint64_t>(pixels.Height);
  const uint64_t fileSize = kFileHeaderSize + kInfoHeaderSize + imageSize;
  if (fileSize > UINT32_MAX) return std::string();
  std::string out(static_cast<size_t>(fileSize), '\0');
  WriteInfoHeaders(out.data(), static_cast<uint32_t>(fileSize), pixels.Width, pixels.Height, bitsOut,
                   static_cast<uint32_t>(imageSize));
  const ChannelOffsets at = OffsetsOf(pixels.Layout);
  const size_t sourceStep = pixels.BytesPerPixel();
  for (int y = 0; y < pixels.Height; ++y) {
    const uint8_t* source = pixels.Data.data() + pixels.RowStride() * static_cast<size_t>(y);
    char* target = out.data() + kFileHeaderSize + kInfoHeaderSize +
                   rowBytes * static_cast<size_t>(pixels.Height - 1 - y);
    for (int x = 0; x < pixels.Width; ++x, source += sourceStep, target += bytesOut) {
      target[0] = static_cast<char>(source[at.Blue]);
      target[1] = static_cast<char>(source[at.Green]);
      target[2] = static_cast<char>(source[at.Red]);
      if (bytesOut == 4) target[3] = static_cast<char>(at.Alpha >= 0 ? source[at.Alpha] : 255);
    }
  }
  return out;
}

}  // namespace tarnwick
