#include "report/jpeg_settings.h"

#include <tuple>

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(JpegSettingsTest, OpensWithTheCurrentValuesNotTheDesignedOnes) {
  ReportOptions options;
  options.ProgressiveDisplay = true;
  options.LinesPerImage = 250;
  JpegSettings shown = CurrentJpegSettings(35, options);
  EXPECT_EQ(std::tie(shown.Quality, shown.ProgressiveDisplay, shown.LinesPerImageText), std::tuple(35, true, "250"));
}

TEST(JpegSettingsTest, LinesPerImageMustBeASignedDecimalOfAtLeastOne) {
  for (const char* text : {"1", "100", "+7", "0042", "2147483647"}) EXPECT_EQ(CheckLinesPerImage(text), "") << text;
  for (const char* text : {"", "12a", "a12", " 12", "12 ", "+", "-", "1.5", "$10", "0x10", "0", "-3", "2147483648",
                           "99999999999999999999"}) {
    EXPECT_EQ(CheckLinesPerImage(text), "Invalid value for \"Lines Per Image\"") << text;
  }
}

TEST(JpegSettingsTest, OkAppliesAllThreeValuesOrNone) {
  int quality = 100;
  ReportOptions options;
  auto state = [&] {
    return std::tuple(quality, options.ProgressiveDisplay, options.LinesPerImage);
  };
  EXPECT_FALSE(ApplyJpegSettings(JpegSettings{20, true, "12a"}, quality, options));
  EXPECT_EQ(state(), std::tuple(100, false, 100));
  EXPECT_TRUE(ApplyJpegSettings(JpegSettings{20, true, "+40"}, quality, options));
  EXPECT_EQ(state(), std::tuple(20, true, 40));
  EXPECT_TRUE(ApplyJpegSettings(JpegSettings{0, false, "5"}, quality, options));
  EXPECT_EQ(quality, 1) << "the track bar's range";
}

}  // namespace
}  // namespace tarnwick
