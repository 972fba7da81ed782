#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/pixel_image.h"
#include "platform/text_encoding.h"
#include "platform/user_interface.h"
#include "report/report_options.h"
#include "report/tree_text.h"

namespace tarnwick {

/// The width of every tree picture, in pixels.
inline constexpr int kTreePageWidth = 480;

/// One picture of a drawn tree, in page order. The file lies in the documentation folder. Its
/// pixels are not kept: each page is drawn, saved and released before the next one is drawn.
struct TreePage {
  std::string FileName;  // base name + page number from 1 + ".jpg"
  int Width = 0;         // kTreePageWidth
  int Height = 0;
  int Top = 0;     // absolute y of the page's first pixel row in the whole tree picture
  int Bottom = 0;  // absolute y of its last row; for the last page Top + Height
};

/// The measures of a tree picture, taken once per drawing from its font.
struct TreeMetrics {
  int RowHeight = 0;       // the text height of one blank
  int Half = 0;            // RowHeight / 2, rounded toward zero
  int BlankWidth = 0;      // the text width of one blank
  int PropertyIndent = 0;  // 3 x Half + BlankWidth
  int Ascent = 0;          // from the top of a row to the baseline of its text
};

/// What a tree picture is drawn from and where its pages go.
struct TreeImageRequest {
  std::string BaseName;  // "Dependencies" or "Objects"
  FontChoice Font;
  bool ShowProperties = false;
  /// The tree in pre-order, one row per node with its level and property lines (`TreeRowsOf`).
  const std::vector<TreeRow>* Rows = nullptr;
  int LinesPerImage = 100;  // values below 1 count as 1
  /// A display option of the pictures only: the files are baseline JPEG either way.
  bool ProgressiveDisplay = false;
  int JpegQuality = 100;
  std::string DocumentationFolder;  // ends with the path delimiter
  /// The code page of the project's text that is not UTF-8.
  std::string CodePage = std::string(kFallbackCodePage);
  /// Called with each page's pixels once it is drawn and before it is encoded; the pixels live
  /// only for the call.
  std::function<void(const TreePage&, const PixelView&)> PageDrawn;
};

/// The pixel size of a font of `points` points at 96 dots per inch, rounded; at least 1.
int FontPixelSize(int points);

/// Measures `font` as the tree pictures draw it. Gives nothing, with the reason in `error`, when
/// the font cannot be loaded or gives a row height below 1.
std::optional<TreeMetrics> MeasureTreeFont(const FontChoice& font, std::string* error = nullptr);

/// Draws the tree as pages of at most `LinesPerImage` rows, saves each page as a JPEG file in the
/// documentation folder and gives the pages. An empty tree gives no pages and writes no file.
/// Failures of drawing or saving are shown through `ui`; the pages are given all the same.
std::vector<TreePage> DrawTreeImages(const TreeImageRequest& request, UserInterface& ui);

}  // namespace tarnwick
