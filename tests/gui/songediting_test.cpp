// Typing in a song window, key by key, as a user does: the line records follow
// and every chord keeps standing over its character.

#include "desktopfixture.h"
#include "widgetsmain.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QWheelEvent>

using namespace Qt::StringLiterals;
using lvx::editor::frmSong;

namespace {

// Turns the mouse wheel over the song by `notches` (negative: towards the end).
void turnWheel(frmSong* song, int notches)
{
    const QPointF at(song->width() / 2.0, song->height() / 2.0);
    QWheelEvent wheel(at, song->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(song, &wheel);
}

// Keys as a script, sent where the focus is: plain characters are typed;
// "<bs>", "<del>", "<enter>", "<left>", "<right>", "<sright>" (extend the
// selection), "<up>", "<down>", "<pgdn>", "<undo>", "<redo>" press keys;
// "<wheel>" turns the wheel one notch towards the end; "<tile>" maximizes the
// window and then tiles it, "<cascade>" cascades it, "<max>" maximizes it.
void play(QWidget* target, const QString& script)
{
    static const QHash<QString, std::pair<Qt::Key, Qt::KeyboardModifiers>> keys = {
        {u"bs"_s, {Qt::Key_Backspace, {}}}, {u"del"_s, {Qt::Key_Delete, {}}},
        {u"enter"_s, {Qt::Key_Return, {}}}, {u"left"_s, {Qt::Key_Left, {}}},
        {u"right"_s, {Qt::Key_Right, {}}},  {u"sright"_s, {Qt::Key_Right, Qt::ShiftModifier}},
        {u"up"_s, {Qt::Key_Up, {}}},        {u"down"_s, {Qt::Key_Down, {}}},
        {u"pgdn"_s, {Qt::Key_PageDown, {}}}, {u"undo"_s, {Qt::Key_Z, Qt::ControlModifier}},
        {u"redo"_s, {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier}}, {u"tab"_s, {Qt::Key_Tab, {}}},
    };
    for (qsizetype i = 0; i < script.size(); ++i) {
        QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : target;
        if (script.at(i) != u'<') {
            QTest::keyClicks(focus, script.mid(i, 1));
            continue;
        }
        const qsizetype end = script.indexOf(u'>', i);
        const QString name = script.mid(i + 1, end - i - 1);
        i = end;
        if (name == u"wheel") {
            turnWheel(target->window()->findChild<frmSong*>(), -1);
        } else if (auto* area = target->window()->findChild<QMdiArea*>(); area && name == u"max") {
            area->activeSubWindow()->showMaximized();
        } else if (area && name == u"tile") {
            area->activeSubWindow()->showMaximized();
            area->tileSubWindows();
        } else if (area && name == u"cascade") {
            area->cascadeSubWindows();
        } else {
            const auto [key, modifiers] = keys.value(name);
            QTest::keyClick(focus, key, modifiers);
        }
    }
}

QString songText(const frmSong* song)
{
    QStringList lines;
    if (const QString& title = song->song().title; !title.isEmpty() && title != u"(title)")
        lines.append(u"{t}"_s + title);
    for (const auto& line : song->song().lines)
        lines.append(line.kind == lvx::song::KindLyric ? lvx::song::lyricWithChords(line)
                                                       : u"{"_s + QString::number(line.kind) + u'}' + line.text);
    return lines.join(u" | "_s);
}

} // namespace

class SongEditingTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keys_data()
    {
        QTest::addColumn<QByteArray>("song");
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("expected");

        QTest::addRow("typing before a chord moves it along") << "He[G]llo\n"_ba << 1 << 1 << u"x"_s << u"Hxe[G]llo"_s;
        QTest::addRow("typing on the chord's character moves it along") << "He[G]llo\n"_ba << 1 << 2 << u"x"_s
                                                                         << u"Hex[G]llo"_s;
        QTest::addRow("typing after a chord leaves it") << "He[G]llo\n"_ba << 1 << 3 << u"x"_s << u"He[G]lxlo"_s;
        QTest::addRow("backspace pulls later chords left") << "He[G]l[C]lo\n"_ba << 1 << 3 << u"<bs>"_s
                                                           << u"He[G][C]lo"_s;
        QTest::addRow("delete takes the chord on its character") << "He[G]l[C]lo\n"_ba << 1 << 3 << u"<del>"_s
                                                                 << u"He[G]lo"_s;
        QTest::addRow("enter splits the chords with the text") << "a[C]bc[D]de\n"_ba << 1 << 3 << u"<enter>"_s
                                                               << u"a[C]bc | [D]de"_s;
        QTest::addRow("enter at the start opens a line above") << "a[C]b\n"_ba << 1 << 0 << u"<enter>x"_s
                                                               << u" | xa[C]b"_s;
        QTest::addRow("backspace at a line start joins it to the line above")
            << "a[C]b\n[D]cd\n"_ba << 2 << 0 << u"<bs>"_s << u"a[C]b[D]cd"_s;
        QTest::addRow("delete at a line end joins the next line") << "a[C]b\n[D]cd\n"_ba << 1 << 2 << u"<del>"_s
                                                                  << u"a[C]b[D]cd"_s;
        QTest::addRow("backspace on the line enter made under a directive removes only that line")
            << "{soc}\nab\n"_ba << 1 << 3 << u"<enter><bs>"_s << u"{21}Start of Chorus | ab"_s;
        QTest::addRow("backspace under a directive keeps both lines")
            << "{soc}\nab\n"_ba << 2 << 0 << u"<bs>x"_s << u"{21}Start of Chorus | ab"_s;
        QTest::addRow("delete at a line end before a directive keeps the directive")
            << "ab\n{eoc}\n"_ba << 1 << 2 << u"<del>"_s << u"ab | {22}End of Chorus"_s;
        QTest::addRow("undo brings back a joined line") << "a[C]b\n[D]cd\n"_ba << 2 << 0 << u"<bs><undo>"_s
                                                        << u"a[C]b | [D]cd"_s;
        QTest::addRow("redo joins it again") << "a[C]b\n[D]cd\n"_ba << 2 << 0 << u"<bs><undo><redo>"_s
                                             << u"a[C]b[D]cd"_s;
        QTest::addRow("undo brings back what backspace took, chords in place")
            << "He[G]l[C]lo\n"_ba << 1 << 4 << u"<bs><bs><undo>"_s << u"He[G]l[C]lo"_s;
        QTest::addRow("undo puts the caret back where it was") << "abcd\n"_ba << 1 << 2 << u"<bs><undo>x"_s
                                                               << u"abxcd"_s;
        QTest::addRow("undo takes typing back a word at a time") << "[C]ab\n"_ba << 1 << 2 << u"x y<undo>"_s
                                                                  << u"[C]abx "_s;
        QTest::addRow("undo walks back through splits and typing")
            << "[C]ab\n"_ba << 1 << 1 << u"<enter>x<enter>y<undo><undo><undo><undo>"_s << u"[C]ab"_s;
        QTest::addRow("undo after a removed directive line brings it back")
            << "{soc}\nab\n"_ba << 1 << 3 << u"<enter><bs><undo>"_s << u"{21}Start of Chorus |  | ab"_s;
        QTest::addRow("tab takes the caret to the title") << "ab\ncd\n"_ba << 1 << 1 << u"<tab>x"_s << u"{t}x | ab | cd"_s;
        QTest::addRow("tab through the header comes back to the caret's line, selecting nothing")
            << "ab\ncd\n"_ba << 2 << 1 << u"<tab><tab><tab>x"_s << u"ab | cxd"_s;
        QTest::addRow("tile hands the focus on without selecting a line") << "ab\ncd\n"_ba << 1 << 1 << u"<tile>x"_s
                                                                         << u"axb | cd"_s;
        QTest::addRow("tile, cascade and maximize keep typing in the caret's line")
            << "{title: T}\nab\ncd\nef\n"_ba << 3 << 1 << u"<tile>x<cascade>y<max>z"_s << u"{t}T | ab | cd | exyzf"_s;
        QTest::addRow("the wheel moves no text and typing goes on") << "ab\ncd\n"_ba << 1 << 1 << u"<wheel>x"_s
                                                                    << u"axb | cd"_s;

        QTest::addRow("a directive line takes no typing") << "{soc}\nab\n"_ba << 1 << 2 << u"xy<bs>"_s
                                                          << u"{21}Start of Chorus | ab"_s;
        QTest::addRow("an end of block loses no letters to backspace or delete")
            << "{soblk:A}\n{eoblk}\n"_ba << 2 << 3 << u"<bs><del>"_s << u"{8}A | {9}End of Block"_s;
        // The caret stays where the box that gets it had it.
        QTest::addRow("typing over a selection keeps chords over their characters")
            << "a[C]bc[D]de\n"_ba << 1 << 1 << u"<sright><sright>x"_s << u"a[C]x[D]de"_s;
        QTest::addRow("down keeps the caret's column") << "ab\ncd\n"_ba << 1 << 1 << u"<down>x"_s
                                                        << u"ab | cxd"_s;
        QTest::addRow("backspace on the first line's start does nothing") << "[C]ab\n"_ba << 1 << 0 << u"<bs>"_s
                                                                         << u"[C]ab"_s;
    }

    void keys()
    {
        QFETCH(QByteArray, song);
        QFETCH(int, slot);
        QFETCH(int, caret);
        QFETCH(QString, script);
        QFETCH(QString, expected);

        DesktopFixture fixture;
        frmSong* window = fixture.open(song);
        QVERIFY(window);
        auto* target = box(window, slot);
        QVERIFY(target && target->isVisible());
        target->setFocus();
        target->setCursorPosition(caret);
        QTRY_COMPARE(QApplication::focusWidget(), target);
        const QString original = songText(window);
        play(target, script);
        QCOMPARE(songText(window), expected);
        if (expected != original)
            QVERIFY(window->song().Modificada);
    }

    void aNewSongStartsInItsFirstLine()
    {
        DesktopFixture fixture;
        fixture.main->newSong();
        frmSong* song = fixture.main->activeSong();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(box(song, 1)));
        QTest::keyClicks(QApplication::focusWidget(), u"hello "_s);
        QCOMPARE(lineText(song, 1), u"hello [C]Write your [F]lyrics [G7]here"_s);
        QCOMPARE(song->song().title, u"(title)"_s);
        // Typing over the title's placeholder replaces it; undo brings it back.
        auto* title = song->findChild<QLineEdit*>(u"tTitle"_s);
        QTest::mouseClick(title, Qt::LeftButton, {}, QPoint(title->width() / 2, 5));
        QTest::keyClicks(title, u"Mine"_s);
        QCOMPARE(song->song().title, u"Mine"_s);
        QTest::keyClick(title, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(title->text(), u"(title)"_s);
        QCOMPARE(song->song().title, u"(title)"_s);
    }

    // Down, Page Down, the wheel, the scroll bar and Up through a long song and
    // back, typing at every stop: the letters go into lines, never the title.
    void scrollingALongSongNeverLeavesIt()
    {
        DesktopFixture fixture;
        QByteArray text = "{title: Long}\n";
        for (int i = 1; i <= 1500; ++i)
            text += i % 50 == 1 ? "{soc}\n"_ba : i % 50 == 0 ? "{eoc}\n"_ba : "[C]line " + QByteArray::number(i) + " [G]la\n";
        frmSong* song = fixture.open(text);
        const auto original = song->song().lines;
        auto* bar = song->findChild<QScrollBar*>(u"VS"_s);
        box(song, 1)->setFocus();
        int typed = 0;
        const auto stop = [&] {
            auto* target = qobject_cast<lvx::editor::SongBox*>(QApplication::focusWidget());
            if (!target || !target->isVisible() || song->song().title != u"Long")
                return false;
            if (!target->isReadOnly()) {
                QTest::keyClick(target, Qt::Key_X);
                ++typed;
            }
            return song->findChild<QLineEdit*>(u"tTitle"_s)->text() == u"Long";
        };
        const auto press = [](Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); };
        for (int i = 0; i < 40; ++i) {
            press(Qt::Key_Down);
            QVERIFY(stop());
        }
        // Each Down went one line further, scrolling at the bottom.
        QCOMPARE(qobject_cast<lvx::editor::SongBox*>(QApplication::focusWidget())->tag, u"41"_s);
        while (song->TopLine() < bar->maximum()) {
            press(Qt::Key_PageDown);
            QVERIFY(stop());
        }
        // The last screen is a full one.
        QCOMPARE(song->LastShownLine(), 1500);
        QVERIFY(song->LastShownLine() - song->TopLine() > 5);
        while (song->TopLine() > 1) {
            turnWheel(song, 10);
            QVERIFY(stop());
        }
        bar->setValue(bar->maximum());
        QVERIFY(stop());
        QCOMPARE(song->LastShownLine(), 1500);
        for (int i = 0; i < 30; ++i) {
            press(Qt::Key_Up);
            QVERIFY(stop());
        }
        bar->setValue(1);
        QVERIFY(stop());

        QString all;
        for (const auto& line : song->song().lines)
            all += line.text;
        QCOMPARE(all.count(u'x'), typed);
        QVERIFY(typed >= 100);
        // Undo walks back through every stop.
        for (int i = 0; i < typed; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(song->song().lines, original);
    }

    void typingKeepsTheBoxAndTheRecordInStep()
    {
        DesktopFixture fixture;
        frmSong* window = fixture.open("[G]Amazing grace\n"_ba);
        auto* target = box(window, 1);
        target->setFocus();
        target->end(false);
        QTest::keyClicks(target, u", how sweet"_s);
        QCOMPARE(window->song().lines.at(0).text, u"Amazing grace, how sweet"_s);
        // The labels follow after the pause in typing, not on every key.
        QTRY_COMPARE(window->label(1)->text(), u"G"_s);
    }
};

LIRAVOX_WIDGETS_TEST_MAIN(SongEditingTest)
#include "songediting_test.moc"
