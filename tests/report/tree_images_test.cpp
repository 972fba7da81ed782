#include "report/tree_images.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "platform/jpeg_codec.h"
#include "support/workspace_test.h"

namespace tarnwick {
namespace {

using testing::ReadFileText;

using Runs = std::vector<std::pair<int, int>>;

/// A page as the renderer handed it over before encoding, with its pixels copied.
struct DrawnPage {
  int Height = 0;
  size_t Stride = 0;
  std::vector<uint8_t> Bytes;  // four a pixel, blue first, rows top to bottom

  // The colour as 0xRRGGBB.
  uint32_t At(int x, int y) const {
    const uint8_t* p = Bytes.data() + Stride * static_cast<size_t>(y) + 4 * static_cast<size_t>(x);
    return uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0];
  }
  // The black stretches [start, end) between `from` and `to` of column `at` (of row `at` if `row`).
  Runs BlackRuns(int at, int from, int to, bool row = false) const {
    Runs runs;
    for (int i = from; i < to; ++i) {
      if ((row ? At(i, at) : At(at, i)) != 0) continue;
      if (runs.empty() || runs.back().second != i) runs.push_back({i, i});
      runs.back().second = i + 1;
    }
    return runs;
  }
  bool AnyInkInRows(int from, int to, int xFrom = 0, int xTo = kTreePageWidth) const {
    for (int y = from; y < to; ++y)
      for (int x = xFrom; x < xTo; ++x)
        if (At(x, y) != 0xFFFFFF) return true;
    return false;
  }
};

/// A tree built row by row, a request over it and the pages drawn from it.
class TreeImagesTest : public testing::WorkspaceTest {
 protected:
  TreeImagesTest() {
    metrics_ = *MeasureTreeFont(FontChoice{});
    request_.BaseName = "Dependencies";
    request_.Rows = &rows_;
    request_.DocumentationFolder = folder_.Path();
    request_.PageDrawn = [this](const TreePage&, const PixelView& view) {
      drawn_.push_back({view.Height, view.RowStride(), {view.Data.begin(), view.Data.end()}});
    };
  }

  void AddNode(int level, std::string text, std::vector<std::string> properties = {}) {
    nodes_.push_back({level, std::move(text), std::move(properties)});
  }
  // Builds the rows only once all texts are in place, since rows refer into them.
  std::vector<TreePage> Draw() {
    rows_.clear();
    drawn_.clear();
    for (const auto& [level, text, properties] : nodes_)
      rows_.push_back(TreeRow{level, text, properties});
    return DrawTreeImages(request_, ui_);
  }
  void AddRoots(int count) {
    for (int i = 0; i < count; ++i) AddNode(0, "Unit" + std::to_string(i));
  }

  int lh() const { return metrics_.RowHeight; }
  int half() const { return metrics_.Half; }
  int ChildX() const { return metrics_.Half + 2 * metrics_.BlankWidth; }
  int TextX() const { return metrics_.Half + metrics_.BlankWidth; }

  TreeMetrics metrics_;
  std::vector<std::tuple<int, std::string, std::vector<std::string>>> nodes_;
  std::vector<TreeRow> rows_;
  TreeImageRequest request_;
  std::vector<DrawnPage> drawn_;
};

TEST(TreeFontTest, PointsBecomePixelsAt96DotsPerInch) {
  for (auto [points, pixels] : {std::pair{12, 16}, {11, 15}, {0, 1}})
    EXPECT_EQ(FontPixelSize(points), pixels);
}

// ---- Pages ------------------------------------------------------------------------------------

// The file's format is the codec's; the page gives its size and the request its quality.
TEST_F(TreeImagesTest, PagesHoldAtMostLinesPerImageRowsAndAreSavedAtTheGivenQuality) {
  AddRoots(99);  // with the blank row 0, a full page
  EXPECT_EQ(Draw().size(), 1u);
  const std::string file = ReadFileText(folder_.Path() + "Dependencies1.jpg");
  std::optional<PictureSize> size = ReadJpegSize(file);
  ASSERT_TRUE(size);
  EXPECT_EQ(std::tuple(size->Width, size->Height), std::tuple(480, 100 * lh()));
  AddRoots(1);
  request_.JpegQuality = 10;
  std::vector<TreePage> pages = Draw();
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(std::tuple(pages[0].Height, pages[0].Bottom), std::tuple(100 * lh(), 100 * lh() - 1));
  EXPECT_EQ(pages[1].FileName, "Dependencies2.jpg");
  EXPECT_EQ(std::tuple(pages[1].Top, pages[1].Height, pages[1].Bottom),
            std::tuple(100 * lh(), lh(), 101 * lh()));
  EXPECT_TRUE(std::filesystem::exists(folder_.Path() + "Dependencies2.jpg"));
  EXPECT_LT(ReadFileText(folder_.Path() + "Dependencies1.jpg").size(), file.size());
}

// ---- Strokes ----------------------------------------------------------------------------------

TEST_F(TreeImagesTest, OnePageWithRowZeroBlankAndStrokesJoiningSiblingsToTheLastSiblingsMiddle) {
  AddNode(0, "Project1");  // row 1
  AddNode(1, "Unit1");     // row 2
  AddNode(1, "Unit2");     // row 3
  AddNode(2, "Unit3");     // row 4
  AddNode(0, "Extra");     // row 5
  Draw();
  const DrawnPage& page = drawn_.at(0);
  ASSERT_EQ(page.Height, 6 * lh());
  EXPECT_FALSE(page.AnyInkInRows(0, lh()));
  // Strokes are pure black, with no smoothing. The roots' column: from the top of row 1 to the
  // middle of row 5, nothing in row 0 or below.
  EXPECT_EQ(page.BlackRuns(0, 0, 6 * lh()), (Runs{{lh(), 5 * lh() + half() + 1}}));
  // Each node's horizontal stroke runs Half pixels to the right from the middle of its row.
  EXPECT_EQ(page.BlackRuns(lh() + half(), 0, TextX(), true), (Runs{{0, half()}}));
  // The children of Project1 stand Half + 2 blanks right; Unit2 is the last of them.
  EXPECT_EQ(page.BlackRuns(ChildX(), 2 * lh(), 5 * lh()),
            (Runs{{2 * lh(), 3 * lh() + half() + 1}}));
  // The grandchild alone: a short stroke to the middle of its row.
  EXPECT_EQ(page.BlackRuns(2 * ChildX(), 4 * lh(), 5 * lh()),
            (Runs{{4 * lh(), 4 * lh() + half() + 1}}));
}

TEST_F(TreeImagesTest, SiblingLineCrossesPagesBetweenItsEnds) {
  request_.LinesPerImage = 3;
  AddNode(0, "Project1");                                              // row 1, page 1
  for (int i = 0; i < 8; ++i) AddNode(1, "Unit" + std::to_string(i));  // rows 2 to 9
  AddNode(0, "Extra");                                                 // row 10, page 4
  Draw();
  ASSERT_EQ(drawn_.size(), 4u);
  const int pageHeight = 3 * lh();
  // From the middle of row 1 down to the bottom edge, over the whole of every page in between,
  // and on the next sibling's page from the top edge down to the middle of its row (local row 1).
  EXPECT_EQ(drawn_[0].BlackRuns(0, 0, pageHeight), (Runs{{lh(), pageHeight}}));
  EXPECT_EQ(drawn_[2].BlackRuns(0, 0, pageHeight), (Runs{{0, pageHeight}}));
  EXPECT_EQ(drawn_[3].BlackRuns(0, 0, 2 * lh()), (Runs{{0, lh() + half() + 1}}));
}

// ---- Text and properties ----------------------------------------------------------------------

TEST_F(TreeImagesTest, PropertyLinesTakeARowEachAndChildrenStartBelow) {
  request_.ShowProperties = true;
  AddNode(0, "Form1: TForm1",
          {"Left = 8", "Top = 8", "Width = 320", "Height = 240", "Caption = 'Main'"});
  AddNode(1, "Button1: TButton");
  EXPECT_EQ(Draw().at(0).Height, 8 * lh());  // row 0, the form with its 5 lines, the button
  const DrawnPage& page = drawn_.at(0);
  // Property text only, from PropertyIndent on; no strokes beside it.
  EXPECT_FALSE(page.AnyInkInRows(2 * lh(), 7 * lh(), 0, metrics_.PropertyIndent));
  EXPECT_TRUE(page.AnyInkInRows(6 * lh(), 7 * lh(), metrics_.PropertyIndent));
  // The child stands 3 x Half further right than without properties, in row 7.
  EXPECT_EQ(page.BlackRuns(ChildX() + 3 * half(), 7 * lh(), 8 * lh()),
            (Runs{{7 * lh(), 7 * lh() + half() + 1}}));
  request_.ShowProperties = false;
  EXPECT_EQ(Draw().at(0).Height, 3 * lh());
}

// A caption in the project's code page draws the same pixels as the caption given in UTF-8.
TEST_F(TreeImagesTest, TextInTheProjectsCodePageDrawsLikeTheSameTextInUtf8) {
  const std::string bytes = "\xD1\xEA\xE0\xED",
                    utf8 = "\xD0\xA1\xD0\xBA\xD0\xB0\xD0\xBD";  // windows-1251
  request_.CodePage = "windows-1251";
  request_.ShowProperties = true;
  AddNode(0, bytes, {"Caption = '" + bytes + "'"});
  AddNode(0, utf8, {"Caption = '" + utf8 + "'"});  // a UTF-8 line stays as it is
  Draw();
  const DrawnPage& page = drawn_.at(0);
  bool same = true;
  for (int y = 0; y < 2 * lh(); ++y)
    for (int x = TextX(); x < kTreePageWidth; ++x)
      same = same && page.At(x, lh() + y) == page.At(x, 3 * lh() + y);
  EXPECT_TRUE(same);
  EXPECT_TRUE(page.AnyInkInRows(lh(), 3 * lh(), TextX()));
}

// ---- Failures ---------------------------------------------------------------------------------

TEST_F(TreeImagesTest, FailedSaveIsReportedAndLaterPagesAreNotSaved) {
  folder_.Write("blocker", "a file where a folder should be");
  request_.DocumentationFolder = folder_.Path() + "blocker/Documentation/";
  request_.LinesPerImage = 2;
  AddRoots(5);
  EXPECT_EQ(Draw().size(), 3u) << "the document still refers to every page";
  EXPECT_EQ(drawn_.size(), 1u);
  EXPECT_EQ(prompter_.Shown(),
            std::vector<std::string>{
                "error: There was an error creating the JPEG image.\r\rNot a directory"});
}

TEST_F(TreeImagesTest, PageTooTallForJpegIsReportedBeforeItIsDrawn) {
  const int rows = 65500 / lh() + 1;
  request_.LinesPerImage = rows + 10;
  AddRoots(rows);
  EXPECT_EQ(Draw().at(0).Height, (rows + 1) * lh());
  EXPECT_FALSE(std::filesystem::exists(folder_.Path() + "Dependencies1.jpg"));
  EXPECT_EQ(prompter_.Texts(),
            std::vector<std::string>{"There was an error creating the JPEG image.\r\rMaximum "
                                     "supported image dimension is 65500 pixels"});
}

TEST_F(TreeImagesTest, PageTallerThanOneDrawingSurfaceIsDrawnWhole) {
  const int rows = 33000 / lh() + 2;
  request_.LinesPerImage = rows + 1;
  AddRoots(rows);
  Draw();
  ASSERT_EQ(drawn_.size(), 1u);
  EXPECT_EQ(drawn_[0].BlackRuns(0, 0, drawn_[0].Height), (Runs{{lh(), rows * lh() + half() + 1}}));
  EXPECT_TRUE(drawn_[0].AnyInkInRows(rows * lh(), (rows + 1) * lh(), half() + 1));
}

}  // namespace
}  // namespace tarnwick
