#include "form_model.h"

#include <limits>
#include <utility>

namespace tarnwick {

FormValue IntValue(int64_t value) {
  FormValue result;
  result.Integer = value;
  if (value >= std::numeric_limits<int8_t>::min() && value <= std::numeric_limits<int8_t>::max()) {
    result.Kind = ValueKind::Int8;
  } else if (value >= std::numeric_limits<int16_t>::min() && value <= std::numeric_limits<int16_t>::max()) {
    result.Kind = ValueKind::Int16;
  } else if (value >= std::numeric_limits<int32_t>::min() && value <= std::numeric_limits<int32_t>::max()) {
    result.Kind = ValueKind::Int32;
  } else {
    result.Kind = ValueKind::Int64;
  }
  return result;
}

FormValue IdentValue(std::string_view name) {
  FormValue result;
  result.Kind = ValueKind::Ident;
  result.Text = name;
  return result;
}

FormValue BoolValue(bool value) {
  FormValue result;
  result.Kind = value ? ValueKind::True : ValueKind::False;
  return result;
}

FormValue StringValue(std::string_view text) {
  FormValue result;
  result.Kind = text.size() <= 255 ? ValueKind::String : ValueKind::LString;
  result.Text = text;
  return result;
}

FormValue WideStringValue(std::u16string_view text) {
  FormValue result;
  result.Kind = ValueKind::WString;
  result.Wide = text;
  return result;
}

FormValue Utf8StringValue(std::string_view utf8) {
  FormValue result;
  result.Kind = ValueKind::Utf8String;
  result.Text = utf8;
  return result;
}

FormValue FloatValue(ValueKind kind, double value) {
  FormValue result;
  result.Kind = kind;
  result.Float = kind == ValueKind::Single ? static_cast<double>(static_cast<float>(value)) : value;
  return result;
}

FormValue CurrencyValue(int64_t tenThousandths) {
  FormValue result;
  result.Kind = ValueKind::Currency;
  result.Integer = tenThousandths;
  return result;
}

FormValue SetValue(std::initializer_list<std::string_view> names) {
  FormValue result;
  result.Kind = ValueKind::Set;
  for (std::string_view name : names) result.Names.emplace_back(name);
  return result;
}

FormValue StringListValue(const std::vector<std::string>& lines) {
  FormValue result;
  result.Kind = ValueKind::List;
  for (const std::string& line : lines) result.Values.push_back(StringValue(line));
  return result;
}

FormValue BinaryValue(std::string bytes) {
  FormValue result;
  result.Kind = ValueKind::Binary;
  result.Text = std::move(bytes);
  return result;
}

FormValue CollectionValue(std::vector<CollectionItem> items) {
  FormValue result;
  result.Kind = ValueKind::Collection;
  result.Items = std::move(items);
  return result;
}

FormValue NilValue() {
  FormValue result;
  result.Kind = ValueKind::Nil;
  return result;
}

FormValue NullValue() { return FormValue{}; }

}  // namespace tarnwick
