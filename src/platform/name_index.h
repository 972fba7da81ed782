#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/text_util.h"

namespace tarnwick {

/// Positions of names in a list the caller keeps, found without regard to ASCII case. The slots
/// are one flat array probed linearly, each holding a name's hash beside its position, so a key of
/// a hundred thousand values is indexed without an allocation per name and a probe seldom has to
/// look at a stored name. `nameAt(position)` gives the caller's name at a position.
class NameIndex {
 public:
  template <class NameAt>
  std::optional<size_t> Find(std::string_view name, const NameAt& nameAt) const {
    if (slots_.empty()) return std::nullopt;
    uint32_t hash = Hash(name);
    for (size_t i = Home(hash);; i = (i + 1) & (slots_.size() - 1)) {
      const Slot& slot = slots_[i];
      if (slot.Position == kEmpty) return std::nullopt;
      if (slot.Hash == hash && EqualsNoCase(nameAt(slot.Position), name)) return slot.Position;
    }
  }

  /// Records `position` for `name` unless the name is there already. Returns the name's position
  /// and whether it was added.
  template <class NameAt>
  std::pair<size_t, bool> Insert(std::string_view name, size_t position, const NameAt& nameAt) {
    if ((count_ + 1) * 2 > slots_.size()) Grow();
    uint32_t hash = Hash(name);
    for (size_t i = Home(hash);; i = (i + 1) & (slots_.size() - 1)) {
      Slot& slot = slots_[i];
      if (slot.Position == kEmpty) {
        slot = {hash, static_cast<uint32_t>(position)};
        ++count_;
        return {position, true};
      }
      if (slot.Hash == hash && EqualsNoCase(nameAt(slot.Position), name)) {
        return {slot.Position, false};
      }
    }
  }

  void Clear() {
    slots_.clear();
    count_ = 0;
    bits_ = 0;
  }

 private:
  struct Slot {
    uint32_t Hash = 0;
    uint32_t Position = kEmpty;
  };
  static constexpr uint32_t kEmpty = UINT32_MAX;

  // FNV-1a over the lower-cased bytes.
  static uint32_t Hash(std::string_view name) {
    uint32_t hash = 2166136261u;
    for (char c : name) hash = (hash ^ static_cast<unsigned char>(LowerAscii(c))) * 16777619u;
    return hash;
  }
  // Fibonacci hashing spreads the hash's high bits over the table.
  size_t Home(uint32_t hash) const { return (hash * 2654435769u) >> (32 - bits_); }

  void Grow() {
    std::vector<Slot> old = std::move(slots_);
    bits_ = bits_ == 0 ? 4 : bits_ + 1;
    slots_.assign(size_t{1} << bits_, Slot{});
    for (const Slot& slot : old) {
      if (slot.Position == kEmpty) continue;
      size_t i = Home(slot.Hash);
      while (slots_[i].Position != kEmpty) i = (i + 1) & (slots_.size() - 1);
      slots_[i] = slot;
    }
  }

  std::vector<Slot> slots_;
  size_t count_ = 0;
  unsigned bits_ = 0;
};

}  // namespace tarnwick
