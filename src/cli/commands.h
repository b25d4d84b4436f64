#pragma once

namespace lvx::cli {

struct Command;

// One function per subcommand; each returns the process exit code.
int runChord(Command& command);

} // namespace lvx::cli
