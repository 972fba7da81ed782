#include "capture/image_list.h"

#include <algorithm>

#include "platform/bmp_codec.h"
#include "platform/file_system.h"
#include "platform/jpeg_codec.h"
#include "platform/win_path.h"

namespace tarnwick {

namespace {

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

PixelView PixelsOf(const Picture& picture) {
  return PixelView{picture.Width, picture.Height, PixelLayout::Rgba, picture.Pixels, 0};
}

// The bytes of a picture as a BMP file: the pixels as they are, or a JPEG picture decoded first.
std::optional<std::string> BitmapFileBytes(const Picture& picture, std::string* error) {
  if (picture.Kind == Picture::Format::Jpeg && !picture.JpegData.empty()) {
    std::optional<PixelImage> decoded = DecodeJpeg(picture.JpegData, error);
    if (!decoded) return std::nullopt;
    return EncodeBmp(decoded->View(), 24);
  }
  std::string bytes = EncodeBmp(PixelsOf(picture), picture.BitsPerPixel);
  if (bytes.empty()) {
    if (error) *error = "The picture's pixels do not fit its size";
    return std::nullopt;
  }
  return bytes;
}

// The bytes of a picture as a JPEG file: a JPEG picture's own bytes, or its pixels encoded at the
// quality it was captured with, else at `quality`.
std::optional<std::string> JpegFileBytes(const Picture& picture, int quality, std::string* error) {
  if (picture.Kind == Picture::Format::Jpeg && !picture.JpegData.empty()) return picture.JpegData;
  return EncodeJpeg(PixelsOf(picture), picture.JpegQuality > 0 ? picture.JpegQuality : quality, error);
}

// After a JPEG file was written from pixels, the entry keeps the compressed bytes instead, as a
// picture read from that file would. The old picture is left alone for whoever still shows it.
void KeepCompressed(ImageEntry& entry, std::string bytes) {
  auto compressed = std::make_shared<Picture>();
  compressed->Kind = Picture::Format::Jpeg;
  compressed->Width = entry.Image->Width;
  compressed->Height = entry.Image->Height;
  compressed->JpegData = std::move(bytes);
  entry.Image = std::move(compressed);
}

bool EnsureFolder(const std::string& folder, Prompter& prompter) {
  if (DirectoryExists(folder) || CreateFolder(folder)) return true;
  prompter.Show(MessageKind::Error, "Could not create dir " + folder, MessageButtons::Ok);
  return false;
}

// Encodes the entry's picture as its file name's extension says and writes it in one piece.
SaveOutcome WritePicture(ImageEntry& entry, const std::string& path, int quality, Prompter& prompter) {
  // The extension is compared exactly; a name with neither extension is not written.
  bool bitmap = EndsWith(entry.FileName, ".bmp");
  bool jpeg = EndsWith(entry.FileName, ".jpg");
  if (!bitmap && !jpeg) return SaveOutcome::Saved;
  std::string error;
  std::optional<std::string> bytes =
      bitmap ? BitmapFileBytes(*entry.Image, &error) : JpegFileBytes(*entry.Image, quality, &error);
  if (!bytes || !WriteFileAtomic(path, *bytes, &error)) {
    prompter.Show(MessageKind::Error, "Could not write " + path + "\r\r" + error, MessageButtons::Ok);
    return SaveOutcome::Failed;
  }
  if (jpeg && entry.Image->JpegData.empty()) KeepCompressed(entry, std::move(*bytes));
  return SaveOutcome::Saved;
}

template <typename Wanted>
bool SaveEach(ProjectModel& model, int jpegQuality, Prompter& prompter, Wanted wanted) {
  std::vector<ImageEntry>& images = model.Images;
  for (size_t i = 0; i < images.size(); ++i) {
    if (images[i].Status != kImageStatusNew || !wanted(images[i])) continue;
    if (SaveImage(model, i, jpegQuality, true, prompter) == SaveOutcome::Failed) return false;
  }
  return true;
}

}  // namespace

std::string ImageFileName(std::string_view unitName, std::string_view viewName, bool bitmap) {
  std::string name(unitName);
  if (!viewName.empty()) name.append("_").append(viewName);
  name += bitmap ? ".bmp" : ".jpg";
  return name;
}

bool MatchImageFileName(std::string_view fileName, std::string_view unitName, std::string& viewName) {
  std::string_view base = fileName.substr(0, fileName.size() - ExtractFileExt(fileName).size());
  size_t underscore = base.rfind('_');
  if (underscore == std::string_view::npos) {
    viewName.clear();
    return base == unitName;
  }
  if (base.substr(0, underscore) != unitName) return false;
  viewName = std::string(base.substr(underscore + 1));
  return true;
}

PictureLoad LoadBitmapFile(std::string_view path, std::string* error) {
  if (!FileExists(path)) return std::shared_ptr<Picture>();
  std::optional<std::string> bytes = ReadWholeFile(path, error);
  if (!bytes) return std::nullopt;
  std::optional<BmpHeader> header = ReadBmpHeader(*bytes, error);
  std::optional<PixelImage> pixels = header ? DecodeBmp(*bytes, error) : std::nullopt;
  if (!pixels) return std::nullopt;
  auto picture = std::make_shared<Picture>();
  picture->Kind = Picture::Format::Bitmap;
  picture->Width = pixels->Width;
  picture->Height = pixels->Height;
  picture->Pixels = std::move(pixels->Pixels);
  picture->BitsPerPixel = header->BitsPerPixel == 32 ? 32 : 24;
  return picture;
}

PictureLoad LoadJPegFile(std::string_view path, std::string* error) {
  if (!FileExists(path)) return std::shared_ptr<Picture>();
  std::optional<std::string> bytes = ReadWholeFile(path, error);
  if (!bytes) return std::nullopt;
  std::optional<PictureSize> size = ReadJpegSize(*bytes, error);
  if (!size) return std::nullopt;
  auto picture = std::make_shared<Picture>();
  picture->Kind = Picture::Format::Jpeg;
  picture->Width = size->Width;
  picture->Height = size->Height;
  picture->JpegData = std::move(*bytes);
  return picture;
}

int ImageListViewCompare(const ImageEntry& a, const ImageEntry& b) {
  // std::string compares by unsigned character codes, a prefix first.
  int byForm = a.FormName.compare(b.FormName);
  if (byForm != 0) return byForm;
  return a.ViewName.compare(b.ViewName);
}

size_t AddImage(std::vector<ImageEntry>& images, ImageEntry entry) {
  auto place = std::upper_bound(images.begin(), images.end(), entry, [](const ImageEntry& a, const ImageEntry& b) {
    return ImageListViewCompare(a, b) < 0;
  });
  size_t index = static_cast<size_t>(place - images.begin());
  images.insert(place, std::move(entry));
  return index;
}

bool HasNewImages(const std::vector<ImageEntry>& images) {
  return std::any_of(images.begin(), images.end(),
                     [](const ImageEntry& entry) { return entry.Status == kImageStatusNew; });
}

SaveOutcome SaveImage(ProjectModel& model, size_t index, int jpegQuality, bool askBeforeOverwrite,
                      Prompter& prompter) {
  std::vector<ImageEntry>& images = model.Images;
  if (index >= images.size() || !images[index].Image) return SaveOutcome::Skipped;
  ImageEntry& entry = images[index];
  const std::string& folder = model.DocumentationFolder;
  std::string path = folder + entry.FileName;
  if (askBeforeOverwrite && FileExists(path) &&
      prompter.Show(MessageKind::Confirmation, "Overwrite file " + entry.FileName, MessageButtons::OkCancel) !=
          MessageAnswer::Ok) {
    return SaveOutcome::Skipped;
  }
  if (!EnsureFolder(folder, prompter)) return SaveOutcome::Skipped;
  SaveOutcome outcome = WritePicture(entry, path, jpegQuality, prompter);
  if (outcome == SaveOutcome::Saved) entry.Status = kImageStatusDisk;
  return outcome;
}

bool SaveNewImages(ProjectModel& model, int jpegQuality, Prompter& prompter) {
  return SaveEach(model, jpegQuality, prompter, [](const ImageEntry&) { return true; });
}

bool SaveSelectedImages(ProjectModel& model, int jpegQuality, Prompter& prompter) {
  return SaveEach(model, jpegQuality, prompter, [](const ImageEntry& entry) { return entry.Selected; });
}

void DeleteSelectedImages(ProjectModel& model, Prompter& prompter) {
  std::vector<ImageEntry>& images = model.Images;
  // Kept entries move forward over removed ones, so the list is compacted in one pass.
  size_t kept = 0;
  bool cancelled = false;
  for (size_t i = 0; i < images.size(); ++i) {
    ImageEntry& entry = images[i];
    if (!cancelled && entry.Selected) {
      bool remove = true;
      if (entry.Status == kImageStatusDisk) {
        remove = prompter.Show(MessageKind::Confirmation, "Delete file " + entry.FileName,
                               MessageButtons::OkCancel) == MessageAnswer::Ok;
        if (remove && !DeleteFile(model.DocumentationFolder + entry.FileName)) {
          prompter.Show(MessageKind::Information, "Could not delete " + entry.FileName, MessageButtons::Ok);
        }
        cancelled = !remove;
      }
      if (remove) continue;
    }
    if (kept != i) images[kept] = std::move(entry);
    ++kept;
  }
  images.erase(images.begin() + static_cast<std::ptrdiff_t>(kept), images.end());
}

}  // namespace tarnwick
