#include "testmain.h"

#include "base/appstate.h"
#include "base/fonts.h"
#include "base/numbers.h"
#include "base/optionvalues.h"
#include "base/settings.h"
#include "base/startup.h"

#include <QFile>
#include <QSettings>

using namespace lvx;
using namespace Qt::StringLiterals;

namespace {

FontSet defaultSet()
{
    FontSet set;
    loadSongFontDefaults(set);
    return set;
}

} // namespace

class SettingsTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { test::clearSettings(); }

    void flagsAreTrueOnlyForTheWordTrue_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("expected");
        QTest::addRow("capitals with blanks around") << u"  TRUE  "_s << true;
        QTest::addRow("a tab is not a blank") << u"true\t"_s << false;
        QTest::addRow("empty") << QString() << false;
    }
    void flagsAreTrueOnlyForTheWordTrue()
    {
        QFETCH(QString, stored);
        QFETCH(bool, expected);
        SaveSetting(u"Printer"_s, u"ColorPrintingFlag"_s, stored);
        SaveSetting(u"Public"_s, u"ChordsOnly"_s, stored);
        SaveSetting(u"Public"_s, u"SoundingChords"_s, stored);
        AppState state;
        readStartupSettings(state);
        QCOMPARE(state.colorPrinting, expected);
        QCOMPARE(state.ChordsOnly, expected);
        QCOMPARE(state.soundingChords, expected);
    }

    // A comma typed into the settings file by hand makes a list of the value; it reads back whole.
    void sectionsAndKeysWithBlanksRoundTrip()
    {
        QFile file(QSettings(u"Liravox"_s, u"Liravox"_s).fileName());
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("[Recent%20Files]\nRecentFile1=/songs/a,b.cho\n") > 0);
        file.close();
        SaveSetting(u"Public"_s, u"Modo Acordes"_s, u"Do"_s);
        QCOMPARE(GetSetting(u"Recent Files"_s, u"RecentFile1"_s, {}), u"/songs/a,b.cho"_s);
        QCOMPARE(GetSetting(u"Public"_s, u"Modo Acordes"_s, u"C"_s), u"Do"_s);
        AppState state;
        readStartupSettings(state);
        QCOMPARE(state.notation, u"Do"_s);
        QVERIFY(!state.lettersNotation());
    }

    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::addRow("trailing text is ignored") << u"300ms"_s << 300.0;
        QTest::addRow("sign and fraction") << u"-12.75x"_s << -12.75;
        QTest::addRow("text first reads as zero") << u"abc12"_s << 0.0;
        QTest::addRow("no exponent") << u"1e5"_s << 1.0;
        QTest::addRow("a tab is not a blank") << u"\t5"_s << 0.0;
        QTest::addRow("comma is not a decimal point") << u"2,5"_s << 2.0;
        QTest::addRow("blanks, plus sign, whole") << u"  +16711680"_s << 16711680.0;
        QTest::addRow("a point without digits after it") << u"-7.x"_s << -7.0;
        QTest::addRow("more digits than add up exactly") << u"12345678901234567890"_s << 12345678901234567890.0;
    }
    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(lvx::leadingNumber(text), expected);
    }

    void wholeIntegers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");   // -99999 for "not a number"
        QTest::addRow("digits") << u"24"_s << 24;
        QTest::addRow("a half rounds to the even number below") << u"2.5"_s << 2;
        QTest::addRow("a half rounds to the even number above") << u"-3.5"_s << -4;
        QTest::addRow("trailing text refuses") << u"12abc"_s << -99999;
        QTest::addRow("text refuses") << u"mapper"_s << -99999;
        QTest::addRow("too large clamps") << u"70000"_s << 32767;
    }
    void wholeIntegers()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        const auto parsed = parseInt16(text);
        QCOMPARE(parsed ? int(*parsed) : -99999, expected);
    }

    void roundsHalvesToEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("expected");
        QTest::addRow("a half, even below") << 2.5 << 2.0;
        QTest::addRow("a half, even above") << 3.5 << 4.0;
        QTest::addRow("a negative half, even above") << -2.5 << -2.0;
        QTest::addRow("a negative half, even below") << -3.5 << -4.0;
        QTest::addRow("zero and a half") << 0.5 << 0.0;
        QTest::addRow("minus zero and a half") << -0.5 << 0.0;
        QTest::addRow("under a half") << 7.4999 << 7.0;
        QTest::addRow("over a half, negative") << -0.7 << -1.0;
        QTest::addRow("a negative fraction under a half") << -6.2 << -6.0;
        QTest::addRow("whole beyond 2^52") << 4503599627370497.0 << 4503599627370497.0;
        QTest::addRow("huge") << 1e300 << 1e300;
        QTest::addRow("minus infinity") << -qInf() << -qInf();
    }
    void roundsHalvesToEven()
    {
        QFETCH(double, value);
        QFETCH(double, expected);
        QCOMPARE(lvx::roundHalfEven(value), expected);
        QVERIFY(qIsNaN(lvx::roundHalfEven(qQNaN())));
    }

    void settingsOverrideDefaults()
    {
        SaveSetting(u"SongFonts"_s, u"LyricFontName"_s, u"Liberation Serif"_s);
        SaveSetting(u"SongFonts"_s, u"LyricFontSize"_s, u"12.5pt"_s);
        SaveSetting(u"SongFonts"_s, u"LyricFontBold"_s, u" True "_s);
        SaveSetting(u"SongFonts"_s, u"LyricFontItalic"_s, u"yes"_s);
        SaveSetting(u"SongFonts"_s, u"ChordFontColor"_s, u"blue"_s);
        SaveSetting(u"SongFonts"_s, u"TitleFontSize"_s, u"-99999999"_s);
        const FontSet set = defaultSet();
        QCOMPARE(FontToStr(*set.find(u"Lyric"_s)), u"Lyric,Liberation Serif,12,0,true,false"_s);
        QCOMPARE(set.find(u"Chord"_s)->Color, 0);
        QCOMPARE(set.find(u"Title"_s)->Size, qint16(-32768));
        // The facts' font follows the subtitle's, two points smaller, until it is set itself.
        QCOMPARE(FontToStr(*set.find(u"Metadata"_s)), u"Metadata,Comic Sans MS,14,0,true,false"_s);
        SaveSetting(u"SongFonts"_s, u"SubTitleFontName"_s, u"DejaVu Sans"_s);
        SaveSetting(u"SongFonts"_s, u"SubTitleFontSize"_s, u"5"_s);
        QCOMPARE(FontToStr(*defaultSet().find(u"Metadata"_s)), u"Metadata,DejaVu Sans,4,0,true,false"_s);
    }

    void fontDirective_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expectedLyric");
        QTest::addRow("full description") << u"Lyric,Arial,12,255,true,true"_s << u"Lyric,Arial,12,255,true,true"_s;
        QTest::addRow("blanks around items are trimmed") << u"Lyric , Arial , 11 , 0 , true , false"_s << u"Lyric,Arial,11,0,true,false"_s;
        QTest::addRow("bold True with a capital is false") << u"Lyric,Arial,10,0,True,TRUE"_s << u"Lyric,Arial,10,0,false,false"_s;
        QTest::addRow("role found ignoring case keeps the key as written") << u"lyric,Arial,10,0,false,false"_s << u"lyric,Arial,10,0,false,false"_s;
        QTest::addRow("unknown role changes nothing") << u"Verse,Arial,30,0,true,true"_s << u"Lyric,Comic Sans MS,10,0,false,false"_s;
    }
    void fontDirective()
    {
        QFETCH(QString, text);
        QFETCH(QString, expectedLyric);
        FontSet set = defaultSet();
        FontFromStr(set, text);
        QCOMPARE(set.size(), 10);
        QCOMPARE(FontToStr(*set.find(u"Lyric"_s)), expectedLyric);
    }

    void notationAndInstrumentAreSavedAsShown_data()
    {
        QTest::addColumn<QString>("notation");
        QTest::addColumn<QString>("instrument");
        QTest::addColumn<QString>("shown");   // notation and instrument, as shown and saved
        QTest::addColumn<bool>("everySetting");
        QTest::addRow("letters and guitar") << u"C"_s << u"Guitar"_s << u"C Guitar"_s << false;
        QTest::addRow("solfege and piano, every setting into songs") << u"Do"_s << u"Piano"_s << u"Do Piano"_s << true;
        QTest::addRow("any other notation is solfege") << u"do"_s << u"Guitar"_s << u"Do Guitar"_s << false;
        QTest::addRow("any other instrument is the piano") << u"C"_s << u"guitar"_s << u"C Piano"_s << true;
    }
    void notationAndInstrumentAreSavedAsShown()
    {
        AppState app;
        QFETCH(QString, notation);
        QFETCH(QString, instrument);
        QFETCH(bool, everySetting);
        app.notation = notation;
        app.instrument = instrument;
        app.WriteEverySetting = everySetting;
        const GeneralOptions shown = generalOptions(app);
        QTEST(QString(shown.notation + u' ' + shown.instrument), "shown");
        QCOMPARE(shown.writeEverySetting, everySetting);
        applyGeneralOptions(app, shown);
        QTEST(QString(app.notation + u' ' + app.instrument), "shown");
        QTEST(QString(GetSetting(u"Public"_s, u"Modo Acordes"_s, {}) + u' ' + GetSetting(u"Public"_s, u"Instrument"_s, {})), "shown");
        // What the next start reads.
        AppState next;
        readStartupSettings(next);
        QCOMPARE(next.WriteEverySetting, everySetting);
    }

    void voicesAreSavedUnderMidi()
    {
        AppState app;
        const VoiceOptions voices{25, 300, 50, 4, 1200, 0};
        applyVoiceOptions(app, voices);
        QCOMPARE(voiceOptions(app), voices);
        const QStringList keys{u"GuitarPatch"_s, u"GuitarSustain"_s, u"GuitarDelay"_s,
                               u"PianoPatch"_s,  u"PianoSustain"_s,  u"PianoDelay"_s};
        QStringList saved;
        for (const QString& key : keys)
            saved.append(GetSetting(u"Midi"_s, key, u"missing"_s));
        QCOMPARE(saved, (QStringList{u"25"_s, u"300"_s, u"50"_s, u"4"_s, u"1200"_s, u"0"_s}));
    }
};

LIRAVOX_TEST_MAIN(SettingsTest)
#include "settings_test.moc"
