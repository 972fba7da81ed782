#include "form_text_writer.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string_view>
#include <type_traits>

namespace tarnwick {

namespace {

constexpr size_t kStringLineLength = 64;
constexpr size_t kBinaryLineLength = 32;

// UTF-8 as UTF-16 code units; the generator only ever writes well-formed UTF-8.
std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string units;
  for (size_t i = 0; i < text.size();) {
    const auto lead = static_cast<uint8_t>(text[i]);
    const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t code = length == 1 ? lead : lead & (0xFF >> (length + 1));
    for (size_t k = 1; k < length && i + k < text.size(); ++k) code = (code << 6) | (text[i + k] & 0x3F);
    i += length;
    if (code > 0xFFFF) {
      code -= 0x10000;
      units += static_cast<char16_t>(0xD800 + (code >> 10));
      units += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    } else {
      units += static_cast<char16_t>(code);
    }
  }
  return units;
}

template <typename Number>
void AppendNumber(std::string& out, Number value) {
  std::array<char, 64> buffer;
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  out.append(buffer.data(), result.ptr);
}

// The shortest text that reads back as the same value, always with a "." and an upper-case "E".
template <typename Float>
void AppendFloat(std::string& out, Float value) {
  std::string text;
  AppendNumber(text, value);
  if (!std::isfinite(value)) {
    out += text;
    return;
  }
  const size_t exponentAt = std::min(text.find('e'), text.size());
  out.append(text, 0, exponentAt);
  if (text.find('.') == std::string::npos) out += ".0";
  if (exponentAt < text.size()) {
    out.push_back('E');
    out.append(text, exponentAt + 1);
  }
}

void AppendCurrency(std::string& out, int64_t tenThousandths) {
  uint64_t magnitude = static_cast<uint64_t>(tenThousandths);
  if (tenThousandths < 0) {
    out += '-';
    magnitude = 0 - magnitude;
  }
  AppendNumber(out, magnitude / 10000);
  std::string digits = std::to_string(10000 + magnitude % 10000).substr(1);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  out += "." + digits;
}

/// Builds the text of one form line by line.
class TextWriter {
 public:
  explicit TextWriter(bool inlineKeyword) : inlineKeyword_(inlineKeyword) {}

  std::string Finish() { return std::move(out_) + "\r\n"; }

  void Object(const FormObject& object, int level) {
    NewLine(level);
    out_ += object.Inherited ? "inherited " : object.Inline && inlineKeyword_ ? "inline " : "object ";
    if (!object.Name.empty()) out_ += object.Name + ": ";
    out_ += object.ClassName;
    if (object.Position) {
      out_ += " [";
      AppendNumber(out_, *object.Position);
      out_ += ']';
    }
    Properties(object.Properties, level + 1);
    for (const FormObject& child : object.Children) Object(child, level + 1);
    NewLine(level);
    out_ += "end";
  }

 private:
  void NewLine(int level) {
    if (!out_.empty()) out_ += "\r\n";
    out_.append(static_cast<size_t>(level) * 2, ' ');
  }

  void Properties(const std::vector<FormProperty>& properties, int level) {
    for (const FormProperty& property : properties) {
      NewLine(level);
      out_ += property.Name + " = ";
      Value(property.Value, level);
    }
  }

  void Value(const FormValue& value, int level) {
    switch (value.Kind) {
      case ValueKind::List: List(value.Values, level); break;
      case ValueKind::String:
      case ValueKind::LString: Quoted(std::string_view(value.Text), level); break;
      case ValueKind::WString: Quoted(std::u16string_view(value.Wide), level); break;
      case ValueKind::Utf8String: Quoted(std::u16string_view(Utf8ToUtf16(value.Text)), level); break;
      case ValueKind::Binary: Binary(value.Text, level); break;
      case ValueKind::Set: Set(value.Names); break;
      case ValueKind::Collection: Collection(value.Items, level); break;
      default: Scalar(value); break;
    }
  }

  void Scalar(const FormValue& value) {
    switch (value.Kind) {
      case ValueKind::Null: out_ += "Null"; break;
      case ValueKind::Ident: out_ += value.Text; break;
      case ValueKind::False: out_ += "False"; break;
      case ValueKind::True: out_ += "True"; break;
      case ValueKind::Nil: out_ += "nil"; break;
      case ValueKind::Extended:
      case ValueKind::Double: AppendFloat(out_, value.Float); break;
      case ValueKind::Single:
        AppendFloat(out_, static_cast<float>(value.Float));
        out_ += 's';
        break;
      case ValueKind::Currency:
        AppendCurrency(out_, value.Integer);
        out_ += 'c';
        break;
      case ValueKind::Date:
        AppendFloat(out_, value.Float);
        out_ += 'd';
        break;
      default: AppendNumber(out_, value.Integer); break;
    }
  }

  void List(const std::vector<FormValue>& values, int level) {
    out_ += '(';
    for (const FormValue& element : values) {
      NewLine(level + 1);
      Value(element, level + 1);
    }
    out_ += ')';
  }

  void Set(const std::vector<std::string>& names) {
    out_ += '[';
    for (size_t i = 0; i < names.size(); ++i) out_ += (i > 0 ? ", " : "") + names[i];
    out_ += ']';
  }

  void Collection(const std::vector<CollectionItem>& items, int level) {
    out_ += '<';
    for (const CollectionItem& item : items) {
      NewLine(level + 1);
      out_ += "item";
      if (item.Order) {
        out_ += " [";
        AppendNumber(out_, *item.Order);
        out_ += ']';
      }
      Properties(item.Properties, level + 2);
      NewLine(level + 1);
      out_ += "end";
    }
    out_ += '>';
  }

  void Binary(std::string_view data, int level) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    out_ += '{';
    for (size_t start = 0; start < data.size(); start += kBinaryLineLength) {
      if (data.size() >= kBinaryLineLength) NewLine(level + 1);
      for (size_t i = start; i < std::min(data.size(), start + kBinaryLineLength); ++i) {
        const auto byte = static_cast<uint8_t>(data[i]);
        out_ += kHex[byte >> 4];
        out_ += kHex[byte & 0x0F];
      }
    }
    out_ += '}';
  }

  template <typename Char>
  void Quoted(std::basic_string_view<Char> chars, int level) {
    if (chars.empty()) {
      out_ += "''";
      return;
    }
    const bool split = chars.size() > kStringLineLength;
    for (size_t start = 0; start < chars.size(); start += kStringLineLength) {
      if (split) {
        if (start > 0) out_ += " +";
        NewLine(level + 1);
      }
      Runs(chars.substr(start, kStringLineLength));
    }
  }

  // Printable characters in quotes, everything else as "#" and its code; wide strings code
  // every character above 127.
  template <typename Char>
  void Runs(std::basic_string_view<Char> chars) {
    constexpr unsigned kLastLiteral = sizeof(Char) == 1 ? 255 : 127;
    bool quoted = false;
    for (Char c : chars) {
      const unsigned code = static_cast<std::make_unsigned_t<Char>>(c);
      const bool literal = code >= 32 && code != '\'' && code <= kLastLiteral;
      if (literal != quoted) {
        out_ += '\'';
        quoted = literal;
      }
      if (literal) {
        out_ += static_cast<char>(code);
      } else {
        out_ += '#';
        AppendNumber(out_, code);
      }
    }
    if (quoted) out_ += '\'';
  }

  bool inlineKeyword_;
  std::string out_;
};

}  // namespace

std::string WriteFormText(const FormObject& root, bool inlineKeyword) {
  TextWriter writer(inlineKeyword);
  writer.Object(root, 0);
  return writer.Finish();
}

}  // namespace tarnwick
