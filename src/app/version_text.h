#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

/// The about box's version line for a file version V: "Version " + version part + "  (Build " +
/// build part + ")". The build part is V after its first two dots (each step skipping nothing when
/// no dot is left); the version part is V without the build part and the dot before it, or V when
/// it holds no dot. 2.1.0.45 gives "Version 2.1  (Build 0.45)"; an empty V gives empty parts.
std::string VersionText(std::string_view fileVersion);

/// The program's own file version: the project version with the build number, such as 0.2.0.57.
std::string ProgramFileVersion();

}  // namespace tarnwick
