// A song's file on disk: loading with the defaults in force, saving, and the
// default song that new songs start from.

#include "song.h"
#include "songquestions.h"

#include "base/settings.h"
#include "base/system.h"

#include <QDir>
#include <QFileInfo>

namespace lvx::song {

namespace {

qint16 marginSetting(const SettingsStore& store, const QString& key, qint16 fallback, qint16 minimum)
{
    return qMax(minimum, store.integer(QStringLiteral("Margins"), key, fallback));
}

bool sameFile(const QString& one, const QString& other)
{
    const QFileInfo first(one);
    const QFileInfo second(other);
    if (first.exists() && second.exists())
        return first.canonicalFilePath() == second.canonicalFilePath();
    return first.absoluteFilePath() == second.absoluteFilePath();
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
    chordDefLines.clear();
    LastChords.clear();
    encoding = TextEncoding::Utf8;
    style = {};
    m_defaultHeader = settingsHeader();
    m_settingsLine.reset();
    m_settingsLines.clear();
    partlyReadFile.clear();
    m_diskFile.clear();
}

QString Song::readTextForLoad(bool& readable)
{
    QString& fileName = m_context.app.CurrentFileName;
    if (!fileName.isEmpty()) {
        TextFile file = ReadTextFile(fileName, m_context.messages);
        encoding = file.encoding;
        readable = file.ok;
        if (!file.ok || file.truncated)
            partlyReadFile = fileName;
        m_diskFile = fileName;
        m_diskStamp = file.stamp;
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
        const TextFile file = ReadTextFile(fileName, m_context.messages);
        if (!file.ok || file.truncated)
            partlyReadFile = fileName;
        text = file.text;
    }
    fileName.clear();
    m_diskFile.clear();
    encoding = TextEncoding::Utf8;
    return text;
}

bool Song::LoadFile()
{
    resetForLoad();
    const bool newSong = m_context.app.CurrentFileName.isEmpty();
    bool readable = true;
    finishLoad(readTextForLoad(readable), newSong);
    return readable;
}

void Song::LoadText(const QString& text, TextEncoding textEncoding)
{
    resetForLoad();
    encoding = textEncoding;
    finishLoad(text, false);
}

void Song::finishLoad(const QString& text, bool newSong)
{
    chordPro = looksLikeChordPro(text);
    StringToLinesRec(text);
    // A song from another tool is saved the way that tool wrote it; the
    // program's own files, and new songs, with the full header as ever.
    style.own = !newSong && !readProgramHeader();
    style.lineEnd = lineEndOf(text);
    style.finalLineEnd = text.isEmpty() || text.endsWith(u'\n') || text.endsWith(u'\r');
    FontsToPublic();
}

bool Song::readInPart(const QString& fileName) const
{
    return !partlyReadFile.isEmpty() && sameFile(fileName, partlyReadFile);
}

QString Song::otherNameForPartlyRead()
{
    Messages& messages = m_context.messages;
    messages.inform(partlyReadFile + u"\nwas read only in part when it was opened (at most its first 60000 bytes): "
                                    u"saving over it would cut off the rest. Save the song under another name.");
    return messages.saveFile(songFileFilter(), caption);
}

QByteArray Song::fileBytes(const QString& text) const
{
    TextEncoding written = encoding;
    return encodeForFile(fileContent(text, finalLineEnd()), written);
}

bool Song::mayOverwrite(const QString& fileName, const QString& text)
{
    if (m_diskFile.isEmpty() || !sameFile(fileName, m_diskFile))
        return true;
    const FileStamp now = fileStamp(fileName);
    // A file deleted meanwhile holds nothing to lose.
    if (now.size < 0 || now == m_diskStamp)
        return true;
    // Nor does one that holds what this save writes: a second Liravox that
    // saved the same dictionary, a sync tool that touched the file.
    const QByteArray bytes = fileBytes(text);
    if (QFile file(fileName); now.size == bytes.size() && file.open(QIODevice::ReadOnly) && file.readAll() == bytes)
        return true;
    return m_context.messages.ask(fileName + u"\nwas changed by another program since Liravox read or saved it. "
                                             u"Save over it? What the other program saved would be lost.",
                                  QStringLiteral("Warning"), Buttons::YesNo, Icon::Exclamation)
        == Answer::Yes;
}

// Saving must never make a file the reader would cut when it is opened again.
bool Song::fitsReadLimit(const QString& fileName, const QString& text)
{
    const qsizetype size = fileBytes(text).size();
    if (size <= MaxReadBytes)
        return true;
    return m_context.messages.ask(fileName + u"\nwould be " + QString::number(size)
                                      + u" bytes long, but only its first 60000 bytes are read when it is opened: "
                                        u"the rest would be lost then. Save it anyway?",
                                  QStringLiteral("Warning"), Buttons::YesNo, Icon::Exclamation)
        == Answer::Yes;
}

bool Song::SaveFile()
{
    const QString& fileName = m_context.app.CurrentFileName;
    if (fileName.isEmpty()) {
        m_context.messages.inform(QStringLiteral("File Name missing"));
        return false;
    }
    if (readInPart(fileName)) {
        m_context.messages.inform(fileName + u"\nwas not read whole, so it is not written over: "
                                             u"what was not read would be lost.");
        return false;
    }
    const QString text = LinesToString();
    if (!fitsReadLimit(fileName, text) || !mayOverwrite(fileName, text))
        return false;
    if (!WriteTextFile(fileName, text, encoding, m_context.messages, finalLineEnd()))
        return false;
    m_diskFile = fileName;
    m_diskStamp = fileStamp(fileName);
    return true;
}

bool Song::SaveSongFileAs(const QString& name)
{
    m_context.app.CurrentFileName = name;
    if (!SaveFile())
        return false;   // the changes stay marked as unsaved
    caption = name;
    markSaved();
    return true;
}

void Song::markSaved()
{
    m_savedText = LinesToString();
    Modificada = false;
}

bool Song::SaveSongFile()
{
    QString name = caption;
    if (caption.startsWith(u"Untitled"))
        name = m_context.messages.saveFile(songFileFilter(), caption);
    else if (readInPart(name))
        name = otherNameForPartlyRead();
    return !name.isEmpty() && SaveSongFileAs(name);
}

void Song::SaveDefaultFile()
{
    AppState& app = m_context.app;
    const QString keptFileName = app.CurrentFileName;
    const QString keptTitle = title;
    const QString keptSubtitle = subtitle;
    const TextEncoding keptEncoding = encoding;
    const QString keptDiskFile = m_diskFile;
    const FileStamp keptDiskStamp = m_diskStamp;
    const TextStyle keptStyle = style;
    app.CurrentFileName = defaultSongPath();
    const QString songText = LinesToString();
    // The song's records and view stay as they are: read back from its text, a
    // line could come back in another form and the view would start at the top.
    QList<SongLine> keptLines = std::move(lines);
    const QStringList keptLastChords = LastChords;
    const int keptTopLine = TopLine;
    const bool keptCollect = CollectChords;
    // New songs start from this file: it carries every setting.
    style = {};

    // The template's lines with this song's print options, fonts, margins and fingerings.
    StringToLinesRec(defaultSongTemplate());
    encoding = TextEncoding::Utf8;
    SaveFile();

    // The song's own values again: what it could not read was said when it was loaded.
    readText(songText, false);
    lines = std::move(keptLines);
    LastChords = keptLastChords;
    TopLine = keptTopLine;
    CollectChords = keptCollect;
    app.CurrentFileName = keptFileName;
    title = keptTitle;
    subtitle = keptSubtitle;
    encoding = keptEncoding;
    style = keptStyle;
    m_diskFile = keptDiskFile;
    m_diskStamp = keptDiskStamp;
}

} // namespace lvx::song
