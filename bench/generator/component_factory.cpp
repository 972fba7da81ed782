#include "component_factory.h"

#include <cstdint>
#include <vector>

#include "platform/bmp_codec.h"
#include "random_source.h"
#include "vocabulary.h"

namespace tarnwick {

namespace {

std::string SizePrefixed(const std::string& data) {
  std::string bytes;
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>(static_cast<uint64_t>(data.size()) >> (8 * i));
  return bytes + data;
}

std::string Words(RandomSource& random) {
  return std::string(random.Pick(vocabulary::Verbs())) + " " + std::string(random.Pick(vocabulary::Nouns()));
}

}  // namespace

std::string ComponentFactory::UniqueName(std::string_view wanted) {
  std::string name(wanted);
  for (int number = 1; !names_.insert(name).second; ++number) name = std::string(wanted) + std::to_string(number);
  return name;
}

FormValue ComponentFactory::Float(ValueKind kind, double value) {
  if (portable_ && kind != ValueKind::Extended) return FloatValue(ValueKind::Extended, value);
  return FloatValue(kind, value);
}

// A caption as the designer stores it: mostly 8-bit text, sometimes a wide or a UTF-8 string
// when it holds characters beyond Latin-1.
FormValue ComponentFactory::Caption(std::string_view text) {
  const int roll = random_.Between(0, 99);
  if (roll < 6) {
    std::u16string wide(text.begin(), text.end());
    return WideStringValue(wide + u" \u2013 Gr\u00F6\u00DFe \u20AC");
  }
  if (roll < 12) return Utf8StringValue(std::string(text) + " (caf\xC3\xA9 \xE2\x9C\x93)");
  return StringValue(text);
}

std::string ComponentFactory::BitmapFile(int size) {
  std::vector<uint8_t> pixels(static_cast<size_t>(size) * size * 3);
  const auto tint = static_cast<uint8_t>(random_.Below(200));
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      uint8_t* pixel = &pixels[(static_cast<size_t>(y) * size + x) * 3];
      const bool mark = x == y || x + y == size - 1 || y == size / 2;
      pixel[0] = mark ? tint : 192;
      pixel[1] = mark ? static_cast<uint8_t>(255 - tint) : 192;
      pixel[2] = mark ? 64 : 192;
    }
  }
  return EncodeBmp(PixelView{size, size, PixelLayout::Rgb, pixels, 0}, 24);
}

FormObject ComponentFactory::Control(std::string_view className, std::string_view name, int left, int top,
                                     int width, int height) {
  FormObject object;
  object.ClassName = className;
  object.Name = UniqueName(name);
  object.Add("Left", IntValue(left)).Add("Top", IntValue(top));
  object.Add("Width", IntValue(width)).Add("Height", IntValue(height));
  return object;
}

std::vector<std::string> ComponentFactory::ListLines(int count) {
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i) {
    switch (random_.Between(0, 5)) {
      case 0: lines.push_back("Don't " + Words(random_) + " twice"); break;
      case 1: lines.push_back(std::string(random_.Pick(vocabulary::Remarks())) + "; " +
                              std::string(random_.Pick(vocabulary::Remarks()))); break;
      case 2: lines.push_back(""); break;
      case 3: lines.push_back("\t" + Words(random_)); break;
      default: lines.push_back(std::string(random_.Pick(vocabulary::Nouns()))); break;
    }
  }
  return lines;
}

FormObject ComponentFactory::Label(int left, int top, std::string_view caption) {
  FormObject label = Control("TLabel", std::string(caption) + "Label", left, top, 60, 13);
  label.Add("Caption", Caption("&" + std::string(caption) + ":"));
  if (random_.Chance(20)) label.Add("Font.Style", SetValue({"fsBold"})).Add("ParentFont", BoolValue(false));
  return label;
}

FormObject ComponentFactory::Edit(int left, int top) {
  FormObject edit = Control("TEdit", std::string(random_.Pick(vocabulary::Nouns())) + "Edit", left, top, 121, 21);
  edit.Add("TabOrder", IntValue(tabOrder_++)).Add("Text", StringValue(""));
  if (random_.Chance(30)) edit.Add("MaxLength", IntValue(random_.Between(8, 255)));
  if (random_.Chance(20)) edit.Add("CharCase", IdentValue("ecUpperCase"));
  if (random_.Chance(30)) edit.Add("OnChange", IdentValue(edit.Name + "Change"));
  return edit;
}

FormObject ComponentFactory::Button(int left, int top, std::string_view verb) {
  FormObject button = Control("TButton", std::string(verb) + "Button", left, top, 75, 25);
  button.Add("Caption", Caption("&" + std::string(verb)));
  if (verb == "OK") button.Add("Default", BoolValue(true)).Add("ModalResult", IntValue(1));
  if (verb == "Cancel") button.Add("Cancel", BoolValue(true)).Add("ModalResult", IntValue(2));
  button.Add("TabOrder", IntValue(tabOrder_++));
  if (verb != "OK" && verb != "Cancel") button.Add("OnClick", IdentValue(button.Name + "Click"));
  return button;
}

FormObject ComponentFactory::CheckBox(int left, int top) {
  FormObject box = Control("TCheckBox", std::string(random_.Pick(vocabulary::Nouns())) + "CheckBox", left, top, 97, 17);
  box.Add("Caption", Caption("Show " + std::string(random_.Pick(vocabulary::Nouns()))));
  if (random_.Chance(50)) box.Add("Checked", BoolValue(true)).Add("State", IdentValue("cbChecked"));
  box.Add("TabOrder", IntValue(tabOrder_++));
  return box;
}

FormObject ComponentFactory::ComboBox(int left, int top) {
  FormObject box = Control("TComboBox", std::string(random_.Pick(vocabulary::Nouns())) + "Combo", left, top, 145, 21);
  box.Add("Style", IdentValue("csDropDownList")).Add("ItemHeight", IntValue(13));
  box.Add("ItemIndex", IntValue(0)).Add("TabOrder", IntValue(tabOrder_++));
  box.Add("Items.Strings", StringListValue(ListLines(random_.Between(3, 8))));
  return box;
}

FormObject ComponentFactory::Memo(int left, int top) {
  FormObject memo = Control("TMemo", std::string(random_.Pick(vocabulary::Nouns())) + "Memo", left, top, 305, 89);
  memo.Add("Lines.Strings", StringListValue(ListLines(random_.Between(2, 10))));
  memo.Add("ScrollBars", IdentValue("ssVertical")).Add("TabOrder", IntValue(tabOrder_++));
  return memo;
}

FormObject ComponentFactory::SpeedButton(int left, int top) {
  FormObject button = Control("TSpeedButton", std::string(random_.Pick(vocabulary::Verbs())) + "SpeedButton",
                              left, top, 23, 22);
  button.Add("Hint", StringValue(Words(random_) + "|Press F" + std::to_string(random_.Between(2, 9)) +
                                 " or click here to " + Words(random_) + ".\r\nIt's quick."));
  button.Add("Flat", BoolValue(true));
  button.Add("Glyph.Data", BinaryValue(SizePrefixed(BitmapFile(16))));
  button.Add("NumGlyphs", IntValue(2)).Add("ParentShowHint", BoolValue(false)).Add("ShowHint", BoolValue(true));
  button.Add("OnClick", IdentValue(button.Name + "Click"));
  return button;
}

FormObject ComponentFactory::Image(int left, int top) {
  FormObject image = Control("TImage", "LogoImage", left, top, 32, 32);
  image.Add("AutoSize", BoolValue(true));
  image.Add("Picture.Data", BinaryValue("\x07TBitmap" + SizePrefixed(BitmapFile(32))));
  if (!portable_) image.Add("Opacity", Float(ValueKind::Single, 0.75));
  return image;
}

FormObject ComponentFactory::DatePicker(int left, int top) {
  FormObject picker = Control("TDateTimePicker", std::string(random_.Pick(vocabulary::Nouns())) + "DatePicker",
                              left, top, 105, 21);
  const double day = 36526 + static_cast<double>(random_.Below(9000));
  picker.Add("Date", Float(ValueKind::Date, day + 0.5 * static_cast<double>(random_.Below(2))));
  picker.Add("Time", Float(ValueKind::Date, static_cast<double>(random_.Below(86400)) / 86400.0));
  picker.Add("Kind", IdentValue("dtkDate")).Add("TabOrder", IntValue(tabOrder_++));
  return picker;
}

// A number field of a third-party package, whose properties use every numeric value type.
FormObject ComponentFactory::NumberEdit(int left, int top) {
  FormObject edit = Control("TNumberEdit", std::string(random_.Pick(vocabulary::Nouns())) + "Amount", left, top, 89, 21);
  edit.Add("DisplayFormat", StringValue(",0.00;-,0.00;''zero''"));
  edit.Add("MaxValue", Float(ValueKind::Extended, 1e6 + static_cast<double>(random_.Below(1000)) / 8));
  edit.Add("MinValue", Float(ValueKind::Extended, -0.125));
  edit.Add("Increment", Float(ValueKind::Single, 0.25 * random_.Between(1, 8)));
  edit.Add("Scale", Float(ValueKind::Double, 1.0 / random_.Between(3, 9)));
  if (portable_) {
    edit.Add("Value", FloatValue(ValueKind::Extended, 1234.5));
  } else {
    edit.Add("Value", CurrencyValue(12345000 + static_cast<int64_t>(random_.Below(9999))));
  }
  edit.Add("MaxSize", IntValue(int64_t{5000000000} + static_cast<int64_t>(random_.Below(1000))));
  edit.Add("TabOrder", IntValue(tabOrder_++));
  return edit;
}

FormObject ComponentFactory::RadioGroup(int left, int top) {
  FormObject group = Control("TRadioGroup", std::string(random_.Pick(vocabulary::Nouns())) + "Group", left, top, 185, 105);
  group.Add("Caption", Caption(" " + std::string(random_.Pick(vocabulary::Nouns())) + " "));
  group.Add("Columns", IntValue(2)).Add("ItemIndex", IntValue(0));
  group.Add("Items.Strings", StringListValue(ListLines(random_.Between(2, 6))));
  group.Add("TabOrder", IntValue(tabOrder_++));
  return group;
}

FormObject ComponentFactory::ListView(std::string_view align) {
  FormObject view = Control("TListView", std::string(random_.Pick(vocabulary::Nouns())) + "ListView", 0, 41, 688, 377);
  view.Add("Align", IdentValue(align));
  std::vector<CollectionItem> columns;
  const bool ordered = !portable_ && random_.Chance(35);
  for (int i = random_.Between(2, 7); i > 0; --i) {
    CollectionItem column;
    if (ordered) column.Order = static_cast<int64_t>(columns.size());
    column.Properties.push_back({"Caption", Caption(std::string(random_.Pick(vocabulary::Nouns())))});
    column.Properties.push_back({"Width", IntValue(random_.Between(40, 220))});
    if (random_.Chance(30)) column.Properties.push_back({"Alignment", IdentValue("taRightJustify")});
    columns.push_back(std::move(column));
  }
  view.Add("Columns", CollectionValue(std::move(columns)));
  view.Add("ReadOnly", BoolValue(true)).Add("RowSelect", BoolValue(true));
  view.Add("TabOrder", IntValue(tabOrder_++)).Add("ViewStyle", IdentValue("vsReport"));
  view.Add("OnDblClick", IdentValue(view.Name + "DblClick"));
  return view;
}

FormObject ComponentFactory::DbGrid(std::string_view align) {
  FormObject grid = Control("TDBGrid", std::string(random_.Pick(vocabulary::Nouns())) + "Grid", 0, 41, 688, 300);
  grid.Add("Align", IdentValue(align)).Add("DataSource", IdentValue("DataSource1"));
  grid.Add("Options", SetValue({"dgTitles", "dgIndicator", "dgColumnResize", "dgColLines", "dgRowLines", "dgTabs",
                                "dgRowSelect", "dgAlwaysShowSelection"}));
  grid.Add("TabOrder", IntValue(tabOrder_++)).Add("TitleFont.Charset", IdentValue("DEFAULT_CHARSET"));
  grid.Add("TitleFont.Color", IdentValue("clWindowText")).Add("TitleFont.Height", IntValue(-11));
  grid.Add("TitleFont.Name", StringValue("MS Sans Serif")).Add("TitleFont.Style", SetValue({}));
  std::vector<CollectionItem> columns;
  for (int i = random_.Between(3, 9); i > 0; --i) {
    const std::string field(random_.Pick(vocabulary::Nouns()));
    CollectionItem column;
    column.Properties.push_back({"Expanded", BoolValue(false)});
    column.Properties.push_back({"FieldName", StringValue(field + "_ID")});
    column.Properties.push_back({"Title.Caption", Caption(field)});
    column.Properties.push_back({"Width", IntValue(random_.Between(40, 180))});
    column.Properties.push_back({"Visible", BoolValue(true)});
    columns.push_back(std::move(column));
  }
  grid.Add("Columns", CollectionValue(std::move(columns)));
  return grid;
}

FormObject ComponentFactory::StatusBar() {
  FormObject bar = Control("TStatusBar", "StatusBar", 0, 418, 688, 19);
  std::vector<CollectionItem> panels;
  for (int i = random_.Between(2, 4); i > 0; --i) {
    CollectionItem panel;
    panel.Properties.push_back({"Width", IntValue(random_.Between(50, 250))});
    if (random_.Chance(50)) panel.Properties.push_back({"Text", StringValue("Ready")});
    if (random_.Chance(25)) panel.Properties.push_back({"Style", IdentValue("psOwnerDraw")});
    panels.push_back(std::move(panel));
  }
  bar.Add("Panels", CollectionValue(std::move(panels))).Add("SimplePanel", BoolValue(false));
  return bar;
}

FormObject ComponentFactory::Timer(int left, int top) {
  FormObject timer;
  timer.ClassName = "TTimer";
  timer.Name = UniqueName("RefreshTimer");
  timer.Add("Enabled", BoolValue(false)).Add("Interval", IntValue(random_.Between(1, 60) * 250));
  timer.Add("OnTimer", IdentValue(timer.Name + "Timer")).Add("Left", IntValue(left)).Add("Top", IntValue(top));
  return timer;
}

// The images of an image list are stored as one block of binary data.
FormObject ComponentFactory::ImageList(int left, int top, int size) {
  FormObject list;
  list.ClassName = "TImageList";
  list.Name = UniqueName("ImageList");
  if (size != 16) list.Add("Height", IntValue(size)).Add("Width", IntValue(size));
  list.Add("Left", IntValue(left)).Add("Top", IntValue(top));
  std::string data("IL\x01\x01", 4);
  for (int image = random_.Between(4, 12); image > 0; --image) data += BitmapFile(size);
  list.Add("Bitmap", BinaryValue(std::move(data)));
  return list;
}

FormObject ComponentFactory::MenuItem(std::string_view caption, int depth) {
  FormObject item;
  item.ClassName = "TMenuItem";
  item.Name = UniqueName(std::string(caption) + "Item");
  item.Add("Caption", Caption("&" + std::string(caption)));
  if (depth == 0) {
    for (int i = random_.Between(3, 7); i > 0; --i) {
      item.Children.push_back(MenuItem(random_.Pick(vocabulary::Verbs()), depth + 1));
    }
  } else {
    if (random_.Chance(40)) item.Add("ShortCut", IntValue(16384 + 65 + static_cast<int>(random_.Below(26))));
    item.Add("OnClick", IdentValue(item.Name + "Click"));
  }
  return item;
}

FormObject ComponentFactory::MainMenu(int left, int top) {
  FormObject menu;
  menu.ClassName = "TMainMenu";
  menu.Name = UniqueName("MainMenu");
  menu.Add("Images", IdentValue("ImageList")).Add("Left", IntValue(left)).Add("Top", IntValue(top));
  for (std::string_view heading : {"File", "Edit", "View", "Tools", "Help"}) {
    menu.Children.push_back(MenuItem(heading, 0));
  }
  return menu;
}

FormObject ComponentFactory::ActionList(int left, int top) {
  FormObject list;
  list.ClassName = "TActionList";
  list.Name = UniqueName("ActionList");
  list.Add("Left", IntValue(left)).Add("Top", IntValue(top));
  for (int i = random_.Between(3, 10); i > 0; --i) {
    FormObject action;
    action.ClassName = "TAction";
    const std::string verb(random_.Pick(vocabulary::Verbs()));
    action.Name = UniqueName(verb + "Action");
    action.Add("Category", StringValue("Records")).Add("Caption", Caption("&" + verb + "..."));
    action.Add("Hint", StringValue(verb + " the selected record")).Add("ImageIndex", IntValue(i));
    action.Add("OnExecute", IdentValue(action.Name + "Execute"));
    list.Children.push_back(std::move(action));
  }
  return list;
}

FormObject ComponentFactory::Panel(std::string_view name, std::string_view align, int height) {
  FormObject panel = Control("TPanel", name, 0, 0, 688, height);
  panel.Add("Align", IdentValue(align)).Add("BevelOuter", IdentValue("bvNone"));
  panel.Add("Caption", StringValue("")).Add("TabOrder", IntValue(tabOrder_++));
  if (random_.Chance(30)) {
    // A colour without a name is stored as its number: $00BBGGRR.
    panel.Add("Color", random_.Chance(50) ? IdentValue("clWindow") : IntValue(0x00E0F0FF - random_.Between(0, 0xFFFF)));
    panel.Add("ParentBackground", BoolValue(false));
  }
  return panel;
}

FormObject ComponentFactory::PageControl(int pages) {
  FormObject control = Control("TPageControl", "PageControl", 0, 41, 688, 377);
  control.Add("ActivePage", IdentValue("")).Add("Align", IdentValue("alClient"));
  control.Add("TabOrder", IntValue(tabOrder_++));
  for (int page = 0; page < pages; ++page) {
    FormObject sheet;
    sheet.ClassName = "TTabSheet";
    sheet.Name = UniqueName(std::string(random_.Pick(vocabulary::Nouns())) + "Sheet");
    sheet.Add("Caption", Caption(std::string(random_.Pick(vocabulary::Nouns())))).Add("ImageIndex", IntValue(page));
    FillWithControls(sheet, random_.Between(4, 14), 680);
    control.Children.push_back(std::move(sheet));
  }
  control.Properties[4].Value = IdentValue(control.Children.front().Name);  // ActivePage
  return control;
}

void ComponentFactory::FillWithControls(FormObject& parent, int count, int width) {
  int left = 8;
  int top = 8;
  for (int i = 0; i < count; ++i) {
    switch (random_.Between(0, 11)) {
      case 0: parent.Children.push_back(Memo(left, top)); break;
      case 1: parent.Children.push_back(CheckBox(left, top)); break;
      case 2: parent.Children.push_back(ComboBox(left, top)); break;
      case 3: parent.Children.push_back(SpeedButton(left, top)); break;
      case 4: parent.Children.push_back(DatePicker(left, top)); break;
      case 5: parent.Children.push_back(NumberEdit(left, top)); break;
      case 6: parent.Children.push_back(RadioGroup(left, top)); break;
      case 7: parent.Children.push_back(Button(left, top, random_.Pick(vocabulary::Verbs()))); break;
      default:
        parent.Children.push_back(Label(left, top + 4, random_.Pick(vocabulary::Nouns())));
        parent.Children.push_back(Edit(left + 80, top));
        break;
    }
    left += 240;
    if (left + 220 > width) {
      left = 8;
      top += 32;
    }
  }
}

FormObject ComponentFactory::Connection(int left, int top) {
  FormObject connection;
  connection.ClassName = "TADOConnection";
  connection.Name = UniqueName("Connection");
  std::string text = "Provider=SQLOLEDB.1;Password=\"\";Persist Security Info=True;User ID=app;"
                     "Initial Catalog=" + std::string(random_.Pick(vocabulary::Nouns())) + "s;Data Source=SERVER01";
  while (text.size() <= 255) text += ";Extended Properties=\"" + std::string(random_.Pick(vocabulary::Remarks())) + "\"";
  connection.Add("ConnectionString", StringValue(text));
  connection.Add("LoginPrompt", BoolValue(false)).Add("Provider", StringValue("SQLOLEDB.1"));
  connection.Add("Left", IntValue(left)).Add("Top", IntValue(top));
  return connection;
}

FormObject ComponentFactory::Query(int left, int top, std::string_view connection, std::string_view table) {
  FormObject query;
  query.ClassName = "TADOQuery";
  query.Name = UniqueName(std::string(table) + "Query");
  query.Add("Connection", IdentValue(connection)).Add("CursorType", IdentValue("ctStatic"));
  CollectionItem parameter;
  parameter.Properties.push_back({"Name", StringValue("ID")});
  parameter.Properties.push_back({"Attributes", SetValue({"paSigned", "paNullable"})});
  parameter.Properties.push_back({"DataType", IdentValue("ftInteger")});
  parameter.Properties.push_back({"Precision", IntValue(10)});
  parameter.Properties.push_back({"Size", IntValue(4)});
  parameter.Properties.push_back({"Value", portable_ ? StringValue("") : NullValue()});
  std::vector<CollectionItem> parameters;
  parameters.push_back(std::move(parameter));
  query.Add("Parameters", CollectionValue(std::move(parameters)));
  const std::string name(table);
  query.Add("SQL.Strings", StringListValue({"SELECT *", "FROM " + name + "s", "WHERE " + name + "_ID = :ID",
                                            "  AND Status <> 'X'", "ORDER BY Name"}));
  query.Add("Left", IntValue(left)).Add("Top", IntValue(top));
  return query;
}

FormObject ComponentFactory::DataSource(int left, int top, std::string_view dataSet) {
  FormObject source;
  source.ClassName = "TDataSource";
  source.Name = UniqueName("DataSource");
  source.Add("DataSet", IdentValue(dataSet)).Add("Left", IntValue(left)).Add("Top", IntValue(top));
  return source;
}

FormObject ComponentFactory::Field(std::string_view className, std::string_view table, std::string_view field) {
  FormObject object;
  object.ClassName = className;
  object.Name = UniqueName(std::string(table) + std::string(field));
  object.Add("FieldName", StringValue(std::string(field)));
  if (className == "TStringField") object.Add("Size", IntValue(random_.Between(10, 80)));
  if (className == "TFloatField") {
    object.Add("DisplayFormat", StringValue("#,##0.00")).Add("MaxValue", Float(ValueKind::Extended, 99999.99));
    object.Add("MinValue", Float(ValueKind::Extended, -0.5));
  }
  if (className == "TCurrencyField") object.Add("DefaultValue", portable_ ? IntValue(0) : CurrencyValue(0));
  if (className == "TLargeintField") object.Add("MaxValue", IntValue(int64_t{1} << 40));
  return object;
}

FormObject ComponentFactory::ClientDataSet(int left, int top, std::string_view table) {
  FormObject set;
  set.ClassName = "TClientDataSet";
  set.Name = UniqueName(std::string(table) + "Data");
  static constexpr std::string_view kFields[][3] = {
      {"TIntegerField", "ftInteger", "ID"},      {"TStringField", "ftString", "Name"},
      {"TFloatField", "ftFloat", "Weight"},      {"TCurrencyField", "ftCurrency", "Total"},
      {"TDateTimeField", "ftDateTime", "Created"}, {"TLargeintField", "ftLargeint", "Serial"}};
  std::vector<CollectionItem> definitions;
  for (const auto& field : kFields) {
    CollectionItem definition;
    definition.Properties.push_back({"Name", StringValue(field[2])});
    definition.Properties.push_back({"DataType", IdentValue(field[1])});
    if (field[1] == "ftString") definition.Properties.push_back({"Size", IntValue(40)});
    definitions.push_back(std::move(definition));
    set.Children.push_back(Field(field[0], table, field[2]));
  }
  set.Add("Aggregates", CollectionValue({})).Add("FieldDefs", CollectionValue(std::move(definitions)));
  set.Add("Params", CollectionValue({})).Add("StoreDefs", BoolValue(true));
  set.Add("Left", IntValue(left)).Add("Top", IntValue(top));
  return set;
}

}  // namespace tarnwick
