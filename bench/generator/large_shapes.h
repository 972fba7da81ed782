#pragma once

#include <cstddef>
#include <string>

namespace tarnwick {

/// Inputs of extreme size or shape, each written to files, for the benchmarks that keep time
/// linear in the input. Every function gives the path of the file to open and throws
/// std::runtime_error when it cannot write.

/// A settings file of about `bytes` bytes: many values in one key, or one value on one long line.
std::string WriteLargeSettings(const std::string& folder, size_t bytes, bool oneLongLine);

/// A project of `units` units, each using two others and one outside unit.
std::string WriteManyUnitsProject(const std::string& folder, int units);
/// A project whose `units` units form a chain: each uses the next.
std::string WriteUnitChainProject(const std::string& folder, int units);
/// A project of one unit whose uses clause names `entries` units that do not exist.
std::string WriteMissingUsesProject(const std::string& folder, int entries);

/// A project of one form in text, of about `lines` lines: many small objects, each with a few
/// properties, or (`openCollections`) as many collection values that are never closed.
std::string WriteLargeTextFormProject(const std::string& folder, int lines, bool openCollections);
/// A project of one form in text whose one object holds a list property of `items` items.
std::string WriteLongListFormProject(const std::string& folder, int items);

}  // namespace tarnwick
