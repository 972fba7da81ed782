#pragma once

#include <array>

namespace tarnwick {

/// A rectangle in its parent's coordinates.
struct PageRect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  bool operator==(const PageRect&) const = default;
};

/// The Images page's geometry: the list on top, the preview panel below it, the preview box with
/// the screen's proportions centred in the panel (in the panel's coordinates).
struct ImagePageLayout {
  PageRect List;
  PageRect Panel;
  PageRect Preview;
  /// "Form Name", "View", "Filename", "Status".
  std::array<int, 4> ColumnWidths{};
};

/// Lays the page out for its size and the screen's; every division rounds to the nearest
/// integer, halves to even.
ImagePageLayout ImageTabSheetResize(int pageWidth, int pageHeight, int screenWidth, int screenHeight);

/// Whether a picture is shown at its own size at the box's top-left corner (true) or stretched
/// to fill the box.
bool ShowUnscaled(int pictureWidth, int pictureHeight, int boxWidth, int boxHeight);

}  // namespace tarnwick
