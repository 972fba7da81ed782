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

template <typename T>
T* Child(QWidget* dialog, const char* name) {
  T* child = dialog->findChild<T*>(name);
  EXPECT_NE(child, nullptr) << name;
  return child;
}

TEST(ImageNameFormTest, EnterAcceptsWhereverTheFocusIsAndAnInvalidViewKeepsItOpen) {
  testing::RecordingPrompter prompter;
  TImageNameForm form{prompter};
  // The answer as "form/view", or "cancelled".
  auto answer = [&form](std::function<void(QWidget*)> act, ImageNamePreselection preselect = {}) {
    WhenModalShows(std::move(act));
    std::optional<ImageName> name = form.Ask({"MainForm", "EditForm", "AboutBox"}, preselect);
    return name ? name->FormName + "/" + name->ViewName : "cancelled";
  };
  EXPECT_EQ(form.windowTitle(), "Image unit name");
  const std::string enter = answer([](QWidget* dialog) {
    auto* cancel = Child<QPushButton>(dialog, "Button2");
    cancel->setFocus();
    QTest::keyClick(cancel, Qt::Key_Return);
  }, {1, "Grid"});
  EXPECT_EQ(enter, "EditForm/Grid") << "Enter on the focused Cancel button still means OK";

  const std::string corrected = answer([&prompter](QWidget* dialog) {
    auto* edit = Child<QLineEdit>(dialog, "ViewNameEdit");
    edit->setText("my view");
    Child<QPushButton>(dialog, "Button1")->click();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(prompter.Shown(), Names{"error: " + InvalidViewNameMessage("my view")});
    edit->setText("View2");
    Child<QComboBox>(dialog, "ImageNameComboBox")->setCurrentIndex(2);
    Child<QPushButton>(dialog, "Button1")->click();
  });
  EXPECT_EQ(corrected, "AboutBox/View2");
  // No view in the preselection: the edit shows what was typed last time.
  const std::string remembered =
      answer([](QWidget* dialog) { Child<QPushButton>(dialog, "Button1")->click(); });
  EXPECT_EQ(remembered, "MainForm/View2");
}

}  // namespace
}  // namespace tarnwick
