// Unit sources and the project file of the generator, read back with the core's scanner.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "analysis/pascal_parser.h"
#include "code_writer.h"
#include "form_builder.h"
#include "picture_writer.h"
#include "platform/bmp_codec.h"
#include "platform/jpeg_codec.h"
#include "project_file_writer.h"
#include "random_source.h"
#include "unit_writer.h"

namespace tarnwick {
namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

ProjectPlan Plan(int units, uint64_t seed) {
  RandomSource random(seed);
  return PlanProject({.Units = units}, random);
}

/// The uses clauses of a text as the core reads them, each as its entries' lower-cased names.
std::vector<std::vector<std::string>> UsesClauses(const std::string& text) {
  TParser parser(text);
  Token token;
  UsesEntry entry;
  std::vector<std::vector<std::string>> clauses;
  for (parser.NextToken(token); parser.FindUses(token); parser.NextToken(token)) {
    clauses.emplace_back();
    bool ended = false;
    while (!ended) {
      ended = parser.ReadUsesEntry(entry);
      clauses.back().push_back(Lower(entry.UnitName));
    }
  }
  return clauses;
}

std::vector<std::string> Expected(const ProjectPlan& plan, const std::vector<int>& units,
                                  const std::vector<std::string>& outside, bool projectFirst) {
  std::vector<std::string> names;
  if (!projectFirst) {
    for (const std::string& name : outside) names.push_back(Lower(name));
  }
  for (int unit : units) names.push_back(Lower(plan.Units[unit].Name));
  if (projectFirst) {
    for (const std::string& name : outside) names.push_back(Lower(name));
  }
  return names;
}

TEST(SourceWritersTest, UnitsUseExactlyWhatThePlanSays) {
  const ProjectPlan plan = Plan(80, 31);
  for (size_t i = 0; i < plan.Units.size(); ++i) {
    const UnitPlan& unit = plan.Units[i];
    RandomSource random(i);
    const FormObject form = unit.FormName.empty() ? FormObject{} : BuildForm(plan, static_cast<int>(i), false, random);
    const std::string text = WriteUnitSource(plan, unit, unit.FormName.empty() ? nullptr : &form, 150, random);
    const auto clauses = UsesClauses(text);
    const bool hasImplementationUses = !unit.ImplementationUses.empty() || !unit.ImplementationOutside.empty();
    ASSERT_EQ(clauses.size(), hasImplementationUses ? 2u : 1u) << unit.Name;
    EXPECT_EQ(clauses[0], Expected(plan, unit.InterfaceUses, unit.InterfaceOutside, false)) << unit.Name;
    if (hasImplementationUses) {
      EXPECT_EQ(clauses[1], Expected(plan, unit.ImplementationUses, unit.ImplementationOutside, true)) << unit.Name;
    }
    EXPECT_TRUE(text.starts_with("unit " + unit.Name + ";\r\n")) << unit.Name;
    EXPECT_EQ(text.find("{$R *.dfm}") != std::string::npos, !unit.FormName.empty()) << unit.Name;
  }
}

TEST(SourceWritersTest, FormClassDeclaresEveryComponentAndHandler) {
  const ProjectPlan plan = Plan(60, 5);
  const int main = plan.MainUnit();
  RandomSource random(9);
  const FormObject form = BuildForm(plan, main, false, random);
  const UnitPlan& unit = plan.Units[main];
  const std::string text = WriteUnitSource(plan, unit, &form, 200, random);
  const size_t classStart = text.find("  " + unit.FormClass + " = class(TForm)\r\n");
  const size_t classEnd = text.find("\r\n  end;", classStart);
  ASSERT_NE(classStart, std::string::npos);
  const std::string declaration = text.substr(classStart, classEnd - classStart);
  const std::vector<ComponentField> fields = DeclaredComponents(form);
  EXPECT_GT(fields.size(), 20u);
  for (const ComponentField& field : fields) {
    EXPECT_NE(declaration.find("    " + field.Name + ": " + field.ClassName + ";\r\n"), std::string::npos) << field.Name;
  }
  for (const std::string& handler : EventHandlers(form)) {
    EXPECT_NE(declaration.find("    procedure " + handler + "("), std::string::npos) << handler;
    EXPECT_NE(text.find("procedure " + unit.FormClass + "." + handler + "("), std::string::npos) << handler;
  }
  EXPECT_NE(text.find("var\r\n  " + unit.FormName + ": " + unit.FormClass + ";"), std::string::npos);
}

TEST(SourceWritersTest, ImplementedRoutinesAreDeclared) {
  const ProjectPlan plan = Plan(40, 2);
  for (const UnitPlan& unit : plan.Units) {
    if (unit.Kind != UnitKind::Basic && unit.Kind != UnitKind::Service) continue;
    RandomSource random(3);
    const std::string text = WriteUnitSource(plan, unit, nullptr, 200, random);
    const size_t implementation = text.find("\r\nimplementation\r\n");
    ASSERT_NE(implementation, std::string::npos);
    for (size_t at = text.find("\r\nfunction ", implementation); at != std::string::npos;
         at = text.find("\r\nfunction ", at + 1)) {
      std::string heading = text.substr(at + 11, text.find('(', at) - at - 11);
      heading = heading.substr(heading.find('.') + 1);  // without the class
      EXPECT_NE(text.substr(0, implementation).find("function " + heading + "("), std::string::npos)
          << unit.Name << ": " << heading;
    }
  }
}

TEST(SourceWritersTest, UsesClauseWrapsBeforeSeventyEightColumns) {
  SourceText text;
  std::vector<std::string> names;
  for (int i = 0; i < 30; ++i) names.push_back("System.Generics.Unit" + std::to_string(i));
  text.UsesClause(names);
  const std::string& out = text.Text();
  size_t start = 0;
  int lines = 0;
  for (size_t end = out.find("\r\n"); end != std::string::npos; start = end + 2, end = out.find("\r\n", start)) {
    EXPECT_LE(end - start, 78u) << out.substr(start, end - start);
    ++lines;
  }
  EXPECT_EQ(start, out.size());
  EXPECT_EQ(lines, text.LineCount());
  EXPECT_TRUE(out.ends_with("System.Generics.Unit29;\r\n"));
  EXPECT_EQ(UsesClauses(out).front().size(), 30u);
  SourceText empty;
  empty.UsesClause({});
  EXPECT_EQ(empty.Text(), "");
}

TEST(SourceWritersTest, ProjectFileListsTheMainUnitFirstWithPathsAndFormComments) {
  const ProjectPlan plan = Plan(120, 14);
  RandomSource random(1);
  const std::string text = WriteProjectFile(plan, random);
  const UnitPlan& main = plan.Units[plan.MainUnit()];
  EXPECT_TRUE(text.starts_with("program " + plan.Name + ";\r\n"));
  const size_t firstUnit = text.find("Forms,\r\n") + 8;
  EXPECT_EQ(text.substr(firstUnit, main.Name.size() + 6), "  " + main.Name + " in ");
  TParser parser(text);
  Token token;
  parser.NextToken(token);
  ASSERT_TRUE(parser.FindUses(token));
  UsesEntry entry;
  std::set<std::string> kinds;
  size_t entries = 0;
  for (bool ended = false; !ended;) {
    ended = parser.ReadUsesEntry(entry);
    if (entry.Path.empty()) continue;  // the forms unit
    ++entries;
    const auto unit = std::find_if(plan.Units.begin(), plan.Units.end(),
                                   [&](const UnitPlan& planned) { return planned.Name == entry.UnitName; });
    ASSERT_NE(unit, plan.Units.end()) << entry.UnitName;
    EXPECT_EQ(Lower(entry.Path), Lower(UnitPathInProject(*unit)));
    EXPECT_EQ(entry.FormName, unit->FormName);
    if (unit->Kind == UnitKind::DataModule || unit->Kind == UnitKind::Frame) {
      EXPECT_EQ(entry.Kind, UsesFormKind::Typed) << entry.UnitName;
    }
  }
  EXPECT_EQ(entries, plan.Units.size());
  const size_t firstCreate = text.find("Application.CreateForm(");
  EXPECT_EQ(text.substr(firstCreate, 24 + main.FormClass.size()),
            "Application.CreateForm(" + main.FormClass + ",");
  EXPECT_TRUE(text.ends_with("  Application.Run;\r\nend.\r\n"));
}

TEST(SourceWritersTest, PicturesHaveTheAskedSize) {
  RandomSource random(4);
  const std::string bitmap = DrawFormPicture(97, 61, false, random);
  const auto header = ReadBmpHeader(bitmap);
  ASSERT_TRUE(header.has_value());
  EXPECT_EQ(header->Width, 97);
  EXPECT_EQ(header->Height, 61);
  const auto size = ReadJpegSize(DrawFormPicture(120, 80, true, random));
  ASSERT_TRUE(size.has_value());
  EXPECT_EQ(size->Width, 120);
  EXPECT_EQ(size->Height, 80);
}

}  // namespace
}  // namespace tarnwick
