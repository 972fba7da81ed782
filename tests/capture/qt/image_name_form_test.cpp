#include "capture/qt/image_name_form.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "support/qt_modal_closer.h"
#include "support/recording_prompter.h"

namespace tarnwick {
namespace {

using testing::WhenModalShows;
using Names = std::vector<std::string>;

class ImageNameFormTest : public ::testing::Test {
 protected:
  template <typename T>
  static T* Child(QWidget* dialog, const char* name) {
    T* child = dialog->findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  std::optional<ImageName> Ask(std::function<void(QWidget*)> act, ImageNamePreselection preselection = {}) {
    WhenModalShows(std::move(act));
    return form_.Ask(forms_, preselection);
  }

  testing::RecordingPrompter prompter_;
  TImageNameForm form_{prompter_};
  const std::vector<std::string> forms_ = {"MainForm", "EditForm", "AboutBox"};
};

TEST_F(ImageNameFormTest, EnterAcceptsAndEscapeCancelsWhereverTheFocusIs) {
  EXPECT_EQ(form_.windowTitle(), "Image unit name");
  std::optional<ImageName> name = Ask([](QWidget* dialog) {
    auto* cancel = Child<QPushButton>(dialog, "Button2");
    cancel->setFocus();
    QTest::keyClick(cancel, Qt::Key_Return);
  }, {1, "Grid"});
  ASSERT_TRUE(name) << "Enter on the focused Cancel button still means OK";
  EXPECT_EQ(name->FormName, "EditForm");
  EXPECT_EQ(name->ViewName, "Grid");

  name = Ask([](QWidget* dialog) { QTest::keyClick(Child<QLineEdit>(dialog, "ViewNameEdit"), Qt::Key_Escape); });
  EXPECT_FALSE(name);
}

TEST_F(ImageNameFormTest, InvalidViewNameKeepsTheDialogOpenAndTheEditKeepsItsText) {
  std::optional<ImageName> name = Ask([this](QWidget* dialog) {
    auto* edit = Child<QLineEdit>(dialog, "ViewNameEdit");
    edit->setText("my view");
    Child<QPushButton>(dialog, "Button1")->click();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(prompter_.Shown(),
              Names{"error: The Viewname \"my view\" is not valid\r\rPlease remove any spaces or special characters"});
    edit->setText("View2");
    Child<QComboBox>(dialog, "ImageNameComboBox")->setCurrentIndex(2);
    Child<QPushButton>(dialog, "Button1")->click();
  });
  ASSERT_TRUE(name);
  EXPECT_EQ(name->FormName, "AboutBox");
  // No view in the preselection: the edit shows what was typed last time.
  name = Ask([](QWidget* dialog) { Child<QPushButton>(dialog, "Button1")->click(); });
  ASSERT_TRUE(name);
  EXPECT_EQ(name->FormName, "MainForm");
  EXPECT_EQ(name->ViewName, "View2");
}

}  // namespace
}  // namespace tarnwick
