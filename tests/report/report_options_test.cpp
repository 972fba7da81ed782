#include "report/report_options.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "platform/registry_values.h"
#include "support/case_file.h"
#include "support/workspace_test.h"

namespace tarnwick {
namespace {

using Order = std::vector<std::string>;

class ReportOptionsStore : public testing::WorkspaceTest {
 protected:
  SettingsStore store_{folder_.Path() + "settings.reg"};
};

// Cases of report-options/loading.cases: stored values loaded, then saved again in table order.
TEST_F(ReportOptionsStore, LoadsTheStoredValuesAsTheCasesSay) {
  for (const testing::TestCase& c : testing::ReadCaseFile("report-options/loading.cases")) {
    SettingsStore saved(folder_.Path() + c.Name + ".reg");
    store_.FromText(c.Value("stored"));
    ReportOptions options;
    prompter_.Clear();
    LoadReportOptions(store_, options, ui_);
    ASSERT_TRUE(SaveReportOptions(saved, options, ui_)) << c.Name;
    const std::string text = saved.ToText();
    for (const std::string& line : c.Values("saved-line"))
      EXPECT_NE(text.find(line), text.npos) << c.Name << ": " << line;
    if (!c.Has("saved-line")) {
      EXPECT_EQ(text, c.Value(c.Has("saved") ? "saved" : "stored") + "\n\n") << c.Name;
    }
    EXPECT_EQ(prompter_.Shown(), c.Values("message")) << c.Name;
  }
}

TEST_F(ReportOptionsStore, KeepsWhatWasWrittenBeforeALevelThatIsNoNumber) {
  ReportOptions options;
  options.DependencyMaxLevelNum = "many";
  EXPECT_FALSE(SaveReportOptions(store_, options, ui_));
  EXPECT_EQ(prompter_.Texts(), Order{std::string(kSaveWriteFailed)});
  const std::string written = store_.ToText();
  EXPECT_NE(written.find("\"DependencyMaxLevel\"="), std::string::npos) << written;
  EXPECT_EQ(written.find("DependencyMaxLevelNum"), std::string::npos) << written;
}

TEST_F(ReportOptionsStore, ReportsAKeyThatCannotBeCreated) {
  folder_.Write("blocker", "a file");
  SettingsStore blocked(folder_.Path() + "blocker/settings.reg");
  EXPECT_FALSE(SaveReportOptions(blocked, ReportOptions{}, ui_));
  EXPECT_EQ(prompter_.Texts(), Order{std::string(kSaveOpenFailed)});
}

// The print setup window's test moves entries in the middle of the list.
TEST(PrintOrder, MovesStopAtTheEndsOfTheList) {
  Order order = DefaultPrintOrder();
  // The selection stays where it was; -1 is no entry selected.
  EXPECT_EQ(std::tuple(MovePrintOrderUp(order, 0), MovePrintOrderDown(order, 4),
                       MovePrintOrderUp(order, -1)),
            std::tuple(0, 4, -1));
  EXPECT_EQ(order, DefaultPrintOrder());
}

// The print setup window's test shows a field reset with its message.
TEST(ParseWholeNumber, TakesBlanksAroundAndOneSign) {
  EXPECT_EQ(ParseWholeNumber(" -7 "), -7);
  for (const char* bad : {"x", "", "1.5", "99999999999", "+-3"})
    EXPECT_FALSE(ParseWholeNumber(bad)) << bad;
}

TEST(OverrideReportOption, SetsValuesByTheirStoredNamesAndRejectsBadOnes) {
  const char* const kBadOrder = "Invalid value for \"PrintOrder\"";
  const std::tuple<const char*, const char*, std::string> cases[] = {
      {"objectsoutput", "As Text", ""},
      {"SourceSelected", "1", ""},
      // A rejected value changes nothing (unknown names, bad numbers: the command line's cases).
      {"SyntaxPrint", "yes", "Invalid value for \"SyntaxPrint\""},
      {"PrintOrder", "Source Code,Pictures", kBadOrder},
      {"PrintOrder", "Source Code,Source Code,Dependencies,Unused Units,Form Objects", kBadOrder},
      {"PrintOrder", "Source Code,Form Images,Dependencies,Unused Units,Form Objects,Form Objects",
       kBadOrder},
  };
  ReportOptions options;
  for (const auto& [name, value, message] : cases) {
    std::string error;
    EXPECT_EQ(OverrideReportOption(options, name, value, error), message.empty())
        << name << "=" << value;
    EXPECT_EQ(error, message) << name << "=" << value;
  }
  EXPECT_EQ(options.ObjectsOutput, kOutputAsText);
  EXPECT_FALSE(options.SourceAll);
  EXPECT_TRUE(options.SyntaxPrint);

  // Fewer names, as a stored order may hold: the missing ones follow in their usual order.
  std::string error;
  EXPECT_TRUE(OverrideReportOption(options, "PrintOrder", "Source Code,Form Objects", error));
  EXPECT_EQ(options.PrintOrder,
            (Order{"Source Code", "Form Objects", "Form Images", "Dependencies", "Unused Units"}));
}

}  // namespace
}  // namespace tarnwick
