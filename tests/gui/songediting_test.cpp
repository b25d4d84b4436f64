// A song window inside the frame, as a user works in it: typing key by key,
// the caret going from box to box, chords clicked, dragged and edited with the
// mouse, directive lines and transposition from the menus and the toolbar. The
// line records follow, and every chord keeps standing over its character.

#include "desktopfixture.h"
#include "widgetsmain.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QTableWidget>
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

// Keys as a script, sent where the focus is: plain characters are typed, <name>
// presses a key ("sright" extends the selection); "tile", "cascade" and "max"
// arrange the song windows; "pause" waits on the undo history's clock.
void play(QWidget* target, const QString& script)
{
    static const QHash<QString, std::pair<Qt::Key, Qt::KeyboardModifiers>> keys = {
        {u"bs"_s, {Qt::Key_Backspace, {}}}, {u"del"_s, {Qt::Key_Delete, {}}}, {u"enter"_s, {Qt::Key_Return, {}}},
        {u"sright"_s, {Qt::Key_Right, Qt::ShiftModifier}},         {u"undo"_s, {Qt::Key_Z, Qt::ControlModifier}}, {u"redo"_s, {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier}},
        {u"cright"_s, {Qt::Key_Right, Qt::ControlModifier}},
        {u"left"_s, {Qt::Key_Left, {}}}, {u"right"_s, {Qt::Key_Right, {}}}, {u"shift"_s, {Qt::Key_Shift, {}}},
        {u"tab"_s, {Qt::Key_Tab, {}}}};
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
        if (name == u"max" || name == u"tile") {
            area->activeSubWindow()->showMaximized();
            if (name == u"tile")
                area->tileSubWindows();
        } else if (name == u"cascade") {
            area->cascadeSubWindows();
        } else if (name == u"pause") {
            lvx::editor::UndoHistory& history = qobject_cast<frmSong*>(focus->parentWidget())->undoHistory();
            const qint64 later = history.now() + lvx::editor::UndoHistory::PauseMsecs + 1;
            history.setClock([later] { return later; });
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
        QTest::addRow("three words typed with pauses go back in three undos")
            << "x\n"_ba << 1 << 1 << u" aaa<pause> bbb<pause> ccc<undo><undo><undo>"_s << u"x"_s;
        QTest::addRow("an undo takes back a word with its blank, capitals and all")
            << "x\n"_ba << 1 << 1 << u" aaa<pause> bbb <shift>Mc<shift>Coy <undo>"_s << u"x aaa bbb "_s;
        QTest::addRow("an arrow key ends a step") << "x\n"_ba << 1 << 1 << u"ab<left><right>cd<undo>"_s << u"xab"_s;
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
        window->undoHistory().setClock([] { return qint64(0); });
        focusBox(window, slot, caret);
        play(box(window, slot), script);
        QCOMPARE(songText(window), expected);
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
        QVERIFY(song->song().LinesToString().contains(u"{capo: 2}\r\nHello [G]world\r\n"_s));
        QCOMPARE(labelWidget(song, 1)->text(), u"A"_s);
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
