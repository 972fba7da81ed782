#include "report/tree_images.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cmath>
#include <cstdint>
#include <memory>
#include <new>
#include <string_view>

#include <cairo.h>

#include "platform/file_system.h"
#include "platform/jpeg_codec.h"
#include "platform/text_encoding.h"

namespace tarnwick {

namespace {

// A cairo RGB24 pixel is a native 32-bit word 0x00RRGGBB, which the encoder reads as blue, green,
// red, unused bytes only on a little-endian machine.
static_assert(std::endian::native == std::endian::little, "page pixels are handed over as BGRA");

constexpr std::string_view kDrawingFailed = "There was an error drawing the tree image.\r\r";
constexpr std::string_view kJpegFailed = "There was an error creating the JPEG image.\r\r";
// cairo refuses image surfaces taller than 32767 pixels, so a taller page is drawn in strips that
// share one pixel buffer.
constexpr int kMaxStripHeight = 32767;
// The largest picture side libjpeg can write; a taller page is refused before its pixels are made.
constexpr int kMaxJpegHeight = 65500;

// ---- Text ----------------------------------------------------------------------------------

// cairo takes UTF-8 only and fails the whole drawing on anything else.
std::string DrawableText(std::string_view text, const TextDecoder& decoder) {
  return decoder.ToUtf8(text);
}

// ---- cairo objects -------------------------------------------------------------------------

struct CairoDeleter {
  void operator()(cairo_t* context) const { cairo_destroy(context); }
  void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
  void operator()(cairo_scaled_font_t* font) const { cairo_scaled_font_destroy(font); }
  void operator()(cairo_font_face_t* face) const { cairo_font_face_destroy(face); }
  void operator()(cairo_font_options_t* options) const { cairo_font_options_destroy(options); }
};
template <typename T>
using CairoPtr = std::unique_ptr<T, CairoDeleter>;

std::string StatusText(cairo_status_t status) { return cairo_status_to_string(status); }

// The font of one drawing, matched by face name through fontconfig and scaled to pixels once.
class TreeFont {
 public:
  static std::optional<TreeFont> Open(const FontChoice& choice, std::string& error);
  cairo_scaled_font_t* Scaled() const { return scaled_.get(); }

 private:
  CairoPtr<cairo_scaled_font_t> scaled_;
};

std::optional<TreeFont> TreeFont::Open(const FontChoice& choice, std::string& error) {
  CairoPtr<cairo_font_face_t> face(cairo_toy_font_face_create(
      DrawableText(choice.Face, TextDecoder()).c_str(), CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL));
  CairoPtr<cairo_font_options_t> options(cairo_font_options_create());
  cairo_status_t status = cairo_font_face_status(face.get());
  if (status == CAIRO_STATUS_SUCCESS) status = cairo_font_options_status(options.get());
  if (status != CAIRO_STATUS_SUCCESS) {
    error = StatusText(status);
    return std::nullopt;
  }
  // Whole-pixel metrics, as the platform's text measurement gives them; grey text antialiasing,
  // so no colour fringes appear in the pictures.
  cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_ON);
  cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_GRAY);
  cairo_matrix_t fontMatrix, identity;
  const double size = FontPixelSize(choice.Size);
  cairo_matrix_init_scale(&fontMatrix, size, size);
  cairo_matrix_init_identity(&identity);
  TreeFont font;
  font.scaled_.reset(cairo_scaled_font_create(face.get(), &fontMatrix, &identity, options.get()));
  status = cairo_scaled_font_status(font.Scaled());
  if (status != CAIRO_STATUS_SUCCESS) {
    error = StatusText(status);
    return std::nullopt;
  }
  return font;
}

std::optional<TreeMetrics> MeasureFont(const TreeFont& font, std::string& error) {
  cairo_font_extents_t fontExtents;
  cairo_text_extents_t blank;
  cairo_scaled_font_extents(font.Scaled(), &fontExtents);
  cairo_scaled_font_text_extents(font.Scaled(), " ", &blank);
  cairo_status_t status = cairo_scaled_font_status(font.Scaled());
  if (status != CAIRO_STATUS_SUCCESS) {
    error = StatusText(status);
    return std::nullopt;
  }
  // The height of a text is the font's ascent plus descent whatever the text, so that of a
  // blank is the font's own.
  TreeMetrics metrics;
  metrics.RowHeight = static_cast<int>(std::lround(fontExtents.ascent + fontExtents.descent));
  if (metrics.RowHeight < 1) {
    error = "The font has no height";
    return std::nullopt;
  }
  metrics.Ascent = static_cast<int>(std::lround(fontExtents.ascent));
  metrics.Half = metrics.RowHeight / 2;
  metrics.BlankWidth = static_cast<int>(std::lround(blank.x_advance));
  metrics.PropertyIndent = 3 * metrics.Half + metrics.BlankWidth;
  return metrics;
}

// ---- Layout --------------------------------------------------------------------------------

// One node of the whole picture: its stroke column and the absolute rows it takes.
struct NodePlace {
  const TreeRow* Row;
  int X;        // the column of the node's stroke
  int64_t Top;  // absolute y of the node's row
  int64_t End;  // absolute y below its last property row
};

// The line joining a node to its next sibling: pixel rows From to To - 1 of column X.
struct SiblingLine {
  int X;
  int64_t From;
  int64_t To;
};

struct TreeLayout {
  std::vector<NodePlace> Nodes;    // in pre-order, so by Top
  std::vector<SiblingLine> Lines;  // by From
  int64_t Height = 0;              // the whole picture, row 0 included
};

// Places every node as the recursive drawing would: row 0 empty, each node and each shown
// property line one row, children one step right of their parent, and a line from the middle of
// each node's row to the top of its next sibling's row. Works from the levels, so a deep tree
// cannot exhaust the call stack.
TreeLayout BuildLayout(const std::vector<TreeRow>& rows, const TreeMetrics& metrics, bool showProperties) {
  const int64_t step = metrics.Half + 2 * metrics.BlankWidth + (showProperties ? 3 * metrics.Half : 0);
  const int64_t lh = metrics.RowHeight;
  TreeLayout layout;
  layout.Nodes.reserve(rows.size());
  std::vector<int64_t> waiting;  // per level: the node whose next sibling is still to come, or -1
  int64_t y = lh;
  for (const TreeRow& row : rows) {
    const size_t level = static_cast<size_t>(std::max(0, row.Level));
    waiting.resize(level + 1, -1);  // chains of deeper levels end here
    if (waiting[level] >= 0) {
      const NodePlace& previous = layout.Nodes[static_cast<size_t>(waiting[level])];
      layout.Lines.push_back({previous.X, previous.Top + metrics.Half, y});
    }
    const int64_t taken = 1 + (showProperties ? static_cast<int64_t>(row.Properties.size()) : 0);
    // Anything from the page's right edge on is cut away; the column is kept there.
    const int x = static_cast<int>(std::min<int64_t>(static_cast<int64_t>(level) * step, kTreePageWidth));
    layout.Nodes.push_back({&row, x, y, y + taken * lh});
    waiting[level] = static_cast<int64_t>(layout.Nodes.size()) - 1;
    y += taken * lh;
  }
  std::stable_sort(layout.Lines.begin(), layout.Lines.end(),
                   [](const SiblingLine& a, const SiblingLine& b) { return a.From < b.From; });
  layout.Height = y;
  return layout;
}

// Pages of at most `linesPerImage` rows; each row lies wholly on one page.
std::vector<TreePage> PlanPages(int64_t totalRows, int64_t linesPerImage, int rowHeight,
                                const std::string& baseName) {
  const int64_t count = (totalRows + linesPerImage - 1) / linesPerImage;
  std::vector<TreePage> pages;
  pages.reserve(static_cast<size_t>(count));
  for (int64_t i = 0; i < count; ++i) {
    TreePage page;
    page.FileName = baseName + std::to_string(i + 1) + ".jpg";
    page.Width = kTreePageWidth;
    page.Top = static_cast<int>(i * linesPerImage * rowHeight);
    const bool last = i == count - 1;
    page.Height = static_cast<int>((last ? totalRows - i * linesPerImage : linesPerImage) * rowHeight);
    page.Bottom = last ? page.Top + page.Height : page.Top + page.Height - 1;
    pages.push_back(std::move(page));
  }
  return pages;
}

// ---- Drawing -------------------------------------------------------------------------------

// Draws the parts of the laid-out tree that fall into a band of the whole picture. Bands are
// handed over from top to bottom; the painter walks the nodes and lines once for all of them.
class BandPainter {
 public:
  BandPainter(const TreeLayout& layout, const TreeMetrics& metrics, const TreeFont& font, bool showProperties,
              const TextDecoder& decoder)
      : layout_(layout), metrics_(metrics), font_(font), decoder_(decoder), showProperties_(showProperties) {}

  // Paints the band [top, top + height) onto `context`, whose origin is the band's top left.
  void Paint(cairo_t* context, int64_t top, int height);

 private:
  void PaintTexts(cairo_t* context, int64_t top, int64_t bottom);
  void PaintText(cairo_t* context, double x, int64_t rowTop, int64_t top, std::string_view text);
  void PaintLines(cairo_t* context, int64_t top, int64_t bottom);

  const TreeLayout& layout_;
  const TreeMetrics& metrics_;
  const TreeFont& font_;
  const TextDecoder& decoder_;
  std::string converted_;
  bool showProperties_;
  size_t nextNode_ = 0;                // the first node not wholly above the last band
  size_t nextLine_ = 0;                // the first line not yet reached
  std::vector<SiblingLine> crossing_;  // lines reached that may run into later bands
};

void BandPainter::Paint(cairo_t* context, int64_t top, int height) {
  const int64_t bottom = top + height;
  cairo_set_source_rgb(context, 0, 0, 0);
  cairo_set_scaled_font(context, font_.Scaled());
  PaintTexts(context, top, bottom);
  PaintLines(context, top, bottom);
}

void BandPainter::PaintTexts(cairo_t* context, int64_t top, int64_t bottom) {
  const auto& nodes = layout_.Nodes;
  while (nextNode_ < nodes.size() && nodes[nextNode_].End <= top) ++nextNode_;
  const int64_t lh = metrics_.RowHeight;
  for (size_t i = nextNode_; i < nodes.size() && nodes[i].Top < bottom; ++i) {
    const NodePlace& node = nodes[i];
    if (node.Top + lh > top) {
      PaintText(context, node.X + metrics_.Half + metrics_.BlankWidth, node.Top, top, node.Row->Text);
    }
    if (!showProperties_) continue;
    // Property k (from 1) takes the row at Top + k * lh; start at the first that reaches the band,
    // so a long property list costs its rows once over all bands.
    const auto& properties = node.Row->Properties;
    size_t k = top > node.Top ? static_cast<size_t>(std::max<int64_t>(1, (top - node.Top) / lh)) : 1;
    for (; k <= properties.size(); ++k) {
      const int64_t rowTop = node.Top + static_cast<int64_t>(k) * lh;
      if (rowTop >= bottom) break;
      if (rowTop + lh > top) PaintText(context, node.X + metrics_.PropertyIndent, rowTop, top, properties[k - 1]);
    }
  }
}

void BandPainter::PaintText(cairo_t* context, double x, int64_t rowTop, int64_t top, std::string_view text) {
  if (text.empty() || x >= kTreePageWidth) return;
  // The given point is the top left of the text; cairo places text by its baseline.
  cairo_move_to(context, x, static_cast<double>(rowTop - top + metrics_.Ascent));
  cairo_show_text(context, std::string(decoder_.ToUtf8(text, converted_)).c_str());
}

// Adds the pixels [from, to) of column x, cut to the band, to the current path.
void AddVertical(cairo_t* context, int x, int64_t from, int64_t to, int64_t top, int64_t bottom) {
  from = std::max(from, top);
  to = std::min(to, bottom);
  if (from >= to || x >= kTreePageWidth) return;
  cairo_move_to(context, x + 0.5, static_cast<double>(from - top));
  cairo_line_to(context, x + 0.5, static_cast<double>(to - top));
}

void BandPainter::PaintLines(cairo_t* context, int64_t top, int64_t bottom) {
  cairo_new_path(context);
  const int half = metrics_.Half;
  for (size_t i = nextNode_; i < layout_.Nodes.size() && layout_.Nodes[i].Top < bottom; ++i) {
    const NodePlace& node = layout_.Nodes[i];
    AddVertical(context, node.X, node.Top, node.Top + half, top, bottom);
    const int64_t middle = node.Top + half;
    if (middle >= top && middle < bottom && half > 0 && node.X < kTreePageWidth) {
      cairo_move_to(context, node.X, static_cast<double>(middle - top) + 0.5);
      cairo_line_to(context, node.X + half, static_cast<double>(middle - top) + 0.5);
    }
  }
  const auto& lines = layout_.Lines;
  while (nextLine_ < lines.size() && lines[nextLine_].From < bottom) crossing_.push_back(lines[nextLine_++]);
  for (const SiblingLine& line : crossing_) AddVertical(context, line.X, line.From, line.To, top, bottom);
  std::erase_if(crossing_, [bottom](const SiblingLine& line) { return line.To <= bottom; });
  // One pixel wide on whole pixels: without antialiasing every line is pure black.
  cairo_set_antialias(context, CAIRO_ANTIALIAS_NONE);
  cairo_set_line_width(context, 1);
  cairo_set_line_cap(context, CAIRO_LINE_CAP_BUTT);
  cairo_stroke(context);
}

// The pixels of one page, white, in cairo's RGB24 layout.
struct PageBuffer {
  int Height = 0;
  int Stride = 0;
  std::vector<uint8_t> Pixels;

  PixelView View() const {
    return PixelView{kTreePageWidth, Height, PixelLayout::Bgra, Pixels, static_cast<size_t>(Stride)};
  }
};

bool AllocatePage(PageBuffer& buffer, int height, std::string& error) noexcept {
  try {
    buffer.Height = height;
    buffer.Stride = cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, kTreePageWidth);
    buffer.Pixels.assign(static_cast<size_t>(buffer.Stride) * static_cast<size_t>(height), 0xFF);
    return true;
  } catch (const std::bad_alloc&) {
    error = StatusText(CAIRO_STATUS_NO_MEMORY);
    return false;
  }
}

// Paints the rows [top, top + height) of the whole picture into one strip of the page buffer.
bool PaintStrip(BandPainter& painter, PageBuffer& buffer, int stripTop, int height, int64_t top,
                std::string& error) {
  CairoPtr<cairo_surface_t> surface(cairo_image_surface_create_for_data(
      buffer.Pixels.data() + static_cast<size_t>(stripTop) * static_cast<size_t>(buffer.Stride),
      CAIRO_FORMAT_RGB24, kTreePageWidth, height, buffer.Stride));
  cairo_status_t status = cairo_surface_status(surface.get());
  if (status == CAIRO_STATUS_SUCCESS) {
    CairoPtr<cairo_t> context(cairo_create(surface.get()));
    status = cairo_status(context.get());
    if (status == CAIRO_STATUS_SUCCESS) {
      painter.Paint(context.get(), top, height);
      status = cairo_status(context.get());
    }
  }
  cairo_surface_flush(surface.get());
  if (status == CAIRO_STATUS_SUCCESS) status = cairo_surface_status(surface.get());
  if (status != CAIRO_STATUS_SUCCESS) error = StatusText(status);
  return status == CAIRO_STATUS_SUCCESS;
}

bool PaintPage(BandPainter& painter, PageBuffer& buffer, const TreePage& page, std::string& error) {
  for (int stripTop = 0; stripTop < page.Height; stripTop += kMaxStripHeight) {
    const int height = std::min(kMaxStripHeight, page.Height - stripTop);
    if (!PaintStrip(painter, buffer, stripTop, height, int64_t{page.Top} + stripTop, error)) return false;
  }
  return true;
}

bool SavePage(const PageBuffer& buffer, const TreePage& page, const TreeImageRequest& request,
              std::string& error) {
  std::optional<std::string> jpeg = EncodeJpeg(buffer.View(), request.JpegQuality, &error);
  return jpeg && WriteFileAtomic(request.DocumentationFolder + page.FileName, *jpeg, &error,
                                 Durability::Plain);
}

void Report(UserInterface& ui, std::string_view prefix, const std::string& error) {
  ui.Messages.Show(MessageKind::Error, std::string(prefix) + error, MessageButtons::Ok);
}

// Draws and saves the pages one at a time, so only one page's pixels exist at any moment. After a
// drawing failure the remaining pages are saved as far as drawn; after a saving failure no further
// page is saved.
void DrawAndSavePages(const std::vector<TreePage>& pages, BandPainter& painter,
                      const TreeImageRequest& request, UserInterface& ui) {
  bool drawing = true;
  for (const TreePage& page : pages) {
    std::string error;
    if (page.Height > kMaxJpegHeight) {
      Report(ui, kJpegFailed, "Maximum supported image dimension is 65500 pixels");
      return;
    }
    PageBuffer buffer;
    if (!AllocatePage(buffer, page.Height, error)) {
      Report(ui, drawing ? kDrawingFailed : kJpegFailed, error);
      return;
    }
    if (drawing && !PaintPage(painter, buffer, page, error)) {
      Report(ui, kDrawingFailed, error);
      drawing = false;
    }
    if (request.PageDrawn) request.PageDrawn(page, buffer.View());
    if (!SavePage(buffer, page, request, error)) {
      Report(ui, kJpegFailed, error);
      return;
    }
  }
}

}  // namespace

int FontPixelSize(int points) {
  return std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0)));
}

std::optional<TreeMetrics> MeasureTreeFont(const FontChoice& font, std::string* error) {
  std::string reason;
  std::optional<TreeFont> treeFont = TreeFont::Open(font, reason);
  std::optional<TreeMetrics> metrics = treeFont ? MeasureFont(*treeFont, reason) : std::nullopt;
  if (!metrics && error) *error = reason;
  return metrics;
}

std::vector<TreePage> DrawTreeImages(const TreeImageRequest& request, UserInterface& ui) {
  if (request.Rows == nullptr || request.Rows->empty()) return {};
  std::string error;
  std::optional<TreeFont> font = TreeFont::Open(request.Font, error);
  std::optional<TreeMetrics> metrics = font ? MeasureFont(*font, error) : std::nullopt;
  if (!metrics) {
    Report(ui, kDrawingFailed, error);
    return {};
  }
  TreeLayout layout = BuildLayout(*request.Rows, *metrics, request.ShowProperties);
  if (layout.Height > INT_MAX) {
    Report(ui, kDrawingFailed, "The tree picture is too tall");
    return {};
  }
  const int64_t totalRows = layout.Height / metrics->RowHeight;
  std::vector<TreePage> pages =
      PlanPages(totalRows, std::max(1, request.LinesPerImage), metrics->RowHeight, request.BaseName);
  const TextDecoder decoder(request.CodePage);
  BandPainter painter(layout, *metrics, *font, request.ShowProperties, decoder);
  DrawAndSavePages(pages, painter, request, ui);
  return pages;
}

}  // namespace tarnwick
