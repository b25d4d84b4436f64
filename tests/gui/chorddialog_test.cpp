// The dialogs a song window opens over its song: the chord dialog, Transpose and
// Replace, and where each dialog puts the keyboard focus when it opens, for a
// user starts typing or pressing arrows at once.

#include "music/ui/frmchord.h"
#include "music/ui/frmreplace.h"
#include "music/ui/frmtranspose.h"
#include "print/ui/frmalbum.h"
#include "print/ui/frmpagesetup.h"

#include "desktopfixture.h"
#include "widgetsmain.h"
#include "musicfixtures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>

using namespace lvx;
using namespace lvx::music;
using namespace Qt::StringLiterals;
using lvx::test::control;

// Stands in for the song window: the dialogs reach it only by method name.
class FakeSongWindow final : public QWidget
{
    Q_OBJECT

public:
    QStringList calls;
    QPointer<QWidget> dialog;

    QString key;   // the key the song says it is in

    Q_INVOKABLE void Transpose(int semitones) { calls.append(u"Transpose "_s + QString::number(semitones)); }
    Q_INVOKABLE void TransposeToKey(const QString& target) { calls.append(u"TransposeToKey "_s + target); }
    Q_INVOKABLE QString SongKey() const { return key; }
    Q_INVOKABLE void ReplaceChords(const QString& find, const QString& replacement)
    {
        calls.append(u"ReplaceChords ["_s + find + u"] ["_s + replacement + u']');
    }
    Q_INVOKABLE void PaintPage()
    {
        calls.append(dialog && dialog->isVisible() ? u"PaintPage while the dialog shows"_s : u"PaintPage"_s);
    }
};

namespace {

struct SongWindowFixture : PagesFixture
{
    FakeSongWindow window;
    SongWindowFixture() { desktop.activeChild = [this] { return &window; }; }
};

// The chord dialog open on a label, over a few chord types.
struct ChordDialogFixture : PagesFixture
{
    std::unique_ptr<frmChord> dialog;

    explicit ChordDialogFixture(const QString& label)
    {
        for (const auto& [name, intervals] : {std::pair{u"maj"_s, std::initializer_list<qint16>{0, 4, 7}},
                                              {u"7"_s, {0, 4, 7, 10}}, {u"m"_s, {0, 3, 7}}, {u"m7"_s, {0, 3, 7, 10}}})
            desktop.music.chordTypes.add(test::chordType(name, intervals));
        desktop.music.ChosenChord = u"kept"_s;
        dialog = std::make_unique<frmChord>(desktop, &song.chordDefs);
        dialog->Init();
        dialog->setLabelText(label);
        dialog->show();
    }

    void click(const QString& name) const
    {
        QWidget* widget = control<QWidget>(*dialog, name);
        QTest::mouseClick(widget, Qt::LeftButton, {}, qobject_cast<QCheckBox*>(widget) ? QPoint(8, widget->height() / 2) : widget->rect().center());
    }

    // The controls that are on: ticked buttons and selected labels.
    QStringList on(const QStringList& names) const
    {
        QStringList result;
        for (const QString& name : names) {
            QWidget* widget = control<QWidget>(*dialog, name);
            auto* button = qobject_cast<QAbstractButton*>(widget);
            if (button ? button->isChecked() : widget->property("selected").toBool())
                result.append(name);
        }
        return result;
    }
};

std::unique_ptr<QWidget> openDialog(PagesFixture& fixture, const QString& which)
{
    if (which == u"transpose")
        return std::make_unique<frmTranspose>(fixture.desktop);
    if (which == u"page setup")
        return std::make_unique<print::frmPageSetup>(fixture.desktop, fixture.song);
    if (which == u"album")
        return std::make_unique<print::frmAlbum>(fixture.desktop, QString());
    auto chord = std::make_unique<frmChord>(fixture.desktop, &fixture.song.chordDefs);
    chord->Init();
    chord->setLabelText(which);
    return chord;
}

} // namespace

class ChordDialogTest final : public QObject
{
    Q_OBJECT

private slots:
    void firstFocus_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("control");
        QTest::addRow("transpose starts on its semitone bar") << u"transpose"_s << u"UpDown1"_s;
        QTest::addRow("page setup starts in the left margin") << u"page setup"_s << u"tLeft"_s;
        QTest::addRow("the album starts on its song list") << u"album"_s << u"Lista"_s;
        QTest::addRow("the chord dialog starts on the chord's tone") << u"F#"_s << u"Tone3"_s;
        QTest::addRow("the chord dialog starts in the text of a text label") << u"'Intro"_s << u"Texto"_s;
    }
    void firstFocus()
    {
        QFETCH(QString, dialog);
        QFETCH(QString, control);
        PagesFixture fixture;
        const auto name = [](const QWidget* widget) { return widget ? widget->objectName() : u"(none)"_s; };
        const std::unique_ptr<QWidget> window = openDialog(fixture, dialog);
        window->show();
        // Chosen as the window shows, not left to the first control in the tab order.
        QCOMPARE(name(window->focusWidget()), control);
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QCOMPARE(name(window->focusWidget()), control);
    }

    void transposeSendsTheShift_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("shift");
        QTest::addRow("the upper arrow raises the shift") << QList<int>{Qt::Key_Up, Qt::Key_Up} << u"bOK"_s << 2;
        QTest::addRow("the lower arrow lowers it") << QList<int>{Qt::Key_Down} << u"bOK"_s << -1;
        QTest::addRow("the bar stops at an octave up") << QList<int>(20, Qt::Key_Up) << u"bOK"_s << 12;
        QTest::addRow("Cancel cancels") << QList<int>{Qt::Key_Up} << u"bCancel"_s << 1;
    }
    void transposeSendsTheShift()
    {
        QFETCH(QList<int>, keys);
        QFETCH(QString, button);
        QFETCH(int, shift);
        SongWindowFixture fixture;
        frmTranspose dialog(fixture.desktop);
        fixture.window.dialog = &dialog;
        dialog.show();
        for (int key : keys)
            QTest::keyClick(control(dialog, u"UpDown1"_s), Qt::Key(key));
        const QString shown = u"Transpose "_s + QString::number(shift);
        QCOMPARE(control<QLabel>(dialog, u"tTranspose"_s)->text(), shown);
        QTest::mouseClick(control(dialog, button), Qt::LeftButton);
        QCOMPARE(fixture.window.calls, (button == u"bOK" ? QStringList{shown, u"PaintPage"_s} : QStringList()));
        QVERIFY(!dialog.isVisible());
    }

    // A song in a key offers the keys; a key shows as the shift it makes, and
    // a shift set by hand goes back to semitones.
    void transposeToAKey()
    {
        SongWindowFixture fixture;
        {
            frmTranspose dialog(fixture.desktop);
            QVERIFY(dialog.findChild<QComboBox*>(u"cToKey"_s) == nullptr);
        }
        fixture.window.key = u"F"_s;
        frmTranspose dialog(fixture.desktop);
        fixture.window.dialog = &dialog;
        dialog.show();
        auto* toKey = control<QComboBox>(dialog, u"cToKey"_s);
        QCOMPARE(toKey->count(), 25);
        auto* shown = control<QLabel>(dialog, u"tTranspose"_s);
        toKey->setCurrentText(u"Bb"_s);
        QCOMPARE(shown->text(), u"Transpose 5"_s);
        toKey->setCurrentText(u"D"_s);
        QCOMPARE(shown->text(), u"Transpose -3"_s);
        QTest::keyClick(control(dialog, u"UpDown1"_s), Qt::Key_Up);
        QCOMPARE(std::pair(shown->text(), toKey->currentText()), std::pair(u"Transpose -2"_s, QString()));
        toKey->setCurrentText(u"Gm"_s);
        QTest::mouseClick(control(dialog, u"bOK"_s), Qt::LeftButton);
        QCOMPARE(fixture.window.calls, (QStringList{u"TransposeToKey Gm"_s, u"PaintPage"_s}));
    }

    void replacePassesTextsAsTyped()
    {
        // Solfege and blanks are the song's business, not the dialog's.
        SongWindowFixture fixture;
        frmReplace dialog(fixture.desktop);
        fixture.window.dialog = &dialog;
        dialog.show();
        QTest::keyClicks(control<QLineEdit>(dialog, u"Chord1"_s), u" Sol7 "_s);
        QTest::keyClicks(control<QLineEdit>(dialog, u"Chord2"_s), u"C /G"_s);
        QTest::mouseClick(control<QPushButton>(dialog, u"bReplace"_s), Qt::LeftButton);
        QCOMPARE(fixture.window.calls, (QStringList{u"ReplaceChords [ Sol7 ] [C /G]"_s, u"PaintPage"_s}));
        QVERIFY(!dialog.isVisible());
    }

    void withoutSongWindowNothingHappens()
    {
        PagesFixture fixture;
        fixture.desktop.activeChild = [] { return nullptr; };
        frmTranspose(fixture.desktop).findChild<QPushButton*>(u"bOK"_s)->click();
        frmReplace(fixture.desktop).findChild<QPushButton*>(u"bReplace"_s)->click();
        QVERIFY(fixture.messages.texts().isEmpty());
    }

    void clicksChooseTheChord_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("on");   // of oTipo0, oTipo1, chkBass, Tone6, Tone8, Mode2, Bass3
        QTest::addColumn<QString>("chosen");
        const QStringList none;
        QTest::addRow("no chord opens as text with a message") << u"N.C."_s << none
            << QStringList{u"Invalid Chord, Assume Text Label"_s} << QStringList{u"oTipo1"_s} << u"'N.C."_s;
        QTest::addRow("flat tone with type and bass") << u"Bb7/F"_s << none << none
            << QStringList{u"oTipo0"_s, u"chkBass"_s, u"Tone6"_s, u"Tone8"_s, u"Mode2"_s, u"Bass3"_s} << u"Bb7/F"_s;
        QTest::addRow("accidental labels") << u"C"_s << QStringList{u"Tone2"_s, u"Tone7"_s, u"Tone8"_s} << none
                                           << QStringList{u"oTipo0"_s, u"Tone8"_s} << u"Eb"_s;
        QTest::addRow("a bass label switches the bass on") << u"Am"_s << QStringList{u"Bass2"_s} << none
                                                           << QStringList{u"oTipo0"_s, u"chkBass"_s} << u"Am/E"_s;
        QTest::addRow("turning text into a chord") << u"'Coda"_s << QStringList{u"oTipo0"_s, u"Tone5"_s} << none
                                                   << QStringList{u"oTipo0"_s} << u"A"_s;
    }
    void clicksChooseTheChord()
    {
        QFETCH(QString, label);
        QFETCH(QStringList, clicks);
        ChordDialogFixture fixture(label);
        QTEST(fixture.messages.texts(), "messages");
        QCOMPARE(fixture.desktop.music.dialogResult, 2);
        for (const QString& name : clicks)
            fixture.click(name);
        QTEST(fixture.on({u"oTipo0"_s, u"oTipo1"_s, u"chkBass"_s, u"Tone6"_s, u"Tone8"_s, u"Mode2"_s, u"Bass3"_s}), "on");
        fixture.click(u"cOK"_s);
        QVERIFY(!fixture.dialog->isVisible());
        QCOMPARE(fixture.desktop.music.dialogResult, 1);
        QTEST(fixture.desktop.music.ChosenChord, "chosen");
    }

    void closingSetsResult_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("chosen");
        QTest::addRow("Cancel leaves the open flag") << u"cCancel"_s << 2 << u"kept"_s;
        QTest::addRow("Escape cancels") << u"Escape"_s << 2 << u"kept"_s;
        QTest::addRow("Delete") << u"cDelete"_s << 8 << u"kept"_s;
        QTest::addRow("Enter is OK") << u"Enter"_s << 1 << u"F#"_s;
        QTest::addRow("double click on a tone chooses it and is OK") << u"dbl:Tone5"_s << 1 << u"A"_s;
    }
    void closingSetsResult()
    {
        QFETCH(QString, how);
        ChordDialogFixture fixture(u"F#"_s);
        frmChord& dialog = *fixture.dialog;
        QWidget* label = how.contains(u':') ? control<QWidget>(dialog, how.section(u':', 1)) : nullptr;
        if (how == u"Escape") {
            QTest::keyClick(&dialog, Qt::Key_Escape);
        } else if (how == u"Enter") {
            QTest::keyClick(control<QWidget>(dialog, u"Tone3"_s), Qt::Key_Return);
        } else if (how.startsWith(u"dbl:")) {
            QTest::mouseClick(label, Qt::LeftButton);
            QTest::mouseDClick(label, Qt::LeftButton);
        } else {
            fixture.click(how);
        }
        QVERIFY(!dialog.isVisible());
        QTEST(int(fixture.desktop.music.dialogResult), "result");
        QTEST(fixture.desktop.music.ChosenChord, "chosen");
    }

    void textLabelLocksChordControls()
    {
        ChordDialogFixture fixture(u"'Verse"_s);
        frmChord& dialog = *fixture.dialog;
        QCOMPARE(control<QLineEdit>(dialog, u"Texto"_s)->text(), u"Verse"_s);
        for (const QString& name : {u"Tone0"_s, u"Bass8"_s, u"Mode3"_s, u"chkBass"_s, u"cMode"_s, u"bPlay"_s})
            QVERIFY2(!control<QWidget>(dialog, name)->isEnabled(), qPrintable(name));
        QVERIFY(!control<QWidget>(dialog, u"ChordMap"_s)->isVisible());
    }
};

LIRAVOX_WIDGETS_TEST_MAIN(ChordDialogTest)
#include "chorddialog_test.moc"
