#include "project_generator.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "form_builder.h"
#include "form_stream_writer.h"
#include "form_text_writer.h"
#include "picture_writer.h"
#include "project_file_writer.h"
#include "random_source.h"
#include "unit_writer.h"

namespace tarnwick {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kViews[] = {"Details", "Empty", "Filled", "Error"};

/// Writes the files of one project below the output folder and keeps the list of what it wrote.
class ProjectWriter {
 public:
  ProjectWriter(const GeneratorOptions& options, GeneratedProject& result)
      : options_(options), result_(result), root_(fs::path(options.OutputFolder)) {}

  void Write(RandomSource& random) {
    const ProjectPlan& plan = result_.Plan;
    const fs::path folder = root_ / plan.Name;
    if (fs::exists(folder) && !fs::is_empty(folder)) {
      throw std::runtime_error("the project folder " + folder.string() + " already holds files");
    }
    result_.ProjectFolder = folder.string() + "/";
    result_.ProjectFile = (folder / (plan.Name + ".dpr")).string();
    WriteFile(result_.ProjectFile, WriteProjectFile(plan, random));
    for (size_t i = 0; i < plan.Units.size(); ++i) {
      RandomSource unitRandom = random.Derive(i);
      WriteUnit(static_cast<int>(i), unitRandom);
    }
    for (const std::string& name : plan.Unused) {
      RandomSource unusedRandom = random.Derive(plan.Units.size() + result_.UnusedFiles.size());
      WriteUnused(name, unusedRandom);
    }
    WritePictures(random);
  }

 private:
  void WriteFile(const std::string& path, const std::string& bytes) {
    std::error_code error;
    fs::create_directories(fs::path(path).parent_path(), error);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw std::runtime_error("could not write " + path);
  }

  void WriteUnit(int index, RandomSource& random) {
    const UnitPlan& unit = result_.Plan.Units[index];
    const std::string base = (root_ / unit.DiskFolder / unit.Name).string();
    if (unit.FormName.empty()) {
      WriteSource(base + ".pas", WriteUnitSource(result_.Plan, unit, nullptr, options_.LinesPerUnit, random));
      return;
    }
    const FormObject form = BuildForm(result_.Plan, index, options_.PortableForms, random);
    WriteSource(base + ".pas", WriteUnitSource(result_.Plan, unit, &form, options_.LinesPerUnit, random));
    WriteForm(base + ".dfm", form, unit.TextForm);
  }

  void WriteSource(const std::string& path, const std::string& text) {
    WriteFile(path, text);
    result_.UnitFiles.push_back(path);
    result_.SourceBytes += text.size();
  }

  void WriteForm(const std::string& path, const FormObject& form, bool asText) {
    const std::string bytes = asText ? WriteFormText(form) : WriteBinaryFormFile(form);
    WriteFile(path, bytes);
    (asText ? result_.TextForms : result_.BinaryForms).push_back(path);
    (asText ? result_.TextFormBytes : result_.BinaryFormBytes) += bytes.size();
  }

  // An unused unit is an old form that was taken out of the project, or a unit never added.
  void WriteUnused(const std::string& name, RandomSource& random) {
    UnitPlan unit;
    unit.Name = name;
    unit.Noun = name;
    unit.Kind = name.starts_with("Old") || name.starts_with("Unit") ? UnitKind::Form : UnitKind::Service;
    unit.InterfaceOutside = {"SysUtils", "Classes"};
    const std::string base = result_.ProjectFolder + name;
    if (unit.Kind == UnitKind::Form) {
      unit.FormName = "Unused" + name;
      unit.FormClass = "T" + unit.FormName;
      unit.BaseClass = "TForm";
    }
    FormObject form;
    if (unit.Kind == UnitKind::Form) {
      form = BuildLooseForm(unit.FormName, random);
      WriteFile(base + ".dfm", WriteFormText(form));
    }
    const FormObject* formOfUnit = unit.Kind == UnitKind::Form ? &form : nullptr;
    WriteFile(base + ".pas", WriteUnitSource(result_.Plan, unit, formOfUnit, options_.LinesPerUnit / 2, random));
    result_.UnusedFiles.push_back(base + ".pas");
  }

  void WritePictures(RandomSource& random) {
    int written = 0;
    std::vector<UnitPlan> windows{result_.Plan.Units.back()};  // the main form first
    windows.insert(windows.end(), result_.Plan.Units.begin(), result_.Plan.Units.end() - 1);
    for (const UnitPlan& unit : windows) {
      const bool window = unit.Kind == UnitKind::Form || unit.Kind == UnitKind::Main;
      if (!window || written >= options_.Pictures) continue;
      const bool jpeg = written % 2 == 0;
      std::string name = unit.Name;
      if (written % 3 == 2) name.append("_").append(random.Pick(kViews));
      const std::string path = result_.ProjectFolder + "Documentation/" + name + (jpeg ? ".jpg" : ".bmp");
      const std::string bytes = DrawFormPicture(random.Between(96, 160), random.Between(72, 120), jpeg, random);
      if (bytes.empty()) throw std::runtime_error("could not encode the picture " + path);
      WriteFile(path, bytes);
      result_.PictureFiles.push_back(path);
      ++written;
    }
  }

  const GeneratorOptions& options_;
  GeneratedProject& result_;
  fs::path root_;
};

}  // namespace

GeneratedProject GenerateProject(const GeneratorOptions& options) {
  if (options.OutputFolder.empty()) throw std::runtime_error("no output folder given");
  RandomSource random(options.Seed);
  GeneratedProject result;
  PlanOptions plan;
  plan.Units = options.Units;
  plan.Shape = options.Shape;
  plan.TextFormPercent = options.TextFormPercent;
  plan.UnusedSources = options.UnusedSources >= 0 ? options.UnusedSources : 2 + options.Units / 50;
  result.Plan = PlanProject(plan, random);
  ProjectWriter(options, result).Write(random);
  return result;
}

}  // namespace tarnwick
