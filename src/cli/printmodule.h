#pragma once

namespace lvx::cli {

// The printing module's one entry point: the whole command line, run with a
// GUI application of its own; returns the exit code.
extern "C" {
using PrintModuleEntry = int (*)(int argc, char** argv);
}
inline constexpr const char* PrintModuleEntryName = "liravoxLvxPrintMain";

} // namespace lvx::cli
