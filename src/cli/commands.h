#pragma once

namespace lvx::cli {

struct Command;

// One function per subcommand; each returns the process exit code.
int runChord(Command& command);
int runDump(Command& command);
int runWrite(Command& command);
int runTranspose(Command& command);
int runReplace(Command& command);
int runName(Command& command);
int runConvertCrd(Command& command);
int runSolfege(Command& command);
int runText(Command& command);
int runFingering(Command& command);
int runPlay(Command& command);
int runPdf(Command& command);
int runMarkup(Command& command);

} // namespace lvx::cli
