#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/project_model.h"
#include "platform/pixel_image.h"
#include "platform/user_interface.h"

namespace tarnwick {

/// The form and view a capture is filed under.
struct ImageName {
  std::string FormName;
  std::string ViewName;
};

/// Where the naming dialog opens: the choice to select, and the view name to put into the edit
/// (nothing: the edit keeps its text from the last capture).
struct ImageNamePreselection {
  size_t FormIndex = 0;
  std::optional<std::string> ViewName;
};

/// What a capture needs from the window that shows it. The window brings itself forward, asks
/// for the names, shows the filed picture and updates its commands.
class CaptureFrontEnd {
 public:
  virtual ~CaptureFrontEnd() = default;
  virtual void BringToFront() = 0;
  /// Shows the naming dialog modally over `formNames`; nothing on Cancel.
  virtual std::optional<ImageName> AskImageName(const std::vector<std::string>& formNames,
                                                const ImageNamePreselection& preselection) = 0;
  virtual void ShowImage(size_t index) = 0;
  virtual void EnableProjectCommands() = 0;
};

/// How captures are stored: as bitmaps, or as JPEG pictures of the given quality.
struct CaptureFormat {
  bool BitmapImages = false;
  int JpegQuality = 100;
};

/// A view name is empty or an identifier: a letter or "_", then letters, digits or "_".
bool IsValidViewName(std::string_view viewName);
/// The error shown for a view name that `IsValidViewName` refuses.
std::string InvalidViewNameMessage(std::string_view viewName);

/// The dialog's start: the selected entry's form and view when its form is offered, otherwise the
/// first form with the view name left as it was.
ImageNamePreselection PreselectImageName(const ProjectModel& model);

/// Files `pixels` under `name`: renews the entry of the same form and view (both compared without
/// regard to case; names and file name kept, extension set by the format) or adds a new one, then
/// marks it "New". Gives the entry's index.
size_t FileCapture(ProjectModel& model, const ImageName& name, PixelImage pixels, const CaptureFormat& format);

/// Names a grabbed or imported picture and files it into the image list. Dropped when the project
/// has no forms or the user cancels. Gives the filed entry's index.
std::optional<size_t> ProcessCapture(ProjectModel& model, PixelImage pixels, const CaptureFormat& format,
                                     CaptureFrontEnd& frontEnd);

}  // namespace tarnwick
