#include "music/ui/frmreplace.h"
#include "music/ui/frmtranspose.h"

#include "app/desktopcontext.h"
#include "base/messages.h"

#include "../midi/fakemidisystem.h"
#include "widgetsmain.h"
#include "controls.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

using namespace lvx;
using namespace lvx::music;
using namespace Qt::StringLiterals;

// Stands in for the song window: the dialogs reach it only by method name.
class FakeSongWindow final : public QWidget
{
    Q_OBJECT

public:
    QStringList calls;
    QPointer<QWidget> dialog;

    Q_INVOKABLE void Transpose(int semitones) { calls.append(u"Transpose "_s + QString::number(semitones)); }
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

using lvx::test::control;

struct Desktop
{
    RecordingMessages messages;
    DesktopContext desktop{messages, std::make_unique<FakeMidiSystem>()};
    FakeSongWindow song;

    Desktop() { desktop.activeChild = [this] { return &song; }; }
};

} // namespace

class TransposeReplaceTest final : public QObject
{
    Q_OBJECT

private slots:
    void transposeShowsAndSendsShift_data();
    void transposeShowsAndSendsShift();
    void transposeCancel();
    void replacePassesTextsAsTyped_data();
    void replacePassesTextsAsTyped();
    void withoutSongWindowNothingHappens();
    void captions();
};

void TransposeReplaceTest::transposeShowsAndSendsShift_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("value");      // set on the bar when no keys are given
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("call");

    QTest::addRow("opens at no shift") << QList<int>{} << 0 << u"Transpose 0"_s << u"Transpose 0"_s;
    QTest::addRow("the upper arrow raises the shift")
        << QList<int>{Qt::Key_Up, Qt::Key_Up} << 0 << u"Transpose 2"_s << u"Transpose 2"_s;
    QTest::addRow("the lower arrow lowers it") << QList<int>{Qt::Key_Down} << 0 << u"Transpose -1"_s
                                               << u"Transpose -1"_s;
    QTest::addRow("the bar stops at an octave up") << QList<int>{} << -40 << u"Transpose 12"_s << u"Transpose 12"_s;
}

void TransposeReplaceTest::transposeShowsAndSendsShift()
{
    QFETCH(QList<int>, keys);
    QFETCH(int, value);
    QFETCH(QString, shown);
    QFETCH(QString, call);

    Desktop fixture;
    frmTranspose dialog(fixture.desktop);
    fixture.song.dialog = &dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* bar = control<QScrollBar>(dialog, u"UpDown1"_s);
    if (keys.isEmpty())
        bar->setValue(value);
    for (int key : keys)
        QTest::keyClick(bar, Qt::Key(key));
    QCOMPARE(control<QLabel>(dialog, u"tTranspose"_s)->text(), shown);

    QTest::mouseClick(control<QPushButton>(dialog, u"bOK"_s), Qt::LeftButton);
    QCOMPARE(fixture.song.calls, (QStringList{call, u"PaintPage"_s}));
    QVERIFY(!dialog.isVisible());
}

void TransposeReplaceTest::transposeCancel()
{
    Desktop fixture;
    frmTranspose dialog(fixture.desktop);
    dialog.show();
    control<QScrollBar>(dialog, u"UpDown1"_s)->setValue(-5);
    QTest::mouseClick(control<QPushButton>(dialog, u"bCancel"_s), Qt::LeftButton);
    QVERIFY(fixture.song.calls.isEmpty());
    QVERIFY(!dialog.isVisible());
}

void TransposeReplaceTest::replacePassesTextsAsTyped_data()
{
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("replacement");

    QTest::addRow("solfege is converted by the song, not here") << u"Sol7"_s << u"La7"_s;
    QTest::addRow("blanks are kept") << u" Am "_s << u"C /G"_s;
}

void TransposeReplaceTest::replacePassesTextsAsTyped()
{
    QFETCH(QString, find);
    QFETCH(QString, replacement);

    Desktop fixture;
    frmReplace dialog(fixture.desktop);
    fixture.song.dialog = &dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClicks(control<QLineEdit>(dialog, u"Chord1"_s), find);
    QTest::keyClicks(control<QLineEdit>(dialog, u"Chord2"_s), replacement);
    QTest::mouseClick(control<QPushButton>(dialog, u"bReplace"_s), Qt::LeftButton);
    QCOMPARE(fixture.song.calls,
             (QStringList{u"ReplaceChords ["_s + find + u"] ["_s + replacement + u']', u"PaintPage"_s}));
    QVERIFY(!dialog.isVisible());
}

void TransposeReplaceTest::withoutSongWindowNothingHappens()
{
    Desktop fixture;
    fixture.desktop.activeChild = [] { return nullptr; };
    frmTranspose transpose(fixture.desktop);
    transpose.show();
    QTest::mouseClick(control<QPushButton>(transpose, u"bOK"_s), Qt::LeftButton);
    frmReplace replace(fixture.desktop);
    replace.show();
    QTest::mouseClick(control<QPushButton>(replace, u"bReplace"_s), Qt::LeftButton);
    QVERIFY(fixture.song.calls.isEmpty());
    QVERIFY(fixture.messages.texts().isEmpty());
}

void TransposeReplaceTest::captions()
{
    Desktop fixture;
    frmTranspose transpose(fixture.desktop);
    QCOMPARE(transpose.windowTitle(), u"Transpose Song"_s);
    QStringList texts;
    for (const QLabel* label : transpose.findChildren<QLabel*>())
        texts.append(label->text());
    QVERIFY(texts.contains(u"Warning"_s));
    QVERIFY(texts.contains(u"Transpose only modify the chords between parentesis ([]) or vertical bars (|). Chords in "
                           u"comments, define directives or tab areas are not considered."_s));
    QCOMPARE(control<QScrollBar>(transpose, u"UpDown1"_s)->orientation(), Qt::Vertical);

    frmReplace replace(fixture.desktop);
    QCOMPARE(replace.windowTitle(), u"Replace Chords"_s);
    QCOMPARE(control<QPushButton>(replace, u"bReplace"_s)->text(), u"Replace"_s);
}

LIRAVOX_WIDGETS_TEST_MAIN(TransposeReplaceTest)
#include "transposereplace_test.moc"
