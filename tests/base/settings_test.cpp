#include "testmain.h"

#include "base/appstate.h"
#include "base/settings.h"
#include "base/startup.h"

#include <QSettings>

using namespace lvx;
using namespace Qt::StringLiterals;

class SettingsTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { test::clearSettings(); }

    void emptyStoreGivesEveryDefault()
    {
        AppState state;
        state.notation = u"x"_s;
        state.pianoSustain = 1;
        state.LyricsOnly = state.WriteModes = true;
        state.PaintEnabled = false;
        readStartupSettings(state);
        QCOMPARE(state.notation + u' ' + state.instrument, u"C Guitar"_s);
        QCOMPARE((QList<qint16>{state.pianoSustain, state.guitarSustain, state.pianoDelay, state.guitarDelay}),
                 (QList<qint16>{300, 200, 100, 100}));
        QVERIFY(!state.LyricsOnly && !state.ChordsOnly && !state.colorPrinting && !state.WriteModes);
        QVERIFY(state.WriteFormat && state.WriteSongText && state.PaintEnabled);
    }

    void flagsAreTrueOnlyForTheWordTrue_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("expected");
        QTest::addRow("capitals with blanks around") << u"  TRUE  "_s << true;
        QTest::addRow("mixed case") << u"True"_s << true;
        QTest::addRow("yes is not true") << u"yes"_s << false;
        QTest::addRow("a tab is not a blank") << u"true\t"_s << false;
        QTest::addRow("empty") << QString() << false;
    }
    void flagsAreTrueOnlyForTheWordTrue()
    {
        QFETCH(QString, stored);
        QFETCH(bool, expected);
        SaveSetting(u"Printer"_s, u"ColorPrintingFlag"_s, stored);
        SaveSetting(u"Public"_s, u"ChordsOnly"_s, stored);
        AppState state;
        readStartupSettings(state);
        QCOMPARE(state.colorPrinting, expected);
        QCOMPARE(state.ChordsOnly, expected);
    }

    void playbackTimesUseTheLeadingNumber_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("expected");
        QTest::addRow("number with unit") << u"250ms"_s << 250;
        QTest::addRow("half rounds to even") << u"100.5"_s << 100;
        QTest::addRow("huge clamps") << u"999999999999"_s << 32767;
    }
    void playbackTimesUseTheLeadingNumber()
    {
        QFETCH(QString, stored);
        QFETCH(int, expected);
        SaveSetting(u"Midi"_s, u"PianoSustain"_s, stored);
        SaveSetting(u"Midi"_s, u"GuitarDelay"_s, stored);
        AppState state;
        readStartupSettings(state);
        QCOMPARE(int(state.pianoSustain), expected);
        QCOMPARE(int(state.guitarDelay), expected);
    }

    void integerKeysFallBackToTheirDefault()
    {
        SaveSetting(u"Midi"_s, u"MidiDev"_s, u"mapper"_s);
        SaveSetting(u"Midi"_s, u"GuitarPatch"_s, u"25"_s);
        SaveSetting(u"Midi"_s, u"PianoPatch"_s, u"4x"_s);
        QCOMPARE(GetSettingInteger(u"Midi"_s, u"MidiDev"_s, 0), qint16(0));
        QCOMPARE(GetSettingInteger(u"Midi"_s, u"GuitarPatch"_s, 24), qint16(25));
        QCOMPARE(GetSettingInteger(u"Midi"_s, u"PianoPatch"_s, 0), qint16(0));
        QCOMPARE(GetSettingInteger(u"Midi"_s, u"LastHandle"_s, 0), qint16(0));
    }

    void sectionsAndKeysWithBlanksRoundTrip()
    {
        SaveSetting(u"Recent Files"_s, u"RecentFile1"_s, u"/songs/a, b.cho"_s);
        SaveSetting(u"Public"_s, u"Modo Acordes"_s, u"Do"_s);
        QCOMPARE(GetSetting(u"Recent Files"_s, u"RecentFile1"_s, {}), u"/songs/a, b.cho"_s);
        QCOMPARE(GetSetting(u"Public"_s, u"Modo Acordes"_s, u"C"_s), u"Do"_s);
        AppState state;
        readStartupSettings(state);
        QCOMPARE(state.notation, u"Do"_s);
        QVERIFY(!state.lettersNotation());
    }

};

LIRAVOX_TEST_MAIN(SettingsTest)
#include "settings_test.moc"
