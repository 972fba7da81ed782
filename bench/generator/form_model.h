#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

/// The value types of a component stream, numbered as their type bytes.
enum class ValueKind : uint8_t {
  Null = 0,
  List = 1,
  Int8 = 2,
  Int16 = 3,
  Int32 = 4,
  Extended = 5,
  String = 6,
  Ident = 7,
  False = 8,
  True = 9,
  Binary = 10,
  Set = 11,
  LString = 12,
  Nil = 13,
  Collection = 14,
  Single = 15,
  Currency = 16,
  Date = 17,
  WString = 18,
  Int64 = 19,
  Utf8String = 20,
  Double = 21,
};

struct CollectionItem;

/// One property value of a form, as the designer would store it. Which fields mean something
/// depends on `Kind`: `Integer` for the integer kinds and for currency (ten-thousandths), `Float`
/// for the float kinds, `Text` for 8-bit and UTF-8 strings, identifiers and binary data, `Wide` for
/// wide strings, `Names` for sets, `Values` for lists and `Items` for collections.
struct FormValue {
  ValueKind Kind = ValueKind::Null;
  int64_t Integer = 0;
  double Float = 0;
  std::string Text;
  std::u16string Wide;
  std::vector<std::string> Names;
  std::vector<FormValue> Values;
  std::vector<CollectionItem> Items;
};

/// A property line: a name (dotted for sub properties such as Font.Name) and its value.
struct FormProperty {
  std::string Name;
  FormValue Value;
};

/// One item of a collection, with its optional order value.
struct CollectionItem {
  std::optional<int64_t> Order;
  std::vector<FormProperty> Properties;
};

/// A component of a form with its properties and the components it holds. The root is the form,
/// frame or data module itself.
struct FormObject {
  std::string ClassName;
  std::string Name;
  bool Inherited = false;
  bool Inline = false;
  std::optional<int64_t> Position;
  std::vector<FormProperty> Properties;
  std::vector<FormObject> Children;

  FormObject& Add(std::string name, FormValue value) {
    Properties.push_back({std::move(name), std::move(value)});
    return *this;
  }
};

// Values as the designer writes them. Integers take the smallest type that holds them; strings
// of up to 255 characters are short strings, longer ones long strings.
FormValue IntValue(int64_t value);
FormValue IdentValue(std::string_view name);
FormValue BoolValue(bool value);
FormValue StringValue(std::string_view text);
FormValue WideStringValue(std::u16string_view text);
FormValue Utf8StringValue(std::string_view utf8);
FormValue FloatValue(ValueKind kind, double value);
FormValue CurrencyValue(int64_t tenThousandths);
FormValue SetValue(std::initializer_list<std::string_view> names);
FormValue StringListValue(const std::vector<std::string>& lines);
FormValue BinaryValue(std::string bytes);
FormValue CollectionValue(std::vector<CollectionItem> items);
FormValue NilValue();
FormValue NullValue();

}  // namespace tarnwick
