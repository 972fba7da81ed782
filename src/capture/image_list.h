#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/image_entry.h"
#include "analysis/project_model.h"
#include "platform/user_interface.h"

namespace tarnwick {

/// The operations of the image list: the `ImageEntry` records of `ProjectModel::Images` and their
/// picture files in the documentation folder. Naming, the name test, loading, the sort order,
/// saving and deleting, each talking to the user through a `Prompter`.

/// The file name of a picture: the unit name, "_" and the view name when there is one, then
/// ".bmp" or ".jpg".
std::string ImageFileName(std::string_view unitName, std::string_view viewName, bool bitmap);

/// The reverse of `ImageFileName`: the file name without its extension must be the unit name, or
/// the unit name, "_" and a view name, split at the last "_". Both comparisons are exact. Sets
/// `viewName` (empty without "_") and gives true when the file belongs to the unit.
bool MatchImageFileName(std::string_view fileName, std::string_view unitName, std::string& viewName);

/// A loaded picture: nothing when the file exists but cannot be read as a picture; a null picture
/// when there is no such file (a listed file that vanished before it was read).
using PictureLoad = std::optional<std::shared_ptr<Picture>>;

/// Reads a BMP file into a bitmap picture holding its pixels.
PictureLoad LoadBitmapFile(std::string_view path, std::string* error = nullptr);
/// Reads a JPEG file into a picture that keeps the file's bytes; only the header is decoded, to
/// check the file and learn its size.
PictureLoad LoadJPegFile(std::string_view path, std::string* error = nullptr);

/// The list's order: by form name, then by view name, each by character codes (case-sensitive, a
/// prefix before the longer text). Gives <0, 0 or >0.
int ImageListViewCompare(const ImageEntry& a, const ImageEntry& b);
/// Adds an entry at its sorted place, after the entries that compare equal to it (as a stable sort
/// after appending it would), and gives its index.
size_t AddImage(std::vector<ImageEntry>& images, ImageEntry entry);

/// True when some entry has the status "New".
bool HasNewImages(const std::vector<ImageEntry>& images);

/// How one `SaveImage` ended. `Skipped` (declined overwrite, folder not created, no picture)
/// leaves the entry "New" and lets a command go on; `Failed` (the file could not be written) has
/// been reported and ends the command that was saving.
enum class SaveOutcome { Saved, Skipped, Failed };

/// Writes the picture of entry `index` to the documentation folder under its file name, asking
/// before it overwrites a file when `askBeforeOverwrite` is set, creating the folder when it is
/// missing, and replacing an old file only once the new one is complete. A JPEG capture that holds
/// pixels is encoded at `jpegQuality` unless it was captured with a quality of its own. On success the status becomes "Disk".
SaveOutcome SaveImage(ProjectModel& model, size_t index, int jpegQuality, bool askBeforeOverwrite,
                      Prompter& prompter);
/// `SaveImage`, asking, for every "New" entry in list order. False when a write failure ended it.
bool SaveNewImages(ProjectModel& model, int jpegQuality, Prompter& prompter);
/// `SaveImage`, asking, for every selected "New" entry in list order. False when a write failure
/// ended it.
bool SaveSelectedImages(ProjectModel& model, int jpegQuality, Prompter& prompter);
/// Removes the selected entries in list order. A "Disk" entry's file is deleted after the user
/// confirms; Cancel stops the command and keeps that entry and the later ones.
void DeleteSelectedImages(ProjectModel& model, Prompter& prompter);

}  // namespace tarnwick
