#pragma once

#include "analysis/project_model.h"
#include "platform/user_interface.h"

namespace tarnwick {

/// Fills the image list and the image-naming choices of a project that is being opened, from the
/// units with a form and the picture files in the documentation folder:
/// - every form name, in unit order, is appended to `ProjectModel::ImageFormNames`;
/// - for every unit with a form and for each picture kind (bitmaps first when `bitmapImages` is set,
///   JPEG first otherwise), the files `UnitName*.bmp` or `UnitName*.jpg` that pass
///   the name test become "Disk" entries, added in sorted place, with their pictures loaded;
/// - a file that cannot be read as a picture is reported with a warning and its entry removed;
/// - the first entry is selected when the list is not empty.
void FindSavedImages(ProjectModel& model, bool bitmapImages, UserInterface& ui);

}  // namespace tarnwick
