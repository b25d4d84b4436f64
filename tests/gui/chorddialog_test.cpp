#include "music/ui/frmchord.h"

#include "app/desktopcontext.h"
#include "base/messages.h"
#include "midi/messagelog.h"
#include "midi/recordingport.h"
#include "music/guitarchord.h"

#include "../midi/fakemidisystem.h"
#include "widgetsmain.h"
#include "controls.h"
#include "musicfixtures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace lvx;
using namespace lvx::music;
using namespace Qt::StringLiterals;

namespace {

using lvx::test::control;

using lvx::test::chordType;

// Frets from string 6 down to string 1, as a chord line writes them.
using lvx::test::fingering;

// A desktop with a few chord types, a global C shape, a song with its own
// Cadd9 shape, and a silent output that records what would sound.
struct Desktop
{
    RecordingMessages messages;
    DesktopContext desktop{messages, std::make_unique<FakeMidiSystem>()};
    QList<GuitarChordDef> songDefs{fingering(u"Cadd9"_s, {-1, 3, 2, 0, 3, 0})};
    midi::MessageLog sent;

    Desktop()
    {
        auto& types = desktop.music.chordTypes;
        types.add(chordType(u"maj"_s, {0, 4, 7}));
        types.add(chordType(u"7"_s, {0, 4, 7, 10}));
        types.add(chordType(u"m"_s, {0, 3, 7}));
        types.add(chordType(u"m7"_s, {0, 3, 7, 10}, {u"min7"_s}));
        types.add(chordType(u"sus4"_s, {0, 5, 7}, {u"sus"_s}));
        desktop.dictionary.chordDefs = {fingering(u"C"_s, {-1, 3, 2, 0, 1, 0}), fingering(u"C7sus4"_s, {-1, 3, 3, 3, 1, 1})};
        desktop.midi.openPort(std::make_unique<midi::RecordingPort>(midi::RecordingPort::Clock::Virtual));
        desktop.midi.setMonitor(&sent);
    }

    int notesSounded() const
    {
        int count = 0;
        for (const midi::LoggedMessage& message : sent.messages())
            count += message.status() == 0x90 && message.data2() > 0 ? 1 : 0;
        return count;
    }
};

void openWith(frmChord& dialog, const QString& label)
{
    dialog.Init();
    dialog.setLabelText(label);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
}

void click(QWidget& dialog, const QString& name)
{
    QWidget* widget = control<QWidget>(dialog, name);
    if (auto* box = qobject_cast<QCheckBox*>(widget))
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    else
        QTest::mouseClick(widget, Qt::LeftButton);
}

bool selected(QWidget& dialog, const QString& name)
{
    return control<QWidget>(dialog, name)->property("selected").toBool();
}

} // namespace

class ChordDialogTest final : public QObject
{
    Q_OBJECT

private slots:
    void opensLabel_data();
    void opensLabel();
    void clicksChooseChord_data();
    void clicksChooseChord();
    void closingSetsResult_data();
    void closingSetsResult();
    void otherTypes();
    void autoChordShowsComputedShapes_data();
    void autoChordShowsComputedShapes();
    void playsTheDiagram();
    void textLabelLocksChordControls();
    void solfegeCaptions();
};

void ChordDialogTest::opensLabel_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("textLabel");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QStringList>("selectedLabels");
    QTest::addColumn<bool>("bassOn");
    QTest::addColumn<QString>("chosen");    // OK without changes

    QTest::addRow("no chord opens as text with a message")
        << u"N.C."_s << QStringList{u"Invalid Chord, Assume Text Label"_s} << true << u"N.C."_s << QStringList{} << false
        << u"'N.C."_s;
    QTest::addRow("a text label loses its apostrophe in the box")
        << u"'Intro"_s << QStringList{} << true << u"Intro"_s << QStringList{} << false << u"'Intro"_s;
    QTest::addRow("flat tone with type and bass")
        << u"Bb7/F"_s << QStringList{} << false << QString()
        << QStringList{u"Tone6"_s, u"Tone8"_s, u"Mode2"_s, u"Bass3"_s} << true << u"Bb7/F"_s;
}

void ChordDialogTest::opensLabel()
{
    QFETCH(QString, label);
    QFETCH(QStringList, messages);
    QFETCH(bool, textLabel);
    QFETCH(QString, texto);
    QFETCH(QStringList, selectedLabels);
    QFETCH(bool, bassOn);
    QFETCH(QString, chosen);

    Desktop fixture;
    frmChord dialog(fixture.desktop, &fixture.songDefs);
    openWith(dialog, label);
    QCOMPARE(fixture.messages.texts(), messages);
    QCOMPARE(fixture.desktop.music.dialogResult, 2);
    QCOMPARE(control<QRadioButton>(dialog, u"oTipo1"_s)->isChecked(), textLabel);
    QCOMPARE(control<QRadioButton>(dialog, u"oTipo0"_s)->isChecked(), !textLabel);
    QCOMPARE(control<QLineEdit>(dialog, u"Texto"_s)->text(), texto);
    QCOMPARE(control<QCheckBox>(dialog, u"chkBass"_s)->isChecked(), bassOn);
    for (const QString& name : selectedLabels)
        QVERIFY2(selected(dialog, name), qPrintable(name));

    click(dialog, u"cOK"_s);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(fixture.desktop.music.dialogResult, 1);
    QCOMPARE(fixture.desktop.music.ChosenChord, chosen);
}

void ChordDialogTest::clicksChooseChord_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("chosen");

    QTest::addRow("accidental labels") << u"C"_s << QStringList{u"Tone2"_s, u"Tone7"_s, u"Tone8"_s} << u"Eb"_s;
    QTest::addRow("a bass label switches the bass on") << u"Am"_s << QStringList{u"Bass2"_s} << u"Am/E"_s;
    QTest::addRow("ticking the box starts the bass from the tone")
        << u"Am/E"_s << QStringList{u"chkBass"_s, u"chkBass"_s, u"Bass7"_s} << u"Am/A#"_s;
    QTest::addRow("a type label sets the type") << u"G7"_s << QStringList{u"Mode4"_s} << u"Gm7"_s;
    QTest::addRow("turning a chord into text") << u"D"_s << QStringList{u"oTipo1"_s} << u"'"_s;
    QTest::addRow("turning text into a chord") << u"'Coda"_s << QStringList{u"oTipo0"_s, u"Tone5"_s} << u"A"_s;
}

void ChordDialogTest::clicksChooseChord()
{
    QFETCH(QString, label);
    QFETCH(QStringList, clicks);
    QFETCH(QString, chosen);

    Desktop fixture;
    frmChord dialog(fixture.desktop, &fixture.songDefs);
    openWith(dialog, label);
    for (const QString& name : clicks)
        click(dialog, name);
    QCOMPARE(dialog.ChordName().isEmpty(), false);
    click(dialog, u"cOK"_s);
    QCOMPARE(fixture.desktop.music.ChosenChord, chosen);
}

void ChordDialogTest::closingSetsResult_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("chosen");

    QTest::addRow("Cancel leaves the open flag") << u"cCancel"_s << 2 << u"kept"_s;
    QTest::addRow("Escape cancels") << u"Escape"_s << 2 << u"kept"_s;
    QTest::addRow("Delete") << u"cDelete"_s << 8 << u"kept"_s;
    QTest::addRow("Enter is OK") << u"Enter"_s << 1 << u"F#"_s;
    QTest::addRow("double click on a tone chooses it and is OK") << u"dbl:Tone5"_s << 1 << u"A"_s;
    QTest::addRow("double click on sharp toggles it once") << u"dbl:Tone7"_s << 1 << u"F"_s;
    QTest::addRow("Space on a focused label chooses it") << u"space:Bass2"_s << 1 << u"F#/E"_s;
}

void ChordDialogTest::closingSetsResult()
{
    QFETCH(QString, how);
    QFETCH(int, result);
    QFETCH(QString, chosen);

    Desktop fixture;
    fixture.desktop.music.ChosenChord = u"kept"_s;
    frmChord dialog(fixture.desktop, &fixture.songDefs);
    openWith(dialog, u"F#"_s);
    if (how == u"Escape") {
        QTest::keyClick(&dialog, Qt::Key_Escape);
    } else if (how == u"Enter") {
        QTest::keyClick(control<QWidget>(dialog, u"Tone3"_s), Qt::Key_Return);
    } else if (how.startsWith(u"dbl:")) {
        QWidget* label = control<QWidget>(dialog, how.mid(4));
        QTest::mouseClick(label, Qt::LeftButton);
        QTest::mouseDClick(label, Qt::LeftButton);
    } else if (how.startsWith(u"space:")) {
        QWidget* label = control<QWidget>(dialog, how.mid(6));
        label->setFocus();
        QTest::keyClick(label, Qt::Key_Space);
        QTest::keyClick(label, Qt::Key_Return);
    } else {
        click(dialog, how);
    }
    QVERIFY(!dialog.isVisible());
    QCOMPARE(fixture.desktop.music.dialogResult, result);
    QCOMPARE(fixture.desktop.music.ChosenChord, chosen);
}

void ChordDialogTest::otherTypes()
{
    // The guitar adds both dictionaries' types for the tone to the table's aliases.
    const QStringList types{u"7"_s, u"7sus4"_s, u"add9"_s, u"min7"_s, u"sus"_s, u"sus4"_s};
    Desktop fixture;
    frmChord dialog(fixture.desktop, &fixture.songDefs);
    openWith(dialog, u"C"_s);
    auto* list = control<QComboBox>(dialog, u"cMode"_s);
    QCOMPARE(list->count(), 0);

    click(dialog, u"chkOtherModes"_s);
    QStringList shown;
    for (int index = 0; index < list->count(); ++index)
        shown.append(list->itemText(index));
    QCOMPARE(shown, types);

    list->setCurrentIndex(int(types.indexOf(u"sus4"_s)));
    emit list->activated(list->currentIndex());
    QCOMPARE(dialog.ChordName(), u"Csus4"_s);

    // Typed as a user does: the keys go to the box, which has the focus.
    list->lineEdit()->clear();
    QTest::keyClicks(list, u"m6"_s);
    QTest::keyClick(list, Qt::Key_Return);
    QVERIFY2(dialog.isVisible(), "Enter in the type box only takes the type");
    QCOMPARE(dialog.ChordName(), u"Cm6"_s);

    click(dialog, u"chkOtherModes"_s);
    QCOMPARE(list->count(), 0);
}

void ChordDialogTest::autoChordShowsComputedShapes_data()
{
    QTest::addColumn<QString>("instrument");
    QTest::addColumn<QString>("label");
    QTest::addColumn<bool>("autoChord");

    QTest::addRow("global fingering") << u"Guitar"_s << u"C"_s << false;
    QTest::addRow("shape computed from the type") << u"Guitar"_s << u"Dm7"_s << true;
    QTest::addRow("piano keyboards are never computed shapes") << u"Piano"_s << u"Dm7"_s << false;
}

void ChordDialogTest::autoChordShowsComputedShapes()
{
    QFETCH(QString, instrument);
    QFETCH(QString, label);
    QFETCH(bool, autoChord);

    Desktop fixture;
    fixture.desktop.app.instrument = instrument;
    frmChord dialog(fixture.desktop, &fixture.songDefs);
    openWith(dialog, label);
    QCOMPARE(control<QLabel>(dialog, u"lAutoChord"_s)->isVisible(), autoChord);
}

void ChordDialogTest::playsTheDiagram()
{
    Desktop fixture;
    frmChord dialog(fixture.desktop, &fixture.songDefs);
    openWith(dialog, u"C"_s);
    QCOMPARE(fixture.notesSounded(), 0);

    // The global C shape leaves the low E string out: five notes.
    click(dialog, u"bPlay"_s);
    QCOMPARE(fixture.notesSounded(), 5);
    QCOMPARE(fixture.desktop.app.PlayingCount, 0);

    fixture.sent.clear();
    click(dialog, u"Tone1"_s);
    click(dialog, u"ChordMap"_s);
    QVERIFY2(fixture.notesSounded() > 0, "a click on the diagram plays the chord shown");
    QCOMPARE(fixture.desktop.app.PlayingCount, 0);
    QVERIFY(dialog.isVisible());
}

void ChordDialogTest::textLabelLocksChordControls()
{
    Desktop fixture;
    frmChord dialog(fixture.desktop, &fixture.songDefs);
    openWith(dialog, u"'Verse"_s);
    for (const QString& name : {u"Tone0"_s, u"Bass8"_s, u"Mode3"_s, u"chkBass"_s, u"cMode"_s, u"bPlay"_s})
        QVERIFY2(!control<QWidget>(dialog, name)->isEnabled(), qPrintable(name));
    QVERIFY(control<QLineEdit>(dialog, u"Texto"_s)->isEnabled());
    QVERIFY(!control<QWidget>(dialog, u"ChordMap"_s)->isVisible());

    click(dialog, u"oTipo0"_s);
    QVERIFY(control<QWidget>(dialog, u"Tone0"_s)->isEnabled());
    QVERIFY(!control<QLineEdit>(dialog, u"Texto"_s)->isEnabled());
    QVERIFY(control<QWidget>(dialog, u"ChordMap"_s)->isVisible());
}

void ChordDialogTest::solfegeCaptions()
{
    Desktop fixture;
    fixture.desktop.app.notation = u"Do"_s;
    frmChord dialog(fixture.desktop, &fixture.songDefs);
    openWith(dialog, u"G7"_s);
    QCOMPARE(control<QLabel>(dialog, u"Tone4"_s)->text(), u"Sol"_s);
    QCOMPARE(control<QLabel>(dialog, u"Bass6"_s)->text(), u"Si"_s);
    QCOMPARE(control<QLabel>(dialog, u"Tone7"_s)->text(), u"#"_s);
    QCOMPARE(dialog.ChordName(), u"G7"_s);
}

LIRAVOX_WIDGETS_TEST_MAIN(ChordDialogTest)
#include "chorddialog_test.moc"
