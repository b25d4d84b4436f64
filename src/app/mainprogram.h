#pragma once

namespace lvx {

// The desktop program: start-up, the main window, the event loop. Returns the
// program's exit code.
int Main(int argc, char** argv);

} // namespace lvx
