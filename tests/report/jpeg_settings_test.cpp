#include "report/jpeg_settings.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(JpegSettingsTest, OpensWithTheCurrentValuesNotTheDesignedOnes) {
  AppSettings settings;
  ReportOptions options;
  JpegSettings shown = CurrentJpegSettings(settings, options);
  EXPECT_EQ(shown.Quality, 100);
  EXPECT_FALSE(shown.ProgressiveDisplay);
  EXPECT_EQ(shown.LinesPerImageText, "100");

  settings.JPegCompressionQuality = 35;
  options.ProgressiveDisplay = true;
  options.LinesPerImage = 250;
  shown = CurrentJpegSettings(settings, options);
  EXPECT_EQ(shown.Quality, 35);
  EXPECT_TRUE(shown.ProgressiveDisplay);
  EXPECT_EQ(shown.LinesPerImageText, "250");
}

TEST(JpegSettingsTest, LinesPerImageMustBeASignedDecimalOfAtLeastOne) {
  for (const char* text : {"1", "100", "+7", "0042", "2147483647"}) {
    EXPECT_EQ(CheckLinesPerImage(text), "") << text;
  }
  for (const char* text : {"", "12a", "a12", " 12", "12 ", "+", "-", "1.5", "$10", "0x10", "0", "-3",
                           "2147483648", "99999999999999999999"}) {
    EXPECT_EQ(CheckLinesPerImage(text), "Invalid value for \"Lines Per Image\"") << text;
  }
}

TEST(JpegSettingsTest, OkAppliesAllThreeValuesOrNone) {
  AppSettings settings;
  ReportOptions options;
  EXPECT_FALSE(ApplyJpegSettings(JpegSettings{20, true, "12a"}, settings, options));
  EXPECT_EQ(settings.JPegCompressionQuality, 100);
  EXPECT_FALSE(options.ProgressiveDisplay);
  EXPECT_EQ(options.LinesPerImage, 100);

  EXPECT_TRUE(ApplyJpegSettings(JpegSettings{20, true, "+40"}, settings, options));
  EXPECT_EQ(settings.JPegCompressionQuality, 20);
  EXPECT_TRUE(options.ProgressiveDisplay);
  EXPECT_EQ(options.LinesPerImage, 40);

  EXPECT_TRUE(ApplyJpegSettings(JpegSettings{0, false, "5"}, settings, options));
  EXPECT_EQ(settings.JPegCompressionQuality, 1) << "the track bar's range";
}

}  // namespace
}  // namespace tarnwick
