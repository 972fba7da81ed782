#include "platform/capture_keys.h"

#include <utility>

#include "platform/text_util.h"

namespace tarnwick {

namespace {

struct NamedKey {
  std::string_view Name;
  uint32_t KeySym;
};

// X keysym values; F1 to F12 follow each other from 0xffbe.
constexpr NamedKey kKeys[] = {
    {"Print", 0xff61}, {"Pause", 0xff13}, {"Scroll_Lock", 0xff14}, {"Insert", 0xff63},
    {"F1", 0xffbe},    {"F2", 0xffbf},    {"F3", 0xffc0},          {"F4", 0xffc1},
    {"F5", 0xffc2},    {"F6", 0xffc3},    {"F7", 0xffc4},          {"F8", 0xffc5},
    {"F9", 0xffc6},    {"F10", 0xffc7},   {"F11", 0xffc8},         {"F12", 0xffc9},
};

}  // namespace

const std::vector<std::string_view>& CaptureKeyNames() {
  static const std::vector<std::string_view> names = [] {
    std::vector<std::string_view> all;
    for (const NamedKey& key : kKeys) all.push_back(key.Name);
    return all;
  }();
  return names;
}

uint32_t CaptureKeySym(std::string_view keyName) {
  for (const NamedKey& key : kKeys)
    if (key.Name == keyName) return key.KeySym;
  return 0;
}

std::string KeyCombinationText(const KeyCombination& keys) {
  std::string text;
  for (const auto& [held, name] : {std::pair{keys.Control, "Control+"}, std::pair{keys.Alt, "Alt+"},
                                   std::pair{keys.Shift, "Shift+"}, std::pair{keys.Super, "Super+"}}) {
    if (held) text += name;
  }
  return text + keys.Key;
}

std::optional<KeyCombination> ParseKeyCombination(std::string_view text) {
  KeyCombination keys;
  for (;;) {
    size_t plus = text.find('+');
    std::string part = ToLowerAscii(TrimBlanks(text.substr(0, plus)));
    if (plus == std::string_view::npos) {
      for (const NamedKey& key : kKeys) {
        if (ToLowerAscii(key.Name) == part) {
          keys.Key = std::string(key.Name);
          return keys;
        }
      }
      return std::nullopt;
    }
    if (part == "control" || part == "ctrl") keys.Control = true;
    else if (part == "alt") keys.Alt = true;
    else if (part == "shift") keys.Shift = true;
    else if (part == "super") keys.Super = true;
    else return std::nullopt;
    text.remove_prefix(plus + 1);
  }
}

CaptureKeySet DefaultCaptureKeys() {
  KeyCombination alt;
  alt.Alt = true;
  KeyCombination altShift = alt;
  altShift.Shift = true;
  return {KeyCombination{}, alt, altShift};
}

}  // namespace tarnwick
