// The options dialog: what it shows, what Apply and OK write, what Cancel
// leaves alone, and the font and colour choices.

#include "desktopfixture.h"
#include "widgetsmain.h"

#include "app/frmoptions.h"
#include "base/settings.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QLabel>
#include <QScrollBar>
#include <QSettings>
#include <QSlider>

using namespace Qt::StringLiterals;
using lvx::frmOptions;

namespace {

const QString Unset = u"(unset)"_s;

// The frame with one song open and the options dialog shown over it.
struct OptionsFixture
{
    DesktopFixture desktop;
    lvx::editor::frmSong* window = desktop.open("{t:Options}\r\n[C]Hello [G7]world\r\n");
    std::unique_ptr<frmOptions> dialog;

    lvx::song::Song& song() { return window->song(); }
    lvx::AppState& app() { return desktop.desktop->app; }

    // The dialog edits the first song unless told another.
    void show(lvx::song::Song* edited = nullptr)
    {
        desktop.desktop->midi.instrumentNames().fill();
        dialog = std::make_unique<frmOptions>(*desktop.desktop, edited ? *edited : song(), desktop.main.get());
        dialog->show();
    }

    void click(const QString& name) { QTest::mouseClick(lvx::test::control<QAbstractButton>(*dialog, name), Qt::LeftButton); }

    // A slider's position, a list's index, or 1 for a ticked box or chosen option; set first when asked.
    int value(const QString& name, std::optional<int> set = std::nullopt)
    {
        QWidget* widget = lvx::test::control(*dialog, name);
        auto* slider = qobject_cast<QSlider*>(widget);
        auto* list = qobject_cast<QComboBox*>(widget);
        auto* button = qobject_cast<QAbstractButton*>(widget);
        if (set)
            slider ? slider->setValue(*set) : list ? list->setCurrentIndex(*set) : button->setChecked(*set != 0);
        return slider ? slider->value() : list ? list->currentIndex() : int(button->isChecked());
    }

    void selectRole(const QString& role)
    {
        auto* roles = lvx::test::control<QComboBox>(*dialog, u"cFontSource"_s);
        roles->setCurrentIndex(roles->findText(role));
    }

    QString font(const QString& role) { return lvx::FontToStr(*song().fonts->find(role)); }
};

QMap<QString, QString> allSettings()
{
    QSettings store(u"Liravox"_s, u"Liravox"_s);
    QMap<QString, QString> values;
    for (const QString& key : store.allKeys())
        values.insert(key, store.value(key).toString());
    return values;
}

} // namespace

class OptionsTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { lvx::test::clearSettings(); }

    void opensOnTheValuesInForce()
    {
        OptionsFixture options;
        options.app().guitarSustain = 250;
        options.app().midiDevice = -1;
        options.app().ChordsOnly = true;
        options.app().notation = u"Do"_s;
        options.app().soundingChords = true;
        options.app().WriteEverySetting = true;
        options.song().ChordSize = 2;
        options.song().PrintMinorFlag = false;
        options.show();
        QStringList shown;
        for (const QString& name : {u"sGuitarSustain"_s, u"cMidiDevs"_s, u"oOutput2"_s, u"oNoteStyle2"_s, u"oChordSize2"_s,
                                    u"ckMinorFlag"_s, u"ckMajorFlag"_s, u"ckSoundingChords"_s, u"chkWriteEverySetting"_s})
            shown.append(name + u'=' + QString::number(options.value(name)));
        QCOMPARE(shown.join(u' '), u"sGuitarSustain=2 cMidiDevs=0 oOutput2=1 oNoteStyle2=1 oChordSize2=1 ckMinorFlag=0 ckMajorFlag=1 "
                                   u"ckSoundingChords=1 chkWriteEverySetting=1"_s);
    }

    void applyStoresTheSetting_data()
    {
        QTest::addColumn<QString>("set");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored");
        QTest::addRow("sustain step 3 stores 300 ms") << u"sGuitarSustain=3"_s << u"cmdApply"_s << u"Midi/GuitarSustain"_s
                                                      << u"300"_s;
        QTest::addRow("the piano's delay step 4 stores 40 ms") << u"sPianoDelay=4"_s << u"cmdApply"_s << u"Midi/PianoDelay"_s
                                                               << u"40"_s;
        QTest::addRow("the mapper is device -1") << u"cMidiDevs=0"_s << u"cmdApply"_s << u"Midi/MidiDev"_s << u"-1"_s;
        QTest::addRow("OK stores and closes") << u"oNoteStyle2=1"_s << u"cmdOK"_s << u"Public/Modo Acordes"_s << u"Do"_s;
        QTest::addRow("the page footer as typed") << u"tPageFooter=%{title}|%{artist}|p. %{page}"_s << u"cmdOK"_s
                                                  << u"Printer/PageFooter"_s << u"%{title}|%{artist}|p. %{page}"_s;
        QTest::addRow("the page header as typed") << u"tPageHeader=%{key}"_s << u"cmdApply"_s << u"Printer/PageHeader"_s
                                                  << u"%{key}"_s;
        QTest::addRow("sounding chords shown") << u"ckSoundingChords=1"_s << u"cmdApply"_s << u"Public/SoundingChords"_s
                                               << u"true"_s;
        QTest::addRow("every setting into songs is a program setting") << u"chkWriteEverySetting=1"_s << u"cmdApply"_s
                                                                       << u"Public/WriteEverySetting"_s << u"true"_s;
    }
    void applyStoresTheSetting()
    {
        QFETCH(QString, set);
        QFETCH(QString, button);
        QFETCH(QString, key);
        OptionsFixture options;
        options.show();
        if (auto* text = options.dialog->findChild<QLineEdit*>(set.section(u'=', 0, 0)))
            text->setText(set.section(u'=', 1));
        else
            options.value(set.section(u'=', 0, 0), set.section(u'=', 1).toInt());
        QCOMPARE(lvx::GetSetting(key.section(u'/', 0, 0), key.section(u'/', 1), Unset), Unset);
        options.click(button);
        QTEST(lvx::GetSetting(key.section(u'/', 0, 0), key.section(u'/', 1), Unset), "stored");
        QCOMPARE(options.dialog->isVisible(), button == u"cmdApply");
        QVERIFY(!options.song().Modificada);   // program settings are not the song's
    }

    void cancelChangesNothing()
    {
        OptionsFixture options;
        const QMap<QString, QString> settingsBefore = allSettings();
        const QString songBefore = options.song().LinesToString();
        QFile::remove(lvx::song::defaultSongPath());
        options.show();
        options.dialog->chooseFont = [](const QFont&, QWidget*) { return QFont(u"Liberation Serif"_s, 30); };
        options.selectRole(u"Lyric"_s);
        options.click(u"bChange"_s);
        for (const QString& name : {u"sGuitarSustain"_s, u"cMidiDevs"_s, u"cPianoPatch"_s, u"ckBassFlag"_s})
            options.value(name, 0);
        for (const QString& name : {u"oNoteStyle2"_s, u"oOutput1"_s, u"oChordSize0"_s, u"oInstrument2"_s, u"chkWriteEverySetting"_s})
            options.value(name, 1);
        options.click(u"cmdCancel"_s);
        QCOMPARE(options.dialog->result(), int(QDialog::Rejected));
        QCOMPARE(allSettings(), settingsBefore);
        QCOMPARE(options.song().LinesToString(), songBefore);
        QCOMPARE(options.app().notation, u"C"_s);
        QCOMPARE(options.app().guitarSustain, qint16(200));
        QVERIFY(!options.app().WriteEverySetting);
        QVERIFY(!QFile::exists(lvx::song::defaultSongPath()));
    }

    void songOptionsGoToTheSongAndTheDefaultFile()
    {
        OptionsFixture options;
        options.show();
        options.value(u"oChordSize0"_s, 1);
        options.value(u"ckBassFlag"_s, 0);
        QFile::remove(lvx::song::defaultSongPath());
        options.click(u"cmdApply"_s);
        QCOMPARE(options.song().ChordSize, qint16(0));
        QCOMPARE(options.song().PrintBassNotRootFlag, false);
        QVERIFY(options.song().Modificada);   // saved with the song, so closing asks
        QFile file(lvx::song::defaultSongPath());
        const QByteArray written = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        QVERIFY(written.contains("{chords_size:0}") && written.contains("{print_bass_not_root:no}") && written.contains("(title)"));
        // New songs start from it, so it holds every setting, even from a song saved in its own style.
        QVERIFY(options.song().writesOwnStyle());
        QVERIFY(written.contains("{print_orientation:1}\r\n"));
        // The song itself keeps its lines and title.
        QCOMPARE(options.song().title, u"Options"_s);
        QVERIFY(options.song().LinesToString().contains(u"[C]Hello [G7]world"_s));
    }

    void fontAndColourGoToTheSongOnApply()
    {
        OptionsFixture options;
        options.show();
        QFont serif(u"Liberation Serif"_s, 14);
        serif.setBold(true);
        options.dialog->chooseFont = [serif](const QFont&, QWidget*) { return std::optional<QFont>(serif); };
        options.dialog->chooseColor = [](const QColor&, QWidget*) { return std::optional<QColor>(QColor(0, 0, 255)); };
        options.selectRole(u"Lyric"_s);
        options.click(u"bChange"_s);
        options.click(u"bColor"_s);
        QCOMPARE(options.font(u"Lyric"_s), u"Lyric,Comic Sans MS,10,0,false,false"_s);
        options.click(u"cmdApply"_s);
        // The colour is stored red in the low byte.
        const QString applied = u"Lyric,Liberation Serif,14,16711680,true,false"_s;
        QCOMPARE(options.font(u"Lyric"_s), applied);
        QVERIFY(options.song().LinesToString().contains(u"{font:"_s + applied + u'}'));
        QVERIFY(options.song().Modificada);
    }

    // OK and Apply draw every open song again, each where it was scrolled to,
    // and a line the way every paint shows it: a lyric inside tablature as the
    // file holds it, the same as when the saved song is opened again.
    void openSongsShowTheNewOptions_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addRow("OK") << u"cmdOK"_s;
        QTest::addRow("Apply") << u"cmdApply"_s;
    }
    void openSongsShowTheNewOptions()
    {
        QFETCH(QString, button);
        OptionsFixture options;
        const QByteArray text = QByteArray("la\n").repeated(60) + "[G]Hello my o[C]lXYd friend[D], hi\n{eot}\n";
        lvx::editor::frmSong* tab = options.desktop.open(text, u"tab.cho"_s);
        auto* bar = tab->findChild<QScrollBar*>(u"VS"_s);
        bar->setValue(bar->maximum());
        const int slot = 61 - tab->TopLine() + 1;   // the lyric's box
        focusBox(tab, slot, 0);
        tab->action(u"mnuISOT"_s)->trigger();
        const int top = tab->TopLine();
        QVERIFY(top > 1);
        const QString shown = box(tab, slot + 1)->text();
        QCOMPARE(shown, u"[G]Hello my o[C]lXYd friend[D], hi"_s);
        options.show(&tab->song());
        options.value(u"oNoteStyle2"_s, 1);
        options.click(button);
        QCOMPARE(std::pair(tab->TopLine(), box(tab, slot + 1)->text()), std::pair(top, shown));
        // The song behind names its chords in the new notation too.
        QCOMPARE(options.window->findChild<QLabel*>(u"L1"_s)->text(), u"Do"_s);
        lvx::editor::frmSong* again = options.desktop.open(tab->song().LinesToString().toUtf8(), u"again.cho"_s);
        QCOMPARE(lvx::song::lyricWithChords(again->song().lines.at(61)), shown);
    }
};

LIRAVOX_WIDGETS_TEST_MAIN(OptionsTest)
#include "options_test.moc"
