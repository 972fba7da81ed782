#pragma once

#include <set>
#include <string>
#include <string_view>

#include "form_model.h"

namespace tarnwick {

class RandomSource;

/// Makes the components of one form as the designer stores them: controls with their position,
/// captions, fonts and events; list views, grids and status bars with collections; memos and
/// combo boxes with string lists; buttons and images with picture data; data access components.
/// Every name it hands out is unique within the form.
///
/// With `portableValues` the components hold only what every reader of binary form files knows:
/// no null, single, currency, date or double values (the same properties then carry extended
/// floats, integers or strings) and no collection items with an order value.
class ComponentFactory {
 public:
  ComponentFactory(RandomSource& random, bool portableValues) : random_(random), portable_(portableValues) {}

  /// Reserves a name, so that a later component does not take it.
  void Reserve(std::string_view name) { names_.insert(std::string(name)); }
  /// A free name: `wanted` itself, or `wanted` followed by the first free number.
  std::string UniqueName(std::string_view wanted);

  FormObject Label(int left, int top, std::string_view caption);
  FormObject Edit(int left, int top);
  FormObject Button(int left, int top, std::string_view verb);
  FormObject CheckBox(int left, int top);
  FormObject ComboBox(int left, int top);
  FormObject Memo(int left, int top);
  FormObject SpeedButton(int left, int top);
  FormObject Image(int left, int top);
  FormObject DatePicker(int left, int top);
  FormObject NumberEdit(int left, int top);
  FormObject RadioGroup(int left, int top);
  FormObject ListView(std::string_view align);
  FormObject DbGrid(std::string_view align);
  FormObject StatusBar();
  FormObject Timer(int left, int top);
  FormObject ImageList(int left, int top, int size);
  FormObject MainMenu(int left, int top);
  FormObject ActionList(int left, int top);
  FormObject Panel(std::string_view name, std::string_view align, int height);
  FormObject PageControl(int pages);

  FormObject Connection(int left, int top);
  FormObject Query(int left, int top, std::string_view connection, std::string_view table);
  FormObject DataSource(int left, int top, std::string_view dataSet);
  FormObject ClientDataSet(int left, int top, std::string_view table);

  /// A few simple controls laid out in rows inside a parent of the given width.
  void FillWithControls(FormObject& parent, int count, int width);

  /// A float property value of `kind`, or an extended float when only portable values are wanted.
  FormValue Float(ValueKind kind, double value);
  /// A small but valid bitmap file of `size` by `size` pixels.
  std::string BitmapFile(int size);

 private:
  FormObject Control(std::string_view className, std::string_view name, int left, int top, int width, int height);
  FormValue Caption(std::string_view text);
  std::vector<std::string> ListLines(int count);
  FormObject MenuItem(std::string_view caption, int depth);
  FormObject Field(std::string_view className, std::string_view table, std::string_view field);

  RandomSource& random_;
  bool portable_;
  std::set<std::string> names_;
  int tabOrder_ = 0;
};

}  // namespace tarnwick
