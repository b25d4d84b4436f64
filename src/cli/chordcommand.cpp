#include "command.h"
#include "commands.h"

namespace lvx::cli {

int runChord(Command& command)
{
    return command.usage(QStringLiteral("chord: not available yet"));
}

} // namespace lvx::cli
