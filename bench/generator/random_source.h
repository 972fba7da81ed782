#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>

namespace tarnwick {

/// A small deterministic random source (splitmix64): the same seed gives the same sequence on
/// every platform and with every standard library, so a generated project is reproducible.
class RandomSource {
 public:
  explicit RandomSource(uint64_t seed) : state_(seed) {}

  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }

  /// A number in [0, bound); 0 when `bound` is 0.
  uint64_t Below(uint64_t bound) { return bound == 0 ? 0 : Next() % bound; }

  /// An integer in [low, high]; `low` when the range is empty.
  int Between(int low, int high) {
    if (high <= low) return low;
    return low + static_cast<int>(Below(static_cast<uint64_t>(high - low) + 1));
  }

  /// True with the given chance in percent.
  bool Chance(int percent) { return static_cast<int>(Below(100)) < percent; }

  /// One element of a non-empty array or container.
  template <typename Items>
  const auto& Pick(const Items& items) {
    return items[static_cast<size_t>(Below(std::size(items)))];
  }

  /// A new source for one part of the work: however much that part draws from it, the sequence
  /// of this source goes on unchanged.
  RandomSource Derive(uint64_t salt) { return RandomSource(Next() ^ (salt * 0xD1B54A32D192ED03ULL)); }

 private:
  uint64_t state_;
};

}  // namespace tarnwick
