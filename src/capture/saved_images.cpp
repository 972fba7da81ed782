#include "capture/saved_images.h"

#include <string>
#include <vector>

#include "capture/image_list.h"
#include "platform/file_system.h"

namespace tarnwick {

namespace {

// Adds the entries of one unit's pictures of one kind, in the order the folder lists them.
void AddUnitPictures(ProjectModel& model, const UnitEntry& unit, bool bitmap, Prompter& prompter) {
  const std::string& folder = model.DocumentationFolder;
  for (const std::string& fileName : ListFiles(folder + unit.UnitName + (bitmap ? "*.bmp" : "*.jpg"))) {
    std::string viewName;
    if (!MatchImageFileName(fileName, unit.UnitName, viewName)) continue;
    ImageEntry entry;
    entry.FormName = unit.FormName;
    entry.ViewName = std::move(viewName);
    entry.UnitName = unit.UnitName;
    entry.FileName = fileName;
    entry.Status = kImageStatusDisk;
    size_t index = AddImage(model.Images, std::move(entry));
    PictureLoad picture = bitmap ? LoadBitmapFile(folder + fileName) : LoadJPegFile(folder + fileName);
    if (!picture) {
      prompter.Show(MessageKind::Warning, "Could not load " + folder + fileName, MessageButtons::Ok);
      model.Images.erase(model.Images.begin() + static_cast<std::ptrdiff_t>(index));
      continue;
    }
    model.Images[index].Image = std::move(*picture);
  }
}

}  // namespace

void FindSavedImages(ProjectModel& model, bool bitmapImages, UserInterface& ui) {
  const bool kinds[2] = {bitmapImages, !bitmapImages};
  for (const UnitEntry& unit : model.Units()) {
    if (!unit.FormName.empty()) model.ImageFormNames.push_back(unit.FormName);
  }
  for (const UnitEntry& unit : model.Units()) {
    if (unit.FormName.empty()) continue;
    for (bool bitmap : kinds) AddUnitPictures(model, unit, bitmap, ui.Messages);
  }
  if (!model.Images.empty()) model.Images.front().Selected = true;
}

}  // namespace tarnwick
