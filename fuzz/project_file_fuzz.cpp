// Parses arbitrary bytes as a project file, both passes, with the unit list and filter lists.
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <string>

#include "analysis/project_file_parser.h"
#include "app/workspace.h"

namespace {

struct Silent final : tarnwick::Prompter {
  tarnwick::MessageAnswer Show(tarnwick::MessageKind, std::string_view, tarnwick::MessageButtons) override {
    return tarnwick::MessageAnswer::Ok;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/tarnwick-project-fuzz-" + std::to_string(::getpid()) + ".dpr";
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                 static_cast<std::streamsize>(size));
  tarnwick::Workspace workspace;
  workspace.Model.ProjectFile = path;
  workspace.Model.AddUnit({"P.dpr", "", ""});
  Silent prompter;
  tarnwick::NullProgressSink progress;
  tarnwick::EstimatingTextMeasure measure;
  tarnwick::UserInterface ui{prompter, progress, measure};
  tarnwick::ParseProjectFile(workspace.Model, workspace.Dependencies, workspace.SourceListWidth, ui);
  return 0;
}
