#include "report/report_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_settings.h"
#include "support/recording_prompter.h"
#include "support/temp_folder.h"

namespace tarnwick {
namespace {

using Order = std::vector<std::string>;

class ReportOptionsStore : public ::testing::Test {
 protected:
  void Stored(std::string_view name, int32_t value) {
    RegistryKey key(store_);
    key.OpenKey(kRegistryKey, true);
    key.WriteInteger(name, value);
  }
  void Stored(std::string_view name, std::string_view value) {
    RegistryKey key(store_);
    key.OpenKey(kRegistryKey, true);
    key.WriteString(name, value);
  }
  ReportOptions Loaded() {
    ReportOptions options;
    LoadReportOptions(store_, options, ui_);
    return options;
  }

  testing::TempFolder temp_;
  SettingsStore store_{temp_.Path() + "settings.reg"};
  testing::RecordingPrompter prompter_;
  testing::RecordingProgressSink progress_;
  EstimatingTextMeasure measure_;
  UserInterface ui_{prompter_, progress_, measure_};
};

TEST_F(ReportOptionsStore, KeepsTheInitialStateWithoutAKey) {
  ReportOptions options = Loaded();
  EXPECT_FALSE(options.DependencyMaxLevel);
  EXPECT_EQ(options.DependencyOutput, kOutputNone);
  EXPECT_EQ(options.ObjectsOutput, kOutputNone);
  EXPECT_FALSE(IsTextOutput(options.DependencyOutput));
  EXPECT_EQ(options.PrintOrder, DefaultPrintOrder());
  EXPECT_FALSE(store_.KeyExists(kRegistryKey));
}

TEST_F(ReportOptionsStore, UsesTheDefaultOfEachMissingValue) {
  Stored("SourceFont", "Arial");
  ReportOptions options = Loaded();
  EXPECT_EQ(options.SourceFont, "Arial");
  EXPECT_TRUE(options.DependencyMaxLevel);
  EXPECT_EQ(options.DependencyOutput, kOutputAsJpeg);
  EXPECT_EQ(options.ObjectsOutput, kOutputAsText);
  EXPECT_EQ(options.DependencyMaxLevelNum, "0");
  EXPECT_EQ(options.IndentSpaces, "3");
}

TEST_F(ReportOptionsStore, ReadsSelectedOnlyWhenAllIsOff) {
  Stored("SourceAll", 1);
  Stored("SourceSelected", 1);
  Stored("ImagesAll", 0);
  Stored("ImagesSelected", 1);
  ReportOptions options = Loaded();
  EXPECT_TRUE(options.SourceAll);
  EXPECT_FALSE(options.SourceSelected);
  EXPECT_FALSE(options.ImagesAll);
  EXPECT_TRUE(options.ImagesSelected);
}

TEST_F(ReportOptionsStore, ShowsAnOutputOutsideTheChoicesAsNoEntry) {
  Stored("DependencyOutput", 7);
  EXPECT_EQ(Loaded().DependencyOutput, kOutputNone);
}

TEST_F(ReportOptionsStore, SavesAndLoadsEveryStoredField) {
  ReportOptions saved;
  saved.SourceAll = false;
  saved.SourceSelected = true;
  saved.SyntaxPrint = false;
  saved.SourceFont = "Courier New";
  saved.SourceCodeFontSize = 9;
  saved.DependencyMaxLevel = true;
  saved.DependencyMaxLevelNum = "4";
  saved.DependencyOutput = kOutputAsText;
  saved.ObjectsOutput = kOutputAsJpeg;
  saved.ObjectsFontSize1 = 20;
  saved.ImagesAll = false;
  saved.TabSpaces = "8";
  saved.IndentSpaces = "2";
  MovePrintOrderDown(saved.PrintOrder, 0);
  ASSERT_TRUE(SaveReportOptions(store_, saved, ui_));
  EXPECT_TRUE(prompter_.Messages().empty());

  SettingsStore reread(store_.FilePath());
  ASSERT_TRUE(reread.Load());
  ReportOptions loaded;
  LoadReportOptions(reread, loaded, ui_);
  EXPECT_FALSE(loaded.SourceAll);
  EXPECT_TRUE(loaded.SourceSelected);
  EXPECT_FALSE(loaded.SyntaxPrint);
  EXPECT_EQ(loaded.SourceFont, "Courier New");
  EXPECT_EQ(loaded.SourceCodeFontSize, 9);
  EXPECT_EQ(loaded.DependencyMaxLevelNum, "4");
  EXPECT_EQ(loaded.DependencyOutput, kOutputAsText);
  EXPECT_EQ(loaded.ObjectsOutput, kOutputAsJpeg);
  EXPECT_EQ(loaded.ObjectsFontSize1, 20);
  EXPECT_FALSE(loaded.ImagesAll);
  EXPECT_EQ(loaded.TabSpaces, "8");
  EXPECT_EQ(loaded.IndentSpaces, "2");
  EXPECT_EQ(loaded.PrintOrder,
            (Order{"Source Code", "Form Images", "Dependencies", "Unused Units", "Form Objects"}));
  RegistryKey key(reread);
  key.OpenKey(kRegistryKey, false);
  EXPECT_EQ(key.ReadString("PrintOrder"), "Source Code,Form Images,Dependencies,Unused Units,Form Objects");
  EXPECT_EQ(key.ValueNames().front(), "SourceAll");
  EXPECT_EQ(key.ValueNames().back(), "PrintOrder");
}

TEST_F(ReportOptionsStore, KeepsWhatWasWrittenBeforeALevelThatIsNoNumber) {
  ReportOptions options;
  options.DependencyMaxLevelNum = "many";
  EXPECT_FALSE(SaveReportOptions(store_, options, ui_));
  EXPECT_EQ(prompter_.Texts(),
            std::vector<std::string>{"There was an error saving your settings while writing to the "
                                     "registry key \\Software\\Merrowind\\Tarnwick"});
  RegistryKey key(store_);
  ASSERT_TRUE(key.OpenKey(kRegistryKey, false));
  EXPECT_TRUE(key.ValueExists("DependencyMaxLevel"));
  EXPECT_FALSE(key.ValueExists("DependencyMaxLevelNum"));
  EXPECT_FALSE(key.ValueExists("DependencyOutput"));
}

TEST_F(ReportOptionsStore, ReportsAKeyThatCannotBeCreated) {
  temp_.Write("blocker", "a file");
  SettingsStore blocked(temp_.Path() + "blocker/settings.reg");
  EXPECT_FALSE(SaveReportOptions(blocked, ReportOptions{}, ui_));
  EXPECT_EQ(prompter_.Texts(),
            std::vector<std::string>{"Could not save your settings because the registry key "
                                     "\\Software\\Merrowind\\Tarnwick could not be opened or created."});
}

TEST(PrintOrder, MovesEachStoredNameToItsPosition) {
  Order order = DefaultPrintOrder();
  ApplyPrintOrder(order, "source code,Form Images");
  EXPECT_EQ(order, (Order{"Source Code", "Form Images", "Dependencies", "Unused Units", "Form Objects"}));
  order = DefaultPrintOrder();
  ApplyPrintOrder(order, "Nonsense,Form Objects");
  EXPECT_EQ(order, (Order{"Form Images", "Form Objects", "Source Code", "Dependencies", "Unused Units"}));
  // Names past the fifth place cannot move anything, so no entry is ever lost.
  order = DefaultPrintOrder();
  ApplyPrintOrder(order, "a,b,c,d,e,Form Images,Form Images");
  EXPECT_EQ(order, DefaultPrintOrder());
}

TEST(PrintOrder, MovesTheSelectedEntryWithinTheList) {
  Order order = DefaultPrintOrder();
  EXPECT_EQ(MovePrintOrderUp(order, 2), 1);
  EXPECT_EQ(order[1], "Dependencies");
  EXPECT_EQ(MovePrintOrderDown(order, 1), 2);
  EXPECT_EQ(order, DefaultPrintOrder());
  EXPECT_EQ(MovePrintOrderUp(order, 0), 0);
  EXPECT_EQ(MovePrintOrderDown(order, 4), 4);
  EXPECT_EQ(MovePrintOrderUp(order, -1), -1);
  EXPECT_EQ(order, DefaultPrintOrder());
  EXPECT_EQ(JoinPrintOrder(order), "Form Images,Source Code,Dependencies,Unused Units,Form Objects");
}

TEST(ReportCheckBoxes, CheckingOneOfAPairUnchecksTheOther) {
  ReportOptions options;
  ImagesSelectedCheckBoxClick(options, true);
  EXPECT_FALSE(options.ImagesAll);
  ImagesSelectedCheckBoxClick(options, false);
  EXPECT_FALSE(options.ImagesAll);
  EXPECT_FALSE(options.ImagesSelected);
  SourceSelectedCheckBoxClick(options, true);
  SourceAllCheckBoxClick(options, true);
  EXPECT_FALSE(options.SourceSelected);
}

TEST(ValidateInteger, ResetsTextThatIsNoWholeNumber) {
  testing::RecordingPrompter prompter;
  std::string text = "12";
  EXPECT_TRUE(ValidateInteger(text, prompter));
  EXPECT_EQ(text, "12");
  for (std::string bad : {"x", "", "1.5", "99999999999", "+-3"}) {
    text = bad;
    EXPECT_FALSE(ValidateInteger(text, prompter)) << bad;
    EXPECT_EQ(text, "0");
  }
  EXPECT_EQ(prompter.Messages().back().text, "Non integer value changed to 0");
  EXPECT_EQ(prompter.Messages().back().kind, MessageKind::Information);
  EXPECT_EQ(ParseWholeNumber(" -7 "), -7);
}

TEST(OverrideReportOption, SetsValuesByTheirStoredNames) {
  ReportOptions options;
  std::string error;
  EXPECT_TRUE(OverrideReportOption(options, "SourceLineNumbers", "0", error));
  EXPECT_FALSE(options.SourceLineNumbers);
  EXPECT_TRUE(OverrideReportOption(options, "objectsoutput", "As Text", error));
  EXPECT_EQ(options.ObjectsOutput, kOutputAsText);
  EXPECT_TRUE(OverrideReportOption(options, "SourceSelected", "1", error));
  EXPECT_FALSE(options.SourceAll);
  EXPECT_TRUE(OverrideReportOption(options, "PrintOrder",
                                   "Source Code,Form Images,Dependencies,Unused Units,Form Objects", error));
  EXPECT_EQ(options.PrintOrder.front(), "Source Code");
  EXPECT_TRUE(OverrideReportOption(options, "LinesPerImage", "40", error));
  EXPECT_EQ(options.LinesPerImage, 40);
  EXPECT_TRUE(OverrideReportOption(options, "ProgressiveDisplay", "1", error));
  EXPECT_TRUE(options.ProgressiveDisplay);
}

TEST(OverrideReportOption, RejectsBadNamesAndValues) {
  ReportOptions options;
  std::string error;
  EXPECT_FALSE(OverrideReportOption(options, "LinesPerImage", "0", error));
  EXPECT_EQ(error, "Invalid value for \"Lines Per Image\"");
  EXPECT_FALSE(OverrideReportOption(options, "SyntaxPrint", "yes", error));
  EXPECT_EQ(error, "Invalid value for \"SyntaxPrint\"");
  EXPECT_FALSE(OverrideReportOption(options, "Colour", "1", error));
  EXPECT_EQ(error, "Unknown report option \"Colour\"");
  for (std::string order : {"Source Code,Form Images,Dependencies,Unused Units",
                            "Source Code,Source Code,Dependencies,Unused Units,Form Objects",
                            "Source Code,Form Images,Dependencies,Unused Units,Form Objects,Form Objects"}) {
    EXPECT_FALSE(OverrideReportOption(options, "PrintOrder", order, error)) << order;
  }
  EXPECT_EQ(options.PrintOrder, DefaultPrintOrder());
  EXPECT_EQ(options.LinesPerImage, 100);
}

}  // namespace
}  // namespace tarnwick
