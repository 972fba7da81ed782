#include "capture/process_capture.h"

#include <algorithm>
#include <memory>

#include "capture/image_list.h"
#include "platform/text_util.h"
#include "platform/win_path.h"

namespace tarnwick {

namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

std::shared_ptr<Picture> MakePicture(PixelImage pixels, const CaptureFormat& format) {
  auto picture = std::make_shared<Picture>();
  picture->Width = pixels.Width;
  picture->Height = pixels.Height;
  picture->Pixels = std::move(pixels.Pixels);
  if (format.BitmapImages) {
    picture->Kind = Picture::Format::Bitmap;
    picture->BitsPerPixel = 24;
  } else {
    // Encoded when it is written, at the quality of the moment it was captured.
    picture->Kind = Picture::Format::Jpeg;
    picture->JpegQuality = format.JpegQuality;
  }
  return picture;
}

std::optional<size_t> FindImage(const std::vector<ImageEntry>& images, const ImageName& name) {
  for (size_t i = 0; i < images.size(); ++i) {
    if (EqualsNoCase(images[i].FormName, name.FormName) && EqualsNoCase(images[i].ViewName, name.ViewName))
      return i;
  }
  return std::nullopt;
}

}  // namespace

bool IsValidViewName(std::string_view viewName) {
  if (viewName.empty()) return true;
  if (!IsAsciiLetter(viewName[0]) && viewName[0] != '_') return false;
  return std::all_of(viewName.begin() + 1, viewName.end(),
                     [](char c) { return IsAsciiLetter(c) || (c >= '0' && c <= '9') || c == '_'; });
}

std::string InvalidViewNameMessage(std::string_view viewName) {
  return "The Viewname \"" + std::string(viewName) + "\" is not valid\r\rPlease remove any spaces or special characters";
}

ImageNamePreselection PreselectImageName(const ProjectModel& model) {
  const std::vector<ImageEntry>& images = model.Images;
  auto selected = std::find_if(images.begin(), images.end(), [](const ImageEntry& entry) { return entry.Selected; });
  if (selected == images.end()) return {};
  const std::vector<std::string>& forms = model.ImageFormNames;
  auto form = std::find(forms.begin(), forms.end(), selected->FormName);
  if (form == forms.end()) return {};
  return {static_cast<size_t>(form - forms.begin()), selected->ViewName};
}

size_t FileCapture(ProjectModel& model, const ImageName& name, PixelImage pixels, const CaptureFormat& format) {
  std::optional<size_t> found = FindImage(model.Images, name);
  size_t index;
  if (found) {
    index = *found;
    ImageEntry& entry = model.Images[index];
    entry.FileName = ChangeFileExt(entry.FileName, format.BitmapImages ? ".bmp" : ".jpg");
  } else {
    // The extension is appended, not swapped in: a dotted unit name (Vcl.Main) has no extension.
    const UnitEntry* unit = model.FindUnitByForm(name.FormName);
    std::string unitName = unit ? unit->UnitName : "";
    std::string fileName = ImageFileName(unitName, name.ViewName, format.BitmapImages);
    index = AddImage(model.Images, ImageEntry{name.FormName, name.ViewName, unitName, fileName, "", nullptr, false});
  }
  ImageEntry& entry = model.Images[index];
  entry.Image = MakePicture(std::move(pixels), format);
  entry.Status = std::string(kImageStatusNew);
  return index;
}

std::optional<size_t> ProcessCapture(ProjectModel& model, PixelImage pixels, const CaptureFormat& format,
                                     CaptureFrontEnd& frontEnd) {
  if (model.ImageFormNames.empty()) return std::nullopt;
  frontEnd.BringToFront();
  std::optional<ImageName> name = frontEnd.AskImageName(model.ImageFormNames, PreselectImageName(model));
  if (!name) return std::nullopt;
  size_t index = FileCapture(model, *name, std::move(pixels), format);
  frontEnd.ShowImage(index);
  frontEnd.EnableProjectCommands();
  return index;
}

}  // namespace tarnwick
