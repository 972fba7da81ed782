#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/name_index.h"

namespace tarnwick {

/// The registry value types the store understands. Values of any other type read from a file are
/// kept as `Raw` (their text after "=") so that a save writes them back unchanged.
enum class RegType { Dword, String, ExpandString, Raw };

struct RegValue {
  RegType Type = RegType::String;
  uint32_t Number = 0;  // Dword
  std::string Text;     // String, ExpandString, or the raw right-hand side
};

/// The current user's registry as one REGEDIT4 text file. Key paths are written as in the registry
/// ("\Software\Merrowind\Tarnwick"), relative to HKEY_CURRENT_USER; key and value names compare
/// without regard to letter case. Everything lives in memory: `Load` reads the file tolerantly and
/// `Save` writes it back atomically, keeping keys and values the program does not know.
///
/// File form: lines end with LF when written, LF or CR LF are read; keys are written in sorted
/// order, each as "[name]", its values and a blank line. A key's parents exist implicitly while it
/// exists; a section is written only for keys read from the file, created with `CreateKey` or
/// holding values. Strings are quoted (backslash and double quote escaped) unless they hold a line
/// break, which is written as hex(1) data; expandable strings are hex(2) data of 8-bit characters
/// with a terminating NUL. Key and value names holding a line break are refused.
class SettingsStore {
 public:
  explicit SettingsStore(std::string filePath);

  /// $TARNWICK_SETTINGS, else $XDG_CONFIG_HOME/Merrowind/Tarnwick.reg (XDG default ~/.config).
  static std::string DefaultFilePath();

  const std::string& FilePath() const { return filePath_; }

  /// Reads the file; a missing file is an empty store, a malformed line is skipped. False (with
  /// the store empty and `error` given the reason) when the path exists but cannot be read, a
  /// folder or any other file that is not a regular one included.
  bool Load(std::string* error = nullptr);
  /// Writes the whole store to a temporary file beside the target, then renames it over the
  /// target; creates the file's folder when missing. On failure nothing is left behind, the old
  /// file is untouched and `error` (when given) gets the system's message.
  bool Save(std::string* error = nullptr) const;
  /// True when `Save` can be expected to succeed: the folder exists or can be created and is writable.
  bool CanWrite() const;

  bool KeyExists(std::string_view keyPath) const;
  /// Creates the key and its missing parents.
  void CreateKey(std::string_view keyPath);
  /// Deletes the key with all its sub keys. False when it did not exist.
  bool DeleteKey(std::string_view keyPath);
  /// Direct sub key names (as last written), sorted without regard to case.
  std::vector<std::string> SubKeyNames(std::string_view keyPath) const;
  /// Value names in the order they were first written.
  std::vector<std::string> ValueNames(std::string_view keyPath) const;

  const RegValue* FindValue(std::string_view keyPath, std::string_view name) const;
  /// Sets a value, creating the key when missing.
  void SetValue(std::string_view keyPath, std::string_view name, RegValue value);
  bool DeleteValue(std::string_view keyPath, std::string_view name);

  /// The file's text as `Save` would write it.
  std::string ToText() const;
  /// Replaces the store's content by the parsed text (tolerant, as `Load`).
  void FromText(std::string_view text);

 private:
  struct Key {
    std::string Name;  // full name as written, "HKEY_CURRENT_USER\Software\..."
    std::vector<std::pair<std::string, RegValue>> Values;
    NameIndex Index;  // positions in Values

    RegValue* Find(std::string_view name);
    const RegValue* Find(std::string_view name) const;
    /// Replaces the value of the same name, or appends a new one.
    void Set(std::string name, RegValue value);
    bool Erase(std::string_view name);
    auto NameAt() const {
      return [this](size_t position) -> std::string_view { return Values[position].first; };
    }
  };
  struct LessNoCase {
    bool operator()(const std::string& a, const std::string& b) const;
  };
  static std::string FullKeyName(std::string_view keyPath);
  Key* FindKey(std::string_view keyPath);
  const Key* FindKey(std::string_view keyPath) const;

  std::string filePath_;
  std::map<std::string, Key, LessNoCase> keys_;  // by full name
};

/// A cursor on one key of a `SettingsStore`, shaped like the registry API the callers expect:
/// open a key (optionally creating it), read and write typed values, close. Reads of a missing
/// value or one of another type give nothing, so callers apply their defaults.
class RegistryKey {
 public:
  explicit RegistryKey(SettingsStore& store) : store_(store) {}

  /// Opens `keyPath`; with `canCreate` a missing key is created, which fails when the store
  /// cannot be written. False when the key is missing and not created; the cursor then stays
  /// where it was.
  bool OpenKey(std::string_view keyPath, bool canCreate);
  void CloseKey() {
    path_.clear();
    open_ = false;
  }
  bool IsOpen() const { return open_; }

  bool ValueExists(std::string_view name) const;
  std::optional<int32_t> ReadInteger(std::string_view name) const;
  /// String and expandable-string values; the text ends at its first NUL.
  std::optional<std::string> ReadString(std::string_view name) const;
  bool WriteInteger(std::string_view name, int32_t value);
  bool WriteString(std::string_view name, std::string_view value);
  bool WriteExpandString(std::string_view name, std::string_view value);
  bool DeleteValue(std::string_view name);
  std::vector<std::string> ValueNames() const;
  std::vector<std::string> SubKeyNames() const;
  size_t ValueCount() const { return ValueNames().size(); }

 private:
  bool Write(std::string_view name, RegValue value);

  SettingsStore& store_;
  std::string path_;
  bool open_ = false;
};

}  // namespace tarnwick
