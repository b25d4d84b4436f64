#include "command.h"
#include "commands.h"

namespace lvx::cli {

int runPlay(Command& command)
{
    return command.usage(QStringLiteral("play: not available yet"));
}

} // namespace lvx::cli
