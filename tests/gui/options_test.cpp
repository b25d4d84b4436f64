// The options dialog: what it shows, what Apply and OK write, what Cancel
// leaves alone, the font and colour choices and the Test buttons.

#include "desktopfixture.h"
#include "widgetsmain.h"

#include "app/frmoptions.h"
#include "base/settings.h"
#include "song/song.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSlider>
#include <QTabWidget>
#include <QToolButton>

using namespace Qt::StringLiterals;
using lvx::frmOptions;

// Stands in for the active song window where only the repaint matters.
class PaintRecorder final : public QWidget
{
    Q_OBJECT

public:
    QPointer<QWidget> dialog;
    QStringList calls;
    Q_INVOKABLE void PaintPage() { calls.append(dialog && dialog->isVisible() ? u"early"_s : u"PaintPage"_s); }
};

namespace {

const QString Unset = u"(unset)"_s;

// The frame with one song open and the options dialog shown over it.
struct OptionsFixture
{
    DesktopFixture desktop;
    lvx::editor::frmSong* window = nullptr;
    std::unique_ptr<frmOptions> dialog;

    OptionsFixture()
    {
        desktop.desktop->midi.instrumentNames().fill();
        window = desktop.open("{t:Options}\r\n[C]Hello [G7]world\r\n");
    }

    lvx::song::Song& song() { return window->song(); }
    lvx::AppState& app() { return desktop.desktop->app; }

    frmOptions& show()
    {
        dialog = std::make_unique<frmOptions>(*desktop.desktop, song(), desktop.main.get());
        dialog->show();
        return *dialog;
    }

    template <typename T = QWidget>
    T* control(const QString& name)
    {
        T* found = dialog->findChild<T*>(name);
        if (found == nullptr)
            qFatal("no control %s", qPrintable(name));
        return found;
    }

    void click(const QString& name) { QTest::mouseClick(control<QAbstractButton>(name), Qt::LeftButton); }

    // A slider's position, a list's index, or 1 for a ticked box or chosen option.
    int read(const QString& name)
    {
        QWidget* widget = control(name);
        if (auto* slider = qobject_cast<QSlider*>(widget))
            return slider->value();
        if (auto* list = qobject_cast<QComboBox*>(widget))
            return list->currentIndex();
        return qobject_cast<QAbstractButton*>(widget)->isChecked() ? 1 : 0;
    }

    void set(const QString& name, int value)
    {
        QWidget* widget = control(name);
        if (auto* slider = qobject_cast<QSlider*>(widget))
            slider->setValue(value);
        else if (auto* list = qobject_cast<QComboBox*>(widget))
            list->setCurrentIndex(value);
        else
            qobject_cast<QAbstractButton*>(widget)->setChecked(value != 0);
    }

    void selectRole(const QString& role)
    {
        auto* roles = control<QComboBox>(u"cFontSource"_s);
        roles->setCurrentIndex(roles->findText(role));
    }
};

QMap<QString, QString> allSettings()
{
    QSettings store(u"Liravox"_s, u"Liravox"_s);
    QMap<QString, QString> values;
    for (const QString& key : store.allKeys())
        values.insert(key, store.value(key).toString());
    return values;
}

QString defaultSongText()
{
    QFile file(lvx::song::defaultSongPath());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString fontOf(const lvx::song::Song& song, const QString& role)
{
    const lvx::Fonts* font = song.fonts->find(role);
    return font ? lvx::FontToStr(*font) : QString();
}

} // namespace

class OptionsTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { lvx::test::clearSettings(); }

    void captions();
    void opensOnTheValuesInForce();
    void applyStoresTheSetting_data();
    void applyStoresTheSetting();
    void applyTellsTheFrame();
    void choosingTheMapperReopensTheOutput();
    void cancelChangesNothing();
    void songOptionsGoToTheSongAndTheDefaultFile();
    void fontChoices_data();
    void fontsAreTheSongsOwn();
    void fontChoices();
    void fontPageDescribesTheRole_data();
    void fontPageDescribesTheRole();
    void testPlaysTheShownVoiceAndRestores_data();
    void testPlaysTheShownVoiceAndRestores();
    void ctrlTabGoesRoundThePages();
    void okAppliesClosesThenRepaints();
    void withoutMidiTheMidiPageIsOff();
};

void OptionsTest::captions()
{
    OptionsFixture options;
    options.show();
    QCOMPARE(options.dialog->windowTitle(), u"Options"_s);
    const QList<std::pair<QString, QString>> captions{
        {u"oOutput0"_s, u"Lyrics and Chords"_s}, {u"oNoteStyle2"_s, u"Do Re Mi Fa Sol La Si"_s},
        {u"ckChordsFlag"_s, u"Print Other Chords "_s}, {u"ckBemolFlag"_s, u"Print all \"b\" and \"#\" Chords"_s},
        {u"ckBassFlag"_s, u"Print Chords when Bass <> Root"_s}, {u"bChange"_s, u"Change Font"_s},
        {u"TestPiano"_s, u"Test"_s}, {u"cmdApply"_s, u"Apply"_s}};
    for (const auto& [name, caption] : captions)
        QCOMPARE(options.control<QAbstractButton>(name)->text(), caption);
}

void OptionsTest::opensOnTheValuesInForce()
{
    OptionsFixture options;
    lvx::AppState& app = options.app();
    app.guitarSustain = 250;
    app.midiDevice = -1;
    app.pianoPatch = 5;
    app.ChordsOnly = true;
    app.notation = u"Do"_s;
    options.song().ChordSize = 2;
    options.song().PrintMinorFlag = false;
    options.show();
    // Control and what it shows: a slider step, a list index, 1 for a chosen option.
    const QList<std::pair<QString, int>> shown{
        {u"sGuitarSustain"_s, 2}, {u"cMidiDevs"_s, 0}, {u"cPianoPatch"_s, 5}, {u"oOutput2"_s, 1},
        {u"oNoteStyle2"_s, 1},    {u"oChordSize2"_s, 1}, {u"ckMinorFlag"_s, 0}, {u"ckMajorFlag"_s, 1}};
    for (const auto& [name, value] : shown)
        QVERIFY2(options.read(name) == value, qPrintable(name));
}

void OptionsTest::applyStoresTheSetting_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stored");
    QTest::addRow("sustain step 3 stores 300 ms") << u"sGuitarSustain"_s << 3 << u"Midi"_s << u"GuitarSustain"_s
                                                  << u"300"_s;
    QTest::addRow("first port stores 0") << u"cMidiDevs"_s << 1 << u"Midi"_s << u"MidiDev"_s << u"0"_s;
    QTest::addRow("solfege") << u"oNoteStyle2"_s << 1 << u"Public"_s << u"Modo Acordes"_s << u"Do"_s;
}

void OptionsTest::applyStoresTheSetting()
{
    QFETCH(QString, name);
    QFETCH(int, value);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, stored);
    OptionsFixture options;
    lvx::test::clearSettings();
    options.show();
    options.set(name, value);
    QCOMPARE(lvx::GetSetting(section, key, Unset), Unset);
    options.click(u"cmdApply"_s);
    QCOMPARE(lvx::GetSetting(section, key, Unset), stored);
    QVERIFY(options.dialog->isVisible());
    QVERIFY(!options.song().Modificada);   // program settings are not the song's
}

void OptionsTest::applyTellsTheFrame()
{
    OptionsFixture options;
    options.show();
    options.set(u"oNoteStyle2"_s, 1);
    options.set(u"oInstrument2"_s, 1);
    options.click(u"cmdApply"_s);
    QCOMPARE(options.app().notation, u"Do"_s);
    QCOMPARE(options.app().instrument, u"Piano"_s);
    QCOMPARE(options.desktop.main->findChild<QLabel*>(u"StatusNotation"_s)->text(), u"Do Re Mi ..."_s);
    QVERIFY(options.desktop.main->findChild<QToolButton*>(u"bPiano"_s)->isChecked());
}

void OptionsTest::choosingTheMapperReopensTheOutput()
{
    OptionsFixture options;
    options.show();
    options.desktop.midiSystem->requested.clear();
    options.set(u"cMidiDevs"_s, 0);
    options.click(u"cmdApply"_s);
    QCOMPARE(options.desktop.midiSystem->requested, QList<qint32>{-1});
    QCOMPARE(options.app().midiDevice, qint16(-1));
    QCOMPARE(lvx::GetSetting(u"Midi"_s, u"MidiDev"_s, Unset), u"-1"_s);
    // The same device again leaves the output as it is.
    options.click(u"cmdApply"_s);
    QCOMPARE(options.desktop.midiSystem->requested.size(), 1);
}

void OptionsTest::cancelChangesNothing()
{
    OptionsFixture options;
    const QMap<QString, QString> settingsBefore = allSettings();
    const QString songBefore = options.song().LinesToString();
    QFile::remove(lvx::song::defaultSongPath());
    options.show();
    options.dialog->chooseFont = [](const QFont&, QWidget*) { return QFont(u"Liberation Serif"_s, 30); };
    options.selectRole(u"Lyric"_s);
    options.click(u"bChange"_s);
    for (const QString& name : {u"sGuitarSustain"_s, u"cMidiDevs"_s, u"cPianoPatch"_s})
        options.set(name, 0);
    for (const QString& name : {u"oNoteStyle2"_s, u"oOutput1"_s, u"oChordSize0"_s, u"oInstrument2"_s})
        options.set(name, 1);
    options.set(u"ckBassFlag"_s, 0);
    options.click(u"cmdCancel"_s);

    QCOMPARE(options.dialog->result(), int(QDialog::Rejected));
    QCOMPARE(allSettings(), settingsBefore);
    QCOMPARE(options.song().LinesToString(), songBefore);
    QCOMPARE(options.app().notation, u"C"_s);
    QCOMPARE(options.app().guitarSustain, qint16(200));
    QCOMPARE(options.app().midiDevice, qint16(0));
    QVERIFY(!QFile::exists(lvx::song::defaultSongPath()));
}

void OptionsTest::songOptionsGoToTheSongAndTheDefaultFile()
{
    OptionsFixture options;
    options.show();
    options.set(u"oChordSize0"_s, 1);
    options.set(u"oChordPosition0"_s, 1);
    options.set(u"ckBassFlag"_s, 0);
    QFile::remove(lvx::song::defaultSongPath());
    options.click(u"cmdApply"_s);
    QCOMPARE(options.song().ChordSize, qint16(0));
    QCOMPARE(options.song().ChordPosition, qint16(0));
    QCOMPARE(options.song().PrintBassNotRootFlag, false);
    QVERIFY(options.song().Modificada);   // saved with the song, so closing asks
    QString written = defaultSongText();
    QVERIFY(written.contains(u"{chords_size:0}"_s));
    QVERIFY(written.contains(u"{print_bass_not_root:no}"_s));
    QVERIFY(written.contains(u"(title)"_s));

    // Every Apply writes the file again, from the options shown then.
    options.set(u"oChordSize2"_s, 1);
    options.click(u"cmdApply"_s);
    written = defaultSongText();
    QVERIFY(written.contains(u"{chords_size:2}"_s));
    // The song itself keeps its lines and title.
    QCOMPARE(options.song().title, u"Options"_s);
    QVERIFY(options.song().LinesToString().contains(u"[C]Hello [G7]world"_s));
}

void OptionsTest::fontChoices_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QFont>("font");     // no family: the font dialog was cancelled
    QTest::addColumn<QColor>("color");   // invalid: the colour dialog was cancelled
    QTest::addColumn<QString>("applied");
    QFont serif(u"Liberation Serif"_s, 14);
    serif.setBold(true);
    QTest::addRow("font takes name, size and style") << u"bChange"_s << serif << QColor()
                                                     << u"Lyric,Liberation Serif,14,0,true,false"_s;
    QTest::addRow("colour is stored red in the low byte") << u"bColor"_s << QFont() << QColor(0, 0, 255)
                                                          << u"Lyric,Comic Sans MS,10,16711680,false,false"_s;
    QTest::addRow("cancelled font dialog keeps the font") << u"bChange"_s << QFont(u""_s) << QColor()
                                                          << u"Lyric,Comic Sans MS,10,0,false,false"_s;
    QTest::addRow("cancelled colour dialog keeps the colour") << u"bColor"_s << QFont() << QColor()
                                                              << u"Lyric,Comic Sans MS,10,0,false,false"_s;
}

void OptionsTest::fontChoices()
{
    QFETCH(QString, button);
    QFETCH(QFont, font);
    QFETCH(QColor, color);
    QFETCH(QString, applied);
    OptionsFixture options;
    const QString before = fontOf(options.song(), u"Lyric"_s);
    options.show();
    options.dialog->chooseFont = [font](const QFont&, QWidget*) -> std::optional<QFont> {
        return font.family().isEmpty() ? std::nullopt : std::optional<QFont>(font);
    };
    options.dialog->chooseColor = [color](const QColor&, QWidget*) -> std::optional<QColor> {
        return color.isValid() ? std::optional<QColor>(color) : std::nullopt;
    };
    options.selectRole(u"Lyric"_s);
    options.click(button);
    QCOMPARE(fontOf(options.song(), u"Lyric"_s), before);

    options.click(u"cmdApply"_s);
    QCOMPARE(fontOf(options.song(), u"Lyric"_s), applied);
    QVERIFY(options.song().LinesToString().contains(u"{font:"_s + applied + u'}'));
    QCOMPARE(options.desktop.desktop->context.fonts.publicSet, options.song().fonts);
    QCOMPARE(options.song().Modificada, applied != before);
}

void OptionsTest::fontsAreTheSongsOwn()
{
    OptionsFixture options;
    // Another window's set in the shared slot, as after resizing that window.
    lvx::editor::frmSong* other = options.desktop.open("{font:Title,Liberation Serif,30,0,false,false}\r\nla\r\n", u"other.cho"_s);
    other->song().FontsToPublic();
    options.show();
    options.selectRole(u"Title"_s);
    QCOMPARE(options.control<QLabel>(u"lFontname"_s)->text(), u"Comic Sans MS, 20, Bold"_s);

    // The real font dialog opens on the face the song is drawn in; OK keeps the font whole.
    QString opened;
    onNextModal([&opened](QWidget* dialog) {
        opened = qobject_cast<QFontDialog*>(dialog)->currentFont().family();
        qobject_cast<QFontDialog*>(dialog)->accept();
    });
    options.click(u"bChange"_s);
    QCOMPARE(opened, QFontInfo(QFont(u"Comic Sans MS"_s)).family());
    options.click(u"cmdOK"_s);
    QCOMPARE(fontOf(options.song(), u"Title"_s), u"Title,Comic Sans MS,20,0,true,false"_s);
    QCOMPARE(fontOf(other->song(), u"Title"_s), u"Title,Liberation Serif,30,0,false,false"_s);
}

void OptionsTest::fontPageDescribesTheRole_data()
{
    QTest::addColumn<QString>("role");
    QTest::addColumn<QString>("description");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<QColor>("ink");
    QTest::addRow("bold title") << u"Title"_s << u"Comic Sans MS, 20, Bold"_s << false << QColor(Qt::black);
    QTest::addRow("italic red chord") << u"Chord"_s << u"Arial, 8, Italic"_s << true << QColor(Qt::red);
    QTest::addRow("plain blue comment") << u"Comment"_s << u"Comic Sans MS, 8"_s << false << QColor(Qt::blue);
}

void OptionsTest::fontPageDescribesTheRole()
{
    QFETCH(QString, role);
    QFETCH(QString, description);
    QFETCH(bool, italic);
    QFETCH(QColor, ink);
    OptionsFixture options;
    options.show();
    QCOMPARE(options.control<QComboBox>(u"cFontSource"_s)->itemText(0), u"Title"_s);
    options.selectRole(role);
    QCOMPARE(options.control<QLabel>(u"lFontname"_s)->text(), description);
    auto* sample = options.control<QLabel>(u"lSample"_s);
    QCOMPARE(sample->text(), u"Sample Text"_s);
    QCOMPARE(sample->font().italic(), italic);
    QCOMPARE(sample->palette().color(QPalette::WindowText), ink);
}

void OptionsTest::testPlaysTheShownVoiceAndRestores_data()
{
    QTest::addColumn<QString>("instrument");
    QTest::addRow("guitar") << u"Guitar"_s;
    QTest::addRow("piano") << u"Piano"_s;
}

void OptionsTest::testPlaysTheShownVoiceAndRestores()
{
    QFETCH(QString, instrument);
    OptionsFixture options;
    options.app().instrument = instrument == u"Guitar" ? u"Piano"_s : u"Guitar"_s;
    const lvx::AppState before = options.app();
    options.show();
    options.set(u"c"_s + instrument + u"Patch"_s, 30);
    options.set(u"s"_s + instrument + u"Sustain"_s, 5);
    options.set(u"s"_s + instrument + u"Delay"_s, 20);
    options.desktop.midiSystem->lastPort->recorder.clear();
    options.click(u"Test"_s + instrument);

    // Program 30, then C E G C from note 36 every 200 ms, each held 500 ms.
    const QStringList played = options.desktop.midiSystem->lastPort->recorder.log().lines();
    QCOMPARE(played.mid(0, 5), (QStringList{u"0 192 30 0"_s, u"0 144 36 127"_s, u"200 144 40 127"_s,
                                            u"400 144 43 127"_s, u"500 144 36 0"_s}));
    QCOMPARE(played.size(), 9);
    QCOMPARE(options.app().instrument, before.instrument);
    QCOMPARE(options.app().guitarPatch, before.guitarPatch);
    QCOMPARE(options.app().pianoSustain, before.pianoSustain);
    QCOMPARE(options.app().guitarDelay, before.guitarDelay);
    QCOMPARE(lvx::GetSetting(u"Midi"_s, u"GuitarPatch"_s, Unset), Unset);
}

void OptionsTest::ctrlTabGoesRoundThePages()
{
    OptionsFixture options;
    options.show();
    QApplication::setActiveWindow(options.dialog.get());
    QCOMPARE(QApplication::activeWindow(), options.dialog.get());
    auto* pages = options.control<QTabWidget>(u"tbsOptions"_s);
    QStringList visited;
    for (int press = 0; press < 4; ++press) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        visited.append(pages->tabText(pages->currentIndex()));
        QCOMPARE(pages->currentWidget()->objectName(), u"Marco"_s + QString::number((press + 1) % 4));
    }
    QCOMPARE(visited, (QStringList{u"Fonts"_s, u"Chords"_s, u"Midi Setup"_s, u"General"_s}));
}

void OptionsTest::okAppliesClosesThenRepaints()
{
    OptionsFixture options;
    PaintRecorder song;
    options.desktop.desktop->activeChild = [&song] { return &song; };
    options.show();
    song.dialog = options.dialog.get();
    options.set(u"sGuitarDelay"_s, 7);
    options.click(u"cmdOK"_s);
    QCOMPARE(options.dialog->result(), int(QDialog::Accepted));
    QVERIFY(!options.dialog->isVisible());
    QCOMPARE(lvx::GetSetting(u"Midi"_s, u"GuitarDelay"_s, Unset), u"70"_s);
    QCOMPARE(song.calls, QStringList{u"PaintPage"_s});
    options.desktop.desktop->activeChild = [] { return nullptr; };
}

void OptionsTest::withoutMidiTheMidiPageIsOff()
{
    OptionsFixture options;
    options.desktop.midiSystem->names.clear();
    options.desktop.midiSystem->mapperWorks = false;
    options.desktop.desktop->midi.close();
    options.show();
    for (const QString& name : {u"cMidiDevs"_s, u"cGuitarPatch"_s, u"sPianoDelay"_s, u"TestGuitar"_s})
        QVERIFY2(!options.control(name)->isEnabled(), qPrintable(name));
    options.set(u"sGuitarSustain"_s, 9);
    options.click(u"cmdApply"_s);
    QCOMPARE(lvx::GetSetting(u"Midi"_s, u"MidiDev"_s, Unset), Unset);
    QCOMPARE(lvx::GetSetting(u"Midi"_s, u"GuitarSustain"_s, Unset), Unset);
    QCOMPARE(options.app().guitarSustain, qint16(200));
}

LIRAVOX_WIDGETS_TEST_MAIN(OptionsTest)

#include "options_test.moc"
