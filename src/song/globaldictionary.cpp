#include "globaldictionary.h"

#include "song.h"

#include "base/system.h"

#include <QDir>
#include <QFile>

namespace lvx::song {

QString globalDictionaryPath()
{
    return QDir(programFolder()).filePath(QStringLiteral("Chords.dat"));
}

void loadGlobalDictionary(Song& dictionary)
{
    const QString path = globalDictionaryPath();
    const QString installed = QDir(installedDataFolder()).filePath(QStringLiteral("Chords.dat"));
    if (!QFile::exists(path) && QFile::exists(installed) && QFile::copy(installed, path))
        QFile::setPermissions(path, QFile::permissions(path) | QFile::WriteOwner);

    SongContext& context = dictionary.context();
    const QString keptFileName = context.app.CurrentFileName;
    const FontSetRef keptFonts = context.fonts.publicSet;
    context.app.CurrentFileName = path;
    {
        // A bad line here is none of the open songs': the messages say whose it is.
        const NotedMessages::Scope from(context.messages, u" (in Chords.dat: " + QDir::toNativeSeparators(path) + u')');
        dictionary.LoadFile();
    }
    context.app.CurrentFileName = keptFileName;
    context.fonts.publicSet = keptFonts;
}

bool saveGlobalDictionary(Song& dictionary)
{
    AppState& app = dictionary.context().app;
    const bool keptModes = app.WriteModes;
    const bool keptFormat = app.WriteFormat;
    const bool keptSongText = app.WriteSongText;
    const QString keptFileName = app.CurrentFileName;
    app.WriteModes = true;
    app.WriteFormat = false;
    app.WriteSongText = false;
    app.CurrentFileName = globalDictionaryPath();
    const bool saved = dictionary.SaveFile();
    app.WriteModes = keptModes;
    app.WriteFormat = keptFormat;
    app.WriteSongText = keptSongText;
    app.CurrentFileName = keptFileName;
    return saved;
}

} // namespace lvx::song
