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
  // The answer as "form/view", or "cancelled".
  std::string Answer(std::function<void(QWidget*)> act, ImageNamePreselection preselection = {}) {
    WhenModalShows(std::move(act));
    std::optional<ImageName> name = form_.Ask(forms_, preselection);
    return name ? name->FormName + "/" + name->ViewName : "cancelled";
  }

  testing::RecordingPrompter prompter_;
  TImageNameForm form_{prompter_};
  const std::vector<std::string> forms_ = {"MainForm", "EditForm", "AboutBox"};
};

TEST_F(ImageNameFormTest, EnterAcceptsWhereverTheFocusIsAndAnInvalidViewKeepsItOpen) {
  EXPECT_EQ(form_.windowTitle(), "Image unit name");
  const std::string enter = Answer([](QWidget* dialog) {
    auto* cancel = Child<QPushButton>(dialog, "Button2");
    cancel->setFocus();
    QTest::keyClick(cancel, Qt::Key_Return);
  }, {1, "Grid"});
  EXPECT_EQ(enter, "EditForm/Grid") << "Enter on the focused Cancel button still means OK";

  const std::string corrected = Answer([this](QWidget* dialog) {
    auto* edit = Child<QLineEdit>(dialog, "ViewNameEdit");
    edit->setText("my view");
    Child<QPushButton>(dialog, "Button1")->click();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(prompter_.Shown(), Names{"error: " + InvalidViewNameMessage("my view")});
    edit->setText("View2");
    Child<QComboBox>(dialog, "ImageNameComboBox")->setCurrentIndex(2);
    Child<QPushButton>(dialog, "Button1")->click();
  });
  EXPECT_EQ(corrected, "AboutBox/View2");
  // No view in the preselection: the edit shows what was typed last time.
  EXPECT_EQ(Answer([](QWidget* dialog) { Child<QPushButton>(dialog, "Button1")->click(); }), "MainForm/View2");
}

}  // namespace
}  // namespace tarnwick
