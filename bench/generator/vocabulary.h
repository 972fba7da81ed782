#pragma once

#include <span>
#include <string_view>

namespace tarnwick::vocabulary {

/// The nouns of a business application, from which unit, form and routine names are made.
std::span<const std::string_view> Nouns();
/// Verbs for routine names ("Load", "Validate", ...).
std::span<const std::string_view> Verbs();
/// Names of generated projects and their titles, index by index.
std::span<const std::string_view> ProjectNames();
std::span<const std::string_view> ProjectTitles();

/// Outside units in the old, undotted spelling and in the dotted one, index by index:
/// the first entries every form unit uses, then those of data access, then the rest.
std::span<const std::string_view> OutsideUnits();
std::span<const std::string_view> DottedOutsideUnits();
/// How many entries of `OutsideUnits` make the standard uses clause of a form unit.
inline constexpr size_t kStandardFormUnits = 9;
/// The entries of `OutsideUnits` from this index on are data access units.
inline constexpr size_t kFirstDataUnit = 9;
inline constexpr size_t kDataUnitCount = 4;

/// Sentences for comments and strings.
std::span<const std::string_view> Remarks();

}  // namespace tarnwick::vocabulary
