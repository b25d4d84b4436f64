#include "command.h"
#include "commands.h"

namespace lvx::cli {

int runFingering(Command& command)
{
    return command.usage(QStringLiteral("fingering: not available yet"));
}

} // namespace lvx::cli
