// tarnwick-doc run in-process on the cases of tests/fixtures/command_line/*.cases: each case builds
// a project folder, runs the program and checks the exit status, the output and the files. The
// README there describes the steps.
#include "app/cli/command_line.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/case_file.h"
#include "support/encoded_text.h"
#include "support/temp_folder.h"

namespace tarnwick {
namespace testing {
// Failures name the case, not its bytes.
static void PrintTo(const TestCase& c, std::ostream* out) { *out << c.Name; }
}  // namespace testing
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;
using testing::TestCase;

// "first rest" -> {"first", "rest"}.
std::pair<std::string, std::string> SplitFirst(const std::string& text) {
  const size_t blank = std::min(text.find(' '), text.size());
  return {text.substr(0, blank), blank < text.size() ? text.substr(blank + 1) : ""};
}

std::vector<TestCase> ReadCases() {
  std::vector<std::string> files;
  for (const auto& entry : fs::directory_iterator(TARNWICK_FIXTURES_DIR "/command_line"))
    if (entry.path().extension() == ".cases") files.push_back("command_line/" + entry.path().filename().string());
  std::sort(files.begin(), files.end());
  std::vector<TestCase> cases;
  for (const std::string& file : files)
    for (TestCase& c : testing::ReadCaseFile(file)) cases.push_back(std::move(c));
  return cases;
}

class CommandLineCase : public ::testing::TestWithParam<TestCase> {
 protected:
  std::string Expand(const std::string& text) const {
    return testing::ReplaceAll(testing::ReplaceAll(text, "{demo}", "{dir}Demo/Demo.dpr"), "{dir}", folder_.Path());
  }
  std::string Subject(const std::string& name) const {
    if (name == "stdout") return out_;
    if (name == "stderr") return err_;
    return testing::ReadFileText(folder_.Path() + name);
  }
  void Run(const std::string& line);
  void Do(const std::string& verb, const std::string& text);

  testing::TempFolder folder_;
  int status_ = -1;
  std::string out_;
  std::string err_;
  Json json_;
};

// Runs the program with the settings file t.reg of the case's folder. A dump must be exactly the
// JSON library's own compact (or, with --pretty, indented) form of itself.
void CommandLineCase::Run(const std::string& line) {
  std::vector<std::string> arguments = {"tarnwick-doc", "-q", "--settings", folder_.Path() + "t.reg"};
  for (std::string rest = line; !rest.empty();) {
    auto [argument, more] = SplitFirst(rest);
    arguments.push_back(argument);
    rest = more;
  }
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  status_ = RunCommandLine(static_cast<int>(argv.size()), argv.data());
  out_ = ::testing::internal::GetCapturedStdout();
  err_ = ::testing::internal::GetCapturedStderr();
  json_ = Json::parse(out_, nullptr, false);
  if (status_ == 0 && line.find("--dump json") != std::string::npos) {
    const bool pretty = line.find("--pretty") != std::string::npos;
    EXPECT_EQ(out_, json_.dump(pretty ? 2 : -1) + "\n");
  }
}

void CommandLineCase::Do(const std::string& verb, const std::string& text) {
  SCOPED_TRACE(verb + ": " + text);
  const auto [first, rest] = SplitFirst(Expand(text));
  if (verb == "demo") {
    testing::CopyDemoProject(folder_);
  } else if (verb == "write") {
    folder_.Write(first, rest);
  } else if (verb == "append") {
    const auto [times, piece] = SplitFirst(rest);
    std::ofstream out(folder_.Path() + first, std::ios::binary | std::ios::app);
    for (int i = std::stoi(times); i > 0; --i) out << piece;
  } else if (verb == "write-as") {
    const auto [path, utf8] = SplitFirst(rest);
    folder_.Write(path, testing::Encode(utf8, first.c_str()));
  } else if (verb == "remove") {
    fs::remove_all(folder_.Path() + first);
  } else if (verb == "mkdir") {
    fs::create_directories(folder_.Path() + first);
  } else if (verb == "run") {
    Run(Expand(text));
  } else if (verb == "status") {
    EXPECT_EQ(status_, std::stoi(first)) << err_;
  } else if (verb == "is") {
    EXPECT_EQ(Subject(first), rest);
  } else if (verb == "has" || verb == "lacks") {
    const std::string subject = Subject(first);
    EXPECT_EQ(subject.find(rest) != std::string::npos, verb == "has") << subject.substr(0, 2000);
  } else if (verb == "ends") {
    EXPECT_TRUE(Subject(first).ends_with(rest));
  } else if (verb == "missing") {
    EXPECT_FALSE(fs::exists(folder_.Path() + first));
  } else if (verb == "folder") {
    EXPECT_TRUE(fs::is_directory(folder_.Path() + first));
  } else if (verb == "json" || verb == "size") {
    const Json::json_pointer pointer(first);
    ASSERT_TRUE(json_.contains(pointer)) << out_.substr(0, 2000);
    if (verb == "json") {
      EXPECT_EQ(json_[pointer], Json::parse(rest));
    } else {
      EXPECT_EQ(json_[pointer].size(), std::stoul(rest));
    }
  } else {
    ADD_FAILURE() << "unknown step";
  }
}

TEST_P(CommandLineCase, GivesItsStatusOutputAndFiles) {
  for (const auto& [verb, text] : GetParam().Fields) Do(verb, text);
}

INSTANTIATE_TEST_SUITE_P(Cases, CommandLineCase, ::testing::ValuesIn(ReadCases()),
                         [](const auto& info) { return info.param.Name; });

}  // namespace
}  // namespace tarnwick
