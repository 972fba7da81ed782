#include "project_file_writer.h"

#include <cctype>
#include <vector>

#include "code_writer.h"
#include "random_source.h"
#include "vocabulary.h"

namespace tarnwick {

namespace {

// The path in another letter case, as when a folder was renamed on a disk that ignores case.
std::string OtherCase(const std::string& path, RandomSource& random) {
  std::string written = path;
  const bool upper = random.Chance(30);
  const size_t fileStart = written.rfind('\\') == std::string::npos ? 0 : written.rfind('\\') + 1;
  const size_t end = random.Chance(50) ? fileStart : written.size();
  for (size_t i = 0; i < end; ++i) {
    const auto byte = static_cast<unsigned char>(written[i]);
    written[i] = static_cast<char>(upper ? std::toupper(byte) : std::tolower(byte));
  }
  return written;
}

std::string FormComment(const UnitPlan& unit) {
  switch (unit.Kind) {
    case UnitKind::DataModule: return " {" + unit.FormName + ": TDataModule}";
    case UnitKind::Frame: return " {" + unit.FormName + ": TFrame}";
    default: return unit.FormName.empty() ? "" : " {" + unit.FormName + "}";
  }
}

std::vector<int> ListingOrder(const ProjectPlan& plan) {
  std::vector<int> order{plan.MainUnit()};
  for (int i = 0; i < plan.MainUnit(); ++i) order.push_back(i);
  return order;
}

void MainBlock(SourceText& out, const ProjectPlan& plan, RandomSource& random) {
  out.Line(0, "begin");
  out.Line(1, "Application.Initialize;");
  if (random.Chance(50)) out.Line(1, "Application.MainFormOnTaskbar := True;");
  out.Line(1, "Application.Title := '" + plan.Title + "';");
  const UnitPlan& main = plan.Units[plan.MainUnit()];
  out.Line(1, "Application.CreateForm(" + main.FormClass + ", " + main.FormName + ");");
  for (const UnitPlan& unit : plan.Units) {
    const bool autoCreated = unit.Kind == UnitKind::DataModule || (unit.Kind == UnitKind::Form && random.Chance(30));
    if (autoCreated) out.Line(1, "Application.CreateForm(" + unit.FormClass + ", " + unit.FormName + ");");
  }
  out.Line(1, "Application.Run;");
  out.Line(0, "end.");
}

}  // namespace

std::string UnitPathInProject(const UnitPlan& unit) { return unit.WrittenFolder + unit.Name + ".pas"; }

std::string WriteProjectFile(const ProjectPlan& plan, RandomSource& random) {
  SourceText out;
  out.Line(0, "program " + plan.Name + ";");
  out.Blank();
  out.Line(0, "{ " + plan.Title + " - " + std::string(random.Pick(vocabulary::Remarks())) + ".");
  out.Line(0, "  (* Keep the unit list in the order the IDE wrote it. *) }");
  out.Blank();
  out.Line(0, "uses");
  out.Line(1, std::string(random.Chance(50) ? "Vcl.Forms" : "Forms") + ",");
  const std::vector<int> order = ListingOrder(plan);
  for (size_t i = 0; i < order.size(); ++i) {
    const UnitPlan& unit = plan.Units[order[i]];
    std::string path = UnitPathInProject(unit);
    if (random.Chance(20)) path = OtherCase(path, random);
    out.Line(1, unit.Name + " in '" + path + "'" + FormComment(unit) + (i + 1 < order.size() ? "," : ";"));
  }
  out.Blank();
  out.Line(0, "{$R *.res}");
  out.Blank();
  MainBlock(out, plan, random);
  return out.Text();
}

}  // namespace tarnwick
