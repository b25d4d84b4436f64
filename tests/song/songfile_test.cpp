#include "songfixture.h"
#include "testmain.h"

#include "base/settings.h"
#include "base/system.h"
#include "song/songquestions.h"
#include "song/sourceconversions.h"
#include "song/textfile.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>

#include <sys/stat.h>

using namespace lvx;
using namespace lvx::song;
using namespace Qt::StringLiterals;

namespace {

// The settings header of a song with the default settings, in the writer's order.
const QByteArray DefaultSettingsHeader = "{chords_size:1}\r\n{chords_position:1}\r\n{print_chords:yes}\r\n"
    "{print_major:yes}\r\n{print_minor:yes}\r\n{print_seventh:yes}\r\n{print_bemol:yes}\r\n{print_bass_not_root:yes}\r\n"
    "{font:Title,Comic Sans MS,20,0,true,false}\r\n{font:SubTitle,Comic Sans MS,16,0,true,false}\r\n"
    "{font:Lyric,Comic Sans MS,10,0,false,false}\r\n{font:Chord,Arial,8,255,false,true}\r\n"
    "{font:Comment,Comic Sans MS,8,16711680,false,false}\r\n{font:Tablature,Courier New,10,65280,false,false}\r\n"
    "{font:Header,Comic Sans MS,10,0,true,false}\r\n{font:Footer,Comic Sans MS,10,0,true,false}\r\n"
    "{font:Control,MS Sans Serif,8,16711680,false,false}\r\n{left_margin:800}\r\n{right_margin:600}\r\n"
    "{top_margin:1000}\r\n{botton_margin:1000}\r\n{print_orientation:1}\r\n";

// Every value a song file can set, to compare a song with the one read back.
QStringList songSettings(const Song& song)
{
    QStringList values;
    for (const qint16 number : {song.ChordSize, song.ChordPosition, song.MargenL, song.MargenR, song.MargenT,
                                song.MargenB, song.PrintOrientation})
        values.append(QString::number(number));
    for (const bool flag : {song.PrintChordsFlag, song.PrintMajorFlag, song.PrintMinorFlag, song.PrintSeventhFlag,
                            song.PrintBemolFlag, song.PrintBassNotRootFlag})
        values.append(flag ? u"yes"_s : u"no"_s);
    for (const Fonts& font : song.fonts->items())
        values.append(FontToStr(font));
    return values << song.title << song.subtitle;
}

// What a musician changes before saving: "lyric OLD>NEW", "chord size N", "title T".
void editSong(Song& song, const QString& edit)
{
    if (edit.startsWith(u"lyric ")) {
        const QStringList words = edit.mid(6).split(u'>');
        for (SongLine& line : song.lines) {
            if (line.kind == KindLyric && line.text.contains(words[0])) {
                line.text.replace(words[0], words[1]);
                break;
            }
        }
    } else if (edit.startsWith(u"chord size ")) {
        song.ChordSize = qint16(edit.mid(11).toInt());
    } else if (edit.startsWith(u"title ")) {
        song.title = edit.mid(6);
    }
}

} // namespace

class SongFileTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }

    // Loads a file the way opening it in the program does.
    void load(SongFixture& f, const QString& file)
    {
        f.context.app.CurrentFileName = file;
        f.song.LoadFile();
        f.song.caption = file;
    }

private slots:
    void init()
    {
        test::clearSettings();
        QFile::remove(defaultSongPath());
    }

    void loadingResetsToSettingsAndDefaults()
    {
        SaveSetting(u"Margins"_s, u"LeftMargin"_s, u"50"_s);
        SaveSetting(u"Margins"_s, u"BottonMargin"_s, u"200"_s);
        SaveSetting(u"Margins"_s, u"TopMargin"_s, u"wide"_s);
        SaveSetting(u"Margins"_s, u"RightMargin"_s, u"900"_s);
        writeBytes(path(u"a.cho"_s), "{t:A}\r\n{print_major:no}\r\n{new_define}\r\n{chord: X 1 1 1 1 1 1 1}\r\nla");
        writeBytes(path(u"b.cho"_s), "{define: G 1 3 2 0 0 0 3}\r\nlo");
        SongFixture f;
        load(f, path(u"a.cho"_s));
        QCOMPARE(f.song.PrintMajorFlag, false);
        load(f, path(u"b.cho"_s));
        const Song& song = f.song;
        QCOMPARE(song.title, QString());
        QVERIFY(song.PrintMajorFlag);
        // A margin setting below its least or not a number takes the default.
        QCOMPARE((QList<qint16>{song.MargenL, song.MargenR, song.MargenT, song.MargenB}), (QList<qint16>{100, 900, 1000, 360}));
        // The new syntax ended with the last load: this define is old syntax again.
        QCOMPARE(song.chordDefs.size(), 1);
        QCOMPARE(song.chordDefs[0].baseFret, qint16(0));
        QCOMPARE(f.context.fonts.publicSet, song.fonts);
    }

    void notChordProIsAskedOnce()
    {
        writeBytes(path(u"plain.crd"_s), "C  G\r\nla la");
        SongFixture f;
        load(f, path(u"plain.crd"_s));
        f.messages.scriptAnswer(Answer::No);
        QCOMPARE(askConvertToChordPro(f.song), false);
        QCOMPARE(askConvertToChordPro(f.song), false);
        QCOMPARE(f.messages.texts(), QStringList{u"The file you are opening is not ChordPro type.\n"
                                                 u"Do you prefer to use the Text to ChordPro convert tools?"_s});
        QCOMPARE(f.messages.entries()[0].title, u"Warning"_s);
    }

    void newSongCreatesTheDefaultSongOnce()
    {
        SongFixture f;
        f.song.LoadFile();
        QCOMPARE(f.messages.texts(), QStringList{u"Default.lvx file created.\nPage setup will be saved in each Song File.\n"
                                                 u"For New Song, Default.lvx setup will be used."_s});
        QVERIFY(QFile::exists(defaultSongPath()));
        QCOMPARE(f.song.title, u"(title)"_s);
        QCOMPARE(f.song.lines.size(), 1);
        QCOMPARE(lyricWithChords(f.song.lines[0]), u"[C]Write your [F]lyrics [G7]here"_s);
        SongFixture second;
        second.song.LoadFile();
        QVERIFY(second.messages.texts().isEmpty());
        QCOMPARE(second.song.lines, f.song.lines);
    }

    void saveWithoutNameSaysSo()
    {
        SongFixture f;
        QVERIFY(!f.song.SaveFile());
        QCOMPARE(f.messages.texts(), QStringList{u"File Name missing"_s});
    }

    void saveWhereNoFileCanBeFails()
    {
        // A path through a plain file fails for every user, root included.
        const QString blocker = path(u"blocker"_s);
        writeBytes(blocker, "x");
        SongFixture f;
        f.song.StringToLinesRec(u"la"_s);
        f.song.Modificada = true;
        QVERIFY(!f.song.SaveSongFileAs(blocker + u"/song.cho"));
        QVERIFY(f.song.Modificada);
        QCOMPARE(f.song.caption, QString());
        QVERIFY(f.messages.texts().last().startsWith(u"Cannot save file " + blocker + u"/song.cho: "));
        QCOMPARE(readBytes(blocker), QByteArray("x"));
    }

    void encodings_data()
    {
        QTest::addColumn<QByteArray>("bytes");   // the whole file
        QTest::addColumn<QString>("firstLine");
        const QString song = u"Ni\u00f1o [G]caf\u00e9 \U0001D11E\r\n"_s;
        const auto unicode = [&](QStringConverter::Encoding encoding, const char* mark, int markSize) -> QByteArray {
            return QByteArray(mark, markSize) + QByteArray(QStringEncoder(encoding)(song));
        };
        QTest::addRow("UTF-8") << QByteArray("Ni\xc3\xb1o [G]caf\xc3\xa9\r\n") << u"Niño café"_s;
        QTest::addRow("UTF-8 with byte-order mark") << QByteArray("\xef\xbb\xbfPi\xc3\xb1" "a\r\n") << u"Piña"_s;
        QTest::addRow("Windows-1252") << QByteArray("Ni\xf1o \x93quoted\x94 \x80\r\n") << u"Niño \u201cquoted\u201d \u20ac"_s;
        QTest::addRow("invalid UTF-8 is Windows-1252") << QByteArray("a\xc3(b\r\n") << u"aÃ(b"_s;
        QTest::addRow("binary garbage") << QByteArray("\x00\x01\xff\xfe\x81\x8d\r\n", 8) << QString::fromUtf16(u"\u0000\u0001ÿþ\u0081\u008d", 6);
        const QString read = u"Niño café \U0001D11E"_s;
        QTest::addRow("UTF-16 LE") << unicode(QStringConverter::Utf16LE, "\xff\xfe", 2) << read;
        QTest::addRow("UTF-32 LE") << unicode(QStringConverter::Utf32LE, "\xff\xfe\x00\x00", 4) << read;
        // Without a mark, told by where the NULs of its Latin letters are.
        QTest::addRow("UTF-16 LE without a mark") << unicode(QStringConverter::Utf16LE, "", 0) << read;
        QTest::addRow("UTF-16 BE without a mark") << unicode(QStringConverter::Utf16BE, "", 0) << read;
        QTest::addRow("NULs here and there are not UTF-16") << QByteArray("a\0b\0\0c\r\n", 8) << QString::fromUtf16(u"a\u0000b\u0000\u0000c", 6);
    }
    void encodings()
    {
        QFETCH(QByteArray, bytes);
        const QString file = path(u"enc.cho"_s);
        writeBytes(file, bytes);
        SongFixture f;
        load(f, file);
        QTEST(f.song.lines[0].text, "firstLine");
        // Saved back the way it was read: the same bytes, the program's own directives aside.
        f.context.app.WriteFormat = false;
        QVERIFY(f.song.SaveFile());
        QCOMPARE(readBytes(file), bytes);
    }

    void charactersTheOldCodePageLacksAreSavedAsUtf8()
    {
        const QString file = path(u"latin.cho"_s);
        writeBytes(file, "caf\xe9\r\n");
        SongFixture f;
        load(f, file);
        QCOMPARE(f.song.encoding, TextEncoding::Windows1252);
        f.song.lines[0].text += u" \u266b"_s;
        f.context.app.WriteFormat = false;
        QVERIFY(f.song.SaveFile());
        QCOMPARE(readBytes(file), QByteArray("caf\xc3\xa9 \xe2\x99\xab\r\n"));
        QCOMPARE(f.song.encoding, TextEncoding::Utf8);
    }

    // A song another tool wrote is saved as that tool wrote it: every byte
    // the user did not change stays. The program's own files, new songs, and
    // every song under "Write every setting into songs", get the full header.
    // Either way the file reads back with every setting and saves the same.
    void savedInItsOwnStyle_data()
    {
        QTest::addColumn<QByteArray>("bytes");      // the file; empty: a new song
        QTest::addColumn<QString>("edit");
        QTest::addColumn<bool>("everySetting");
        QTest::addColumn<QByteArray>("saved");
        const QByteArray song = "{title: Sway}\n{artist: Dean}\n\n{soc}\n[C]When marimba [G7]rhythms\tstart\n{c: softly}\n"
                                "| C . | G7 . |\n{eoc}\n";
        QTest::addRow("an LF file saved unchanged keeps its bytes") << song << QString() << false << song;
        QByteArray crLf = song;
        crLf.replace("\n", "\r\n");
        QTest::addRow("a CR LF file saved unchanged keeps its bytes") << crLf << QString() << false << crLf;
        QByteArray cr = song;
        cr.replace('\n', '\r');
        QTest::addRow("a CR file saved unchanged keeps its bytes") << cr << QString() << false << cr;
        QTest::addRow("a file without a final line end keeps it so")
            << QByteArray("{t: Sway}\n[C]la") << u"lyric la>lo"_s << false << QByteArray("{t: Sway}\n[C]lo");
        QTest::addRow("mixed line ends become CR LF") << QByteArray("{title: M}\r\nla\nlo\r\n") << QString() << false
                                                      << QByteArray("{title: M}\r\nla\r\nlo\r\n");

        QFile corpusSong(qEnvironmentVariable("LIRAVOX_CORPUS") + u"/cantare/songs__amazing-grace.cho");
        const QByteArray grace = corpusSong.open(QIODevice::ReadOnly) ? corpusSong.readAll() : QByteArray();
        QByteArray edited = grace;
        edited.replace("how [G7]sweet the", "how [G7]sweat the");
        QTest::addRow("a one-word edit changes that line only") << grace << u"lyric sweet>sweat"_s << false << edited;
        QByteArray sized = grace;
        sized.replace("{title: Amazing Grace}\n", "{title: Amazing Grace}\n{chords_size:2}\n");
        QTest::addRow("a changed chord size adds its line after the title") << grace << u"chord size 2"_s << false << sized;

        QTest::addRow("a changed title keeps its form and place")
            << QByteArray("{artist: A}\n{title:  Old  }\nla\n") << u"title New"_s << false
            << QByteArray("{artist: A}\n{title:  New  }\nla\n");
        QTest::addRow("a title the file lacked goes first") << QByteArray("# remark\nla\n") << u"title T"_s << false
                                                            << QByteArray("{title: T}\n# remark\nla\n");

        QByteArray ours = "{title: Ours}\n" + DefaultSettingsHeader + "{soc}\n";
        ours.replace("\r\n", "\n");
        QTest::addRow("a file with the settings header gets it whole")
            << ours << QString() << false << "{t:Ours}\r\n" + DefaultSettingsHeader + "{start_of_chorus}\r\n";
        QTest::addRow("every setting into songs gives the full header")
            << QByteArray("{title: Sway}\n{soc}\nla\n") << QString() << true
            << "{t:Sway}\r\n" + DefaultSettingsHeader + "{start_of_chorus}\r\nla\r\n";
        QTest::addRow("a new song gets the full header") << QByteArray() << QString() << false
            << "{t:(title)}\r\n{st:(subtitle)}\r\n" + DefaultSettingsHeader + "[C]Write your [F]lyrics [G7]here\r\n";
    }
    void savedInItsOwnStyle()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, edit);
        QFETCH(bool, everySetting);
        if (bytes.isEmpty() && !edit.isEmpty())
            QSKIP("the shared song corpus is not beside the repository");
        const QString file = path(u"style.cho"_s);
        QFile::remove(file);
        SongFixture f;
        f.context.app.WriteEverySetting = everySetting;
        if (bytes.isEmpty()) {
            f.song.LoadFile();
        } else {
            writeBytes(file, bytes);
            load(f, file);
        }
        // The source editor shows the song's own lines; closing it changes nothing.
        f.song.StringToLinesRec(sourceText(f.song));
        editSong(f.song, edit);
        QVERIFY(f.song.SaveSongFileAs(file));
        const QByteArray saved = readBytes(file);
        QTEST(saved, "saved");

        SongFixture again;
        again.context.app.WriteEverySetting = everySetting;
        load(again, file);
        QCOMPARE(songSettings(again.song), songSettings(f.song));
        QVERIFY(again.song.SaveFile());
        QCOMPARE(readBytes(file), saved);
    }

    // Save on a song read only in part says so and asks for another name; the
    // file itself is never written over, also when that name is chosen again.
    void songReadInPartIsNeverSavedOver()
    {
        const QString file = path(u"long.cho"_s);
        const QByteArray bytes = QByteArray("la la la\r\n").repeated(6500);
        writeBytes(file, bytes);
        SongFixture f;
        load(f, file);
        f.song.Modificada = true;
        f.messages.clear();
        f.messages.scriptText(file);
        f.messages.scriptText(path(u"copy.cho"_s));
        QVERIFY(!f.song.SaveSongFile());
        QVERIFY(f.messages.texts().at(0).startsWith(file + u"\nwas read only in part"));
        QCOMPARE(f.messages.entries().at(1).kind, RecordingMessages::Kind::SaveFile);
        QCOMPARE(readBytes(file), bytes);
        f.messages.scriptAnswer(Answer::Yes);   // the first 60000 bytes and the song's setup pass the limit
        QVERIFY(f.song.SaveSongFile());
        QCOMPARE(f.song.caption, path(u"copy.cho"_s));
        QCOMPARE(readBytes(file), bytes);
        // Closing with changes: cancelling the other name keeps the window open.
        load(f, file);
        f.song.Modificada = true;
        f.messages.scriptAnswer(Answer::Yes);
        f.messages.scriptText(QString());
        QVERIFY(queryUnload(f.song, u"Liravox"_s) == CloseDecision::Refuse);
        QCOMPARE(readBytes(file), bytes);
    }

    void saveBeyondTheReadLimitAsksFirst_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("saved");
        QTest::addRow("no keeps the old file") << int(Answer::No) << false;
        QTest::addRow("yes saves all the same") << int(Answer::Yes) << true;
    }
    void saveBeyondTheReadLimitAsksFirst()
    {
        QFETCH(int, answer);
        QFETCH(bool, saved);
        const QString file = path(u"full.cho"_s);
        writeBytes(file, "old");
        SongFixture f;
        f.song.StringToLinesRec(QString(u"la la la\r\n"_s).repeated(5990));
        f.messages.scriptAnswer(Answer(answer));
        QCOMPARE(f.song.SaveSongFileAs(file), saved);
        QVERIFY(f.messages.texts().first().contains(u"only its first 60000 bytes are read"_s));
        QCOMPARE(readBytes(file) == "old", !saved);
    }

    // Another program's save since the song was read or saved is not lost
    // without a word; the song's own saves, a file deleted meanwhile and one
    // that holds what the save writes ask nothing.
    void saveOverAnotherProgramsChangesAsksFirst_data()
    {
        QTest::addColumn<QString>("change");   // what happens to the file after the song's own save
        QTest::addColumn<int>("answer");       // Answer, or -1 for no question expected
        QTest::addColumn<bool>("saved");
        QTest::addRow("nothing: saved again without a question") << u"none"_s << -1 << true;
        QTest::addRow("rewritten, no keeps it") << u"rewrite"_s << int(Answer::No) << false;
        QTest::addRow("rewritten, yes saves over it") << u"rewrite"_s << int(Answer::Yes) << true;
        QTest::addRow("replaced by another file of the same size") << u"replace"_s << int(Answer::No) << false;
        QTest::addRow("deleted: saved without a question") << u"delete"_s << -1 << true;
        QTest::addRow("saved again with the same bytes: no question") << u"same"_s << -1 << true;
    }
    void saveOverAnotherProgramsChangesAsksFirst()
    {
        QFETCH(QString, change);
        QFETCH(int, answer);
        QFETCH(bool, saved);
        const QString file = path(u"shared.cho"_s);
        writeBytes(file, "{t:Mine}\r\n");
        SongFixture f;
        load(f, file);
        QVERIFY(f.song.SaveFile());
        const QByteArray mine = readBytes(file);
        const QByteArray theirs = QByteArray(mine.size(), 'x');
        if (change == u"rewrite")
            writeBytes(file, "{t:Theirs}\r\n");
        else if (change == u"replace") {
            QVERIFY(QFile::remove(file));
            writeBytes(file, theirs);
        } else if (change == u"delete") {
            QVERIFY(QFile::remove(file));
        } else if (change == u"same") {
            QVERIFY(QFile::remove(file));
            writeBytes(file, mine);
        }
        f.messages.clear();
        if (answer >= 0)
            f.messages.scriptAnswer(Answer(answer));
        QCOMPARE(f.song.SaveFile(), saved);
        QCOMPARE(f.messages.entries().size(), answer >= 0 ? 1 : 0);
        if (answer >= 0)
            QVERIFY(f.messages.texts().first().startsWith(file + u"\nwas changed by another program"));
        QCOMPARE(readBytes(file) == mine, saved);
    }

    // Loading waits for nothing and says what the name is: a pipe no program
    // writes to is refused at once, a link loop gets the system's reason.
    void fileThatCannotBeReadLoadsNothing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::addRow("a folder") << u"folder"_s << u"it is not a regular file"_s;
        QTest::addRow("a named pipe") << u"pipe"_s << u"it is not a regular file"_s;
        QTest::addRow("a device") << u"/dev/zero"_s << u"it is not a regular file"_s;
        QTest::addRow("a link to itself") << u"loop"_s << u"Too many levels of symbolic links"_s;
        QTest::addRow("a file that is not there, refused") << u"gone"_s << u"No such file or directory"_s;
    }
    void fileThatCannotBeReadLoadsNothing()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        const QString file = kind.startsWith(u'/') ? kind : path(kind + u".cho"_s);
        if (kind == u"folder")
            QDir().mkpath(file);
        else if (kind == u"pipe")
            QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        else if (kind == u"loop")
            QVERIFY(QFile::link(file, file));
        SongFixture f;
        f.context.app.CurrentFileName = file;
        if (kind == u"gone")
            QVERIFY(!song::ReadTextFile(file, f.messages, song::MissingFile::Refuse).ok);
        else
            QVERIFY(!f.song.LoadFile());
        QCOMPARE(f.messages.texts().first(), u"Cannot open file "_s + file + u": "_s + reason);
        QVERIFY(kind == u"gone" || f.song.readInPart(file));
    }

    void closingAskingToSave_data()
    {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<int>("playing");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("answer");       // Answer, or -1 for no question expected
        QTest::addColumn<QString>("fileName"); // from the save dialog
        QTest::addColumn<QString>("outcome");
        QTest::addRow("unchanged closes") << false << 0 << u"x.cho"_s << -1 << QString() << u"closes"_s;
        QTest::addRow("a sounding chord keeps it open") << true << 1 << u"x.cho"_s << -1 << QString() << u"stays"_s;
        QTest::addRow("cancel keeps it open") << true << 0 << u"x.cho"_s << int(Answer::Cancel) << QString() << u"stays"_s;
        QTest::addRow("no closes without saving") << true << 0 << u"x.cho"_s << int(Answer::No) << QString() << u"closes"_s;
        QTest::addRow("yes saves under the caption") << true << 0 << u"x.cho"_s << int(Answer::Yes) << QString() << u"closes saved"_s;
        QTest::addRow("untitled with the save dialog cancelled stays open")
            << true << 0 << u"Untitled:2"_s << int(Answer::Yes) << QString() << u"stays"_s;
        QTest::addRow("untitled with a name saves") << true << 0 << u"Untitled:2"_s << int(Answer::Yes) << u"x.cho"_s << u"closes saved"_s;
    }
    void closingAskingToSave()
    {
        QFETCH(bool, modified);
        QFETCH(int, playing);
        QFETCH(QString, caption);
        QFETCH(int, answer);
        QFETCH(QString, fileName);
        const QString file = path(u"x.cho"_s);
        QFile::remove(file);
        SongFixture f;
        f.song.StringToLinesRec(u"la"_s);
        f.song.caption = caption.startsWith(u"Untitled") ? caption : file;
        f.song.Modificada = modified;
        f.context.app.PlayingCount = qint16(playing);
        if (answer >= 0)
            f.messages.scriptAnswer(Answer(answer));
        f.messages.scriptText(fileName.isEmpty() ? QString() : path(fileName));
        const QString shownCaption = f.song.caption;
        const bool closes = queryUnload(f.song, u"Liravox"_s) == CloseDecision::Close;
        QTEST(QString((closes ? u"closes"_s : u"stays"_s) + (QFile::exists(file) ? u" saved"_s : QString())), "outcome");
        if (answer >= 0)
            QCOMPARE(f.messages.entries()[0].text, u"The text in [" + shownCaption + u"] has changed.\nDo you want to save the changes?");
    }

};

LIRAVOX_TEST_MAIN(SongFileTest)
#include "songfile_test.moc"
