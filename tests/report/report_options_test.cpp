#include "report/report_options.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "app/app_settings.h"
#include "support/workspace_test.h"

namespace tarnwick {
namespace {

using Order = std::vector<std::string>;

class ReportOptionsStore : public testing::WorkspaceTest {
 protected:
  ReportOptions Loaded(const std::string& values = "") {
    if (!values.empty()) store_.FromText("[HKEY_CURRENT_USER\\Software\\Merrowind\\Tarnwick]\n" + values);
    ReportOptions options;
    LoadReportOptions(store_, options, ui_);
    return options;
  }

  SettingsStore store_{folder_.Path() + "settings.reg"};
};

TEST_F(ReportOptionsStore, NoKeyKeepsTheStartStateAndAMissingValueTakesItsDefault) {
  ReportOptions options = Loaded();
  EXPECT_FALSE(options.DependencyMaxLevel);
  EXPECT_EQ(options.DependencyOutput, kOutputNone);
  EXPECT_EQ(options.ObjectsOutput, kOutputNone);
  EXPECT_FALSE(store_.KeyExists(kRegistryKey));

  // A stored Selected box is read only when its All box is off; All is on when missing.
  options = Loaded("\"SourceFont\"=\"Arial\"\n\"ObjectsOutput\"=dword:00000007\n"
                   "\"SourceSelected\"=dword:00000001\n\"ImagesSelected\"=dword:00000001\n");
  EXPECT_EQ(options.SourceFont, "Arial");
  EXPECT_FALSE(options.SourceSelected || options.ImagesSelected);
  EXPECT_TRUE(options.DependencyMaxLevel);
  EXPECT_EQ(options.DependencyOutput, kOutputAsJpeg);
  EXPECT_EQ(options.ObjectsOutput, kOutputNone) << "an output outside the choices shows no entry";
  EXPECT_EQ(options.DependencyMaxLevelNum, "0");
  EXPECT_EQ(options.IndentSpaces, "3");
}

// A number field that holds no whole number would stop a document run later: it is read as its
// default with one warning naming it. A number stored in either form is taken.
TEST_F(ReportOptionsStore, NumberFieldsThatHoldNoNumberAreReadAsDefaultsWithAWarning) {
  ReportOptions options = Loaded("\"DependencyMaxLevelNum\"=\"deep\"\n\"TabSpaces\"=dword:00000008\n"
                                 "\"IndentSpaces\"=\"-2\"\n");
  EXPECT_EQ(options.DependencyMaxLevelNum, "0");
  EXPECT_EQ(options.TabSpaces, "8");
  EXPECT_EQ(options.IndentSpaces, "3");
  EXPECT_EQ(prompter_.Shown(),
            (std::vector<std::string>{
                "warning: The stored value DependencyMaxLevelNum (\"deep\") is not a whole number; 0 is used instead.",
                "warning: The stored value IndentSpaces (\"-2\") is not a whole number; 3 is used instead."}));
}

// The fixture holds every stored value in table order, each unlike its default (the Selected
// boxes with All off): loading it and saving the options again writes the very same text.
TEST_F(ReportOptionsStore, SavesEveryStoredFieldInTableOrderAndLoadsItBack) {
  const std::string stored = testing::ReadFileText(TARNWICK_FIXTURES_DIR "/report-options/every-field.reg");
  store_.FromText(stored);
  ReportOptions loaded = Loaded();
  SettingsStore again(folder_.Path() + "again.reg");
  ASSERT_TRUE(SaveReportOptions(again, loaded, ui_));
  EXPECT_TRUE(prompter_.Messages().empty());
  EXPECT_EQ(again.ToText(), stored);
}

TEST_F(ReportOptionsStore, KeepsWhatWasWrittenBeforeALevelThatIsNoNumber) {
  ReportOptions options;
  options.DependencyMaxLevelNum = "many";
  EXPECT_FALSE(SaveReportOptions(store_, options, ui_));
  EXPECT_EQ(prompter_.Texts(), Order{"There was an error saving your settings while writing to the registry key "
                                     "\\Software\\Merrowind\\Tarnwick"});
  RegistryKey key(store_);
  ASSERT_TRUE(key.OpenKey(kRegistryKey, false));
  EXPECT_TRUE(key.ValueExists("DependencyMaxLevel"));
  EXPECT_FALSE(key.ValueExists("DependencyMaxLevelNum"));
  EXPECT_FALSE(key.ValueExists("DependencyOutput"));
}

TEST_F(ReportOptionsStore, ReportsAKeyThatCannotBeCreated) {
  folder_.Write("blocker", "a file");
  SettingsStore blocked(folder_.Path() + "blocker/settings.reg");
  EXPECT_FALSE(SaveReportOptions(blocked, ReportOptions{}, ui_));
  EXPECT_EQ(prompter_.Texts(), Order{"Could not save your settings because the registry key "
                                     "\\Software\\Merrowind\\Tarnwick could not be opened or created."});
}

TEST(PrintOrder, MovesEachStoredNameToItsPosition) {
  const std::pair<const char*, Order> cases[] = {
      {"source code,Form Images", {"Source Code", "Form Images", "Dependencies", "Unused Units", "Form Objects"}},
      {"Nonsense,Form Objects", {"Form Images", "Form Objects", "Source Code", "Dependencies", "Unused Units"}},
      // Names past the fifth place cannot move anything, so no entry is ever lost.
      {"a,b,c,d,e,Form Images,Form Images", DefaultPrintOrder()},
  };
  for (const auto& [stored, expected] : cases) {
    Order order = DefaultPrintOrder();
    ApplyPrintOrder(order, stored);
    EXPECT_EQ(order, expected) << stored;
  }
}

// The print setup window's test moves entries in the middle of the list.
TEST(PrintOrder, MovesStopAtTheEndsOfTheList) {
  Order order = DefaultPrintOrder();
  EXPECT_EQ(MovePrintOrderUp(order, 0), 0);
  EXPECT_EQ(MovePrintOrderDown(order, 4), 4);
  EXPECT_EQ(MovePrintOrderUp(order, -1), -1) << "no entry selected";
  EXPECT_EQ(order, DefaultPrintOrder());
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
  EXPECT_EQ(prompter.Shown().back(), "information: Non integer value changed to 0");
  EXPECT_EQ(ParseWholeNumber(" -7 "), -7);
}

TEST(OverrideReportOption, SetsValuesByTheirStoredNamesAndRejectsBadOnes) {
  const char* const kBadOrder = "Invalid value for \"PrintOrder\"";
  const std::tuple<const char*, const char*, std::string> cases[] = {
      {"SourceLineNumbers", "0", ""},
      {"objectsoutput", "As Text", ""},
      {"SourceSelected", "1", ""},
      {"LinesPerImage", "40", ""},
      {"ProgressiveDisplay", "1", ""},
      {"PrintOrder", "Source Code,Form Images,Dependencies,Unused Units,Form Objects", ""},
      // A rejected value changes nothing.
      {"LinesPerImage", "0", "Invalid value for \"Lines Per Image\""},
      {"SyntaxPrint", "yes", "Invalid value for \"SyntaxPrint\""},
      {"Colour", "1", "Unknown report option \"Colour\""},
      {"PrintOrder", "Source Code,Pictures", kBadOrder},
      {"PrintOrder", "Source Code,Source Code,Dependencies,Unused Units,Form Objects", kBadOrder},
      {"PrintOrder", "Source Code,Form Images,Dependencies,Unused Units,Form Objects,Form Objects", kBadOrder},
  };
  ReportOptions options;
  for (const auto& [name, value, message] : cases) {
    std::string error;
    EXPECT_EQ(OverrideReportOption(options, name, value, error), message.empty()) << name << "=" << value;
    EXPECT_EQ(error, message) << name << "=" << value;
  }
  EXPECT_FALSE(options.SourceLineNumbers);
  EXPECT_EQ(options.ObjectsOutput, kOutputAsText);
  EXPECT_FALSE(options.SourceAll);
  EXPECT_EQ(options.LinesPerImage, 40);
  EXPECT_TRUE(options.ProgressiveDisplay);
  EXPECT_EQ(options.PrintOrder, (Order{"Source Code", "Form Images", "Dependencies", "Unused Units", "Form Objects"}));

  // Fewer names, as a stored order may hold: the missing ones follow in their usual order.
  std::string error;
  EXPECT_TRUE(OverrideReportOption(options, "PrintOrder", "Source Code,Form Objects", error));
  EXPECT_EQ(options.PrintOrder, (Order{"Source Code", "Form Objects", "Form Images", "Dependencies", "Unused Units"}));
}

}  // namespace
}  // namespace tarnwick
