#include "project_plan.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <set>
#include <string_view>

#include "random_source.h"
#include "vocabulary.h"

namespace tarnwick {

namespace {

std::string Lower(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return result;
}

/// Hands out identifiers that no other unit, form or outside unit of the project uses, without
/// regard to letter case: a taken name gets a number.
class NameBook {
 public:
  NameBook() {
    for (std::string_view name : vocabulary::OutsideUnits()) taken_.insert(Lower(name));
    for (std::string_view name : vocabulary::DottedOutsideUnits()) taken_.insert(Lower(name));
  }

  std::string Claim(const std::string& wanted) {
    std::string name = wanted;
    for (int number = 2; !taken_.insert(Lower(name)).second; ++number) name = wanted + std::to_string(number);
    return name;
  }

 private:
  std::set<std::string> taken_;
};

/// The index ranges of the layers: basic units, services and data modules, frames and forms,
/// then the main unit.
struct Layers {
  int ServicesStart;
  int FormsStart;
  int Main;
};

Layers SplitLayers(int units) {
  const int others = units - 1;
  const int basic = std::max(1, others / 4);
  const int services = std::min(others - basic, others / 4);
  return {basic, basic + services, units - 1};
}

UnitKind KindAt(const Layers& layers, int index, RandomSource& random) {
  if (index == layers.Main) return UnitKind::Main;
  if (index < layers.ServicesStart) return UnitKind::Basic;
  if (index < layers.FormsStart) return random.Chance(40) ? UnitKind::DataModule : UnitKind::Service;
  return random.Chance(15) ? UnitKind::Frame : UnitKind::Form;
}

void SetFolder(UnitPlan& unit, const std::string& projectName, std::string_view written,
               std::string_view disk) {
  unit.WrittenFolder = written;
  unit.DiskFolder = disk.starts_with("../") ? std::string(disk.substr(3)) : projectName + "/" + std::string(disk);
}

void ChooseFolder(UnitPlan& unit, const std::string& projectName, RandomSource& random) {
  const int roll = random.Between(0, 99);
  switch (unit.Kind) {
    case UnitKind::Basic:
      if (roll < 45) return SetFolder(unit, projectName, "Lib\\Core\\", "Lib/Core/");
      if (roll < 70) return SetFolder(unit, projectName, "Lib\\Utils\\", "Lib/Utils/");
      if (roll < 85) return SetFolder(unit, projectName, "..\\Common\\", "../Common/");
      return SetFolder(unit, projectName, "", "");
    case UnitKind::Service: return SetFolder(unit, projectName, "Services\\", "Services/");
    case UnitKind::DataModule: return SetFolder(unit, projectName, "Data\\", "Data/");
    case UnitKind::Frame: return SetFolder(unit, projectName, "Frames\\", "Frames/");
    case UnitKind::Form:
      if (roll < 55) return SetFolder(unit, projectName, "", "");
      if (roll < 85) return SetFolder(unit, projectName, "Forms\\", "Forms/");
      return SetFolder(unit, projectName, "Forms\\Dialogs\\", "Forms/Dialogs/");
    case UnitKind::Main: return SetFolder(unit, projectName, "", "");
  }
}

}  // namespace

namespace {

constexpr std::string_view kBasicSuffixes[] = {"Types", "Consts", "Utils", "Tools", "Rules", "Format"};
constexpr std::string_view kBasicPrefixes[] = {"App.Core.", "Common.", "Lib."};
constexpr std::string_view kServiceSuffixes[] = {"Service", "Repository", "Manager", "Engine"};
constexpr std::string_view kDataModuleSuffixes[] = {"DM", "DataMod", "Data"};
constexpr std::string_view kFormSuffixes[] = {"Form", "Frm", "Dlg", "Unit", "View"};

std::string NounOf(RandomSource& random) { return std::string(random.Pick(vocabulary::Nouns())); }

// The unit's and its form's names in one of the styles found in real projects: "CustomerForm"
// with "frmCustomer", "CustomerDlg" with "CustomerDialog", or the designer's "Unit12" with "Form12".
void NameForm(UnitPlan& unit, int index, NameBook& names, RandomSource& random) {
  const int style = random.Between(0, 99);
  if (style < 8) {
    unit.Name = names.Claim("Unit" + std::to_string(index + 1));
    unit.FormName = names.Claim("Form" + std::to_string(index + 1));
  } else if (style < 50) {
    unit.Name = names.Claim(unit.Noun + std::string(random.Pick(kFormSuffixes)));
    unit.FormName = names.Claim("frm" + unit.Noun);
  } else {
    unit.Name = names.Claim(unit.Noun + std::string(random.Pick(kFormSuffixes)));
    unit.FormName = names.Claim(unit.Noun + (style < 75 ? "Form" : "Dialog"));
  }
}

void NameUnit(UnitPlan& unit, int index, NameBook& names, RandomSource& random) {
  switch (unit.Kind) {
    case UnitKind::Basic: {
      const std::string prefix = random.Chance(35) ? std::string(random.Pick(kBasicPrefixes)) : "";
      unit.Name = names.Claim(prefix + unit.Noun + std::string(random.Pick(kBasicSuffixes)));
      break;
    }
    case UnitKind::Service:
      unit.Name = names.Claim((random.Chance(15) ? "Services." : "") + unit.Noun +
                              std::string(random.Pick(kServiceSuffixes)));
      break;
    case UnitKind::DataModule:
      unit.Name = names.Claim(unit.Noun + std::string(random.Pick(kDataModuleSuffixes)));
      unit.FormName = names.Claim("DM" + unit.Noun);
      break;
    case UnitKind::Frame:
      unit.Name = names.Claim(unit.Noun + (random.Chance(50) ? "Frame" : "Fra"));
      unit.FormName = names.Claim(unit.Noun + "Frame");
      break;
    case UnitKind::Form: NameForm(unit, index, names, random); break;
    case UnitKind::Main:
      unit.Name = names.Claim(random.Chance(50) ? "MainUnit" : "Main");
      unit.FormName = names.Claim(random.Chance(50) ? "MainForm" : "frmMain");
      break;
  }
  if (!unit.FormName.empty()) unit.FormClass = "T" + unit.FormName;
}

void SetBaseClass(UnitPlan& unit) {
  switch (unit.Kind) {
    case UnitKind::DataModule: unit.BaseClass = "TDataModule"; break;
    case UnitKind::Frame: unit.BaseClass = "TFrame"; break;
    case UnitKind::Form:
    case UnitKind::Main: unit.BaseClass = "TForm"; break;
    default: unit.BaseClass.clear(); break;
  }
}

}  // namespace

namespace {

// Indexes into the outside unit lists.
constexpr size_t kSysUtils = 2;
constexpr size_t kClasses = 4;
constexpr size_t kFirstControlUnit = 13;
constexpr size_t kLastControlUnit = 24;
constexpr size_t kFirstLibraryUnit = 25;

/// Chooses the outside units of one unit, all in the old or all in the dotted spelling.
class OutsidePicker {
 public:
  OutsidePicker(UnitPlan& unit, RandomSource& random)
      : unit_(unit), random_(random),
        names_(random.Chance(40) ? vocabulary::DottedOutsideUnits() : vocabulary::OutsideUnits()) {}

  void Pick() {
    switch (unit_.Kind) {
      case UnitKind::Basic:
        Add(kSysUtils, true);
        Add(kClasses, true);
        Library(random_.Between(0, 3), true);
        break;
      case UnitKind::Service:
      case UnitKind::DataModule:
        Add(kSysUtils, true);
        Add(kClasses, true);
        for (size_t i = 0; i < vocabulary::kDataUnitCount; ++i) Add(vocabulary::kFirstDataUnit + i, true);
        Library(random_.Between(0, 2), false);
        break;
      default:
        for (size_t i = 0; i < vocabulary::kStandardFormUnits; ++i) Add(i, true);
        for (int k = random_.Between(2, 5); k > 0; --k)
          Add(kFirstControlUnit + random_.Below(kLastControlUnit - kFirstControlUnit + 1), true);
        Library(random_.Between(0, 2), false);
        break;
    }
  }

 private:
  void Library(int count, bool inInterface) {
    for (; count > 0; --count) Add(kFirstLibraryUnit + random_.Below(names_.size() - kFirstLibraryUnit), inInterface);
  }

  void Add(size_t index, bool inInterface) {
    const std::string name(names_[index]);
    auto& both = unit_.InterfaceOutside;
    auto& other = unit_.ImplementationOutside;
    if (std::find(both.begin(), both.end(), name) != both.end()) return;
    if (std::find(other.begin(), other.end(), name) != other.end()) return;
    (inInterface ? both : other).push_back(name);
  }

  UnitPlan& unit_;
  RandomSource& random_;
  std::span<const std::string_view> names_;
};

bool Uses(const UnitPlan& unit, int target) {
  auto has = [target](const std::vector<int>& list) {
    return std::find(list.begin(), list.end(), target) != list.end();
  };
  return has(unit.InterfaceUses) || has(unit.ImplementationUses);
}

// Adds a use unless the unit already has it; an interface use must go to a lower unit.
void AddUse(std::vector<UnitPlan>& units, int from, int to, bool inInterface) {
  if (from == to || Uses(units[from], to)) return;
  (inInterface && to < from ? units[from].InterfaceUses : units[from].ImplementationUses).push_back(to);
}

bool UsedByAnyone(const std::vector<UnitPlan>& units, int target) {
  for (const UnitPlan& unit : units) {
    if (Uses(unit, target)) return true;
  }
  return false;
}

}  // namespace

namespace {

/// Draws the uses between project units.
class UsesPlanner {
 public:
  UsesPlanner(std::vector<UnitPlan>& units, const Layers& layers, RandomSource& random)
      : units_(units), layers_(layers), random_(random) {}

  void PlanRealLike() {
    for (int i = 0; i < layers_.Main; ++i) {
      if (i < layers_.ServicesStart) {
        if (i > 0 && random_.Chance(50)) Use(i, Below(0, i), true);
      } else if (i < layers_.FormsStart) {
        UseSome(i, random_.Between(2, 4), 0, layers_.ServicesStart, 100);
        if (i > layers_.ServicesStart && random_.Chance(50)) Use(i, Below(layers_.ServicesStart, i), true);
      } else {
        PlanFormUses(i);
      }
    }
    PlanMainUses(12);
    UseEveryUnit();
    CloseDialogCircles();
  }

  void PlanDense() {
    for (int i = 1; i < layers_.Main; ++i) {
      UseSome(i, std::min(i, random_.Between(10, 16)), 0, i, 100);
      if (i >= layers_.FormsStart) {
        for (int k = random_.Between(1, 3); k > 0; --k) Use(i, Below(i + 1, layers_.Main + 1), false);
      }
    }
    PlanMainUses(20);
    UseEveryUnit();
  }

 private:
  int Below(int low, int high) { return low + static_cast<int>(random_.Below(static_cast<uint64_t>(high - low))); }

  void Use(int from, int to, bool inInterface) { AddUse(units_, from, to, inInterface); }

  // `count` uses of units in [low, high), each in the interface with the given chance.
  void UseSome(int from, int count, int low, int high, int interfacePercent) {
    if (high <= low) return;
    for (int k = 0; k < count; ++k) Use(from, Below(low, high), random_.Chance(interfacePercent));
  }

  void PlanFormUses(int i) {
    UseSome(i, random_.Between(3, 5), 0, layers_.ServicesStart, 70);
    UseSome(i, random_.Between(1, 2), layers_.ServicesStart, layers_.FormsStart, 40);
    const int nearest = std::max(layers_.FormsStart, i - 8);
    static constexpr int kFormUses[] = {0, 0, 1, 1, 2};
    for (int k = random_.Pick(kFormUses); k > 0 && i > nearest; --k) {
      const int target = Below(nearest, i);
      Use(i, target, units_[target].Kind == UnitKind::Frame);
    }
    if (random_.Chance(15)) Use(i, layers_.Main, false);
  }

  void PlanMainUses(int forms) {
    const int main = layers_.Main;
    const int low = layers_.FormsStart < main ? layers_.FormsStart : 0;
    for (int k = 0; k < forms && k < main - low; ++k) Use(main, Below(low, main), random_.Chance(60));
    if (main > 0) Use(main, 0, true);
  }

  // A unit that nobody uses is given to a later form or to the main unit, as a project only
  // lists units that some code needs.
  void UseEveryUnit() {
    for (int j = layers_.Main - 1; j >= 0; --j) {
      if (UsedByAnyone(units_, j)) continue;
      const int low = std::max(j + 1, layers_.FormsStart);
      const int user = low < layers_.Main ? Below(low, layers_.Main + 1) : layers_.Main;
      Use(user, j, random_.Chance(50));
    }
  }

  // A dialog that calls back into the form that opens it uses that form in its implementation.
  void CloseDialogCircles() {
    for (int i = layers_.FormsStart; i < layers_.Main; ++i) {
      const std::vector<int> used = units_[i].ImplementationUses;
      for (int j : used) {
        if (j >= layers_.FormsStart && j < i && random_.Chance(5)) Use(j, i, false);
      }
    }
  }

  std::vector<UnitPlan>& units_;
  const Layers& layers_;
  RandomSource& random_;
};

}  // namespace

namespace {

// The first plain form becomes the base dialog; a quarter of the later plain forms inherit from it.
int PlanDialogs(std::vector<UnitPlan>& units, const Layers& layers, RandomSource& random) {
  int base = -1;
  for (int i = layers.FormsStart; i < layers.Main; ++i) {
    UnitPlan& unit = units[i];
    if (unit.Kind != UnitKind::Form) continue;
    if (base < 0) {
      base = i;
    } else if (random.Chance(25)) {
      std::erase(unit.ImplementationUses, base);
      AddUse(units, i, base, true);
      unit.BaseClass = units[base].FormClass;
    }
  }
  return base;
}

void PlanFrames(UnitPlan& unit, const std::vector<UnitPlan>& units) {
  for (int used : unit.InterfaceUses) {
    if (units[used].Kind == UnitKind::Frame && unit.Frames.size() < 2) unit.Frames.push_back(used);
  }
}

std::vector<std::string> PlanUnused(int count, NameBook& names, RandomSource& random) {
  std::vector<std::string> unused;
  for (int i = 0; i < count; ++i) {
    const std::string noun = NounOf(random);
    switch (i % 3) {
      case 0: unused.push_back(names.Claim(i == 0 ? "Unit1" : "Old" + noun + "Form")); break;
      case 1: unused.push_back(names.Claim(noun + "Tests")); break;
      default: unused.push_back(names.Claim(noun + "Draft")); break;
    }
  }
  return unused;
}

UnitPlan PlanUnit(int index, const Layers& layers, const std::string& projectName, NameBook& names,
                  RandomSource& random) {
  UnitPlan unit;
  unit.Kind = KindAt(layers, index, random);
  unit.Noun = NounOf(random);
  NameUnit(unit, index, names, random);
  SetBaseClass(unit);
  ChooseFolder(unit, projectName, random);
  OutsidePicker(unit, random).Pick();
  return unit;
}

}  // namespace

ProjectPlan PlanProject(const PlanOptions& options, RandomSource& random) {
  ProjectPlan plan;
  const size_t pick = random.Below(vocabulary::ProjectNames().size());
  NameBook names;
  plan.Name = names.Claim(std::string(vocabulary::ProjectNames()[pick]));
  plan.Title = vocabulary::ProjectTitles()[pick];
  const int count = std::max(2, options.Units);
  const Layers layers = SplitLayers(count);
  for (int i = 0; i < count; ++i) plan.Units.push_back(PlanUnit(i, layers, plan.Name, names, random));
  UsesPlanner planner(plan.Units, layers, random);
  if (options.Shape == GraphShape::Dense) {
    planner.PlanDense();
  } else {
    planner.PlanRealLike();
  }
  plan.BaseDialog = PlanDialogs(plan.Units, layers, random);
  for (UnitPlan& unit : plan.Units) {
    PlanFrames(unit, plan.Units);
    unit.TextForm = !unit.FormName.empty() && random.Chance(options.TextFormPercent);
  }
  plan.Unused = PlanUnused(options.UnusedSources, names, random);
  return plan;
}

namespace {

/// Counts the project units of the dependency tree by walking it, with the units on the current
/// branch marked, until the count reaches the limit.
class TreeCounter {
 public:
  TreeCounter(const ProjectPlan& plan, double limit)
      : plan_(plan), limit_(limit), onBranch_(plan.Units.size(), false) {}

  double Count(int unit) {
    count_ += 1;
    onBranch_[unit] = true;
    for (const std::vector<int>* uses : {&plan_.Units[unit].InterfaceUses, &plan_.Units[unit].ImplementationUses}) {
      for (int used : *uses) {
        if (count_ >= limit_) break;
        if (!onBranch_[used]) Count(used);
      }
    }
    onBranch_[unit] = false;
    return std::min(count_, limit_);
  }

 private:
  const ProjectPlan& plan_;
  double limit_;
  std::vector<bool> onBranch_;
  double count_ = 0;
};

}  // namespace

double CountTreeUnits(const ProjectPlan& plan, double limit) {
  return TreeCounter(plan, limit).Count(plan.MainUnit());
}

double CountDownwardPaths(const ProjectPlan& plan) {
  // Units in index order: every use of a lower unit has its count ready.
  std::vector<double> paths(plan.Units.size(), 1.0);
  for (size_t i = 0; i < plan.Units.size(); ++i) {
    for (const std::vector<int>* uses : {&plan.Units[i].InterfaceUses, &plan.Units[i].ImplementationUses}) {
      for (int used : *uses) {
        if (used < static_cast<int>(i)) paths[i] += paths[used];
      }
    }
  }
  return paths.empty() ? 0 : paths.back();
}

namespace {

// Depth-first search over the interface uses; a unit met again while it is still open closes a
// circle.
bool ReachesOpenUnit(const ProjectPlan& plan, int unit, std::vector<int>& state) {
  state[unit] = 1;
  for (int used : plan.Units[unit].InterfaceUses) {
    if (state[used] == 1) return true;
    if (state[used] == 0 && ReachesOpenUnit(plan, used, state)) return true;
  }
  state[unit] = 2;
  return false;
}

}  // namespace

bool InterfaceUsesAreAcyclic(const ProjectPlan& plan) {
  std::vector<int> state(plan.Units.size(), 0);  // 0 unseen, 1 open, 2 done
  for (size_t i = 0; i < plan.Units.size(); ++i) {
    if (state[i] == 0 && ReachesOpenUnit(plan, static_cast<int>(i), state)) return false;
  }
  return true;
}

}  // namespace tarnwick
