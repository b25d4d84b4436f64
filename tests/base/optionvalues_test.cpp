#include "testmain.h"

#include "base/appstate.h"
#include "base/optionvalues.h"
#include "base/settings.h"

using namespace lvx;
using namespace Qt::StringLiterals;

class OptionValuesTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { test::clearSettings(); }

    void timesShowAtTheNearestStep_data()
    {
        QTest::addColumn<bool>("sustain");
        QTest::addColumn<int>("milliseconds");
        QTest::addColumn<int>("slider");
        QTest::addColumn<int>("stored");   // what the slider position saves again

        QTest::addRow("sustain between steps goes to the nearer") << true << 260 << 3 << 300;
        QTest::addRow("sustain half a step rounds to even down") << true << 250 << 2 << 200;
        QTest::addRow("delay half a step rounds to even") << false << 105 << 10 << 100;
        QTest::addRow("delay below one step") << false << 4 << 0 << 0;
        QTest::addRow("delay counts in tens") << false << 37 << 4 << 40;
    }

    void timesShowAtTheNearestStep()
    {
        QFETCH(bool, sustain);
        QFETCH(int, milliseconds);
        const int shown = sustain ? sustainToSlider(qint16(milliseconds)) : delayToSlider(qint16(milliseconds));
        QTEST(shown, "slider");
        QTEST(int(sustain ? sliderToSustain(shown) : sliderToDelay(shown)), "stored");
    }

    void notationAndInstrumentAreSavedAsShown_data()
    {
        QTest::addColumn<QString>("notation");
        QTest::addColumn<QString>("instrument");
        QTest::addColumn<QString>("shown");   // notation and instrument, as shown and saved
        QTest::addRow("letters and guitar") << u"C"_s << u"Guitar"_s << u"C Guitar"_s;
        QTest::addRow("solfege and piano") << u"Do"_s << u"Piano"_s << u"Do Piano"_s;
        QTest::addRow("any other notation is solfege") << u"do"_s << u"Guitar"_s << u"Do Guitar"_s;
        QTest::addRow("any other instrument is the piano") << u"C"_s << u"guitar"_s << u"C Piano"_s;
    }
    void notationAndInstrumentAreSavedAsShown()
    {
        AppState app;
        QFETCH(QString, notation);
        QFETCH(QString, instrument);
        app.notation = notation;
        app.instrument = instrument;
        const GeneralOptions shown = generalOptions(app);
        QTEST(QString(shown.notation + u' ' + shown.instrument), "shown");
        applyGeneralOptions(app, shown);
        QTEST(QString(app.notation + u' ' + app.instrument), "shown");
        QTEST(QString(GetSetting(u"Public"_s, u"Modo Acordes"_s, {}) + u' ' + GetSetting(u"Public"_s, u"Instrument"_s, {})), "shown");
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

LIRAVOX_TEST_MAIN(OptionValuesTest)

#include "optionvalues_test.moc"
