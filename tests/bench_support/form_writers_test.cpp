// The generator's forms, checked through the core's form file reader: each binary form converts to
// exactly the text the text writer gives, and the forms hold what the benchmarks claim.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "analysis/form_file_reader.h"
#include "form_builder.h"
#include "form_model.h"
#include "form_stream_writer.h"
#include "form_text_writer.h"
#include "project_plan.h"
#include "random_source.h"

namespace tarnwick {
namespace {

/// The value types met in forms, and whether any collection item has an order.
struct Kinds {
  std::set<ValueKind> Types;
  bool Ordered = false;

  void Add(const FormValue& value) {
    Types.insert(value.Kind);
    for (const FormValue& element : value.Values) Add(element);
    for (const CollectionItem& item : value.Items) {
      Ordered = Ordered || item.Order.has_value();
      for (const FormProperty& property : item.Properties) Add(property.Value);
    }
  }
  void Add(const FormObject& object) {
    for (const FormProperty& property : object.Properties) Add(property.Value);
    for (const FormObject& child : object.Children) Add(child);
  }
};

// Builds every form of a generated plan and checks that each converts to its text.
Kinds GeneratedFormKinds(bool portable) {
  RandomSource random(17);
  const ProjectPlan plan = PlanProject({.Units = 60}, random);
  Kinds kinds;
  for (size_t i = 0; i < plan.Units.size(); ++i) {
    if (plan.Units[i].FormName.empty()) continue;
    RandomSource formRandom(i);
    const FormObject form = BuildForm(plan, static_cast<int>(i), portable, formRandom);
    const FormConversion conversion = ConvertFormFile(WriteBinaryFormFile(form));
    EXPECT_TRUE(conversion.Ok) << plan.Units[i].Name << ": " << conversion.Error;
    EXPECT_EQ(conversion.Text, WriteFormText(form, false)) << plan.Units[i].Name;
    kinds.Add(form);
  }
  return kinds;
}

TEST(FormWritersTest, GeneratedFormsConvertToTheirTextAndHoldTheValueTypesTheirKindClaims) {
  const Kinds kinds = GeneratedFormKinds(false);
  for (int kind = 0; kind <= static_cast<int>(ValueKind::Double); ++kind) {
    EXPECT_TRUE(kinds.Types.count(static_cast<ValueKind>(kind))) << "no value of type " << kind;
  }
  EXPECT_TRUE(kinds.Ordered);

  // Portable forms leave out what other readers refuse.
  const Kinds portable = GeneratedFormKinds(true);
  for (ValueKind refused : {ValueKind::Null, ValueKind::Single, ValueKind::Currency, ValueKind::Date, ValueKind::Double}) {
    EXPECT_FALSE(portable.Types.count(refused)) << "portable value of type " << static_cast<int>(refused);
  }
  EXPECT_FALSE(portable.Ordered);
  EXPECT_TRUE(portable.Types.count(ValueKind::Extended));
  EXPECT_TRUE(portable.Types.count(ValueKind::Collection));
}

}  // namespace
}  // namespace tarnwick
