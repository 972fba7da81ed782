#include "report/jpeg_settings.h"

#include <tuple>

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(JpegSettingsTest, OpensWithTheCurrentValuesAndKeepsQualityInTheTrackBarsRange) {
  ReportOptions options;
  options.ProgressiveDisplay = true;
  options.LinesPerImage = 250;
  JpegSettings shown = CurrentJpegSettings(35, options);
  EXPECT_EQ(std::tie(shown.Quality, shown.ProgressiveDisplay, shown.LinesPerImageText),
            std::tuple(35, true, "250"));
  // The main window's test applies the dialog's values, or none of them when the lines are refused.
  int quality = 100;
  EXPECT_TRUE(ApplyJpegSettings(JpegSettings{0, false, "5"}, quality, options));
  EXPECT_EQ(quality, 1) << "the track bar's range";
}

TEST(JpegSettingsTest, LinesPerImageMustBeASignedDecimalOfAtLeastOne) {
  for (const char* text : {"1", "100", "+7", "0042", "2147483647"})
    EXPECT_EQ(CheckLinesPerImage(text), "") << text;
  for (const char* text : {"", "12a", "a12", " 12", "12 ", "+", "-", "1.5", "$10", "0x10", "0",
                           "-3", "2147483648", "99999999999999999999"}) {
    EXPECT_EQ(CheckLinesPerImage(text), "Invalid value for \"Lines Per Image\"") << text;
  }
}

}  // namespace
}  // namespace tarnwick
