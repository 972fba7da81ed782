#include "capture/image_page_layout.h"

#include <cmath>

namespace tarnwick {

namespace {

// The default rounding mode of the floating-point unit rounds halves to even.
int Divide(double numerator, double denominator) {
  return denominator == 0 ? 0 : static_cast<int>(std::nearbyint(numerator / denominator));
}

}  // namespace

ImagePageLayout ImageTabSheetResize(int pageWidth, int pageHeight, int screenWidth, int screenHeight) {
  ImagePageLayout layout;
  const int panelHeight = Divide(pageHeight, 2);
  const int listHeight = pageHeight - panelHeight;
  layout.Panel = {0, listHeight + 1, pageWidth, panelHeight};
  // The list ends up half the page high however the panel was rounded.
  layout.List = {0, 0, pageWidth, Divide(pageHeight, 2)};
  layout.ColumnWidths = {Divide(pageWidth * 3.0, 10), Divide(pageWidth * 2.0, 10), Divide(pageWidth * 3.0, 10),
                         Divide(pageWidth * 2.0, 10) - 2};
  const int boxHeight = Divide(panelHeight * 8.0, 10);
  const int boxWidth = Divide(static_cast<double>(boxHeight) * screenWidth, screenHeight);
  layout.Preview = {Divide(pageWidth - boxWidth, 2), Divide(panelHeight - boxHeight, 2), boxWidth, boxHeight};
  return layout;
}

bool ShowUnscaled(int pictureWidth, int pictureHeight, int boxWidth, int boxHeight) {
  return pictureWidth <= boxWidth && pictureHeight <= boxHeight;
}

}  // namespace tarnwick
