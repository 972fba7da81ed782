#include "analysis/form_file_reader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace tarnwick {
namespace {

constexpr std::string_view kInvalidStream = "Invalid stream format";
constexpr std::string_view kSignature = "TPF0";
// Objects, lists and collections nested deeper than this are taken for damage; the bound keeps
// the recursion of the converter far away from the end of the stack.
constexpr int kMaxNesting = 1000;
constexpr size_t kStringLineLength = 64;
constexpr size_t kBinaryLineLength = 32;
// Indentation lets a tiny stream of deeply nested one-byte values expand enormously; form text
// longer than this many bytes per input byte (plus a fixed allowance) is refused.
constexpr size_t kMaxExpansion = 128;
constexpr size_t kExpansionAllowance = size_t{1} << 20;

// The value types of the component stream.
enum ValueType : uint8_t {
  kNull = 0,
  kList = 1,
  kInt8 = 2,
  kInt16 = 3,
  kInt32 = 4,
  kExtended = 5,
  kString = 6,
  kIdent = 7,
  kFalse = 8,
  kTrue = 9,
  kBinary = 10,
  kSet = 11,
  kLString = 12,
  kNil = 13,
  kCollection = 14,
  kSingle = 15,
  kCurrency = 16,
  kDate = 17,
  kWString = 18,
  kInt64 = 19,
  kUtf8String = 20,
  kDouble = 21,
};

// Object prefix flags (low four bits of a prefix byte whose high four bits are all set).
constexpr uint8_t kFlagInherited = 1;
constexpr uint8_t kFlagChildPosition = 2;

/// Bounds-checked reading position in the form file. The first failure is kept; it moves the
/// position to the end, after which every read yields zeros or nothing, so that each loop waiting
/// for its 0 terminator ends at once and the converter unwinds without further checks.
class ByteCursor {
 public:
  explicit ByteCursor(std::string_view bytes) : bytes_(bytes) {}

  uint8_t ReadByte() {
    if (pos_ >= bytes_.size()) return FailAtEnd();
    return static_cast<uint8_t>(bytes_[pos_++]);
  }

  uint8_t PeekByte() {
    if (pos_ >= bytes_.size()) return FailAtEnd();
    return static_cast<uint8_t>(bytes_[pos_]);
  }

  std::string_view ReadBytes(uint64_t count) {
    if (count > bytes_.size() - pos_) {
      FailAtEnd();
      return {};
    }
    std::string_view result = bytes_.substr(pos_, count);
    pos_ += count;
    return result;
  }

  // A little-endian unsigned number of `size` bytes (at most 8).
  uint64_t ReadUnsigned(size_t size) {
    std::string_view raw = ReadBytes(size);
    uint64_t value = 0;
    for (size_t i = raw.size(); i > 0; --i) value = (value << 8) | static_cast<uint8_t>(raw[i - 1]);
    return value;
  }

  // A length byte followed by that many 8-bit characters.
  std::string_view ReadShortString() { return ReadBytes(ReadByte()); }

  void Fail(std::string_view reason) {
    if (failed_) return;
    failed_ = true;
    error_ = reason.empty() ? std::string(kInvalidStream)
                            : std::string(kInvalidStream) + ": " + std::string(reason);
    pos_ = bytes_.size();
  }

  bool Failed() const { return failed_; }
  const std::string& Error() const { return error_; }

 private:
  uint8_t FailAtEnd() {
    Fail("unexpected end of data");
    return 0;
  }

  std::string_view bytes_;
  size_t pos_ = 0;
  bool failed_ = false;
  std::string error_;
};

// Decodes an 80-bit extended float (64-bit mantissa with an explicit integer bit, 15-bit
// exponent biased by 16383, sign bit) into the nearest double.
double DecodeExtended(std::string_view raw) {
  if (raw.size() != 10) return 0.0;
  uint64_t mantissa = 0;
  for (size_t i = 8; i > 0; --i) mantissa = (mantissa << 8) | static_cast<uint8_t>(raw[i - 1]);
  const unsigned signAndExponent =
      static_cast<uint8_t>(raw[8]) | (static_cast<unsigned>(static_cast<uint8_t>(raw[9])) << 8);
  const bool negative = (signAndExponent & 0x8000) != 0;
  const int exponent = static_cast<int>(signAndExponent & 0x7FFF);
  double value;
  if (exponent == 0x7FFF) {
    value = (mantissa << 1) == 0 ? std::numeric_limits<double>::infinity()
                                 : std::numeric_limits<double>::quiet_NaN();
  } else {
    // Denormals use the exponent of the smallest normal number.
    value = std::ldexp(static_cast<double>(mantissa), std::max(exponent, 1) - 16383 - 63);
  }
  return negative ? -value : value;
}

// Appends the shortest text that reads back as the same value, always with a "." so that the
// text stays a float: 2 becomes "2.0", 1e+20 becomes "1.0E+20". Infinity and NaN stay "inf",
// "-inf" and "nan".
template <typename Float>
void AppendFloat(std::string& out, Float value) {
  std::array<char, 64> buffer;
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  std::string_view text(buffer.data(), result.ptr - buffer.data());
  if (!std::isfinite(value)) {
    out += text;
    return;
  }
  const size_t exponentAt = std::min(text.find('e'), text.size());
  const std::string_view mantissa = text.substr(0, exponentAt);
  out += mantissa;
  if (mantissa.find('.') == std::string_view::npos) out += ".0";
  if (exponentAt < text.size()) {
    out += 'E';
    out += text.substr(exponentAt + 1);
  }
}

template <typename Integer>
void AppendInteger(std::string& out, Integer value) {
  std::array<char, 24> buffer;
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  out.append(buffer.data(), result.ptr - buffer.data());
}

// Currency is a count of ten-thousandths; it is written exactly, with at least one decimal.
void AppendCurrency(std::string& out, int64_t tenThousandths) {
  uint64_t magnitude = static_cast<uint64_t>(tenThousandths);
  if (tenThousandths < 0) {
    out += '-';
    magnitude = 0 - magnitude;
  }
  AppendInteger(out, magnitude / 10000);
  out += '.';
  std::array<char, 4> digits;
  uint64_t fraction = magnitude % 10000;
  for (size_t i = digits.size(); i > 0; --i, fraction /= 10)
    digits[i - 1] = static_cast<char>('0' + fraction % 10);
  size_t used = digits.size();
  while (used > 1 && digits[used - 1] == '0') --used;
  out.append(digits.data(), used);
}

// The length of the UTF-8 sequence that `lead` starts, 0 for a byte that cannot start one.
size_t Utf8SequenceLength(uint8_t lead) {
  if (lead < 0x80) return 1;
  if (lead < 0xC2) return 0;
  if (lead < 0xE0) return 2;
  if (lead < 0xF0) return 3;
  return lead < 0xF5 ? 4 : 0;
}

// The code point of the well-formed sequence of `length` bytes at the start of `text`, or
// nothing for a cut, overlong or surrogate sequence.
std::optional<char32_t> DecodeUtf8Sequence(std::string_view text, size_t length) {
  static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  static constexpr uint8_t kLeadMask[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
  if (length == 0 || length > text.size()) return std::nullopt;
  char32_t code = static_cast<uint8_t>(text[0]) & kLeadMask[length];
  for (size_t k = 1; k < length; ++k) {
    const auto next = static_cast<uint8_t>(text[k]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    code = (code << 6) | (next & 0x3F);
  }
  if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
    return std::nullopt;
  return code;
}

// Decodes UTF-8 into UTF-16 code units. A byte that does not start a well-formed sequence
// stands for the character with that byte's code, as an 8-bit string would read it.
void DecodeUtf8(std::string_view text, std::u16string& units) {
  units.clear();
  for (size_t i = 0; i < text.size();) {
    const auto lead = static_cast<uint8_t>(text[i]);
    const size_t length = Utf8SequenceLength(lead);
    const std::optional<char32_t> decoded = DecodeUtf8Sequence(text.substr(i), length);
    char32_t code = decoded.value_or(lead);
    i += decoded ? length : 1;
    if (code > 0xFFFF) {
      code -= 0x10000;
      units += static_cast<char16_t>(0xD800 + (code >> 10));
      units += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    } else {
      units += static_cast<char16_t>(code);
    }
  }
}

/// Writes the component stream of a binary form file as form text. Owns the text while it is
/// built; the bytes it reads belong to the caller.
class StreamConverter {
 public:
  explicit StreamConverter(std::string_view fileBytes)
      : in_(fileBytes), outputLimit_(fileBytes.size() * kMaxExpansion + kExpansionAllowance) {
    out_.reserve(fileBytes.size() * 2 + 256);
  }

  FormConversion Convert() {
    SkipResourceHeader();
    if (!in_.Failed() && in_.ReadBytes(kSignature.size()) != kSignature) in_.Fail("");
    if (!in_.Failed()) WriteObject(0);
    FormConversion result;
    if (in_.Failed()) {
      result.Error = in_.Error();
      return result;
    }
    out_ += "\r\n";
    result.Ok = true;
    result.Text = std::move(out_);
    return result;
  }

 private:
  // 0xFF and the type (checked by the caller), the zero-terminated name, flags and size.
  void SkipResourceHeader() {
    in_.ReadBytes(3);
    while (in_.ReadByte() != 0) {
    }
    in_.ReadBytes(6);
  }

  // Starts a new line at `level` (two blanks each); the first line of the text has no line end
  // before it.
  void NewLine(int level) {
    if (out_.size() > outputLimit_) in_.Fail("form text too large");
    if (!out_.empty()) out_ += "\r\n";
    out_.append(static_cast<size_t>(level) * 2, ' ');
  }

  bool Enter() {
    if (++depth_ <= kMaxNesting) return true;
    in_.Fail("nesting too deep");
    return false;
  }

  void Leave() { --depth_; }

  void WriteObject(int level) {
    if (Enter()) {
      NewLine(level);
      WriteObjectHeader();
      WriteProperties(level + 1);
      while (!in_.Failed() && in_.PeekByte() != 0) WriteObject(level + 1);
      in_.ReadByte();
      NewLine(level);
      out_ += "end";
    }
    Leave();
  }

  void WriteObjectHeader() {
    uint8_t flags = 0;
    if ((in_.PeekByte() & 0xF0) == 0xF0) flags = in_.ReadByte() & 0x0F;
    std::optional<int64_t> position;
    if (flags & kFlagChildPosition) position = ReadIntegerValue();
    const std::string_view className = in_.ReadShortString();
    const std::string_view objectName = in_.ReadShortString();
    out_ += (flags & kFlagInherited) ? "inherited " : "object ";
    if (!objectName.empty()) {
      out_ += objectName;
      out_ += ": ";
    }
    out_ += className;
    if (position) {
      out_ += " [";
      AppendInteger(out_, *position);
      out_ += ']';
    }
  }

  // Property lines "name = value" at `level`, up to an empty name.
  void WriteProperties(int level) {
    for (std::string_view name = in_.ReadShortString(); !name.empty();
         name = in_.ReadShortString()) {
      NewLine(level);
      out_ += name;
      out_ += " = ";
      WriteValue(in_.ReadByte(), level);
    }
  }

  // An integer value as used for child positions and collection item orders.
  int64_t ReadIntegerValue() { return ReadInteger(in_.ReadByte()); }

  int64_t ReadInteger(uint8_t type) {
    switch (type) {
      case kInt8: return static_cast<int8_t>(in_.ReadUnsigned(1));
      case kInt16: return static_cast<int16_t>(in_.ReadUnsigned(2));
      case kInt32: return static_cast<int32_t>(in_.ReadUnsigned(4));
      case kInt64: return static_cast<int64_t>(in_.ReadUnsigned(8));
      default: FailOnType("unexpected value type", type); return 0;
    }
  }

  void FailOnType(std::string_view what, uint8_t type) {
    std::string reason(what);
    reason += ' ';
    AppendInteger(reason, static_cast<int>(type));
    in_.Fail(reason);
  }

  // Writes one value whose type byte has been read; `level` is that of the line it starts on.
  void WriteValue(uint8_t type, int level) {
    switch (type) {
      case kList: WriteList(level); break;
      case kString: WriteChars(in_.ReadShortString(), level); break;
      case kLString: WriteChars(in_.ReadBytes(in_.ReadUnsigned(4)), level); break;
      case kWString: WriteWideString(level); break;
      case kUtf8String: WriteUtf8String(level); break;
      case kBinary: WriteBinary(level); break;
      case kSet: WriteSet(); break;
      case kCollection: WriteCollection(level); break;
      default: WriteScalar(type); break;
    }
  }

  void WriteScalar(uint8_t type) {
    switch (type) {
      case kNull: out_ += "Null"; break;
      case kIdent: out_ += in_.ReadShortString(); break;
      case kFalse: out_ += "False"; break;
      case kTrue: out_ += "True"; break;
      case kNil: out_ += "nil"; break;
      case kInt8:
      case kInt16:
      case kInt32:
      case kInt64: AppendInteger(out_, ReadInteger(type)); break;
      case kExtended: AppendFloat(out_, DecodeExtended(in_.ReadBytes(10))); break;
      case kDouble: AppendFloat(out_, std::bit_cast<double>(in_.ReadUnsigned(8))); break;
      case kSingle:
        AppendFloat(out_, std::bit_cast<float>(static_cast<uint32_t>(in_.ReadUnsigned(4))));
        out_ += 's';
        break;
      case kCurrency:
        AppendCurrency(out_, static_cast<int64_t>(in_.ReadUnsigned(8)));
        out_ += 'c';
        break;
      case kDate:
        AppendFloat(out_, std::bit_cast<double>(in_.ReadUnsigned(8)));
        out_ += 'd';
        break;
      default: FailOnType("unknown value type", type); break;
    }
  }

  // "(" and one value per line one level deeper, ")" right after the last one.
  void WriteList(int level) {
    if (Enter()) {
      out_ += '(';
      for (uint8_t type = in_.ReadByte(); type != kNull; type = in_.ReadByte()) {
        NewLine(level + 1);
        WriteValue(type, level + 1);
      }
      out_ += ')';
    }
    Leave();
  }

  void WriteSet() {
    out_ += '[';
    bool first = true;
    for (std::string_view name = in_.ReadShortString(); !name.empty();
         name = in_.ReadShortString()) {
      if (!first) out_ += ", ";
      out_ += name;
      first = false;
    }
    out_ += ']';
  }

  // "<", then "item" [order], its properties and "end" per item, ">" right after the last "end".
  void WriteCollection(int level) {
    if (Enter()) {
      out_ += '<';
      for (uint8_t marker = in_.ReadByte(); marker != kNull; marker = in_.ReadByte()) {
        NewLine(level + 1);
        out_ += "item";
        if (marker != kList) {
          out_ += " [";
          AppendInteger(out_, ReadInteger(marker));
          out_ += ']';
          marker = in_.ReadByte();
          if (marker != kList) FailOnType("unexpected value type", marker);
        }
        WriteProperties(level + 2);
        NewLine(level + 1);
        out_ += "end";
      }
      out_ += '>';
    }
    Leave();
  }

  // Upper-case hexadecimal digits; data of a full line or more goes on lines of its own.
  void WriteBinary(int level) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    const std::string_view data = in_.ReadBytes(in_.ReadUnsigned(4));
    out_ += '{';
    for (size_t start = 0; start < data.size(); start += kBinaryLineLength) {
      if (data.size() >= kBinaryLineLength) NewLine(level + 1);
      const size_t end = std::min(data.size(), start + kBinaryLineLength);
      for (size_t i = start; i < end; ++i) {
        const auto byte = static_cast<uint8_t>(data[i]);
        out_ += kHex[byte >> 4];
        out_ += kHex[byte & 0x0F];
      }
    }
    out_ += '}';
  }

  void WriteChars(std::string_view chars, int level) {
    WriteQuoted(reinterpret_cast<const unsigned char*>(chars.data()), chars.size(), level);
  }

  void WriteWideString(int level) {
    const uint64_t count = in_.ReadUnsigned(4);
    const std::string_view raw = in_.ReadBytes(count * 2);
    wide_.resize(raw.size() / 2);
    for (size_t i = 0; i < wide_.size(); ++i) {
      wide_[i] = static_cast<char16_t>(static_cast<uint8_t>(raw[2 * i]) |
                                       (static_cast<uint8_t>(raw[2 * i + 1]) << 8));
    }
    WriteQuoted(wide_.data(), wide_.size(), level);
  }

  void WriteUtf8String(int level) {
    DecodeUtf8(in_.ReadBytes(in_.ReadUnsigned(4)), wide_);
    WriteQuoted(wide_.data(), wide_.size(), level);
  }

  // A string longer than one line starts on a new line one level deeper and continues there,
  // 64 characters per line, each line but the last ending with " +".
  template <typename Char>
  void WriteQuoted(const Char* chars, size_t count, int level) {
    if (count == 0) {
      out_ += "''";
      return;
    }
    const bool split = count > kStringLineLength;
    for (size_t start = 0; start < count; start += kStringLineLength) {
      if (split) {
        if (start > 0) out_ += " +";
        NewLine(level + 1);
      }
      WriteRuns(chars + start, std::min(kStringLineLength, count - start));
    }
  }

  // Printable characters in single quotes; control characters, the quote itself and the
  // characters of wide strings above 127 as "#" and the decimal code, so the text means the same
  // whatever code page reads it. Byte strings keep their bytes.
  template <typename Char>
  void WriteRuns(const Char* chars, size_t count) {
    constexpr unsigned kLastLiteral = sizeof(Char) == 1 ? 255 : 127;
    bool quoted = false;
    for (size_t i = 0; i < count; ++i) {
      const unsigned code = chars[i];
      const bool literal = code >= 32 && code != '\'' && code <= kLastLiteral;
      if (literal != quoted) {
        out_ += '\'';
        quoted = literal;
      }
      if (literal) {
        out_ += static_cast<char>(code);
      } else {
        out_ += '#';
        AppendInteger(out_, code);
      }
    }
    if (quoted) out_ += '\'';
  }

  ByteCursor in_;
  std::string out_;
  std::u16string wide_;
  size_t outputLimit_;
  int depth_ = 0;
};

bool IsBinaryFormHeader(std::string_view bytes) {
  return bytes.size() >= 3 && static_cast<uint8_t>(bytes[0]) == 0xFF && bytes[1] == 10 &&
         bytes[2] == 0;
}

bool StartsWithKeyword(std::string_view text, std::string_view keyword) {
  if (text.size() <= keyword.size()) return false;
  for (size_t i = 0; i < keyword.size(); ++i) {
    const char c = text[i];
    if ((c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c) != keyword[i]) return false;
  }
  const char after = text[keyword.size()];
  return after == ' ' || after == '\t' || after == '\r' || after == '\n';
}

// The text of a form file stored as text, without its byte order mark.
std::optional<std::string_view> FormTextBody(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  const size_t start = bytes.find_first_not_of(" \t\r\n");
  if (start == std::string_view::npos) return std::nullopt;
  const std::string_view rest = bytes.substr(start);
  for (std::string_view keyword : {"object", "inherited", "inline"}) {
    if (StartsWithKeyword(rest, keyword)) return bytes;
  }
  return std::nullopt;
}

}  // namespace

FormConversion ConvertFormFile(std::string_view fileBytes) {
  if (IsBinaryFormHeader(fileBytes)) return StreamConverter(fileBytes).Convert();
  FormConversion result;
  if (const auto text = FormTextBody(fileBytes)) {
    result.Ok = true;
    result.Text = std::string(*text);
  } else {
    result.Error = std::string(kInvalidStream);
  }
  return result;
}

}  // namespace tarnwick
