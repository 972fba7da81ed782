#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tarnwick {

/// A picture of a form. JPEG pictures keep their compressed file bytes (they are written back
/// unchanged and decoded only to be shown); bitmap pictures keep their pixels.
struct Picture {
  enum class Format { Bitmap, Jpeg };
  Format Kind = Format::Bitmap;
  int Width = 0;
  int Height = 0;
  /// Bitmap: rows top to bottom, 4 bytes per pixel in the order red, green, blue, alpha.
  std::vector<uint8_t> Pixels;
  /// Bitmap: the colour depth to write (24 or 32 bits per pixel).
  int BitsPerPixel = 24;
  /// Jpeg: the file's bytes.
  std::string JpegData;
};

/// One picture of one form and view in the image list.
struct ImageEntry {
  std::string FormName;
  std::string ViewName;
  std::string UnitName;
  std::string FileName;  // inside the documentation folder, no folder part
  std::string Status;    // "New" or "Disk"
  std::shared_ptr<Picture> Image;  // absent when the listed file vanished before it was read
  bool Selected = false;
};

}  // namespace tarnwick
