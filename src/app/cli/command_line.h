#pragma once

namespace tarnwick {

/// Runs `tarnwick-doc` with the process's arguments and gives its exit status.
int RunCommandLine(int argc, char** argv);

}  // namespace tarnwick
