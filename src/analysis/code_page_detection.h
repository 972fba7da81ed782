#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

class ProjectModel;

/// The code page the project's files were written in, as a stored `SourceCodePage` setting asks:
/// the setting itself when it names one, otherwise ("auto", or a value that names none) the code
/// page detected from the text that is not UTF-8 in the project file, the units' sources and their
/// form files (the byte strings of binary forms). Files that cannot be read are passed over
/// without a word; the analyses report them.
std::string ProjectCodePage(const ProjectModel& model, std::string_view setting);

}  // namespace tarnwick
