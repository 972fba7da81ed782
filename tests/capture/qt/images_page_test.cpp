#include "capture/qt/images_page.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QTreeWidget>

#include "support/recording_prompter.h"

namespace tarnwick {
namespace {

std::shared_ptr<Picture> Bitmap(int width, int height) {
  std::vector<uint8_t> pixels(static_cast<size_t>(width * height) * 4, 200);
  return std::make_shared<Picture>(Picture{Picture::Format::Bitmap, width, height, std::move(pixels), 24, "", 0});
}

class ImagesPageTest : public ::testing::Test {
 protected:
  ImagesPageTest() {
    page_.resize(640, 480);
    page_.show();
  }
  void Add(const char* form, const char* view, std::shared_ptr<Picture> picture, const char* status = "New") {
    model_.Images.push_back(ImageEntry{form, view, "U", std::string(form) + ".jpg", status, std::move(picture), false});
  }
  QTreeWidget* List() { return page_.findChild<QTreeWidget*>("ImageListView"); }
  QLabel* Panel() { return page_.findChild<QLabel*>("ImagePreviewPanel"); }
  QLabel* Preview() { return page_.findChild<QLabel*>("ImagePreview"); }
  void Select(std::initializer_list<int> rows) {
    List()->clearSelection();
    for (int row : rows) List()->topLevelItem(row)->setSelected(true);
  }

  ProjectModel model_;
  testing::RecordingPrompter prompter_;
  ImagesPage page_{model_, prompter_, [] { return 90; }};
};

TEST_F(ImagesPageTest, PreviewFollowsTheSelection) {
  EXPECT_EQ(Panel()->text(), "No image");
  Add("AForm", "", Bitmap(10, 8));
  Add("BForm", "Big", Bitmap(4000, 3000));
  Add("CForm", "", nullptr);
  page_.Refresh();
  EXPECT_EQ(List()->topLevelItem(1)->text(1) + List()->topLevelItem(1)->text(3), "BigNew");
  EXPECT_EQ(Panel()->text(), "No selection");

  Select({0});
  EXPECT_EQ(Preview()->pixmap().size(), QSize(10, 8)) << "a small picture keeps its size";
  Select({1});
  EXPECT_EQ(Preview()->pixmap().size(), Preview()->size()) << "a large one fills the box";
  Select({0, 1});
  EXPECT_EQ(Panel()->text(), "Multiple selected");
  EXPECT_FALSE(Preview()->isVisible());
  Select({2});
  EXPECT_EQ(Panel()->text(), "No image");
  page_.ShowImagePreview(3);
  EXPECT_EQ(Panel()->text(), "No selecction");
  EXPECT_TRUE(model_.Images[2].Selected) << "the selection is mirrored into the model";
}

}  // namespace
}  // namespace tarnwick
