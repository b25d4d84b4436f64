#include "command.h"
#include "commands.h"
#include "json.h"

#include "music/chordsymbol.h"

namespace lvx::cli {

namespace {

Json chordJson(const QString& name, const QString& notation)
{
    const music::ChordSymbol chord = music::ParseChord(name);
    // Only a chord with both notes has a spelling; the program shows anything
    // else as the label's own text.
    const bool complete = chord.tone != -1 && chord.bass != -1;
    Json object = Json::object();
    object.add(QStringLiteral("name"), name)
        .add(QStringLiteral("tone"), int(chord.tone))
        .add(QStringLiteral("toneSharp"), chord.toneSharp)
        .add(QStringLiteral("bass"), int(chord.bass))
        .add(QStringLiteral("bassSharp"), chord.bassSharp)
        .add(QStringLiteral("mode"), chord.mode)
        .add(QStringLiteral("formatted"), complete ? Json(music::FormatChord(chord, notation)) : Json());
    return object;
}

} // namespace

int runChord(Command& command)
{
    if (command.hasUnknownOption())
        return command.usage(QStringLiteral("chord: unknown option\nusage: lvx chord NAME..."));
    if (command.args.isEmpty())
        return command.usage(QStringLiteral("usage: lvx chord NAME..."));
    for (const QString& name : std::as_const(command.args))
        command.printLine(chordJson(name, command.app.notation).toText());
    return ExitOk;
}

} // namespace lvx::cli
