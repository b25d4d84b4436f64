#include "command.h"
#include "commands.h"

#include "music/chordsearch.h"
#include "song/globaldictionary.h"
#include "song/song.h"

namespace lvx::cli {

namespace {

// A pitch class 0..11, or -1 for anything else.
int pitchClass(const QString& text)
{
    bool isNumber = false;
    const int value = text.toInt(&isNumber);
    return isNumber && value >= 0 && value <= 11 ? value : -1;
}

} // namespace

int runName(Command& command)
{
    const QString usageText = QStringLiteral("usage: lvx name PITCHCLASS... [--bass PITCHCLASS] (0 = C .. 11 = B)");
    QString bassText;
    int bass = -1;
    if (command.takeOption(QStringLiteral("--bass"), bassText) && (bass = pitchClass(bassText)) < 0)
        return command.usage(usageText);
    if (command.hasUnknownOption() || command.args.isEmpty())
        return command.usage(usageText);
    music::PitchSet pitches;
    for (const QString& arg : std::as_const(command.args)) {
        const int pitch = pitchClass(arg);
        if (pitch < 0)
            return command.usage(usageText);
        pitches.set(pitch);
    }
    song::Song dictionary(command.context);
    song::loadGlobalDictionary(dictionary);
    const QString name = music::chordTypeSearch(command.context.music.chordTypes, pitches, bass, command.app.notation);
    if (name.isEmpty())
        return ExitRefused;
    command.printLine(name);
    return ExitOk;
}

} // namespace lvx::cli
