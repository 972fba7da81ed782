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

// Cases of report-options/options.cases: stored values loaded, options overridden by their names,
// then saved again in table order.
TEST_F(ReportOptionsStore, StoredAndOverriddenOptionsAreAsTheCasesSay) {
  for (const testing::TestCase& c : testing::ReadCaseFile("report-options/options.cases")) {
    SettingsStore saved(folder_.Path() + c.Name + ".reg");
    store_.FromText(c.Value("stored"));
    ReportOptions options;
    prompter_.Clear();
    LoadReportOptions(store_, options, ui_);
    std::vector<std::string> errors;
    for (const std::string& line : c.Values("override")) {
      std::string error;
      const size_t equals = line.find('=');
      if (!OverrideReportOption(options, line.substr(0, equals), line.substr(equals + 1), error))
        errors.push_back(error);
    }
    EXPECT_EQ(errors, c.Values("error")) << c.Name;
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

}  // namespace
}  // namespace tarnwick
