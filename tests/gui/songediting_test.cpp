// A song window inside the frame, as a user works in it: typing key by key,
// the caret going from box to box, chords clicked, dragged and edited with the
// mouse, directive lines and transposition from the menus and the toolbar. The
// line records follow, and every chord keeps standing over its character.

#include "desktopfixture.h"
#include "widgetsmain.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTableWidget>
#include <QPushButton>
#include <QScrollBar>
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

// Keys as a script, sent where the focus is: plain characters are typed, <name>
// presses a key ("sright" extends the selection, "find" is Ctrl+F, "next" F3,
// "prev" Shift+F3); "tile", "cascade" (from the Window menu) and "max" arrange
// the song windows, "chords" clicks the find bar's Chords box.
void play(QWidget* target, const QString& script)
{
    static const QHash<QString, std::pair<Qt::Key, Qt::KeyboardModifiers>> keys = {
        {u"bs"_s, {Qt::Key_Backspace, {}}}, {u"del"_s, {Qt::Key_Delete, {}}}, {u"enter"_s, {Qt::Key_Return, {}}},
        {u"sright"_s, {Qt::Key_Right, Qt::ShiftModifier}},         {u"undo"_s, {Qt::Key_Z, Qt::ControlModifier}}, {u"redo"_s, {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier}},
        {u"cright"_s, {Qt::Key_Right, Qt::ControlModifier}},
        {u"tab"_s, {Qt::Key_Tab, {}}}, {u"esc"_s, {Qt::Key_Escape, {}}}, {u"find"_s, {Qt::Key_F, Qt::ControlModifier}},
        {u"next"_s, {Qt::Key_F3, {}}}, {u"prev"_s, {Qt::Key_F3, Qt::ShiftModifier}},
        {u"sreturn"_s, {Qt::Key_Return, Qt::ShiftModifier}}};
    auto* area = target->window()->findChild<QMdiArea*>();
    for (qsizetype i = 0; i < script.size(); ++i) {
        QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : target;
        if (script.at(i) != u'<') {
            QTest::keyClicks(focus, script.mid(i, 1));
            continue;
        }
        const qsizetype end = script.indexOf(u'>', i);
        const QString name = script.mid(i + 1, end - i - 1);
        i = end;
        auto* song = qobject_cast<frmSong*>(area->activeSubWindow()->widget());
        if (name == u"max" || name == u"tile") {
            area->activeSubWindow()->showMaximized();
            if (name == u"tile")
                song->action(u"mnuWTile"_s)->trigger();
        } else if (name == u"cascade") {
            song->action(u"mnuWCascade"_s)->trigger();
        } else if (name == u"chords") {
            QTest::mouseClick(song->findChild<QCheckBox*>(u"chkChords"_s), Qt::LeftButton);
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

        QTest::addRow("typing before a chord moves it along") << "He[G]llo\n"_ba << 1 << 1 << u"x"_s << u"Hxe[G]llo"_s;
        QTest::addRow("enter splits the chords with the text and typing goes on below")
            << "a[C]bc[D]de\n"_ba << 1 << 3 << u"<enter>x"_s << u"a[C]bc | x[D]de"_s;
        QTest::addRow("backspace at a line start joins it to the line above")
            << "a[C]b\n[D]cd\n"_ba << 2 << 0 << u"<bs>x"_s << u"a[C]bx[D]cd"_s;
        QTest::addRow("backspace on the line enter made under a directive removes only that line")
            << "{soc}\nab\n"_ba << 1 << 3 << u"<enter><bs>"_s << u"{21}Start of Chorus | ab"_s;
        QTest::addRow("backspace under a directive keeps both lines")
            << "{soc}\nab\n"_ba << 2 << 0 << u"<bs>x"_s << u"{21}Start of Chorus | ab"_s;
        QTest::addRow("undo brings back a joined line, redo joins it again")
            << "a[C]b\n[D]cd\n"_ba << 2 << 0 << u"<bs><undo><redo>"_s << u"a[C]b[D]cd"_s;
        QTest::addRow("tab takes the caret to the title") << "ab\ncd\n"_ba << 1 << 1 << u"<tab>x"_s << u"{t}x | ab | cd"_s;
        QTest::addRow("tab through the header comes back to the caret's line, selecting nothing")
            << "ab\ncd\n"_ba << 2 << 1 << u"<tab><tab><tab>x"_s << u"ab | cxd"_s;
        QTest::addRow("tile, cascade and maximize keep typing in the caret's line")
            << "{title: T}\nab\ncd\nef\n"_ba << 3 << 1 << u"<tile>x<cascade>y<max>z"_s << u"{t}T | ab | cd | exyzf"_s;
        QTest::addRow("a directive line takes no typing") << "{soc}\nab\n"_ba << 1 << 2 << u"xy<bs><del>"_s
                                                          << u"{21}Start of Chorus | ab"_s;
        QTest::addRow("del at the end of the song changes nothing") << "ab\n"_ba << 1 << 2 << u"<del>"_s << u"ab"_s;
        QTest::addRow("del takes the character after the caret") << "ab\n"_ba << 1 << 0 << u"<del>"_s << u"b"_s;
        QTest::addRow("ctrl with an arrow changes nothing") << "ab cd\n"_ba << 1 << 0 << u"<cright>"_s << u"ab cd"_s;
        QTest::addRow("a block's name takes typing") << "{soblk:A}\n{eoblk}\n"_ba << 1 << 1 << u"b"_s
                                                     << u"{8}Ab | {9}End of Block"_s;
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
        focusBox(window, slot, caret);
        play(box(window, slot), script);
        QCOMPARE(songText(window), expected);
        // Marked changed exactly when a key changed something there is to undo.
        QCOMPARE(window->isWindowModified(), window->undoEnabled());
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
    }

    void clickSoundsTheChord()
    {
        DesktopFixture fixture;
        frmSong* song = fixture.open("{title: Clicks}\n[C]la [Xyz]la ['Intro]\n"_ba);
        QTest::mouseClick(labelWidget(song, 1), Qt::LeftButton, {}, QPoint(4, 4));
        QVERIFY(!fixture.noteOns().isEmpty());
        QVERIFY(!song->song().Modificada);
        QTest::mouseClick(labelWidget(song, 2), Qt::LeftButton, {}, QPoint(4, 4));
        QTest::mouseClick(labelWidget(song, 3), Qt::LeftButton, {}, QPoint(4, 4));
        QCOMPARE(fixture.messages.texts(), QStringList{u"Inválid Chord"_s});
    }

    void dragMovesTheChord()
    {
        DesktopFixture fixture;
        frmSong* song = fixture.open("{title: Drag}\n[G]Hello world\n"_ba);
        const double tpp = song->twipsPerPixel();
        QLabel* g = labelWidget(song, 1);
        const QPoint start(3, 4);
        // A move under 30 twips is still a click.
        QTest::mousePress(g, Qt::LeftButton, {}, start);
        QTest::mouseRelease(g, Qt::LeftButton, {}, start + QPoint(int(29 / tpp), 0));
        QVERIFY(!song->song().Modificada);

        const int world = QFontMetrics(box(song, 1)->font()).horizontalAdvance(u"Hello "_s);
        QTest::mousePress(g, Qt::LeftButton, {}, start);
        // The label stands 30 twips right of its character's left edge.
        QTest::mouseRelease(g, Qt::LeftButton, {}, start + QPoint(world - qRound(30 / tpp) - 1, 0));
        QCOMPARE(lineText(song, 1), u"Hello [G]world"_s);
        QVERIFY(song->song().Modificada);
    }

    void rightClickEditsTheChord_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("expected");
        QTest::addRow("OK stores the chord chosen") << QStringList{u"Tone5"_s, u"Mode3"_s, u"cOK"_s}
                                                    << u"[G]Hello [Am]world"_s;
        QTest::addRow("Delete takes the chord away") << QStringList{u"cDelete"_s} << u"[G]Hello world"_s;
        QTest::addRow("Cancel cancels") << QStringList{u"Tone5"_s, u"cCancel"_s} << u"[G]Hello [C]world"_s;
    }
    void rightClickEditsTheChord()
    {
        QFETCH(QStringList, clicks);
        QFETCH(QString, expected);
        DesktopFixture fixture;
        frmSong* song = fixture.open("[G]Hello [C]world\n"_ba);
        onNextModal([clicks](QWidget* dialog) {
            for (const QString& name : clicks)
                QTest::mouseClick(lvx::test::control(dialog, name), Qt::LeftButton);
        });
        QTest::mouseClick(labelWidget(song, 2), Qt::RightButton, {}, QPoint(3, 3));
        QCOMPARE(lineText(song, 1), expected);
        // Only a change marks the song changed.
        QCOMPARE(song->isWindowModified(), expected != u"[G]Hello [C]world"_s);
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
