#include "analysis/code_page_detection.h"

#include <optional>

#include "analysis/form_file_reader.h"
#include "analysis/project_model.h"
#include "platform/file_system.h"
#include "platform/text_encoding.h"
#include "platform/text_util.h"
#include "platform/win_path.h"

namespace tarnwick {

namespace {

std::string UnitFile(const ProjectModel& model, const UnitEntry& unit, std::string_view extension) {
  std::string name = HasDrivePart(unit.Path) ? unit.Path : model.ProjectFolder + unit.Path;
  name.append(unit.UnitName);
  return AppendExtensionIfMissing(name, extension);
}

void FeedFile(CodePageDetector& detector, const std::string& fileName, bool form) {
  std::optional<std::string> bytes = ReadTextFile(fileName);
  if (!bytes) return;
  if (!form) return detector.Feed(*bytes);
  // Wide strings of binary forms come out as character codes; byte strings keep their bytes.
  FormConversion conversion = ConvertFormFile(*bytes);
  if (conversion.Ok) detector.Feed(conversion.Text);
}

}  // namespace

std::string ProjectCodePage(const ProjectModel& model, std::string_view setting) {
  std::optional<std::string> chosen = CanonicalCodePage(setting);
  if (chosen && *chosen != kAutoCodePage) return *chosen;
  CodePageDetector detector;
  FeedFile(detector, model.ProjectFile, false);
  const std::string projectName = ExtractFileName(model.ProjectFile);
  for (const UnitEntry& unit : model.Units()) {
    if (detector.Saturated()) break;
    if (EqualsNoCase(unit.UnitName, projectName)) continue;  // the project file's own row
    FeedFile(detector, UnitFile(model, unit, ".pas"), false);
    if (!unit.FormName.empty()) FeedFile(detector, UnitFile(model, unit, ".dfm"), true);
  }
  return detector.Result();
}

}  // namespace tarnwick
