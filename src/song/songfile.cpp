// A song's file on disk: loading with the defaults in force, saving, and the
// default song that new songs start from.

#include "song.h"
#include "songquestions.h"

#include "app/settings.h"
#include "app/system.h"

#include <QDir>
#include <QFileInfo>

namespace lvx::song {

namespace {

qint16 marginSetting(const SettingsStore& store, const QString& key, qint16 fallback, qint16 minimum)
{
    return qMax(minimum, store.integer(QStringLiteral("Margins"), key, fallback));
}

bool looksLikeChordPro(const QString& text)
{
    for (const QStringView mark : {u"{t", u"{ t", u"{s", u"{ s"}) {
        if (text.contains(mark))
            return true;
    }
    return false;
}

} // namespace

LoadDefaults readLoadDefaults()
{
    const SettingsStore store;
    LoadDefaults defaults;
    loadSongFontDefaults(defaults.fonts, store);
    defaults.left = marginSetting(store, QStringLiteral("LeftMargin"), 800, 100);
    defaults.right = marginSetting(store, QStringLiteral("RightMargin"), 600, 100);
    defaults.top = marginSetting(store, QStringLiteral("TopMargin"), 1000, 100);
    defaults.bottom = marginSetting(store, QStringLiteral("BottonMargin"), 1000, 360);
    return defaults;
}

QString defaultSongPath()
{
    return QDir(programFolder()).filePath(QStringLiteral("Default.lvx"));
}

QString defaultSongTemplate()
{
    return QStringLiteral("{t:(title)}\r\n{st:(subtitle)}\r\n[C]Write your [F]lyrics [G7]here");
}

void Song::resetForLoad()
{
    // A song window starts with empty title boxes; a file without a title keeps them empty.
    title.clear();
    subtitle.clear();
    ChordSize = 1;
    ChordPosition = 1;
    PrintChordsFlag = PrintMajorFlag = PrintMinorFlag = PrintSeventhFlag = PrintBemolFlag = PrintBassNotRootFlag = true;
    // Read afresh for every song, so changes made outside the program apply to
    // the next one; a job over many songs reads them once, at its start.
    const LoadDefaults defaults = m_context.jobDefaults ? *m_context.jobDefaults : readLoadDefaults();
    *fonts = defaults.fonts;
    MargenL = defaults.left;
    MargenR = defaults.right;
    MargenT = defaults.top;
    MargenB = defaults.bottom;
    PrintOrientation = 1;
    newDefine = false;
    chordDefs.clear();
    LastChords.clear();
    encoding = TextEncoding::Utf8;
}

QString Song::readTextForLoad()
{
    QString& fileName = m_context.app.CurrentFileName;
    if (!fileName.isEmpty()) {
        TextFile file = ReadTextFile(fileName, m_context.messages);
        encoding = file.encoding;
        return file.text;
    }
    // A new song starts from the default song, created from the template the first time.
    fileName = defaultSongPath();
    QString text;
    if (!QFileInfo::exists(fileName)) {
        text = defaultSongTemplate();
        StringToLinesRec(text);
        SaveFile();
        m_context.messages.inform(QStringLiteral("Default.lvx file created.\n"
                                                 "Page setup will be saved in each Song File.\n"
                                                 "For New Song, Default.lvx setup will be used."));
    } else {
        text = ReadTextFile(fileName, m_context.messages).text;
    }
    fileName.clear();
    encoding = TextEncoding::Utf8;
    return text;
}

void Song::LoadFile()
{
    resetForLoad();
    finishLoad(readTextForLoad());
}

void Song::LoadText(const QString& text, TextEncoding textEncoding)
{
    resetForLoad();
    encoding = textEncoding;
    finishLoad(text);
}

void Song::finishLoad(const QString& text)
{
    chordPro = looksLikeChordPro(text);
    StringToLinesRec(text);
    FontsToPublic();
}

bool Song::SaveFile()
{
    const QString& fileName = m_context.app.CurrentFileName;
    if (fileName.isEmpty()) {
        m_context.messages.inform(QStringLiteral("File Name missing"));
        return false;
    }
    return WriteTextFile(fileName, LinesToString(), encoding, m_context.messages);
}

bool Song::SaveSongFileAs(const QString& name)
{
    m_context.app.CurrentFileName = name;
    if (!SaveFile())
        return false;   // the changes stay marked as unsaved
    caption = name;
    Modificada = false;
    return true;
}

bool Song::SaveSongFile()
{
    QString name = caption;
    if (caption.startsWith(u"Untitled"))
        name = m_context.messages.saveFile(songFileFilter(), caption);
    return !name.isEmpty() && SaveSongFileAs(name);
}

void Song::SaveDefaultFile()
{
    AppState& app = m_context.app;
    const QString keptFileName = app.CurrentFileName;
    const QString keptTitle = title;
    const QString keptSubtitle = subtitle;
    const TextEncoding keptEncoding = encoding;
    app.CurrentFileName = defaultSongPath();
    const QString songText = LinesToString();

    // The template's lines with this song's print options, fonts, margins and fingerings.
    StringToLinesRec(defaultSongTemplate());
    encoding = TextEncoding::Utf8;
    SaveFile();

    StringToLinesRec(songText);
    app.CurrentFileName = keptFileName;
    title = keptTitle;
    subtitle = keptSubtitle;
    encoding = keptEncoding;
}

} // namespace lvx::song
