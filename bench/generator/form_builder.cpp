#include "form_builder.h"

#include <algorithm>
#include <set>

#include "component_factory.h"
#include "random_source.h"
#include "vocabulary.h"

namespace tarnwick {

namespace {

/// Assembles one form from the components of a `ComponentFactory`.
class FormAssembler {
 public:
  FormAssembler(const ProjectPlan& plan, int unitIndex, bool portableValues, RandomSource& random)
      : plan_(plan), unit_(plan.Units[unitIndex]), isBaseDialog_(unitIndex == plan.BaseDialog), random_(random),
        factory_(random, portableValues) {
    for (const char* name : {kFrameHeaderPanel, kDialogButtonPanel}) factory_.Reserve(name);
    if (Inherits()) {
      factory_.Reserve("OKButton");
      factory_.Reserve("CancelButton");
    }
    factory_.Reserve(unit_.FormName);
  }

  FormObject Build() {
    FormObject root;
    root.ClassName = unit_.FormClass;
    root.Name = unit_.FormName;
    switch (unit_.Kind) {
      case UnitKind::DataModule: DataModule(root); break;
      case UnitKind::Frame: Frame(root); break;
      case UnitKind::Main: MainForm(root); break;
      default: Inherits() ? InheritedDialog(root) : PlainForm(root); break;
    }
    EmbedFrames(root);
    return root;
  }

 private:
  bool Inherits() const {
    return plan_.BaseDialog >= 0 && unit_.BaseClass == plan_.Units[plan_.BaseDialog].FormClass;
  }

  void FormProperties(FormObject& root, int width, int height) {
    root.Add("Left", IntValue(random_.Between(100, 400))).Add("Top", IntValue(random_.Between(80, 300)));
    root.Add("Width", IntValue(width)).Add("Height", IntValue(height));
    root.Add("Caption", StringValue(plan_.Title + " - " + unit_.Noun));
    root.Add("Color", IdentValue("clBtnFace")).Add("Font.Charset", IdentValue("DEFAULT_CHARSET"));
    root.Add("Font.Color", IdentValue("clWindowText")).Add("Font.Height", IntValue(-11));
    root.Add("Font.Name", StringValue(random_.Chance(50) ? "MS Sans Serif" : "Tahoma"));
    root.Add("Font.Style", SetValue({})).Add("OldCreateOrder", BoolValue(false));
    root.Add("Position", IdentValue(unit_.Kind == UnitKind::Main ? "poDefault" : "poScreenCenter"));
    root.Add("OnCreate", IdentValue("FormCreate"));
    if (random_.Chance(50)) root.Add("OnClose", IdentValue("FormClose"));
    root.Add("PixelsPerInch", IntValue(96)).Add("TextHeight", IntValue(13));
  }

  void MainForm(FormObject& root) {
    FormProperties(root, 860, 600);
    root.Add("Menu", IdentValue("MainMenu")).Add("WindowState", IdentValue("wsMaximized"));
    FormObject tools = factory_.Panel("ToolPanel", "alTop", 41);
    for (int i = random_.Between(4, 10); i > 0; --i) {
      tools.Children.push_back(factory_.SpeedButton(8 + 24 * static_cast<int>(tools.Children.size()), 8));
    }
    root.Children.push_back(std::move(tools));
    root.Children.push_back(random_.Chance(50) ? factory_.PageControl(random_.Between(2, 5))
                                               : factory_.ListView("alClient"));
    root.Children.push_back(factory_.StatusBar());
    root.Children.push_back(factory_.ImageList(520, 8, 16));
    root.Children.push_back(factory_.ImageList(520, 40, 32));
    root.Children.push_back(factory_.MainMenu(552, 8));
    root.Children.push_back(factory_.ActionList(584, 8));
    root.Children.push_back(factory_.Timer(616, 8));
  }

  void PlainForm(FormObject& root) {
    FormProperties(root, random_.Between(400, 800), random_.Between(300, 600));
    if (isBaseDialog_) return BaseDialog(root);
    if (random_.Chance(50)) {
      FormObject top = factory_.Panel("SearchPanel", "alTop", 41);
      factory_.FillWithControls(top, random_.Between(2, 4), 688);
      root.Children.push_back(std::move(top));
      root.Children.push_back(random_.Chance(50) ? factory_.DbGrid("alClient") : factory_.ListView("alClient"));
      if (random_.Chance(40)) root.Children.push_back(factory_.StatusBar());
    } else {
      root.Children.push_back(factory_.PageControl(random_.Between(1, 4)));
    }
    if (random_.Chance(40)) {
      root.Children.push_back(factory_.ImageList(8, 8, 16));
      root.Children.push_back(factory_.ActionList(40, 8));
    }
    FormObject buttons = factory_.Panel("BottomPanel", "alBottom", 41);
    buttons.Children.push_back(factory_.Button(520, 8, "OK"));
    buttons.Children.push_back(factory_.Button(600, 8, "Cancel"));
    root.Children.push_back(std::move(buttons));
    if (random_.Chance(30)) root.Children.push_back(factory_.Image(8, 8));
  }

  void BaseDialog(FormObject& root) {
    FormObject buttons = factory_.Panel(kDialogButtonPanel, "alBottom", 41);
    buttons.Name = kDialogButtonPanel;
    buttons.Children.push_back(factory_.Button(440, 8, "OK"));
    buttons.Children.push_back(factory_.Button(520, 8, "Cancel"));
    buttons.Children.push_back(factory_.Button(600, 8, "Help"));
    root.Children.push_back(std::move(buttons));
  }

  // The dialog stores what differs from the base dialog: its caption and size, the inherited
  // button panel with moved buttons (some at a new position among their siblings), and the
  // controls it adds.
  void InheritedDialog(FormObject& root) {
    root.Inherited = true;
    root.Add("Left", IntValue(random_.Between(100, 400))).Add("Top", IntValue(random_.Between(80, 300)));
    root.Add("Caption", StringValue(unit_.Noun + " details"));
    root.Add("ClientHeight", IntValue(random_.Between(200, 480))).Add("ClientWidth", IntValue(random_.Between(360, 640)));
    root.Add("OnShow", IdentValue("FormShow")).Add("PixelsPerInch", IntValue(96)).Add("TextHeight", IntValue(13));
    FormObject buttons;
    buttons.ClassName = "TPanel";
    buttons.Name = kDialogButtonPanel;
    buttons.Inherited = true;
    buttons.Add("Top", IntValue(random_.Between(160, 440))).Add("Width", IntValue(random_.Between(360, 640)));
    buttons.Add("PopupMenu", NilValue());  // the base dialog's menu is not wanted here
    int position = 0;
    for (std::string_view name : {"OKButton", "CancelButton"}) {
      FormObject button;
      button.ClassName = "TButton";
      button.Name = name;
      button.Inherited = true;
      if (random_.Chance(50)) button.Position = position;
      button.Add("Left", IntValue(random_.Between(200, 560)));
      if (name == "OKButton" && random_.Chance(50)) button.Add("OnClick", IdentValue("OKButtonClick"));
      buttons.Children.push_back(std::move(button));
      ++position;
    }
    root.Children.push_back(std::move(buttons));
    FormObject client = factory_.Panel("ClientPanel", "alClient", 200);
    factory_.FillWithControls(client, random_.Between(3, 10), 600);
    root.Children.push_back(std::move(client));
  }

  void Frame(FormObject& root) {
    root.Add("Left", IntValue(0)).Add("Top", IntValue(0));
    root.Add("Width", IntValue(random_.Between(300, 600))).Add("Height", IntValue(random_.Between(120, 300)));
    root.Add("TabOrder", IntValue(0));
    FormObject header = factory_.Panel(kFrameHeaderPanel, "alTop", 25);
    header.Name = kFrameHeaderPanel;
    header.Children.push_back(factory_.Label(8, 6, unit_.Noun));
    root.Children.push_back(std::move(header));
    factory_.FillWithControls(root, random_.Between(3, 10), 560);
  }

  void DataModule(FormObject& root) {
    root.Add("OldCreateOrder", BoolValue(false)).Add("OnCreate", IdentValue("DataModuleCreate"));
    root.Add("Left", IntValue(random_.Between(100, 400))).Add("Top", IntValue(random_.Between(80, 300)));
    root.Add("Height", IntValue(random_.Between(200, 500))).Add("Width", IntValue(random_.Between(300, 600)));
    FormObject connection = factory_.Connection(40, 16);
    const std::string connectionName = connection.Name;
    root.Children.push_back(std::move(connection));
    int top = 72;
    for (int i = random_.Between(2, 6); i > 0; --i, top += 56) {
      const std::string table(random_.Pick(vocabulary::Nouns()));
      FormObject query = factory_.Query(40, top, connectionName, table);
      const std::string queryName = query.Name;
      root.Children.push_back(std::move(query));
      root.Children.push_back(factory_.DataSource(136, top, queryName));
    }
    for (int i = random_.Between(1, 2); i > 0; --i, top += 56) {
      root.Children.push_back(factory_.ClientDataSet(232, top, unit_.Noun));
    }
    if (random_.Chance(30)) root.Children.push_back(factory_.Timer(328, 16));
  }

  void EmbedFrames(FormObject& root) {
    int top = 8;
    for (int frameUnit : unit_.Frames) {
      const UnitPlan& frame = plan_.Units[frameUnit];
      FormObject instance;
      instance.ClassName = frame.FormClass;
      instance.Name = factory_.UniqueName(frame.FormName + "1");
      instance.Inline = true;
      instance.Add("Left", IntValue(8)).Add("Top", IntValue(top)).Add("Width", IntValue(451));
      instance.Add("Height", IntValue(120)).Add("TabOrder", IntValue(static_cast<int64_t>(root.Children.size())));
      FormObject header;
      header.ClassName = "TPanel";
      header.Name = kFrameHeaderPanel;
      header.Inherited = true;
      header.Add("Width", IntValue(451)).Add("Caption", StringValue(unit_.Noun));
      instance.Children.push_back(std::move(header));
      root.Children.push_back(std::move(instance));
      top += 128;
    }
  }

  const ProjectPlan& plan_;
  const UnitPlan& unit_;
  bool isBaseDialog_;
  RandomSource& random_;
  ComponentFactory factory_;
};

void CollectFields(const FormObject& object, std::vector<ComponentField>& fields) {
  for (const FormObject& child : object.Children) {
    if (!child.Inherited) fields.push_back({child.Name, child.ClassName});
    if (!child.Inline) CollectFields(child, fields);
  }
}

void CollectHandlers(const FormObject& object, std::set<std::string>& seen, std::vector<std::string>& handlers) {
  for (const FormProperty& property : object.Properties) {
    const bool isEvent = property.Name.starts_with("On") && property.Value.Kind == ValueKind::Ident;
    if (isEvent && seen.insert(property.Value.Text).second) handlers.push_back(property.Value.Text);
  }
  for (const FormObject& child : object.Children) {
    if (!child.Inline) CollectHandlers(child, seen, handlers);
  }
}

}  // namespace

FormObject BuildForm(const ProjectPlan& plan, int unitIndex, bool portableValues, RandomSource& random) {
  return FormAssembler(plan, unitIndex, portableValues, random).Build();
}

FormObject BuildLooseForm(const std::string& formName, RandomSource& random) {
  ComponentFactory factory(random, false);
  factory.Reserve(formName);
  FormObject root;
  root.ClassName = "T" + formName;
  root.Name = formName;
  root.Add("Left", IntValue(192)).Add("Top", IntValue(114)).Add("Caption", StringValue(formName));
  root.Add("ClientHeight", IntValue(300)).Add("ClientWidth", IntValue(400));
  root.Add("OnCreate", IdentValue("FormCreate")).Add("PixelsPerInch", IntValue(96));
  factory.FillWithControls(root, random.Between(2, 6), 400);
  return root;
}

std::vector<ComponentField> DeclaredComponents(const FormObject& root) {
  std::vector<ComponentField> fields;
  CollectFields(root, fields);
  return fields;
}

std::vector<std::string> EventHandlers(const FormObject& root) {
  std::set<std::string> seen;
  std::vector<std::string> handlers;
  CollectHandlers(root, seen, handlers);
  return handlers;
}

}  // namespace tarnwick
