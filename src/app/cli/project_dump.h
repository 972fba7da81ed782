#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/workspace.h"
#include "app/cli/terminal_prompter.h"

namespace tarnwick {

/// The opened project as one JSON object, keys in a fixed order: files and names, units, unused
/// sources, both trees with their filter state, images, and every message shown.
nlohmann::ordered_json DumpProjectJson(const Workspace& workspace,
                                       const std::vector<TerminalPrompter::Record>& messages);

/// The same content as readable indented text.
std::string DumpProjectText(const Workspace& workspace,
                            const std::vector<TerminalPrompter::Record>& messages);

/// The JSON as printed: indented, with bytes that are not UTF-8 replaced.
std::string DumpJsonText(const nlohmann::ordered_json& json);

}  // namespace tarnwick
