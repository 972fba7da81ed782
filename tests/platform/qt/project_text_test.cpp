#include "platform/qt/project_text.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(ProjectTextTest, ShowsUtf8AsItIsAndOtherLinesInTheProjectCodePage) {
  EXPECT_EQ(ProjectQString("\xcf\xf0\xe8\xec\xe5\xf0", "windows-1251"), QString::fromUtf8("Пример"));
  EXPECT_EQ(ProjectQString("Belső", "windows-1250"), QString::fromUtf8("Belső")) << "UTF-8 stays";
  EXPECT_EQ(ProjectQString("Bels\xf5", "windows-1250"), QString::fromUtf8("Belső"));
  EXPECT_EQ(ProjectQString("Cafe\xe9\r\nNaïve", "windows-1252"), QString::fromUtf8("Cafeé\r\nNaïve"))
      << "decided line by line";
  EXPECT_EQ(QStringToUtf8(Utf8ToQString("Пример")), "Пример");
}

}  // namespace
}  // namespace tarnwick
