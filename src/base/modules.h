#pragma once

#include <QLibrary>
#include <QString>

namespace lvx {

// A function of one of the program's modules (libraries loaded at run time,
// so a program starts without what it may never use). The module is looked for
// beside the running program, then where an installed program has its modules
// (lib/liravox), then at builtAt, where the build put it (a path without the
// suffix). nullptr with the reason when none loads.
QFunctionPointer resolveModuleFunction(const QString& builtAt, const char* symbol, QString& error);

} // namespace lvx
