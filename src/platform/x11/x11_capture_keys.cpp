#include "platform/x11/x11_capture_keys.h"

#include <xcb/xcb_keysyms.h>

#include <algorithm>

namespace tarnwick {

namespace {

constexpr uint32_t kNumLockKeySym = 0xff7f;
constexpr uint16_t kCombinationMask =
    XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;

uint16_t ModifierMask(const KeyCombination& keys) {
  return static_cast<uint16_t>((keys.Control ? XCB_MOD_MASK_CONTROL : 0) | (keys.Alt ? XCB_MOD_MASK_1 : 0) |
                               (keys.Shift ? XCB_MOD_MASK_SHIFT : 0) | (keys.Super ? XCB_MOD_MASK_4 : 0));
}

}  // namespace

std::vector<xcb_keycode_t> X11CaptureKeys::KeyCodes(uint32_t keySym) {
  std::vector<xcb_keycode_t> codes;
  xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(session_.Connection());
  if (!symbols) return codes;
  if (xcb_keycode_t* found = xcb_key_symbols_get_keycode(symbols, keySym)) {
    for (xcb_keycode_t* code = found; *code != XCB_NO_SYMBOL; ++code)
      if (std::find(codes.begin(), codes.end(), *code) == codes.end()) codes.push_back(*code);
    std::free(found);
  }
  xcb_key_symbols_free(symbols);
  return codes;
}

uint16_t X11CaptureKeys::NumLockMask() {
  std::vector<xcb_keycode_t> numLock = KeyCodes(kNumLockKeySym);
  xcb_connection_t* c = session_.Connection();
  auto mapping = Owned(xcb_get_modifier_mapping_reply(c, xcb_get_modifier_mapping(c), nullptr));
  if (!mapping || numLock.empty()) return 0;
  const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(mapping.get());
  const int perModifier = mapping->keycodes_per_modifier;
  for (int modifier = 0; modifier < 8; ++modifier) {
    for (int i = 0; i < perModifier; ++i) {
      xcb_keycode_t code = codes[modifier * perModifier + i];
      if (code != 0 && std::find(numLock.begin(), numLock.end(), code) != numLock.end())
        return static_cast<uint16_t>(1u << modifier);
    }
  }
  return 0;
}

// Grabs every key code of the combination in every lock state; all or nothing, so a combination
// another program holds in part is not left half registered.
bool X11CaptureKeys::GrabCombination(CaptureKind kind, const KeyCombination& keys,
                                     const std::vector<xcb_keycode_t>& codes) {
  xcb_connection_t* c = session_.Connection();
  const uint16_t numLock = NumLockMask();
  lockMasks_ = static_cast<uint16_t>(XCB_MOD_MASK_LOCK | numLock);
  const uint16_t modifiers = ModifierMask(keys);
  std::vector<Grab> wanted;
  for (xcb_keycode_t code : codes) {
    for (uint16_t locks : {uint16_t{0}, uint16_t{XCB_MOD_MASK_LOCK}, numLock, lockMasks_}) {
      Grab grab{kind, code, static_cast<uint16_t>(modifiers | locks)};
      // NumLock may be unmapped; then its variants repeat the plain ones.
      if (std::none_of(wanted.begin(), wanted.end(), [&](const Grab& g) {
            return g.KeyCode == grab.KeyCode && g.Modifiers == grab.Modifiers;
          }))
        wanted.push_back(grab);
    }
  }
  std::vector<xcb_void_cookie_t> cookies;
  for (const Grab& grab : wanted)
    cookies.push_back(xcb_grab_key_checked(c, 1, session_.Root(), grab.Modifiers, grab.KeyCode,
                                           XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
  bool refused = codes.empty();
  for (xcb_void_cookie_t cookie : cookies) {
    if (xcb_generic_error_t* error = xcb_request_check(c, cookie)) {
      refused = true;
      std::free(error);
    }
  }
  for (const Grab& grab : wanted) {
    if (refused) xcb_ungrab_key(c, grab.KeyCode, session_.Root(), grab.Modifiers);
    else grabs_.push_back(grab);
  }
  return !refused;
}

std::vector<KeyCombination> X11CaptureKeys::Register(const CaptureKeySet& keys) {
  Unregister();
  std::vector<KeyCombination> refused;
  for (size_t i = 0; i < keys.size(); ++i) {
    if (!GrabCombination(kCaptureKinds[i], keys[i], KeyCodes(CaptureKeySym(keys[i].Key)))) refused.push_back(keys[i]);
  }
  xcb_flush(session_.Connection());
  return refused;
}

void X11CaptureKeys::Unregister() {
  for (const Grab& grab : grabs_) xcb_ungrab_key(session_.Connection(), grab.KeyCode, session_.Root(), grab.Modifiers);
  if (!grabs_.empty()) xcb_flush(session_.Connection());
  grabs_.clear();
}

bool X11CaptureKeys::HandleEvent(const xcb_generic_event_t* event) {
  const uint8_t type = event->response_type & 0x7f;
  if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE) return false;
  const auto* key = reinterpret_cast<const xcb_key_press_event_t*>(event);
  const uint16_t modifiers = static_cast<uint16_t>(key->state & kCombinationMask);
  for (const Grab& grab : grabs_) {
    if (grab.KeyCode != key->detail || (grab.Modifiers & kCombinationMask) != modifiers) continue;
    // The server repeats a held key as a release and a press with the same time; only a press
    // after a real release counts.
    if (type == XCB_KEY_RELEASE) {
      lastRelease_ = {key->detail, key->time};
    } else if (!(lastRelease_.first == key->detail && lastRelease_.second == key->time)) {
      KeyArrived(grab.Kind);
    }
    return true;
  }
  return false;
}

}  // namespace tarnwick
