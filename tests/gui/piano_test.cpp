#include "music/ui/frmpiano.h"

#include "app/desktopcontext.h"
#include "base/messages.h"
#include "midi/messagelog.h"
#include "midi/recordingport.h"
#include "music/modos.h"

#include "../midi/fakemidisystem.h"
#include "widgetsmain.h"
#include "controls.h"
#include "musicfixtures.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace lvx;
using namespace lvx::music;
using namespace Qt::StringLiterals;

namespace {

using lvx::test::control;

using lvx::test::chordType;

// A small chord type table and an output that records what would sound, on a
// virtual clock so "Play Chord" does not really wait.
struct Desktop
{
    RecordingMessages messages;
    DesktopContext desktop{messages, std::make_unique<FakeMidiSystem>()};
    midi::MessageLog sent;

    Desktop()
    {
        desktop.music.chordTypes.add(chordType(u"maj"_s, {0, 4, 7}));
        desktop.music.chordTypes.add(chordType(u"m"_s, {0, 3, 7}));
        desktop.music.chordTypes.add(chordType(u"7"_s, {0, 4, 7, 10}));
        desktop.app.pianoPatch = 4;
        desktop.midi.openPort(std::make_unique<midi::RecordingPort>(midi::RecordingPort::Clock::Virtual));
        desktop.midi.setMonitor(&sent);
    }

    // "status note" for every message, in order.
    QStringList messagesSent() const
    {
        QStringList list;
        for (const midi::LoggedMessage& message : sent.messages())
            list.append(QString::number(message.status()) + u' ' + QString::number(message.data1()));
        return list;
    }
};

void clickKey(frmPiano& window, int key)
{
    auto* button = control<QAbstractButton>(window, u"Tecla"_s + QString::number(key));
    // Low on the key: a white key's top half lies partly under the black keys.
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(button->width() / 2, button->height() - 8));
}

QString shown(frmPiano& window)
{
    return control<QLabel>(window, u"lChord"_s)->text();
}

} // namespace

class PianoTest final : public QObject
{
    Q_OBJECT

private slots:
    void keysNameChord_data();
    void keysNameChord();
    void eachKeySounds();
    void playChordArpeggiates();
    void clearReleasesEverything();
    void keyboardOnly();
    void captions();
};

void PianoTest::keysNameChord_data()
{
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QString>("chord");

    QTest::addRow("a second click releases the key") << QList<int>{0, 3, 7, 3, 4} << u"Cmaj"_s;
    QTest::addRow("black keys") << QList<int>{25, 30, 34} << u"F#maj/C#"_s;
    QTest::addRow("releasing every key") << QList<int>{9, 9} << u"Chord not found"_s;
}

void PianoTest::keysNameChord()
{
    QFETCH(QList<int>, clicks);
    QFETCH(QString, chord);

    Desktop fixture;
    frmPiano window(fixture.desktop);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(shown(window), QString());
    for (int key : clicks)
        clickKey(window, key);
    QCOMPARE(shown(window), chord);
    QVERIFY(fixture.messages.texts().isEmpty());
}

void PianoTest::eachKeySounds()
{
    Desktop fixture;
    frmPiano window(fixture.desktop);
    window.show();
    clickKey(window, 0);
    clickKey(window, 35);
    // Releasing a key sounds it as well; no note is ever switched off.
    clickKey(window, 0);
    QCOMPARE(fixture.messagesSent(),
             (QStringList{u"192 4"_s, u"144 48"_s, u"192 4"_s, u"144 83"_s, u"192 4"_s, u"144 48"_s}));
    QVERIFY(!window.isPressed(0));
    QVERIFY(window.isPressed(35));
}

void PianoTest::playChordArpeggiates()
{
    Desktop fixture;
    frmPiano window(fixture.desktop);
    window.show();
    for (int key : {19, 4, 12})
        clickKey(window, key);
    fixture.sent.clear();

    QTest::mouseClick(control(window, u"bPlayChord"_s), Qt::LeftButton);
    QCOMPARE(fixture.messagesSent(), (QStringList{u"192 4"_s, u"144 52"_s, u"144 60"_s, u"144 67"_s}));
    const QList<midi::LoggedMessage>& messages = fixture.sent.messages();
    QCOMPARE(messages.at(2).time - messages.at(1).time, 100.0);
    QCOMPARE(messages.at(3).time - messages.at(2).time, 100.0);
    QCOMPARE(shown(window), u"Cmaj/E"_s);
}

void PianoTest::clearReleasesEverything()
{
    Desktop fixture;
    frmPiano window(fixture.desktop);
    window.show();
    for (int key : {0, 4, 7, 30})
        clickKey(window, key);
    QTest::mouseClick(control(window, u"bClear"_s), Qt::LeftButton);
    for (int key = 0; key < 36; ++key)
        QVERIFY2(!window.isPressed(key), qPrintable(QString::number(key)));
    QCOMPARE(shown(window), QString());

    fixture.sent.clear();
    QTest::mouseClick(control(window, u"bPlayChord"_s), Qt::LeftButton);
    QCOMPARE(fixture.messagesSent(), QStringList{u"192 4"_s});
}

void PianoTest::keyboardOnly()
{
    Desktop fixture;
    frmPiano window(fixture.desktop);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    control(window, u"Keyboard"_s)->setFocus();
    QWidget* first = QApplication::focusWidget();
    QCOMPARE(first, control(window, u"Tecla0"_s));

    // Space presses the key in focus; the arrows walk along the keyboard.
    QTest::keyClick(first, Qt::Key_Space);
    for (int step = 0; step < 4; ++step)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    for (int step = 0; step < 3; ++step)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(QApplication::focusWidget(), control(window, u"Tecla7"_s));
    QCOMPARE(shown(window), u"Cmaj"_s);

    QTest::keyClick(&window, Qt::Key_Escape);
    QVERIFY(!window.isVisible());
}

void PianoTest::captions()
{
    Desktop fixture;
    fixture.desktop.app.notation = u"Do"_s;
    frmPiano window(fixture.desktop);
    QCOMPARE(window.windowTitle(), u"Piano Chord Search"_s);
    QCOMPARE(control<QPushButton>(window, u"bPlayChord"_s)->text(), u"Play Chord"_s);
    // The white keys' names follow the notation, octave after octave.
    QCOMPARE(control<QLabel>(window, u"lNote0"_s)->text(), u"Do"_s);
    QCOMPARE(control<QLabel>(window, u"lNote18"_s)->text(), u"Sol"_s);
}

LIRAVOX_WIDGETS_TEST_MAIN(PianoTest)
#include "piano_test.moc"
