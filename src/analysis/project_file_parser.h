#pragma once

#include <string>
#include <string_view>

#include "analysis/project_model.h"
#include "analysis/unit_list_sink.h"
#include "platform/user_interface.h"

namespace tarnwick {

/// The font the Source list is measured in.
inline constexpr std::string_view kSourceListFont = "MS Sans Serif";
inline constexpr int kSourceListFontSize = 8;

/// Reads the project file named by `Model.ProjectFile` (whose own row must already be in the
/// unit list): adds a row per unit named with a path in its uses clauses, gives the shown and the
/// available names to `units`, measures the Source list's columns for a list `sourceListWidth`
/// pixels wide, and finds the main form (or the library name). Reports an unreadable file and a
/// missing main form through `ui`. False when the file could not be read.
bool ParseProjectFile(ProjectModel& model, UnitListSink& units, int sourceListWidth, UserInterface& ui);

/// The Path column of a unit: the folder part of the path written after `in`. A path that starts
/// with "\" gets the project file's drive in front when the project file has one.
std::string UnitPathColumn(std::string_view projectFile, std::string_view writtenPath);

}  // namespace tarnwick
