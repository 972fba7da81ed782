// generate-project: writes a generated Delphi project for benchmarks and manual trials.
//
//   generate-project --units N --seed S --out DIR [--dense] [--lines N] [--text-forms PERCENT]
//                    [--unused N] [--pictures N] [--portable-forms] [--list-binary-forms]
//   generate-project --shape NAME --size N --out DIR
//
// The second form writes one input of extreme shape (see large_shapes.h): settings (N bytes),
// settings-line (N bytes on one line), units (N units), chain (N units), missing-uses (N entries),
// text-form (N lines), open-collections (N collections), long-list (N items).
//
// Prints the path of the project file; with --list-binary-forms also every binary form file,
// one per line after it. A summary goes to standard error.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>

#include "large_shapes.h"
#include "project_generator.h"

namespace {

int Usage() {
  std::fputs("usage: generate-project --units N --seed S --out DIR [--dense] [--lines N]\n"
             "                        [--text-forms PERCENT] [--unused N] [--pictures N]\n"
             "                        [--portable-forms] [--list-binary-forms]\n"
             "       generate-project --shape NAME --size N --out DIR\n",
             stderr);
  return 1;
}

bool ReadNumber(const char* text, long long minimum, long long& value) {
  char* end = nullptr;
  value = std::strtoll(text, &end, 10);
  return end != text && *end == '\0' && value >= minimum;
}

// Reads one option and its value; false on an unknown option or a bad value.
bool ReadOption(std::string_view name, const char* value, tarnwick::GeneratorOptions& options) {
  long long number = 0;
  if (name == "--out") {
    options.OutputFolder = value;
    return true;
  }
  if (!ReadNumber(value, 0, number)) return false;
  if (name == "--units" && number >= 2) options.Units = static_cast<int>(number);
  else if (name == "--seed") options.Seed = static_cast<uint64_t>(number);
  else if (name == "--lines") options.LinesPerUnit = static_cast<int>(number);
  else if (name == "--text-forms" && number <= 100) options.TextFormPercent = static_cast<int>(number);
  else if (name == "--unused") options.UnusedSources = static_cast<int>(number);
  else if (name == "--pictures") options.Pictures = static_cast<int>(number);
  else return false;
  return true;
}

// Writes one input of extreme shape; empty when the name is unknown.
std::string WriteShape(std::string_view shape, long long size, const std::string& folder) {
  const int count = static_cast<int>(size);
  if (shape == "settings" || shape == "settings-line")
    return tarnwick::WriteLargeSettings(folder, static_cast<size_t>(size), shape == "settings-line");
  if (shape == "units") return tarnwick::WriteManyUnitsProject(folder, count);
  if (shape == "chain") return tarnwick::WriteUnitChainProject(folder, count);
  if (shape == "missing-uses") return tarnwick::WriteMissingUsesProject(folder, count);
  if (shape == "text-form" || shape == "open-collections")
    return tarnwick::WriteLargeTextFormProject(folder, count, shape == "open-collections");
  if (shape == "long-list") return tarnwick::WriteLongListFormProject(folder, count);
  return {};
}

// "--shape NAME --size N --out DIR" in any order.
int GenerateShape(int argc, char** argv) {
  std::string shape, folder;
  long long size = -1;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string_view name = argv[i];
    if (name == "--shape") shape = argv[i + 1];
    else if (name == "--out") folder = argv[i + 1];
    else if (name != "--size" || !ReadNumber(argv[i + 1], 1, size)) return Usage();
  }
  if (argc % 2 == 0 || shape.empty() || folder.empty() || size < 1) return Usage();
  try {
    const std::string path = WriteShape(shape, size, folder);
    if (path.empty()) return Usage();
    std::printf("%s\n", path.c_str());
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "generate-project: %s\n", failure.what());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) == "--shape") return GenerateShape(argc, argv);
  }
  tarnwick::GeneratorOptions options;
  bool listForms = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--dense") {
      options.Shape = tarnwick::GraphShape::Dense;
    } else if (argument == "--portable-forms") {
      options.PortableForms = true;
    } else if (argument == "--list-binary-forms") {
      listForms = true;
    } else if (i + 1 >= argc || !ReadOption(argument, argv[++i], options)) {
      return Usage();
    }
  }
  if (options.OutputFolder.empty()) return Usage();
  try {
    const tarnwick::GeneratedProject project = tarnwick::GenerateProject(options);
    std::printf("%s\n", project.ProjectFile.c_str());
    if (listForms) {
      for (const std::string& form : project.BinaryForms) std::printf("%s\n", form.c_str());
    }
    std::fprintf(stderr, "generate-project: %zu units, %zu binary and %zu text forms, %.1f MB of source, %.1f MB of binary forms\n",
                 project.UnitFiles.size(), project.BinaryForms.size(), project.TextForms.size(),
                 static_cast<double>(project.SourceBytes) / 1e6, static_cast<double>(project.BinaryFormBytes) / 1e6);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "generate-project: %s\n", failure.what());
    return 1;
  }
  return 0;
}
