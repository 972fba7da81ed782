#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/workspace.h"
#include "app/cli/terminal_prompter.h"

namespace tarnwick {

/// The opened project as one JSON object, keys in a fixed order: files and names, the code page
/// of the project's text, units, unused sources, both trees with their filter state, images, and
/// every message shown. Project text is given in UTF-8 (`TextDecoder`).
nlohmann::ordered_json DumpProjectJson(const Workspace& workspace,
                                       const std::vector<TerminalPrompter::Record>& messages);

/// The same content as readable indented text.
std::string DumpProjectText(const Workspace& workspace,
                            const std::vector<TerminalPrompter::Record>& messages);

/// The JSON as printed, indented.
std::string DumpJsonText(const nlohmann::ordered_json& json);

}  // namespace tarnwick
