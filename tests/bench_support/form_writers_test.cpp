// The two form writers of the project generator, checked against each other through the core's
// form file reader: a binary form converts to exactly the text the text writer gives.
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

std::string ConvertedText(const FormObject& root) {
  const FormConversion conversion = ConvertFormFile(WriteBinaryFormFile(root));
  EXPECT_TRUE(conversion.Ok) << conversion.Error;
  return conversion.Text;
}

CollectionItem Item(std::optional<int64_t> order, std::string caption) {
  CollectionItem item;
  item.Order = order;
  item.Properties.push_back({"Caption", StringValue(caption)});
  item.Properties.push_back({"Width", IntValue(-300)});
  return item;
}

// A form holding every value type, with the edge cases of each.
FormObject EveryValueForm() {
  FormObject root;
  root.ClassName = "TSampleForm";
  root.Name = "SampleForm";
  root.Add("Null", NullValue()).Add("Nil", NilValue()).Add("No", BoolValue(false)).Add("Yes", BoolValue(true));
  for (int64_t value : {int64_t{0}, int64_t{-128}, int64_t{127}, int64_t{128}, int64_t{-32769}, int64_t{2147483647},
                        int64_t{-2147483649}, int64_t{1} << 62}) {
    root.Add("Number", IntValue(value));
  }
  root.Add("Extended", FloatValue(ValueKind::Extended, 0.1)).Add("Negative", FloatValue(ValueKind::Extended, -2.5));
  root.Add("Huge", FloatValue(ValueKind::Extended, 1e20)).Add("Tiny", FloatValue(ValueKind::Extended, 1e-300));
  root.Add("Whole", FloatValue(ValueKind::Extended, 3)).Add("Zero", FloatValue(ValueKind::Extended, 0));
  root.Add("Single", FloatValue(ValueKind::Single, 0.1)).Add("Double", FloatValue(ValueKind::Double, 1.0 / 3));
  root.Add("Date", FloatValue(ValueKind::Date, 45000.25)).Add("Price", CurrencyValue(-123456));
  root.Add("Cents", CurrencyValue(50000)).Add("Empty", StringValue(""));
  root.Add("Quoted", StringValue("It's a \"test\"\r\n\tend"));
  root.Add("Long", StringValue(std::string(130, 'x') + "'"));
  root.Add("VeryLong", StringValue(std::string(300, 'y')));
  root.Add("Wide", WideStringValue(u"Gr\u00FC\u00DFe \u20AC 'q'"));
  root.Add("Utf8", Utf8StringValue("caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"));
  root.Add("Short", BinaryValue("\x01\x02\xAB"));
  root.Add("Exact", BinaryValue(std::string(64, '\x5A'))).Add("Odd", BinaryValue(std::string(70, '\xF0')));
  root.Add("NoBytes", BinaryValue("")).Add("Anchors", SetValue({"akLeft", "akTop"})).Add("None", SetValue({}));
  root.Add("Lines", StringListValue({"first", "", "it's"}));
  FormValue nested = StringListValue({"a"});
  nested.Values.push_back(IntValue(5));
  root.Add("Nested", nested).Add("NoLines", StringListValue({}));
  root.Add("Columns", CollectionValue({Item(std::nullopt, "Name"), Item(std::nullopt, "Size")}));
  root.Add("Ordered", CollectionValue({Item(0, "A"), Item(70000, "B")})).Add("NoItems", CollectionValue({}));
  return root;
}

FormObject Child(std::string className, std::string name) {
  FormObject child;
  child.ClassName = std::move(className);
  child.Name = std::move(name);
  child.Add("Left", IntValue(8));
  return child;
}

TEST(FormWritersTest, BinaryFormOfEveryValueTypeConvertsToTheWrittenText) {
  FormObject root = EveryValueForm();
  FormObject panel = Child("TPanel", "Panel1");
  FormObject button = Child("TButton", "OKButton");
  button.Inherited = true;
  button.Position = 2;
  panel.Children.push_back(button);
  FormObject frame = Child("TSearchFrame", "SearchFrame1");
  frame.Inline = true;
  panel.Children.push_back(frame);
  root.Children.push_back(panel);
  root.Children.push_back(Child("TLabel", ""));
  EXPECT_EQ(ConvertedText(root), WriteFormText(root, false));
}

TEST(FormWritersTest, InheritedRootAndInlineKeyword) {
  FormObject root = Child("TEditDialog", "EditDialog");
  root.Inherited = true;
  FormObject frame = Child("TSearchFrame", "SearchFrame1");
  frame.Inline = true;
  root.Children.push_back(frame);
  EXPECT_EQ(ConvertedText(root), WriteFormText(root, false));
  EXPECT_EQ(WriteFormText(root, true),
            "inherited EditDialog: TEditDialog\r\n  Left = 8\r\n  inline SearchFrame1: TSearchFrame\r\n"
            "    Left = 8\r\n  end\r\nend\r\n");
}

TEST(FormWritersTest, TextLayoutOfStringsBinaryDataAndCollections) {
  FormObject root;
  root.ClassName = "TForm1";
  root.Name = "Form1";
  root.Add("Caption", StringValue("It's\r\n"));
  root.Add("Hint", StringValue(std::string(65, 'h')));
  root.Add("Glyph.Data", BinaryValue(std::string(33, '\x0F')));
  root.Add("Columns", CollectionValue({Item(3, "A")}));
  root.Add("Price", CurrencyValue(12345)).Add("Ratio", FloatValue(ValueKind::Single, 0.75));
  std::string fullLine;
  for (int i = 0; i < 32; ++i) fullLine += "0F";
  EXPECT_EQ(WriteFormText(root),
            "object Form1: TForm1\r\n"
            "  Caption = 'It'#39's'#13#10\r\n"
            "  Hint = \r\n    '" + std::string(64, 'h') + "' +\r\n    'h'\r\n"
            "  Glyph.Data = {\r\n    " + fullLine + "\r\n    0F}\r\n"
            "  Columns = <\r\n    item [3]\r\n      Caption = 'A'\r\n      Width = -300\r\n    end>\r\n"
            "  Price = 1.2345c\r\n  Ratio = 0.75s\r\nend\r\n");
}

TEST(FormWritersTest, ResourceHeaderPrecedesTheComponentStream) {
  FormObject root = Child("TMainForm", "MainForm");
  const std::string file = WriteBinaryFormFile(root);
  const std::string header("\xFF\x0A\x00TMAINFORM\x00\x30\x10", 15);
  ASSERT_GT(file.size(), header.size() + 8);
  EXPECT_EQ(file.substr(0, header.size()), header);
  const std::string stream = file.substr(header.size() + 4);
  uint32_t size = 0;
  for (int i = 3; i >= 0; --i) size = (size << 8) | static_cast<uint8_t>(file[header.size() + i]);
  EXPECT_EQ(size, stream.size());
  EXPECT_EQ(stream, WriteComponentStream(root));
  EXPECT_EQ(stream.substr(0, 4), "TPF0");
}

TEST(FormWritersTest, IntegersTakeTheSmallestType) {
  EXPECT_EQ(IntValue(127).Kind, ValueKind::Int8);
  EXPECT_EQ(IntValue(-128).Kind, ValueKind::Int8);
  EXPECT_EQ(IntValue(128).Kind, ValueKind::Int16);
  EXPECT_EQ(IntValue(-32769).Kind, ValueKind::Int32);
  EXPECT_EQ(IntValue(int64_t{1} << 31).Kind, ValueKind::Int64);
  EXPECT_EQ(StringValue(std::string(255, 'a')).Kind, ValueKind::String);
  EXPECT_EQ(StringValue(std::string(256, 'a')).Kind, ValueKind::LString);
}

void CollectKinds(const std::vector<FormProperty>& properties, std::set<ValueKind>& kinds, bool& ordered);

void CollectValueKinds(const FormValue& value, std::set<ValueKind>& kinds, bool& ordered) {
  kinds.insert(value.Kind);
  for (const FormValue& element : value.Values) CollectValueKinds(element, kinds, ordered);
  for (const CollectionItem& item : value.Items) {
    ordered = ordered || item.Order.has_value();
    CollectKinds(item.Properties, kinds, ordered);
  }
}

void CollectKinds(const std::vector<FormProperty>& properties, std::set<ValueKind>& kinds, bool& ordered) {
  for (const FormProperty& property : properties) CollectValueKinds(property.Value, kinds, ordered);
}

void CollectObjectKinds(const FormObject& object, std::set<ValueKind>& kinds, bool& ordered) {
  CollectKinds(object.Properties, kinds, ordered);
  for (const FormObject& child : object.Children) CollectObjectKinds(child, kinds, ordered);
}

// Builds every form of a generated plan; checks each converts to its text and gives the value
// types and whether any collection item has an order.
std::set<ValueKind> GeneratedFormKinds(bool portable, bool& ordered) {
  RandomSource random(17);
  const ProjectPlan plan = PlanProject({.Units = 60}, random);
  std::set<ValueKind> kinds;
  ordered = false;
  for (size_t i = 0; i < plan.Units.size(); ++i) {
    if (plan.Units[i].FormName.empty()) continue;
    RandomSource formRandom(i);
    const FormObject form = BuildForm(plan, static_cast<int>(i), portable, formRandom);
    EXPECT_EQ(ConvertedText(form), WriteFormText(form, false)) << plan.Units[i].Name;
    CollectObjectKinds(form, kinds, ordered);
  }
  return kinds;
}

TEST(FormWritersTest, GeneratedFormsHoldEveryValueType) {
  bool ordered = false;
  const std::set<ValueKind> kinds = GeneratedFormKinds(false, ordered);
  for (int kind = 0; kind <= static_cast<int>(ValueKind::Double); ++kind) {
    EXPECT_TRUE(kinds.count(static_cast<ValueKind>(kind))) << "no value of type " << kind;
  }
  EXPECT_TRUE(ordered);
}

TEST(FormWritersTest, PortableFormsLeaveOutWhatOtherReadersRefuse) {
  bool ordered = false;
  const std::set<ValueKind> kinds = GeneratedFormKinds(true, ordered);
  for (ValueKind refused : {ValueKind::Null, ValueKind::Single, ValueKind::Currency, ValueKind::Date, ValueKind::Double}) {
    EXPECT_FALSE(kinds.count(refused)) << "value of type " << static_cast<int>(refused);
  }
  EXPECT_FALSE(ordered);
  EXPECT_TRUE(kinds.count(ValueKind::Extended));
  EXPECT_TRUE(kinds.count(ValueKind::Collection));
}

TEST(FormWritersTest, DeclaredComponentsSkipInheritedOnesAndFrameParts) {
  FormObject root = Child("TDialog", "Dialog");
  FormObject inherited = Child("TPanel", "ButtonPanel");
  inherited.Inherited = true;
  inherited.Children.push_back(Child("TButton", "ExtraButton"));
  inherited.Children.back().Add("OnClick", IdentValue("ExtraButtonClick"));
  FormObject frame = Child("TSearchFrame", "SearchFrame1");
  frame.Inline = true;
  frame.Children.push_back(Child("TEdit", "FindEdit"));
  frame.Children.back().Add("OnChange", IdentValue("FindEditChange"));
  root.Children = {inherited, frame};
  root.Add("OnCreate", IdentValue("FormCreate")).Add("OnShow", IdentValue("FormCreate"));
  const std::vector<ComponentField> fields = DeclaredComponents(root);
  ASSERT_EQ(fields.size(), 2u);
  EXPECT_EQ(fields[0].Name, "ExtraButton");
  EXPECT_EQ(fields[1].Name, "SearchFrame1");
  EXPECT_EQ(fields[1].ClassName, "TSearchFrame");
  EXPECT_EQ(EventHandlers(root), (std::vector<std::string>{"FormCreate", "ExtraButtonClick"}));
}

}  // namespace
}  // namespace tarnwick
