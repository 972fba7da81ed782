#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

/// What a capture key grabs, by the id it is registered under.
enum class CaptureKind { Screen = 101, Window = 102, ClientArea = 103 };

inline constexpr std::array<CaptureKind, 3> kCaptureKinds = {CaptureKind::Screen, CaptureKind::Window,
                                                             CaptureKind::ClientArea};

/// A key with its modifiers, written as "Alt+Shift+Print". The key is one of the keys a desktop
/// usually leaves free (`CaptureKeyNames`), known by its X keysym name.
struct KeyCombination {
  bool Control = false;
  bool Alt = false;
  bool Shift = false;
  bool Super = false;
  std::string Key = "Print";

  bool operator==(const KeyCombination&) const = default;
};

/// The keys that may carry a capture, in the order a dialog offers them.
const std::vector<std::string_view>& CaptureKeyNames();
/// The X keysym of one of `CaptureKeyNames`; 0 for any other name.
uint32_t CaptureKeySym(std::string_view keyName);

/// "Control+Alt+Shift+Super+Key" with only the modifiers that are held.
std::string KeyCombinationText(const KeyCombination& keys);
/// The reverse of `KeyCombinationText`, modifiers in any order and any letter case; nothing when
/// the text names an unknown key or modifier.
std::optional<KeyCombination> ParseKeyCombination(std::string_view text);

/// The three combinations, indexed in the order of `kCaptureKinds`.
using CaptureKeySet = std::array<KeyCombination, 3>;
/// Print, Alt+Print and Alt+Shift+Print.
CaptureKeySet DefaultCaptureKeys();

/// Global capture keys: registered while a project is open, each reporting its `CaptureKind`
/// to the handler when pressed anywhere on the desktop.
class CaptureKeys {
 public:
  virtual ~CaptureKeys() = default;
  /// False when this session offers no global keys at all.
  virtual bool Available() const = 0;
  /// Registers the three combinations; gives the ones another program holds (those stay
  /// unregistered, the others work).
  virtual std::vector<KeyCombination> Register(const CaptureKeySet& keys) = 0;
  /// Releases whatever `Register` took; harmless when nothing is registered.
  virtual void Unregister() = 0;
  void SetHandler(std::function<void(CaptureKind)> handler) { handler_ = std::move(handler); }

 protected:
  void KeyArrived(CaptureKind kind) {
    if (handler_) handler_(kind);
  }

 private:
  std::function<void(CaptureKind)> handler_;
};

}  // namespace tarnwick
