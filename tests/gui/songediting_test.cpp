// A song window inside the frame, as a user works in it: typing key by key,
// the caret going from box to box, chords clicked, dragged and edited with the
// mouse, directive lines and transposition from the menus and the toolbar. The
// line records follow, and every chord keeps standing over its character.

#include "desktopfixture.h"
#include "widgetsmain.h"

#include <QAction>
#include <QClipboard>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTableWidget>
#include <QTimer>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolButton>
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

// Where a character offset of a line box is, in the box.
QPoint offsetPoint(lvx::editor::SongBox* box, int offset)
{
    return {lvx::editor::BoxTextInset + QFontMetrics(box->font()).horizontalAdvance(box->text().left(offset)),
            box->height() / 2};
}

// The mouse as a script: "click:2:3" clicks line box 2 at offset 3 (sclick with
// Shift), "drag:1:1:3:2" drags from box 1 offset 1 to box 3 offset 2.
void mouse(frmSong* song, const QStringList& parts)
{
    const auto at = [song, &parts](int i) {
        auto* target = box(song, parts.at(i).toInt());
        return std::pair(target, offsetPoint(target, parts.at(i + 1).toInt()));
    };
    const auto [from, point] = at(1);
    if (parts.first() != u"drag") {
        QTest::mouseClick(from, Qt::LeftButton, parts.first() == u"sclick" ? Qt::ShiftModifier : Qt::NoModifier, point);
        return;
    }
    const auto [to, end] = at(3);
    // The box pressed keeps the mouse while the button is down.
    const QPoint there = from->mapFromGlobal(to->mapToGlobal(end));
    QTest::mousePress(from, Qt::LeftButton, {}, point);
    QTest::mouseMove(from, (point + there) / 2);
    QTest::mouseMove(from, there);
    QTest::mouseRelease(from, Qt::LeftButton, {}, there);
}

// Keys as a script, sent where the focus is: plain characters are typed, <name>
// presses a key ("sright" extends the selection, "find" is Ctrl+F, "next" F3,
// "prev" Shift+F3); "tile", "cascade" (from the Window menu) and "max" arrange
// the song windows, "chords" clicks the find bar's Chords box; "pause" waits on the
// undo history's clock; "@name" runs the song's action of that name, "button:name"
// clicks the toolbar's button; "answer:text" and "cancel" answer the next input box;
// "clip:text" puts another program's text on the clipboard.
void play(QWidget* target, const QString& script, lvx::RecordingMessages* messages = nullptr)
{
    static const QHash<QString, std::pair<Qt::Key, Qt::KeyboardModifiers>> keys = {
        {u"bs"_s, {Qt::Key_Backspace, {}}}, {u"del"_s, {Qt::Key_Delete, {}}}, {u"enter"_s, {Qt::Key_Return, {}}},
        {u"sright"_s, {Qt::Key_Right, Qt::ShiftModifier}},         {u"undo"_s, {Qt::Key_Z, Qt::ControlModifier}}, {u"redo"_s, {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier}},
        {u"cright"_s, {Qt::Key_Right, Qt::ControlModifier}},
        {u"left"_s, {Qt::Key_Left, {}}}, {u"right"_s, {Qt::Key_Right, {}}}, {u"shift"_s, {Qt::Key_Shift, {}}},
        {u"tab"_s, {Qt::Key_Tab, {}}}, {u"stab"_s, {Qt::Key_Backtab, Qt::ShiftModifier}},
        {u"aright"_s, {Qt::Key_Right, Qt::AltModifier}}, {u"aleft"_s, {Qt::Key_Left, Qt::AltModifier}},
        {u"esc"_s, {Qt::Key_Escape, {}}}, {u"space"_s, {Qt::Key_Space, {}}},
        {u"menu"_s, {Qt::Key_Menu, {}}}, {u"sf10"_s, {Qt::Key_F10, Qt::ShiftModifier}},
        {u"sup"_s, {Qt::Key_Up, Qt::ShiftModifier}}, {u"sdown"_s, {Qt::Key_Down, Qt::ShiftModifier}},
        {u"spgup"_s, {Qt::Key_PageUp, Qt::ShiftModifier}}, {u"spgdn"_s, {Qt::Key_PageDown, Qt::ShiftModifier}},
        {u"shome"_s, {Qt::Key_Home, Qt::ShiftModifier}}, {u"send"_s, {Qt::Key_End, Qt::ShiftModifier}},
        {u"sleft"_s, {Qt::Key_Left, Qt::ShiftModifier}}, {u"down"_s, {Qt::Key_Down, {}}},
        {u"home"_s, {Qt::Key_Home, {}}}, {u"end"_s, {Qt::Key_End, {}}},
        {u"cshome"_s, {Qt::Key_Home, Qt::ControlModifier | Qt::ShiftModifier}},
        {u"csend"_s, {Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier}},
        {u"cend"_s, {Qt::Key_End, Qt::ControlModifier}}, {u"all"_s, {Qt::Key_A, Qt::ControlModifier}},
        {u"copy"_s, {Qt::Key_C, Qt::ControlModifier}}, {u"cut"_s, {Qt::Key_X, Qt::ControlModifier}},
        {u"paste"_s, {Qt::Key_V, Qt::ControlModifier}}, {u"find"_s, {Qt::Key_F, Qt::ControlModifier}},
        {u"next"_s, {Qt::Key_F3, {}}}, {u"prev"_s, {Qt::Key_F3, Qt::ShiftModifier}},
        {u"sreturn"_s, {Qt::Key_Return, Qt::ShiftModifier}}};
    auto* area = target->window()->findChild<QMdiArea*>();
    const auto song = [area] { return qobject_cast<frmSong*>(area->activeSubWindow()->widget()); };
    for (qsizetype i = 0; i < script.size(); ++i) {
        QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : target;
        if (script.at(i) != u'<') {
            QTest::keyClicks(focus, script.mid(i, 1));
            continue;
        }
        const qsizetype end = script.indexOf(u'>', i);
        const QString name = script.mid(i + 1, end - i - 1);
        i = end;
        auto* active = qobject_cast<frmSong*>(area->activeSubWindow()->widget());
        if (name == u"max" || name == u"tile") {
            area->activeSubWindow()->showMaximized();
            if (name == u"tile")
                active->action(u"mnuWTile"_s)->trigger();
        } else if (name == u"cascade") {
            active->action(u"mnuWCascade"_s)->trigger();
        } else if (name == u"pause") {
            lvx::editor::UndoHistory& history = qobject_cast<frmSong*>(focus->parentWidget())->undoHistory();
            const qint64 later = history.now() + lvx::editor::UndoHistory::PauseMsecs + 1;
            history.setClock([later] { return later; });
        } else if (name.startsWith(u'@')) {
            song()->action(name.mid(1))->trigger();
        } else if (name.startsWith(u"button:")) {
            QTest::mouseClick(target->window()->findChild<QToolButton*>(name.mid(7)), Qt::LeftButton);
        } else if (name.startsWith(u"answer:") || name == u"cancel") {
            messages->scriptText(name == u"cancel" ? std::nullopt : std::optional(name.mid(7)));
        } else if (name.startsWith(u"clip:")) {
            QGuiApplication::clipboard()->setText(name.mid(5));
        } else if (name.contains(u':')) {
            mouse(song(), name.split(u':'));
        } else if (name == u"chords") {
            QTest::mouseClick(active->findChild<QCheckBox*>(u"chkChords"_s), Qt::LeftButton);
        } else {
            QTest::keyClick(focus, keys.value(name).first, keys.value(name).second);
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

QLabel* labelWidget(frmSong* song, int number) { return song->findChild<QLabel*>(u"L"_s + QString::number(number)); }

// Whether a box draws itself tinted as the current line, seen past the end of its text.
bool tintedAsCurrent(QWidget* box)
{
    const QImage image = box->grab().toImage();
    return image.pixelColor(image.width() - 3, image.height() / 2) != box->palette().color(QPalette::Base);
}

// Where the keyboard is, as a screen reader hears it: a line box by its name
// and caret, a chord label by its name.
QString focusText()
{
    QWidget* focus = QApplication::focusWidget();
    if (const auto* box = qobject_cast<lvx::editor::SongBox*>(focus))
        return box->accessibleName() + u" @" + QString::number(box->cursorPosition());
    if (!focus)
        return u"nothing"_s;
    return focus->accessibleName().isEmpty() ? focus->objectName() : focus->accessibleName();
}

// Once the repaint after the last key has run: it may move the focus. The
// offscreen platform leaves no window active after a dialog, or a closed pop-up,
// where a desktop gives the activation back to the frame.
void settle(frmSong* song)
{
    QTRY_VERIFY(!song->findChild<QTimer*>(u"Timer"_s)->isActive());
    QApplication::processEvents();
    if (QApplication::activeWindow() != song->window()) {
        song->window()->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), song->window());
    }
}

// What the line boxes show highlighted, box by box: the selected text, "+"
// where the highlight goes on past the text.
QString highlighted(frmSong* song)
{
    QStringList shown;
    for (int i = 1; auto* line = box(song, i); ++i) {
        if (!line->isVisible())
            break;
        shown.append(line->selectedText() + (line->selectedEnd() ? u"+"_s : QString()));
    }
    while (!shown.isEmpty() && shown.last().isEmpty())
        shown.removeLast();
    return shown.join(u'|');
}

// What Find shows: the bar's word on the search, the match (text selected in a
// line box, or a chord label marked), and where the keys are.
QString findState(frmSong* song)
{
    QStringList parts;
    const auto* bar = song->findChild<QWidget*>(u"FindBar"_s);
    const auto* status = song->findChild<QLabel*>(u"lFindStatus"_s);
    if (!bar->isVisible())
        parts.append(u"closed"_s);
    else
        parts.append(status->text().isEmpty() ? u"-"_s
                     : status->text() + (status->styleSheet().contains(u"color") ? u" in red"_s : QString()));
    QString shown = u"nothing shown"_s;
    for (auto* line : song->findChildren<lvx::editor::SongBox*>()) {
        if (line->isVisible() && line->hasSelectedText())
            shown = u"'"_s + line->selectedText() + u"' on line "_s + line->tag;
    }
    for (auto* label : song->findChildren<lvx::editor::ChordLabel*>()) {
        if (label->isVisible() && label->isMarked())
            shown = label->text() + u" marked"_s;
    }
    parts.append(shown);
    QWidget* focus = QApplication::focusWidget();
    if (focus && focus->objectName() == u"tFind")
        parts.append(u"keys in the bar"_s);
    else if (auto* line = qobject_cast<lvx::editor::SongBox*>(focus))
        parts.append(u"keys on line "_s + line->tag);
    else
        parts.append(u"keys in "_s + (focus ? focus->objectName() : u"nothing"_s));
    return parts.join(u"; "_s);
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
        QTest::addColumn<QString>("focus");   // where the keyboard is afterwards, by its spoken name

        QTest::addRow("typing before a chord moves it along") << "He[G]llo\n"_ba << 1 << 1 << u"x"_s << u"Hxe[G]llo"_s
                                                              << u"line 1: Hxello @2"_s;
        QTest::addRow("enter splits the chords with the text and typing goes on below")
            << "a[C]bc[D]de\n"_ba << 1 << 3 << u"<enter>x"_s << u"a[C]bc | x[D]de"_s << u"line 2: xde @1"_s;
        QTest::addRow("backspace at a line start joins it to the line above")
            << "a[C]b\n[D]cd\n"_ba << 2 << 0 << u"<bs>x"_s << u"a[C]bx[D]cd"_s << u"line 1: abxcd @3"_s;
        QTest::addRow("backspace on the line enter made under a directive removes only that line")
            << "{soc}\nab\n"_ba << 1 << 3 << u"<enter><bs>"_s << u"{21}Start of Chorus | ab"_s
            << u"line 1, chorus start @15"_s;
        QTest::addRow("backspace under a directive keeps both lines")
            << "{soc}\nab\n"_ba << 2 << 0 << u"<bs>x"_s << u"{21}Start of Chorus | ab"_s << u"line 1, chorus start @15"_s;
        QTest::addRow("undo brings back a joined line, redo joins it again")
            << "a[C]b\n[D]cd\n"_ba << 2 << 0 << u"<bs><undo><redo>"_s << u"a[C]b[D]cd"_s << u"line 1: abcd @2"_s;
        QTest::addRow("tab takes the caret to the title") << "ab\ncd\n"_ba << 1 << 1 << u"<tab>x"_s << u"{t}x | ab | cd"_s
                                                          << u"tTitle"_s;
        QTest::addRow("tab through the header comes back to the caret's line, selecting nothing")
            << "ab\ncd\n"_ba << 2 << 1 << u"<tab><tab><tab>x"_s << u"ab | cxd"_s << u"line 2: cxd @2"_s;
        QTest::addRow("tile, cascade and maximize keep typing in the caret's line")
            << "{title: T}\nab\ncd\nef\n"_ba << 3 << 1 << u"<tile>x<cascade>y<max>z"_s << u"{t}T | ab | cd | exyzf"_s
            << u"line 3: exyzf @4"_s;
        QTest::addRow("a directive line takes no typing") << "{soc}\nab\n"_ba << 1 << 2 << u"xy<bs><del>"_s
                                                          << u"{21}Start of Chorus | ab"_s << u"line 1, chorus start @2"_s;
        QTest::addRow("del at the end of the song changes nothing") << "ab\n"_ba << 1 << 2 << u"<del>"_s << u"ab"_s
                                                                    << u"line 1: ab @2"_s;
        QTest::addRow("del takes the character after the caret") << "ab\n"_ba << 1 << 0 << u"<del>"_s << u"b"_s
                                                                 << u"line 1: b @0"_s;
        QTest::addRow("ctrl with an arrow changes nothing") << "ab cd\n"_ba << 1 << 0 << u"<cright>"_s << u"ab cd"_s
                                                            << u"line 1: ab cd @3"_s;
        QTest::addRow("a block's name takes typing") << "{soblk:A}\n{eoblk}\n"_ba << 1 << 1 << u"b"_s
                                                     << u"{8}Ab | {9}End of Block"_s << u"line 1, block start: Ab @2"_s;
        QTest::addRow("lines are counted without the song's facts") << "{artist: Joe}\nab\ncd\n"_ba << 2 << 1 << u""_s
                                                                    << u"{12}{artist: Joe} | ab | cd"_s << u"line 2: cd @1"_s;

        // Chords from the keyboard.
        const QByteArray hello = "He[G]llo [C]world\n"_ba;
        QTest::addRow("alt+right: the chord on the caret's character") << hello << 1 << 2 << u"<aright>"_s
                                                                       << u"He[G]llo [C]world"_s << u"chord G over 'Hello'"_s;
        QTest::addRow("alt+right: from inside a word, the next chord") << hello << 1 << 3 << u"<aright>"_s
                                                                       << u"He[G]llo [C]world"_s << u"chord C over 'world'"_s;
        QTest::addRow("alt+left: the chord before the caret") << hello << 1 << 6 << u"<aleft>"_s << u"He[G]llo [C]world"_s
                                                              << u"chord G over 'Hello'"_s;
        QTest::addRow("alt+right: no chord after the caret, the caret stays")
            << hello << 1 << 7 << u"<aright>"_s << u"He[G]llo [C]world"_s << u"line 1: Hello world @7"_s;
        QTest::addRow("alt+right right after typing: the label has the new word")
            << hello << 1 << 0 << u"x<aright>"_s << u"xHe[G]llo [C]world"_s << u"chord G over 'xHello'"_s;
        const QByteArray three = "[G]one\ntwo [D]three\n{soc}\n[A]four\n"_ba;
        QTest::addRow("tab and shift+tab: label to label over lines")
            << three << 1 << 0 << u"<aright><tab><tab><stab>"_s << u"[G]one | two [D]three | {21}Start of Chorus | [A]four"_s
            << u"chord D over 'three'"_s;
        QTest::addRow("tab at the song's last label stays there") << "[G]one\n"_ba << 1 << 0 << u"<aright><tab>"_s
                                                                  << u"[G]one"_s << u"chord G over 'one'"_s;
        QTest::addRow("tab to a label out of sight scrolls to it")
            << "[C]top\n"_ba + "la\n"_ba.repeated(80) + "[G]end\n"_ba << 1 << 0 << u"<aright><tab>"_s
            << u"[C]top | "_s + QStringList(80, u"la"_s).join(u" | "_s) + u" | [G]end"_s << u"chord G over 'end'"_s;
        QTest::addRow("escape: back to the line at the chord's character")
            << three << 1 << 0 << u"<aright><tab><esc>x"_s << u"[G]one | two x[D]three | {21}Start of Chorus | [A]four"_s
            << u"line 2: two xthree @5"_s;
        QTest::addRow("alt+right on a label moves the chord, the label keeps the focus")
            << "He[G]llo\n"_ba << 1 << 2 << u"<aright><aright><aright>"_s << u"Hell[G]o"_s << u"chord G over 'Hello'"_s;
        QTest::addRow("undo takes a moved chord back one character")
            << "He[G]llo\n"_ba << 1 << 2 << u"<aright><aright><aright><undo>"_s << u"Hel[G]lo"_s << u"line 1: Hello @3"_s;
        QTest::addRow("alt+left at the line's start leaves the chord") << "[G]Hello\n"_ba << 1 << 0 << u"<aright><aleft>"_s
                                                                      << u"[G]Hello"_s << u"chord G over 'Hello'"_s;
        QTest::addRow("alt+right past the lyric's end pads it with blanks")
            << "a[G]b\n"_ba << 1 << 1 << u"<aright><aright><aright>"_s << u"ab [G]"_s << u"chord G at the end of the line"_s;
        QTest::addRow("del on a label removes its chord") << hello << 1 << 2 << u"<aright><del>"_s << u"Hello [C]world"_s
                                                          << u"line 1: Hello world @2"_s;
        QTest::addRow("undo brings a removed chord back") << hello << 1 << 2 << u"<aright><del><undo>"_s
                                                          << u"He[G]llo [C]world"_s << u"line 1: Hello world @2"_s;
        QTest::addRow("the menu key offers the recent chords for the chord's character")
            << hello << 1 << 2 << u"<aright><menu><space>"_s << u"He[G][C]llo [C]world"_s << u"line 1: Hello world @2"_s;
        QTest::addRow("shift+f10 offers them too") << hello << 1 << 6 << u"<aright><sf10><space>"_s
                                                   << u"He[G]llo [C][C]world"_s << u"line 1: Hello world @6"_s;
        QTest::addRow("three words typed with pauses go back in three undos")
            << "x\n"_ba << 1 << 1 << u" aaa<pause> bbb<pause> ccc<undo><undo><undo>"_s << u"x"_s << u"line 1: x @1"_s;
        QTest::addRow("an undo takes back a word with its blank, capitals and all")
            << "x\n"_ba << 1 << 1 << u" aaa<pause> bbb <shift>Mc<shift>Coy <undo>"_s << u"x aaa bbb "_s << u"line 1: x aaa bbb  @10"_s;
        QTest::addRow("an arrow key ends a step") << "x\n"_ba << 1 << 1 << u"ab<left><right>cd<undo>"_s << u"xab"_s << u"line 1: xab @3"_s;
    }

    void keys()
    {
        QFETCH(QByteArray, song);
        QFETCH(int, slot);
        QFETCH(int, caret);
        QFETCH(QString, script);
        QFETCH(QString, expected);
        QFETCH(QString, focus);
        DesktopFixture fixture;
        frmSong* window = fixture.open(song);
        window->undoHistory().setClock([] { return qint64(0); });
        focusBox(window, slot, caret);
        play(box(window, slot), script);
        settle(window);
        QCOMPARE(songText(window), expected);
        QCOMPARE(focusText(), focus);
        // Marked changed exactly when a key changed something there is to undo.
        QCOMPARE(window->isWindowModified(), window->undoEnabled());
    }

    // A line that takes no text still shows that it has the caret, says why a
    // key typed there does nothing, and opens a lyric line below on Enter.
    void readOnlyLines_data()
    {
        QTest::addColumn<QByteArray>("song");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("status");
        const QString directive = u"This line cannot take text: it is a directive. Press Enter for a new lyric line below."_s;
        QTest::addRow("typing on a directive says why") << "{soc}\nab\n"_ba << 1 << u"x"_s
                                                        << u"{21}Start of Chorus | ab"_s << directive;
        QTest::addRow("backspace on a directive says why") << "{soc}\nab\n"_ba << 1 << u"<bs>"_s
                                                           << u"{21}Start of Chorus | ab"_s << directive;
        QTest::addRow("a kept line says it is kept")
            << "{textcolour: red}\nab\n"_ba << 1 << u"x"_s << u"{12}{textcolour: red} | ab"_s
            << u"This line cannot take text: it is kept as the file had it. Press Enter for a new lyric line below."_s;
        QTest::addRow("enter on a directive opens a lyric line below it")
            << "{soc}\nab\n"_ba << 1 << u"<enter>x"_s << u"{21}Start of Chorus | x | ab"_s << QString();
        QTest::addRow("enter at the song's end of verse goes on below it")
            << "{sov}\nla\n{eov}\n"_ba << 3 << u"<enter>x"_s << u"{8}Verse | la | {9}End of Block | x"_s << QString();
        QTest::addRow("undo takes the opened line back")
            << "{soc}\nab\n"_ba << 1 << u"<enter>x<undo><undo>"_s << u"{21}Start of Chorus | ab"_s << QString();
    }
    void readOnlyLines()
    {
        QFETCH(QByteArray, song);
        QFETCH(int, slot);
        QFETCH(QString, script);
        DesktopFixture fixture;
        frmSong* window = fixture.open(song);
        focusBox(window, slot, 0);
        // The read-only box with the caret shows as the current line, and only it.
        QVERIFY(tintedAsCurrent(box(window, slot)));
        QVERIFY(!tintedAsCurrent(box(window, slot % 2 + 1)));
        play(box(window, slot), script);
        QTEST(songText(window), "expected");
        QTEST(fixture.main->statusBar()->currentMessage(), "status");
        QCOMPARE(window->isWindowModified(), window->undoEnabled());
        // Off the line, the tint goes with the caret.
        focusBox(window, slot % 2 + 1, 0);
        QVERIFY(!tintedAsCurrent(box(window, slot)));
    }

    // Selections over lines: the keys and the mouse that make them, what the
    // boxes highlight, what the edits leave and what goes on the clipboard.
    void selections_data()
    {
        QTest::addColumn<QByteArray>("song");
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("expected");     // the song, then " ! " and any message shown
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("highlight");
        const QByteArray hymn = "[G]Amazing [C]grace\n{soc}\nhow [D]sweet\n{eoc}\nthe sound\n"_ba;
        const QString hymnText = u"[G]Amazing [C]grace | {21}Start of Chorus | how [D]sweet | {22}End of Chorus | the sound"_s;
        const QByteArray three = "a[A]b[B]c\nd[C]e\nf[D]g[E]h\n"_ba;
        QTest::addRow("shift+down highlights whole lines, a directive too, and copies them with chords and kinds")
            << hymn << 1 << 0 << u"<sdown><sdown><sdown><sdown><copy>"_s << hymnText
            << u"[G]Amazing [C]grace\n{start_of_chorus}\nhow [D]sweet\n{end_of_chorus}\n"_s
            << u"Amazing grace+|Start of Chorus+|how sweet+|End of Chorus+"_s;
        QTest::addRow("shift+down onto an end mark stops at its start and leaves it out")
            << "{sov}\n[G]one\n[C]two\n{eov}\nafter\n"_ba << 2 << 0 << u"<sdown><sdown><copy>"_s
            << u"{8}Verse | [G]one | [C]two | {9}End of Block | after"_s << u"[G]one\n[C]two\n"_s << u"|one+|two+"_s;
        QTest::addRow("a chorus copied is pasted as a chorus, as one undo step")
            << hymn << 1 << 0 << u"<sdown><sdown><sdown><sdown><copy><cend><enter><paste><undo><redo>"_s
            << hymnText + u" | [G]Amazing [C]grace | {21}Start of Chorus | how [D]sweet | {22}End of Chorus | "_s
            << u"[G]Amazing [C]grace\n{start_of_chorus}\nhow [D]sweet\n{end_of_chorus}\n"_s << QString();
        QTest::addRow("chords at both ends: inside the range they go, on the next character they stay")
            << three << 1 << 1 << u"<sdown><sdown><shome><sright><cut>"_s << u"a[D]g[E]h"_s
            << u"[A]b[B]c\nd[C]e\nf"_s << QString();
        QTest::addRow("shift+up and shift+left over a line break")
            << three << 3 << 0 << u"<sup><sleft><sleft><copy>"_s << u"a[A]b[B]c | d[C]e | f[D]g[E]h"_s
            << u"[B]c\nd[C]e\n"_s << u"c+|de+"_s;
        QTest::addRow("typing over lines replaces them") << three << 1 << 1 << u"<sdown><send>x"_s
                                                         << u"ax | f[D]g[E]h"_s << QString() << QString();
        QTest::addRow("typing over lines is one undo step") << three << 1 << 1 << u"<sdown><send>xy<undo>"_s
                                                            << u"a[A]b[B]c | d[C]e | f[D]g[E]h"_s << QString() << QString();
        QTest::addRow("backspace and delete take the selection")
            << three << 1 << 1 << u"<sdown><send><bs><sdown><send><del>"_s << u"a"_s << QString() << QString();
        QTest::addRow("ctrl+a and cut leave one empty line and everything on the clipboard")
            << "{soc}\n[G]la\n{eoc}\n"_ba << 2 << 1 << u"<all><cut>"_s << QString()
            << u"{start_of_chorus}\n[G]la\n{end_of_chorus}"_s << QString();
        QTest::addRow("ctrl+shift+end and ctrl+shift+home select to the song's ends")
            << "ab\ncd\nef\n"_ba << 2 << 1 << u"<csend><copy><cshome>"_s << u"ab | cd | ef"_s << u"d\nef"_s
            << u"ab+|c"_s;
        QTest::addRow("shift+end, then a click, ends the selection")
            << "ab\ncd\n"_ba << 1 << 1 << u"<sdown><send><click:1:0>x"_s << u"xab | cd"_s << QString() << QString();
        QTest::addRow("left goes to the selection's start and types there")
            << "ab\ncd\n"_ba << 1 << 1 << u"<sdown><left>x"_s << u"axb | cd"_s << QString() << QString();
        QTest::addRow("a click and a shift+click select from the one to the other")
            << three << 1 << 0 << u"<click:1:2><sclick:3:1><copy>"_s << u"a[A]b[B]c | d[C]e | f[D]g[E]h"_s
            << u"[B]c\nd[C]e\nf"_s << u"c+|de+|f"_s;
        QTest::addRow("a drag with the mouse over three lines")
            << three << 1 << 0 << u"<drag:3:2:1:1><copy>"_s << u"a[A]b[B]c | d[C]e | f[D]g[E]h"_s
            << u"[A]b[B]c\nd[C]e\nf[D]g"_s << u"bc+|de+|fg"_s;
        QTest::addRow("within one line the line clipboard keeps the chords")
            << "He[G]llo\n"_ba << 1 << 1 << u"<sright><sright><sright><copy><cend><paste>"_s << u"He[G]lloe[G]ll"_s
            << u"e[G]ll"_s << QString();
        QTest::addRow("another program's ChordPro text is read as a song, lines split")
            << "one\ntwo\n"_ba << 2 << 0 << u"<clip:[G]Amazing [C]grace\n{soc}\nla\n{eoc}\n><paste>"_s
            << u"one | [G]Amazing [C]grace | {21}Start of Chorus | la | {22}End of Chorus | two"_s
            << u"[G]Amazing [C]grace\n{soc}\nla\n{eoc}\n"_s << QString();
        QTest::addRow("a text of several lines pasted into the title goes in as one line")
            << "ab\n"_ba << 1 << 0 << u"<clip:Amazing\nGrace><tab><paste>"_s << u"{t}Amazing Grace | ab"_s
            << u"Amazing\nGrace"_s << QString();
        QTest::addRow("paste over lines replaces them in one step")
            << "ab\ncd\nef\n"_ba << 1 << 0 << u"<sright><copy><down><home><sdown><paste>"_s << u"ab | aef"_s
            << u"a"_s << QString();
        QTest::addRow("verse: the label asked for, the selected lines wrapped")
            << "a\nb\nc\n"_ba << 1 << 0 << u"<answer:Verse 2><sdown><sdown><@mnuIVerse>"_s
            << u"{8}Verse 2 | a | b | {9}End of Block | c"_s << QString() << QString();
        QTest::addRow("verse: cancel in the label box changes nothing")
            << "a\nb\n"_ba << 1 << 0 << u"<cancel><sdown><@mnuIVerse>"_s << u"a | b"_s << QString() << u"a+"_s;
        QTest::addRow("chorus without a selection: around the caret's line, typing goes on in it")
            << "a\nb\n"_ba << 2 << 1 << u"<@mnuIChorus>x"_s << u"a | {21}Start of Chorus | bx | {22}End of Chorus"_s
            << QString() << QString();
        QTest::addRow("the toolbar's chorus button makes the selected lines a chorus")
            << "a\nb\nc\n"_ba << 2 << 0 << u"<sdown><send><button:bChorus>"_s
            << u"a | {21}Start of Chorus | b | c | {22}End of Chorus"_s << QString() << QString();
        QTest::addRow("start of tablature leaves typing in the caret's line")
            << "a\nb\n"_ba << 2 << 0 << u"<@mnuISOT>x"_s << u"a | {41}Start of Tab | xb"_s << QString() << QString();
        QTest::addRow("a chorus inside a verse is refused, saying why")
            << "{sov}\na\n{eov}\n"_ba << 2 << 0 << u"<@mnuIChorus>"_s
            << u"{8}Verse | a | {9}End of Block ! A chorus cannot start inside a verse."_s << QString() << QString();
        QTest::addRow("a selection ending inside a chorus cannot become a bridge")
            << "a\n{soc}\nb\n{eoc}\n"_ba << 1 << 0 << u"<sdown><sdown><send><@mnuIBridge>"_s
            << u"a | {21}Start of Chorus | b | {22}End of Chorus ! A bridge cannot hold a chorus."_s << QString()
            << u"a+|Start of Chorus+|b"_s;
    }
    void selections()
    {
        QFETCH(QByteArray, song);
        QFETCH(int, slot);
        QFETCH(int, caret);
        QFETCH(QString, script);
        DesktopFixture fixture;
        QGuiApplication::clipboard()->clear();
        frmSong* window = fixture.open(song);
        focusBox(window, slot, caret);
        play(box(window, slot), script, &fixture.messages);
        QStringList informed;
        for (const auto& entry : fixture.messages.entries()) {
            if (entry.kind == lvx::RecordingMessages::Kind::Inform)
                informed.append(entry.text);
        }
        QTEST(QString(songText(window) + (informed.isEmpty() ? QString() : u" ! "_s + informed.join(u" / "_s))), "expected");
        QTEST(QGuiApplication::clipboard()->text(), "clipboard");
        QTEST(highlighted(window), "highlight");
        QCOMPARE(window->isWindowModified(), window->undoEnabled());
    }

    // Shift+Page Down and Ctrl+Shift+End through a long song: the selection
    // grows by pages and reaches the end; copied and pasted, the song doubles.
    void selectingALongSong()
    {
        DesktopFixture fixture;
        QByteArray text;
        for (int i = 1; i <= 1500; ++i)
            text += "[C]line " + QByteArray::number(i) + "\n";
        frmSong* song = fixture.open(text);
        focusBox(song, 1, 0);
        play(box(song, 1), u"<spgdn><spgdn><copy>"_s);
        const QStringList paged = QGuiApplication::clipboard()->text().split(u'\n');
        QVERIFY2(paged.size() > 10, qPrintable(QString::number(paged.size())));
        QCOMPARE(paged.first(), u"[C]line 1"_s);
        play(QApplication::focusWidget(), u"<csend><copy><cend><enter><paste>"_s);
        QCOMPARE(song->song().lines.size(), 3000);
        QCOMPARE(lineText(song, 3000), u"[C]line 1500"_s);
        QCOMPARE(song->LastShownLine(), 3000);
    }

    void find_data()
    {
        QTest::addColumn<QByteArray>("song");
        QTest::addColumn<QString>("script");   // from the start of line 1
        QTest::addColumn<QString>("expected");   // the bar's word; the match; the keys; the song
        const QByteArray grace = "Amazing grace\nhow [G]sweet [G7]the sound\nGrace again\n"_ba;
        const QString song = u"Amazing grace | how [G]sweet [G7]the sound | Grace again"_s;
        QTest::addRow("typing finds as it goes, the keys staying in the bar")
            << grace << u"<find>grac"_s << u"-; 'grac' on line 1; keys in the bar; "_s + song;
        QTest::addRow("F3 and Return go on, and round from the top")
            << grace << u"<find>grace<next><enter>"_s << u"Searched from the top; 'grace' on line 1; keys in the bar; "_s + song;
        QTest::addRow("Shift+F3 goes back, round from the bottom")
            << grace << u"<find>grace<prev>"_s << u"Searched from the bottom; 'Grace' on line 3; keys in the bar; "_s + song;
        QTest::addRow("Shift+Return goes back too")
            << grace << u"<find>grace<next><sreturn>"_s << u"-; 'grace' on line 1; keys in the bar; "_s + song;
        QTest::addRow("nothing found says so in red")
            << grace << u"<find>hallelujah"_s << u"Not found in red; nothing shown; keys in the bar; "_s + song;
        QTest::addRow("a chord search finds the whole name only, never a word")
            << grace << u"<find><chords>g<next>"_s << u"Searched from the top; G marked; keys in the bar; "_s + song;
        QTest::addRow("Escape gives the caret back at the match")
            << grace << u"<find>sweet<esc>x"_s
            << u"closed; nothing shown; keys on line 2; Amazing grace | how [G]x [G7]the sound | Grace again"_s;
        QTest::addRow("Escape after finding nothing gives the keys back to the title they came from")
            << grace << u"<tab><find>qq<esc>x"_s << u"closed; nothing shown; keys in tTitle; {t}x | "_s + song;
        QTest::addRow("F3 in the lines goes on from the match, the keys following it")
            << grace << u"<find>grace<esc><next>"_s << u"-; 'Grace' on line 3; keys on line 3; "_s + song;
        QTest::addRow("the words selected in a line are searched for")
            << grace << u"<sright><sright><find>"_s << u"-; 'Am' on line 1; keys in the bar; "_s + song;
        QByteArray longSong;
        for (int i = 0; i < 80; ++i)
            longSong += "la\n";
        QTest::addRow("a match far down is scrolled into view")
            << longSong + "the needle\n" << u"<find>needle"_s << u"-; 'needle' on line 81; keys in the bar"_s;
    }
    void find()
    {
        QFETCH(QByteArray, song);
        QFETCH(QString, script);
        QFETCH(QString, expected);
        DesktopFixture fixture;
        frmSong* window = fixture.open(song);
        focusBox(window, 1, 0);
        play(box(window, 1), script);
        const QString state = findState(window);
        QCOMPARE(expected.count(u';') == 2 ? state : state + u"; "_s + songText(window), expected);
    }

    void aNewSongStartsInItsFirstLine()
    {
        DesktopFixture fixture;
        fixture.main->newSong();
        frmSong* song = fixture.main->activeSong();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(box(song, 1)));
        QTest::keyClicks(QApplication::focusWidget(), u"hello "_s);
        QCOMPARE(lineText(song, 1), u"hello [C]Write your [F]lyrics [G7]here"_s);
        // A song whose facts come first starts in the first line shown, not the last.
        frmSong* facts = fixture.open("{key: G}\nla\n{soc}\n"_ba);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(box(facts, 1)));
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
        const auto press = [&stop](Qt::Key key) {
            QTest::keyClick(QApplication::focusWidget(), key);
            return stop();
        };
        for (int i = 0; i < 40; ++i)
            QVERIFY(press(Qt::Key_Down));
        // Each Down went one line further, scrolling at the bottom.
        QCOMPARE(qobject_cast<lvx::editor::SongBox*>(QApplication::focusWidget())->tag, u"41"_s);
        while (song->TopLine() < bar->maximum())
            QVERIFY(press(Qt::Key_PageDown));
        // The last screen is a full one.
        QCOMPARE(song->LastShownLine(), 1500);
        QVERIFY(song->LastShownLine() - song->TopLine() > 5);
        while (song->TopLine() > 1) {
            turnWheel(song, 10);
            QVERIFY(stop());
        }
        for (int i = 0; i < 30; ++i)
            QVERIFY(press(Qt::Key_Up));
        bar->setValue(bar->maximum());
        QVERIFY(stop());
        QCOMPARE(song->LastShownLine(), 1500);
        QVERIFY(typed >= 100);
        // Undo walks back through every stop.
        for (int i = 0; i < typed; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(song->song().lines, original);
        // Back at the text it was opened with, the song is no longer marked changed.
        QVERIFY(!song->isWindowModified());
    }

    void labelsStandOverTheirSyllables()
    {
        DesktopFixture fixture;
        frmSong* song = fixture.open("He[G]llo [Am7]world\n{soc}\n[C]la la\n{eoc}\n"_ba);
        QCOMPARE(song->LabelsUsed(), 3);
        QLabel* g = labelWidget(song, 1);
        QLabel* am = labelWidget(song, 2);
        QCOMPARE(g->text() + am->text(), u"GAm7"_s);
        auto* line = box(song, 1);
        // Above the lyric, the second where "world" starts.
        QVERIFY(g->geometry().bottom() <= line->geometry().top() + line->height() / 3);
        const int world = line->x() + lvx::editor::BoxTextInset + QFontMetrics(line->font()).horizontalAdvance(u"Hello "_s);
        QVERIFY2(std::abs(am->x() - world) <= 4, qPrintable(QString::number(am->x() - world)));
        QCOMPARE(g->toolTip(), u"Click for Sound, Drag for Move or Right Mouse Button for Edit"_s);
        QCOMPARE(line->toolTip(), u"Right mouse button for insert chord at cursor position"_s);
        // A label the keys reached shows that it has the focus.
        focusBox(song, 1, 0);
        const QImage plain = g->grab().toImage();
        play(song, u"<aright>"_s);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(g));
        QVERIFY(g->grab().toImage() != plain);
    }

    // A click, or Space on a label the keys reached, sounds a chord; a name that
    // is no chord is refused, free text is silent.
    void clickSoundsTheChord_data()
    {
        QTest::addColumn<bool>("keys");
        QTest::addRow("clicks") << false;
        QTest::addRow("space on a focused label") << true;
    }
    void clickSoundsTheChord()
    {
        QFETCH(bool, keys);
        DesktopFixture fixture;
        frmSong* song = fixture.open("{title: Clicks}\n[C]la [Xyz]la ['Intro]\n"_ba);
        const auto sound = [&](int label) {
            if (!keys) {
                QTest::mouseClick(labelWidget(song, label), Qt::LeftButton, {}, QPoint(4, 4));
                return;
            }
            focusBox(song, 1, 0);
            play(song, u"<aright>"_s + QString(u"<tab>"_s).repeated(label - 1) + u"<space>"_s);
            // The label keeps the focus for the next key.
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(labelWidget(song, label)));
        };
        sound(1);
        QVERIFY(!fixture.noteOns().isEmpty());
        QVERIFY(!song->song().Modificada);
        sound(2);
        sound(3);
        QCOMPARE(fixture.messages.texts(), QStringList{u"Inválid Chord"_s});
    }

    // Shown as it sounds with the capo, the chord is moved as written.
    void dragMovesTheChord()
    {
        DesktopFixture fixture;
        fixture.desktop->app.soundingChords = true;
        frmSong* song = fixture.open("{title: Drag}\n{capo: 2}\n[G]Hello world\n"_ba);
        const double tpp = song->twipsPerPixel();
        QLabel* g = labelWidget(song, 1);
        QCOMPARE(g->text(), u"A"_s);
        const QPoint start(3, 4);
        // A move under 30 twips is still a click.
        QTest::mousePress(g, Qt::LeftButton, {}, start);
        QTest::mouseRelease(g, Qt::LeftButton, {}, start + QPoint(int(29 / tpp), 0));
        QVERIFY(!song->song().Modificada);

        const int world = QFontMetrics(box(song, 1)->font()).horizontalAdvance(u"Hello "_s);
        QTest::mousePress(g, Qt::LeftButton, {}, start);
        // The label stands 30 twips right of its character's left edge.
        QTest::mouseRelease(g, Qt::LeftButton, {}, start + QPoint(world - qRound(30 / tpp) - 1, 0));
        QCOMPARE(lineText(song, 2), u"Hello [G]world"_s);
        QVERIFY(song->song().Modificada);
        QVERIFY(song->song().LinesToString().contains(u"{capo: 2}\nHello [G]world\n"_s));
        QCOMPARE(labelWidget(song, 1)->text(), u"A"_s);
    }

    // The chord dialog from a right click on the label, or from Enter on a
    // label the keys reached (the focus then comes back to it, or to the line
    // when the chord is gone).
    void rightClickEditsTheChord_data()
    {
        QTest::addColumn<QString>("keys");   // none: the right click
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("focus");
        const QString enter = u"<aright><enter>"_s;
        const QStringList ok{u"Tone5"_s, u"Mode3"_s, u"cOK"_s};
        const QStringList cancel{u"Tone5"_s, u"cCancel"_s};
        QTest::addRow("OK stores the chord chosen") << QString() << ok << u"[G]Hello [Am]world [D]la"_s
                                                    << u"line 1: Hello world la @6"_s;
        QTest::addRow("Delete takes the chord away") << QString() << QStringList{u"cDelete"_s} << u"[G]Hello world [D]la"_s
                                                     << u"line 1: Hello world la @6"_s;
        QTest::addRow("Cancel cancels") << QString() << cancel << u"[G]Hello [C]world [D]la"_s << u"line 1: Hello world la @6"_s;
        QTest::addRow("enter, OK") << enter << ok << u"[G]Hello [Am]world [D]la"_s << u"chord Am over 'world'"_s;
        QTest::addRow("enter, Delete") << enter << QStringList{u"cDelete"_s} << u"[G]Hello world [D]la"_s
                                       << u"line 1: Hello world la @6"_s;
        QTest::addRow("enter, Cancel") << enter << cancel << u"[G]Hello [C]world [D]la"_s << u"chord C over 'world'"_s;
    }
    void rightClickEditsTheChord()
    {
        QFETCH(QString, keys);
        QFETCH(QStringList, clicks);
        QFETCH(QString, expected);
        QFETCH(QString, focus);
        DesktopFixture fixture;
        frmSong* song = fixture.open("[G]Hello [C]world [D]la\n"_ba);
        onNextModal([clicks](QWidget* dialog) {
            for (const QString& name : clicks)
                QTest::mouseClick(lvx::test::control(dialog, name), Qt::LeftButton);
        });
        if (keys.isEmpty()) {
            QTest::mouseClick(labelWidget(song, 2), Qt::RightButton, {}, QPoint(3, 3));
        } else {
            focusBox(song, 1, 3);
            play(song, keys);
        }
        settle(song);
        QCOMPARE(lineText(song, 1), expected);
        QCOMPARE(focusText(), focus);
        // Only a change marks the song changed.
        QCOMPARE(song->isWindowModified(), expected != u"[G]Hello [C]world [D]la"_s);
    }

    void directiveLinesGoAboveTheCurrentLine()
    {
        DesktopFixture fixture;
        frmSong* song = fixture.open("one\ntwo\n"_ba);
        focusBox(song, 2, 1);
        song->action(u"mnuISOC"_s)->trigger();
        QCOMPARE(song->song().lines.size(), 3);
        QCOMPARE(song->song().lines.at(1).kind, qint16(lvx::song::KindChorusStart));
        QCOMPARE(song->song().lines.at(1).text, u"Start of Chorus"_s);
        song->action(u"mnuEUndo"_s)->trigger();
        QCOMPARE(song->song().lines.size(), 2);
    }

    void transposeFromTheToolbar()
    {
        DesktopFixture fixture;
        frmSong* song = fixture.open("[G]one [Bb7/F]two\n"_ba);
        onNextModal([](QWidget* dialog) {
            dialog->findChild<QScrollBar*>(u"UpDown1"_s)->setValue(-2);
            QTest::mouseClick(dialog->findChild<QPushButton*>(u"bOK"_s), Qt::LeftButton);
        });
        QTest::mouseClick(fixture.main->findChild<QToolButton*>(u"bTranspose"_s), Qt::LeftButton);
        QCOMPARE(lineText(song, 1), u"[A]one [C7/G]two"_s);
        QCOMPARE(labelWidget(song, 2)->text(), u"C7/G"_s);
        song->action(u"mnuEUndo"_s)->trigger();
        QCOMPARE(lineText(song, 1), u"[G]one [Bb7/F]two"_s);
    }

    // Song Properties: Cancel changes nothing, OK is one step Undo takes back;
    // the facts show under the subtitle, and a song in F moves to Bb by its key.
    void propertiesAndKeyFromTheMenus()
    {
        DesktopFixture fixture;
        frmSong* song = fixture.open("{key: F}\n[F]one [C7]two\n"_ba);
        auto* facts = song->findChild<QLabel*>(u"lFacts"_s);
        QCOMPARE(std::pair(facts->isVisible(), facts->text()), std::pair(true, u"Key F"_s));
        const auto editArtist = [](const QString& button) {
            onNextModal([button](QWidget* dialog) {
                auto* table = dialog->findChild<QTableWidget*>(u"gProperties"_s);
                table->item(2, 1)->setText(table->item(2, 0)->text() == u"artist" ? u"Joe"_s : u"wrong row"_s);
                QTest::mouseClick(dialog->findChild<QPushButton*>(button), Qt::LeftButton);
            });
        };
        editArtist(u"bCancel"_s);
        song->action(u"mnuFProperties"_s)->trigger();
        QCOMPARE(std::pair(song->song().Modificada, song->song().metadata().size()), std::pair(false, qsizetype(1)));
        editArtist(u"bOK"_s);
        song->action(u"mnuFProperties"_s)->trigger();
        QVERIFY(song->song().Modificada);
        QCOMPARE(facts->text(), u"Joe \u00b7 Key F"_s);
        song->action(u"mnuEUndo"_s)->trigger();
        QCOMPARE(facts->text(), u"Key F"_s);

        onNextModal([](QWidget* dialog) {
            dialog->findChild<QComboBox*>(u"cToKey"_s)->setCurrentText(u"Bb"_s);
            QTest::mouseClick(dialog->findChild<QPushButton*>(u"bOK"_s), Qt::LeftButton);
        });
        song->action(u"mnuETranspose"_s)->trigger();
        QCOMPARE(lineText(song, 2), u"[Bb]one [F7]two"_s);
        QCOMPARE(facts->text(), u"Key Bb"_s);
    }
};

LIRAVOX_WIDGETS_TEST_MAIN(SongEditingTest)
#include "songediting_test.moc"
