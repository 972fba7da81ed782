#include "platform/settings_store.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <utility>

#include "platform/file_system.h"
#include "platform/text_util.h"

namespace tarnwick {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kRootName = "HKEY_CURRENT_USER";
constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// Hex data lines are broken after the byte that reaches this column, as the registry editor does.
constexpr size_t kHexLineWidth = 76;

// Sort rank of a character in key names: the separator sorts before everything, so a key is
// followed directly by its sub keys; letters rank without regard to case.
int CharRank(char c) {
  if (c == '\\') return 0;
  return static_cast<unsigned char>(LowerAscii(c)) + 1;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view TrimLeft(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

std::string_view TrimRight(std::string_view text) {
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view Trim(std::string_view text) { return TrimLeft(TrimRight(text)); }

// Splits a key path at "\", trims each part and drops the empty ones: "\A\\ B \" becomes "A\B".
std::string NormalizeKeyPath(std::string_view path) {
  std::string result;
  while (!path.empty()) {
    size_t end = path.find('\\');
    std::string_view part = Trim(path.substr(0, end));
    if (!part.empty()) {
      if (!result.empty()) result += '\\';
      result += part;
    }
    if (end == std::string_view::npos) break;
    path.remove_prefix(end + 1);
  }
  return result;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = LowerAscii(c);
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// ---- Reading ----

// Reads a quoted text starting at text[pos] == '"'; "\\" and "\"" are escapes, any other
// backslash stands for itself. Leaves pos after the closing quote. False when unterminated.
bool ReadQuoted(std::string_view text, size_t& pos, std::string& out) {
  out.clear();
  size_t i = pos + 1;
  while (i < text.size()) {
    // Plain runs are copied whole; only the three special characters are looked at one by one.
    // (find_first_of would search the set of three once for every character.)
    size_t special = i;
    while (special < text.size() && text[special] != '\\' && text[special] != '"' &&
           text[special] != '\n') {
      ++special;
    }
    if (special == text.size()) break;
    out.append(text.substr(i, special - i));
    char c = text[special];
    if (c == '\n') return false;
    if (c == '"') {
      pos = special + 1;
      return true;
    }
    bool escape = special + 1 < text.size() && (text[special + 1] == '\\' || text[special + 1] == '"');
    out += escape ? text[special + 1] : c;
    i = special + (escape ? 2 : 1);
  }
  return false;
}

// Removes the line continuations ("\" at a line's end, the next line's leading blanks); the
// joined text goes to `result` only when there is something to join.
std::string_view JoinContinuations(std::string_view text, std::string& result) {
  if (text.find("\\\n") == std::string_view::npos) return text;
  result.clear();
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == '\n') {
      i += 2;
      while (i < text.size() && IsBlank(text[i])) ++i;
      --i;
      continue;
    }
    result += text[i];
  }
  return result;
}

// "25,54,00" as bytes; nothing when a byte is not one or two hex digits.
std::optional<std::string> ParseHexBytes(std::string_view list) {
  std::string bytes;
  bytes.reserve(list.size() / 3 + 1);
  size_t i = 0;
  while (true) {
    while (i < list.size() && IsBlank(list[i])) ++i;
    int value = 0;
    size_t digits = 0;
    for (int digit; i < list.size() && (digit = HexDigit(list[i])) >= 0; ++i, ++digits) value = value * 16 + digit;
    while (i < list.size() && IsBlank(list[i])) ++i;
    if (digits == 0 || digits > 2) return std::nullopt;
    bytes += static_cast<char>(value);
    if (i == list.size()) return bytes;
    if (list[i++] != ',') return std::nullopt;
  }
}

std::optional<uint32_t> ParseDword(std::string_view digits) {
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  uint32_t value = 0;
  for (char c : digits) {
    int digit = HexDigit(c);
    if (digit < 0) return std::nullopt;
    value = value * 16 + static_cast<uint32_t>(digit);
  }
  return value;
}

// A text of 8-bit characters with its terminating NUL, as hex(1) and hex(2) data hold it.
std::optional<std::string> ParseHexText(std::string_view list) {
  std::optional<std::string> bytes = ParseHexBytes(list);
  if (!bytes || bytes->back() != '\0') return std::nullopt;
  bytes->pop_back();
  return bytes;
}

// "kind:" at the start of a value's data: letters, digits and parentheses before a colon.
bool HasKindPrefix(std::string_view data) {
  size_t colon = data.find(':');
  if (colon == 0 || colon == std::string_view::npos) return false;
  for (char c : data.substr(0, colon)) {
    bool isWordChar = (c >= '0' && c <= '9') || (LowerAscii(c) >= 'a' && LowerAscii(c) <= 'z');
    if (!isWordChar && c != '(' && c != ')') return false;
  }
  return true;
}

// The value held by the text right of "=" (its lines joined by "\n"); nothing when malformed.
std::optional<RegValue> DecodeData(std::string_view data) {
  std::string joined;
  std::string_view text = JoinContinuations(data, joined);
  RegValue value;
  if (text.starts_with('"')) {
    size_t pos = 0;
    if (!ReadQuoted(text, pos, value.Text) || pos != text.size()) return std::nullopt;
    return value;
  }
  if (text.starts_with("dword:")) {
    if (std::optional<uint32_t> number = ParseDword(text.substr(6))) {
      value.Type = RegType::Dword;
      value.Number = *number;
      return value;
    }
  } else if (text.starts_with("hex(2):") || text.starts_with("hex(1):")) {
    if (std::optional<std::string> chars = ParseHexText(text.substr(7))) {
      value.Type = text[4] == '2' ? RegType::ExpandString : RegType::String;
      value.Text = std::move(*chars);
      return value;
    }
  }
  if (!HasKindPrefix(text)) return std::nullopt;
  value.Type = RegType::Raw;
  value.Text = std::string(data);
  return value;
}

struct ParsedValue {
  std::string Name;
  RegValue Value;
};

// One value entry: `"name"=data` or `@=data`, continuation lines joined by "\n".
std::optional<ParsedValue> ParseValueEntry(std::string_view entry) {
  ParsedValue parsed;
  size_t pos = 0;
  if (entry.front() == '@') {
    pos = 1;
  } else if (!ReadQuoted(entry, pos, parsed.Name)) {
    return std::nullopt;
  }
  while (pos < entry.size() && IsBlank(entry[pos])) ++pos;
  if (pos >= entry.size() || entry[pos] != '=') return std::nullopt;
  std::string_view data = TrimLeft(entry.substr(pos + 1));
  if (data.empty() || data == "-") return std::nullopt;
  std::optional<RegValue> value = DecodeData(data);
  if (!value) return std::nullopt;
  parsed.Value = std::move(*value);
  return parsed;
}

// The lines of a file without their line ends and trailing blanks.
std::vector<std::string_view> SplitLines(std::string_view text) {
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    size_t end = text.find('\n');
    lines.push_back(TrimRight(text.substr(0, end)));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

// A value line and the continuation lines after it: a line ending with "\" goes on with the next
// line when that one starts with a blank. Continued lines are joined in `joined`.
std::string_view TakeEntry(const std::vector<std::string_view>& lines, size_t& index,
                           std::string& joined) {
  std::string_view line = TrimLeft(lines[index]);
  auto continues = [&] {
    if (index + 1 == lines.size()) return false;
    std::string_view next = lines[index + 1];
    return !next.empty() && IsBlank(next.front());
  };
  if (!line.ends_with('\\') || !continues()) return line;
  joined = line;
  while (joined.ends_with('\\') && continues()) {
    joined += '\n';
    joined += lines[++index];
  }
  return joined;
}

// The key name of a section line "[name]"; nothing for a malformed line or a deletion "[-name]".
std::optional<std::string> ParseSectionName(std::string_view line) {
  if (!line.ends_with(']')) return std::nullopt;
  std::string name = NormalizeKeyPath(line.substr(1, line.size() - 2));
  if (name.empty() || name.front() == '-') return std::nullopt;
  return name;
}

// ---- Writing ----

void AppendQuoted(std::string& out, std::string_view text) {
  out += '"';
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  out += '"';
}

// `hex(n):` data of a text with its terminating NUL, broken over lines as the registry editor does.
void AppendHexText(std::string& out, std::string_view kind, std::string_view text, size_t lineStart) {
  static constexpr char kDigits[] = "0123456789abcdef";
  out += kind;
  size_t column = out.size() - lineStart;
  for (size_t i = 0; i <= text.size(); ++i) {
    unsigned char byte = i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
    out += kDigits[byte >> 4];
    out += kDigits[byte & 15];
    column += 2;
    if (i == text.size()) break;
    out += ',';
    ++column;
    if (column >= kHexLineWidth) {
      out += "\\\n  ";
      column = 2;
    }
  }
}

void AppendValue(std::string& out, const std::string& name, const RegValue& value) {
  size_t lineStart = out.size();
  if (name.empty()) {
    out += '@';
  } else {
    AppendQuoted(out, name);
  }
  out += '=';
  switch (value.Type) {
    case RegType::Dword: {
      char digits[16];
      std::snprintf(digits, sizeof digits, "dword:%08x", static_cast<unsigned>(value.Number));
      out += digits;
      break;
    }
    case RegType::String:
      // A line break cannot stand in a quoted text; such text is written as hex(1) data.
      if (HasLineBreak(value.Text)) {
        AppendHexText(out, "hex(1):", value.Text, lineStart);
      } else {
        AppendQuoted(out, value.Text);
      }
      break;
    case RegType::ExpandString:
      AppendHexText(out, "hex(2):", value.Text, lineStart);
      break;
    case RegType::Raw:
      out += value.Text;
      break;
  }
  out += '\n';
}

// ---- Files ----

std::string WriteFailure(const std::string& path, const std::string& reason) {
  return "Could not write " + path + ": " + reason;
}

}  // namespace

bool SettingsStore::LessNoCase::operator()(const std::string& a, const std::string& b) const {
  size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    int left = CharRank(a[i]);
    int right = CharRank(b[i]);
    if (left != right) return left < right;
  }
  return a.size() < b.size();
}

SettingsStore::SettingsStore(std::string filePath) : filePath_(std::move(filePath)) {}

std::string SettingsStore::DefaultFilePath() {
  const char* explicitPath = std::getenv("TARNWICK_SETTINGS");
  if (explicitPath != nullptr && *explicitPath != '\0') return explicitPath;
  std::string configHome;
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg != nullptr && xdg[0] == '/') {  // relative values are to be ignored
    configHome = xdg;
  } else {
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') {
      const passwd* user = ::getpwuid(::getuid());
      home = user != nullptr && user->pw_dir != nullptr ? user->pw_dir : ".";
    }
    configHome = std::string(home) + "/.config";
  }
  return configHome + "/Merrowind/Tarnwick.reg";
}

std::string SettingsStore::FullKeyName(std::string_view keyPath) {
  std::string relative = NormalizeKeyPath(keyPath);
  std::string full(kRootName);
  if (!relative.empty()) full += '\\' + relative;
  return full;
}

SettingsStore::Key* SettingsStore::FindKey(std::string_view keyPath) {
  auto it = keys_.find(FullKeyName(keyPath));
  return it == keys_.end() ? nullptr : &it->second;
}

const SettingsStore::Key* SettingsStore::FindKey(std::string_view keyPath) const {
  auto it = keys_.find(FullKeyName(keyPath));
  return it == keys_.end() ? nullptr : &it->second;
}

bool SettingsStore::KeyExists(std::string_view keyPath) const {
  std::string full = FullKeyName(keyPath);
  if (full == kRootName || keys_.contains(full)) return true;
  std::string prefix = full + '\\';
  auto next = keys_.lower_bound(prefix);
  return next != keys_.end() && StartsWithNoCase(next->first, prefix);
}

void SettingsStore::CreateKey(std::string_view keyPath) {
  if (HasLineBreak(keyPath)) return;
  std::string full = FullKeyName(keyPath);
  if (full == kRootName) return;
  Key& key = keys_[full];
  key.Name = full;
}

bool SettingsStore::DeleteKey(std::string_view keyPath) {
  std::string full = FullKeyName(keyPath);
  if (full == kRootName) return false;
  size_t removed = keys_.erase(full);
  std::string prefix = full + '\\';
  auto it = keys_.lower_bound(prefix);
  while (it != keys_.end() && StartsWithNoCase(it->first, prefix)) {
    it = keys_.erase(it);
    ++removed;
  }
  return removed > 0;
}

std::vector<std::string> SettingsStore::SubKeyNames(std::string_view keyPath) const {
  // Keys with a common prefix are neighbours in the map, a key before its sub keys, and the map's
  // order is already the case-insensitive order of the names.
  std::string prefix = FullKeyName(keyPath) + '\\';
  std::vector<std::string> names;
  for (auto it = keys_.lower_bound(prefix); it != keys_.end() && StartsWithNoCase(it->first, prefix);
       ++it) {
    std::string_view rest = std::string_view(it->second.Name).substr(prefix.size());
    std::string_view child = rest.substr(0, rest.find('\\'));
    if (names.empty() || !EqualsNoCase(names.back(), child)) names.emplace_back(child);
  }
  return names;
}

std::vector<std::string> SettingsStore::ValueNames(std::string_view keyPath) const {
  std::vector<std::string> names;
  if (const Key* key = FindKey(keyPath)) {
    for (const auto& entry : key->Values) names.push_back(entry.first);
  }
  return names;
}

const RegValue* SettingsStore::FindValue(std::string_view keyPath, std::string_view name) const {
  const Key* key = FindKey(keyPath);
  return key == nullptr ? nullptr : key->Find(name);
}

void SettingsStore::SetValue(std::string_view keyPath, std::string_view name, RegValue value) {
  if (HasLineBreak(keyPath) || HasLineBreak(name)) return;
  std::string full = FullKeyName(keyPath);
  Key& key = keys_[full];
  if (key.Name.empty()) key.Name = full;
  key.Set(std::string(name), std::move(value));
}

bool SettingsStore::DeleteValue(std::string_view keyPath, std::string_view name) {
  Key* key = FindKey(keyPath);
  return key != nullptr && key->Erase(name);
}

RegValue* SettingsStore::Key::Find(std::string_view name) {
  std::optional<size_t> position = Index.Find(name, NameAt());
  return position ? &Values[*position].second : nullptr;
}

const RegValue* SettingsStore::Key::Find(std::string_view name) const {
  std::optional<size_t> position = Index.Find(name, NameAt());
  return position ? &Values[*position].second : nullptr;
}

void SettingsStore::Key::Set(std::string name, RegValue value) {
  auto [position, added] = Index.Insert(name, Values.size(), NameAt());
  if (added) {
    Values.emplace_back(std::move(name), std::move(value));
  } else {
    Values[position].second = std::move(value);
  }
}

// Deleting is rare; the index is built again for the positions after the deleted value.
bool SettingsStore::Key::Erase(std::string_view name) {
  std::optional<size_t> position = Index.Find(name, NameAt());
  if (!position) return false;
  Values.erase(Values.begin() + static_cast<std::ptrdiff_t>(*position));
  Index.Clear();
  for (size_t i = 0; i < Values.size(); ++i) Index.Insert(Values[i].first, i, NameAt());
  return true;
}

std::string SettingsStore::ToText() const {
  std::string out(kHeader);
  out += "\n\n";
  for (const auto& [fullName, key] : keys_) {
    out += '[' + key.Name + "]\n";
    for (const auto& [name, value] : key.Values) AppendValue(out, name, value);
    out += '\n';
  }
  return out;
}

void SettingsStore::FromText(std::string_view text) {
  keys_.clear();
  std::vector<std::string_view> lines = SplitLines(text);
  Key* current = nullptr;
  std::string joined;
  for (size_t index = 0; index < lines.size(); ++index) {
    std::string_view line = TrimLeft(lines[index]);
    if (line.starts_with('[')) {
      std::optional<std::string> name = ParseSectionName(line);
      current = name ? &keys_[*name] : nullptr;
      if (current != nullptr) current->Name = *name;
      continue;
    }
    if (!line.starts_with('"') && !line.starts_with('@')) continue;  // header, comment, junk
    std::string_view entry = TakeEntry(lines, index, joined);
    std::optional<ParsedValue> parsed = ParseValueEntry(entry);
    if (current == nullptr || !parsed) continue;
    current->Set(std::move(parsed->Name), std::move(parsed->Value));
  }
}

bool SettingsStore::Load(std::string* error) {
  keys_.clear();
  std::error_code ec;
  if (!fs::exists(filePath_, ec) && !ec) return true;  // no file yet: an empty store
  std::optional<std::string> text = ReadWholeFile(filePath_, error);
  if (!text) return false;
  FromText(*text);
  return true;
}

bool SettingsStore::Save(std::string* error) const {
  fs::path folder = fs::path(filePath_).parent_path();
  std::error_code ec;
  if (!folder.empty() && !fs::is_directory(folder, ec)) {
    fs::create_directories(folder, ec);
    if (ec) {
      if (error != nullptr) *error = WriteFailure(filePath_, ec.message());
      return false;
    }
  }
  std::string reason;
  if (WriteFileAtomic(filePath_, ToText(), &reason)) return true;
  if (error != nullptr) *error = WriteFailure(filePath_, reason);
  return false;
}

bool SettingsStore::CanWrite() const {
  if (filePath_.empty()) return false;
  std::error_code ec;
  fs::path target(filePath_);
  if (fs::is_directory(target, ec)) return false;
  fs::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  // The nearest existing folder decides: it must be a writable folder, whether the file goes
  // straight into it or into new folders created below it.
  while (!fs::exists(folder, ec)) {
    if (ec || !folder.has_relative_path()) return false;
    fs::path parent = folder.parent_path();
    if (parent == folder) return false;
    folder = parent.empty() ? fs::path(".") : parent;
  }
  return fs::is_directory(folder, ec) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

// ---- RegistryKey ----

bool RegistryKey::OpenKey(std::string_view keyPath, bool canCreate) {
  if (!store_.KeyExists(keyPath)) {
    if (!canCreate || !store_.CanWrite()) return false;
    store_.CreateKey(keyPath);
    if (!store_.KeyExists(keyPath)) return false;
  }
  path_ = std::string(keyPath);
  open_ = true;
  return true;
}

bool RegistryKey::ValueExists(std::string_view name) const {
  return open_ && store_.FindValue(path_, name) != nullptr;
}

std::optional<int32_t> RegistryKey::ReadInteger(std::string_view name) const {
  const RegValue* value = open_ ? store_.FindValue(path_, name) : nullptr;
  if (value == nullptr || value->Type != RegType::Dword) return std::nullopt;
  return static_cast<int32_t>(value->Number);
}

std::optional<std::string> RegistryKey::ReadString(std::string_view name) const {
  const RegValue* value = open_ ? store_.FindValue(path_, name) : nullptr;
  if (value == nullptr || (value->Type != RegType::String && value->Type != RegType::ExpandString)) {
    return std::nullopt;
  }
  return value->Text.substr(0, value->Text.find('\0'));
}

bool RegistryKey::Write(std::string_view name, RegValue value) {
  if (!open_) return false;
  store_.SetValue(path_, name, std::move(value));
  return store_.FindValue(path_, name) != nullptr;  // a name with a line break is refused
}

bool RegistryKey::WriteInteger(std::string_view name, int32_t value) {
  return Write(name, RegValue{RegType::Dword, static_cast<uint32_t>(value), {}});
}

bool RegistryKey::WriteString(std::string_view name, std::string_view value) {
  return Write(name, RegValue{RegType::String, 0, std::string(value)});
}

bool RegistryKey::WriteExpandString(std::string_view name, std::string_view value) {
  return Write(name, RegValue{RegType::ExpandString, 0, std::string(value)});
}

bool RegistryKey::DeleteValue(std::string_view name) { return open_ && store_.DeleteValue(path_, name); }

std::vector<std::string> RegistryKey::ValueNames() const {
  return open_ ? store_.ValueNames(path_) : std::vector<std::string>();
}

std::vector<std::string> RegistryKey::SubKeyNames() const {
  return open_ ? store_.SubKeyNames(path_) : std::vector<std::string>();
}

}  // namespace tarnwick
