#pragma once

#include <ostream>
#include <vector>

#include "app/workspace.h"
#include "app/cli/terminal_prompter.h"

namespace tarnwick {

/// The opened project as one JSON object, keys in a fixed order: files and names, the code page
/// of the project's text, units, unused sources, both trees with their filter state, images, and
/// every message shown. Project text is given in UTF-8 (`TextDecoder`). Written to `out` as it is
/// made (trees without recursion), compact or indented.
void DumpProjectJson(const Workspace& workspace, const std::vector<TerminalPrompter::Record>& messages,
                     std::ostream& out, bool pretty);

/// The same content as readable indented text in UTF-8, written to `out` as it is made.
void DumpProjectText(const Workspace& workspace, const std::vector<TerminalPrompter::Record>& messages,
                     std::ostream& out);

}  // namespace tarnwick
