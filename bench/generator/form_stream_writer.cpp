#include "form_stream_writer.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string_view>

namespace tarnwick {

namespace {

constexpr uint8_t kFlagInherited = 1;
constexpr uint8_t kFlagPosition = 2;
constexpr uint8_t kFlagInline = 4;

// The 80-bit extended float nearest to `value`: a 64-bit mantissa with its integer bit, then a
// 15-bit exponent biased by 16383 and the sign. Every finite double is held exactly.
std::string EncodeExtended(double value) {
  uint64_t mantissa = 0;
  unsigned exponent = 0;
  if (value != 0 && std::isfinite(value)) {
    int binaryExponent = 0;
    const double fraction = std::frexp(std::fabs(value), &binaryExponent);  // in [0.5, 1)
    mantissa = static_cast<uint64_t>(std::ldexp(fraction, 64));
    exponent = static_cast<unsigned>(binaryExponent - 1 + 16383);
  }
  if (std::signbit(value)) exponent |= 0x8000;
  std::string bytes;
  for (int i = 0; i < 8; ++i) bytes += static_cast<char>(mantissa >> (8 * i));
  bytes += static_cast<char>(exponent & 0xFF);
  bytes += static_cast<char>(exponent >> 8);
  return bytes;
}

/// Appends the parts of a component stream to one byte string.
class StreamWriter {
 public:
  std::string Take() { return std::move(out_); }

  void Object(const FormObject& object) {
    WriteFlags(object);
    ShortString(object.ClassName);
    ShortString(object.Name);
    Properties(object.Properties);
    for (const FormObject& child : object.Children) Object(child);
    Byte(0);
  }

 private:
  void Byte(uint8_t value) { out_ += static_cast<char>(value); }

  void LittleEndian(uint64_t value, int size) {
    for (int i = 0; i < size; ++i) Byte(static_cast<uint8_t>(value >> (8 * i)));
  }

  void ShortString(std::string_view text) {
    if (text.size() > 255) throw std::invalid_argument("name longer than 255 characters");
    Byte(static_cast<uint8_t>(text.size()));
    out_ += text;
  }

  void WriteFlags(const FormObject& object) {
    uint8_t flags = 0;
    if (object.Inherited) flags |= kFlagInherited;
    if (object.Position) flags |= kFlagPosition;
    if (object.Inline) flags |= kFlagInline;
    if (flags != 0) Byte(0xF0 | flags);
    if (object.Position) Value(IntValue(*object.Position));
  }

  void Properties(const std::vector<FormProperty>& properties) {
    for (const FormProperty& property : properties) {
      ShortString(property.Name);
      Value(property.Value);
    }
    Byte(0);
  }

  void Value(const FormValue& value) {
    Byte(static_cast<uint8_t>(value.Kind));
    switch (value.Kind) {
      case ValueKind::Int8: LittleEndian(static_cast<uint64_t>(value.Integer), 1); break;
      case ValueKind::Int16: LittleEndian(static_cast<uint64_t>(value.Integer), 2); break;
      case ValueKind::Int32: LittleEndian(static_cast<uint64_t>(value.Integer), 4); break;
      case ValueKind::Int64:
      case ValueKind::Currency: LittleEndian(static_cast<uint64_t>(value.Integer), 8); break;
      case ValueKind::Extended: out_ += EncodeExtended(value.Float); break;
      case ValueKind::Single: LittleEndian(std::bit_cast<uint32_t>(static_cast<float>(value.Float)), 4); break;
      case ValueKind::Date:
      case ValueKind::Double: LittleEndian(std::bit_cast<uint64_t>(value.Float), 8); break;
      default: Structured(value); break;
    }
  }

  // The kinds with a length, a terminator or no data at all.
  void Structured(const FormValue& value) {
    switch (value.Kind) {
      case ValueKind::String:
      case ValueKind::Ident: ShortString(value.Text); break;
      case ValueKind::LString:
      case ValueKind::Utf8String:
      case ValueKind::Binary: Counted(value.Text); break;
      case ValueKind::WString: Wide(value.Wide); break;
      case ValueKind::Set:
        for (const std::string& name : value.Names) ShortString(name);
        Byte(0);
        break;
      case ValueKind::List:
        for (const FormValue& element : value.Values) Value(element);
        Byte(0);
        break;
      case ValueKind::Collection: Collection(value.Items); break;
      default: break;  // Null, Nil, False, True: the type byte says it all
    }
  }

  void Counted(std::string_view bytes) {
    LittleEndian(bytes.size(), 4);
    out_ += bytes;
  }

  void Wide(std::u16string_view text) {
    LittleEndian(text.size(), 4);
    for (char16_t unit : text) LittleEndian(unit, 2);
  }

  void Collection(const std::vector<CollectionItem>& items) {
    for (const CollectionItem& item : items) {
      if (item.Order) Value(IntValue(*item.Order));
      Byte(static_cast<uint8_t>(ValueKind::List));
      Properties(item.Properties);
    }
    Byte(0);
  }

  std::string out_;
};

std::string UpperCase(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return result;
}

}  // namespace

std::string WriteComponentStream(const FormObject& root) {
  StreamWriter writer;
  writer.Object(root);
  return "TPF0" + writer.Take();
}

std::string WriteBinaryFormFile(const FormObject& root) {
  const std::string stream = WriteComponentStream(root);
  std::string file("\xFF\x0A\x00", 3);
  file += UpperCase(root.ClassName);
  file += '\0';
  file += "\x30\x10";
  for (int i = 0; i < 4; ++i) file += static_cast<char>(static_cast<uint64_t>(stream.size()) >> (8 * i));
  return file + stream;
}

}  // namespace tarnwick
