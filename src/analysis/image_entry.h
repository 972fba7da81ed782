#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

/// The two states of an image list entry: held only in memory, or written to its file.
inline constexpr std::string_view kImageStatusNew = "New";
inline constexpr std::string_view kImageStatusDisk = "Disk";

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
  /// Jpeg: the file's bytes. A capture not yet saved may leave them empty and hold `Pixels`
  /// instead; they are encoded when the picture is written.
  std::string JpegData;
  /// Jpeg held as pixels: the quality it was captured with, so a later change of the setting does
  /// not touch it; 0 means the settings' quality at the time it is written.
  int JpegQuality = 0;
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
