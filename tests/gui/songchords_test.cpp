// Chords with the mouse and the Edit and Insert menus, in a real song window
// inside the frame: clicks sound, drags move, right clicks edit; the clipboard,
// undo and directive lines go through the menus' own shortcuts.

#include "desktopfixture.h"
#include "widgetsmain.h"

#include "editor/ui/frmmenulinea.h"

#include <QAction>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>

using namespace Qt::StringLiterals;
using lvx::editor::frmSong;

namespace {

QWidget* labelWidget(frmSong* song, int number)
{
    return song->findChild<QWidget*>(u"L"_s + QString::number(number));
}

void focusBox(frmSong* song, int slot, int caret)
{
    auto* target = box(song, slot);
    target->setFocus();
    target->setCursorPosition(caret);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(target));
}

} // namespace

class SongChordsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void labelsStandOverTheirSyllables()
    {
        DesktopFixture fixture;
        frmSong* song = fixture.open("He[G]llo [Am7]world\n{soc}\n[C]la la\n{eoc}\n"_ba);
        QCOMPARE(song->LabelsUsed(), 3);
        QWidget* g = labelWidget(song, 1);
        QWidget* am = labelWidget(song, 2);
        QCOMPARE(static_cast<QLabel*>(g)->text(), u"G"_s);
        QCOMPARE(static_cast<QLabel*>(am)->text(), u"Am7"_s);
        auto* line = box(song, 1);
        // Above the lyric, in order, the second where "world" starts.
        QVERIFY(g->geometry().bottom() <= line->geometry().top() + line->height() / 3);
        QVERIFY(g->x() < am->x());
        const int world = line->x() + lvx::editor::BoxTextInset + QFontMetrics(line->font()).horizontalAdvance(u"Hello "_s);
        QVERIFY2(std::abs(am->x() - world) <= 4, qPrintable(QString::number(am->x() - world)));
        QCOMPARE(g->toolTip(), u"Click for Sound, Drag for Move or Right Mouse Button for Edit"_s);
        QCOMPARE(line->toolTip(), u"Right mouse button for insert chord at cursor position"_s);
        // Directive lines show their names and refuse typing.
        QCOMPARE(box(song, 2)->text(), u"Start of Chorus"_s);
        QVERIFY(box(song, 2)->isReadOnly());
    }

    void clickSoundsTheChord()
    {
        DesktopFixture fixture;
        frmSong* song = fixture.open("{title: Clicks}\n[C]la [Xyz]la ['Intro]\n"_ba);
        QTest::mouseClick(labelWidget(song, 1), Qt::LeftButton, {}, QPoint(4, 4));
        QVERIFY(!fixture.noteOns().isEmpty());
        QCOMPARE(fixture.messages.texts(), QStringList());
        QVERIFY(!song->song().Modificada);
        QCOMPARE(fixture.desktop->app.PlayingCount, 0);

        QTest::mouseClick(labelWidget(song, 2), Qt::LeftButton, {}, QPoint(4, 4));
        QCOMPARE(fixture.messages.texts(), QStringList{u"Inválid Chord"_s});
        fixture.messages.clear();
        QTest::mouseClick(labelWidget(song, 3), Qt::LeftButton, {}, QPoint(4, 4));
        QCOMPARE(fixture.messages.texts(), QStringList());
    }

    void dragMovesTheChord()
    {
        DesktopFixture fixture;
        frmSong* song = fixture.open("{title: Drag}\n[G]Hello world\n"_ba);
        const double tpp = song->twipsPerPixel();
        QWidget* g = labelWidget(song, 1);
        const QPoint start(3, 4);
        // A move under 30 twips is still a click.
        QTest::mousePress(g, Qt::LeftButton, {}, start);
        QTest::mouseRelease(g, Qt::LeftButton, {}, start + QPoint(int(29 / tpp), 0));
        QCOMPARE(song->song().lines.at(0).chords.at(0).position, qint16(0));
        QVERIFY(!song->song().Modificada);

        const int world = QFontMetrics(box(song, 1)->font()).horizontalAdvance(u"Hello "_s);
        QTest::mousePress(g, Qt::LeftButton, {}, start);
        // The label stands 30 twips right of its character's left edge.
        QTest::mouseRelease(g, Qt::LeftButton, {}, start + QPoint(world - qRound(30 / tpp) - 1, 0));
        QCOMPARE(lineText(song, 1), u"Hello [G]world"_s);
        QVERIFY(song->song().Modificada);

        // A right click in the middle of a drag belongs to the drag: no dialog opens.
        g = labelWidget(song, 1);
        QTest::mousePress(g, Qt::LeftButton, {}, start);
        QTest::mousePress(g, Qt::RightButton, Qt::NoModifier, start);
        QTest::mouseRelease(g, Qt::RightButton, {}, start);
        QVERIFY(!QApplication::activeModalWidget());
        QTest::mouseRelease(g, Qt::LeftButton, {}, start);
        QCOMPARE(lineText(song, 1), u"Hello [G]world"_s);

        // Past the end the lyric grows by the blanks the chord needs.
        g = labelWidget(song, 1);
        QTest::mousePress(g, Qt::LeftButton, {}, start);
        QTest::mouseRelease(g, Qt::LeftButton, {}, start + QPoint(world * 3, 0));
        const auto& line = song->song().lines.at(0);
        QVERIFY(line.chords.at(0).position > 11);
        QCOMPARE(line.text.size(), qsizetype(line.chords.at(0).position));
        QVERIFY(line.text.startsWith(u"Hello world "_s));
    }

    void rightClickEditsOrDeletesTheChord()
    {
        DesktopFixture fixture;
        frmSong* song = fixture.open("[G]Hello [C]world\n"_ba);
        onNextModal([](QWidget* dialog) {
            QTest::mouseClick(dialog->findChild<QWidget*>(u"Tone5"_s), Qt::LeftButton);
            QTest::mouseClick(dialog->findChild<QWidget*>(u"Mode3"_s), Qt::LeftButton);
            QTest::mouseClick(dialog->findChild<QPushButton*>(u"cOK"_s), Qt::LeftButton);
        });
        QTest::mouseClick(labelWidget(song, 2), Qt::RightButton, {}, QPoint(3, 3));
        QCOMPARE(lineText(song, 1), u"[G]Hello [Am]world"_s);
        QCOMPARE(static_cast<QLabel*>(labelWidget(song, 2))->text(), u"Am"_s);

        onNextModal([](QWidget* dialog) { QTest::mouseClick(dialog->findChild<QPushButton*>(u"cDelete"_s), Qt::LeftButton); });
        QTest::mouseClick(labelWidget(song, 1), Qt::RightButton, {}, QPoint(3, 3));
        QCOMPARE(lineText(song, 1), u"Hello [Am]world"_s);

        onNextModal([](QWidget* dialog) { QTest::mouseClick(dialog->findChild<QPushButton*>(u"cCancel"_s), Qt::LeftButton); });
        QTest::mouseClick(labelWidget(song, 1), Qt::RightButton, {}, QPoint(3, 3));
        QCOMPARE(lineText(song, 1), u"Hello [Am]world"_s);
    }

    void lineMenuInsertsARecentChord()
    {
        DesktopFixture fixture;
        frmSong* song = fixture.open("[G]one [D]two\nthree\n"_ba);
        QStringList recent;
        for (int i = 1; i <= 20; ++i)
            recent.append(u"C"_s + QString::number(i % 10) + (i > 10 ? u"/E"_s : QString()));
        song->song().LastChords = recent;
        // The chord goes where the right click points, not where the caret was.
        focusBox(song, 2, 0);
        const int th = lvx::editor::BoxTextInset + QFontMetrics(box(song, 2)->font()).horizontalAdvance(u"th"_s);
        QTest::mouseClick(box(song, 2), Qt::RightButton, {}, QPoint(th + 1, 5));
        auto* menu = song->findChild<lvx::editor::frmMenuLinea*>();
        QVERIFY(menu && menu->isVisible());
        QCOMPARE(menu->LabelCount(), 15);
        auto* first = menu->findChild<QToolButton*>(u"Label1"_s);
        QCOMPARE(first->text(), u"C0/E"_s);
        QCOMPARE(menu->findChild<QToolButton*>(u"Label15"_s)->text(), u"C6"_s);
        QTest::mouseClick(first, Qt::LeftButton);
        QTRY_COMPARE(lineText(song, 2), u"th[C0/E]ree"_s);
        QCOMPARE(song->song().LastChords.constLast(), u"C0/E"_s);

        // Dismissing the menu inserts nothing.
        QTest::mouseClick(box(song, 2), Qt::RightButton, {}, QPoint(5, 5));
        QVERIFY(menu->isVisible());
        menu->hide();
        focusBox(song, 2, 0);
        QApplication::processEvents();
        QCOMPARE(lineText(song, 2), u"th[C0/E]ree"_s);
    }

    void clipboardKeepsChordsWithTheirCharacters()
    {
        DesktopFixture fixture;
        frmSong* song = fixture.open("ab[C]cdef[D]gh[E]ij\n[F]xyz\n"_ba);
        auto* first = box(song, 1);
        focusBox(song, 1, 4);
        first->setSelection(4, 3);
        QTest::keyClick(first, Qt::Key_C, Qt::ControlModifier);
        focusBox(song, 2, 0);
        QTest::keyClick(box(song, 2), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(lineText(song, 2), u"ef[D]g[F]xyz"_s);
        // The pasted part keeps its chord at its character, the old chord moves along.
        const auto& pasted = song->song().lines.at(1);
        QCOMPARE(pasted.text, u"efgxyz"_s);
        QCOMPARE(pasted.chords.size(), 2);
        QCOMPARE(pasted.chords.at(0).name, u"D"_s);
        QCOMPARE(pasted.chords.at(0).position, qint16(2));
        QCOMPARE(pasted.chords.at(1).name, u"F"_s);
        QCOMPARE(pasted.chords.at(1).position, qint16(3));

        // Undo goes back to before the paste, and no further.
        QVERIFY(song->undoEnabled());
        QTest::keyClick(box(song, 2), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(lineText(song, 2), u"[F]xyz"_s);
        QVERIFY(!song->undoEnabled());
        QTest::keyClick(box(song, 2), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(lineText(song, 2), u"[F]xyz"_s);

        // Cut takes the characters with the chords on them.
        focusBox(song, 1, 2);
        first->setSelection(2, 3);
        QTest::keyClick(first, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(lineText(song, 1), u"abf[D]gh[E]ij"_s);
        QCOMPARE(fixture.desktop->ClipLine.text, u"cde"_s);
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
        QVERIFY(song->undoEnabled());

        // A column break is undone on its own; the chorus goes with the next undo.
        focusBox(song, 1, 0);
        song->action(u"mnuIColumnBreak"_s)->trigger();
        QCOMPARE(song->song().lines.at(0).kind, qint16(lvx::song::KindColumnBreak));
        song->action(u"mnuEUndo"_s)->trigger();
        QCOMPARE(song->song().lines.size(), 3);
        song->action(u"mnuEUndo"_s)->trigger();
        QCOMPARE(song->song().lines.size(), 2);

        // The toolbar reaches the window's commands by name.
        focusBox(song, 1, 0);
        QTest::mouseClick(fixture.main->findChild<QToolButton*>(u"bComment"_s), Qt::LeftButton);
        QCOMPARE(song->song().lines.at(0).kind, qint16(lvx::song::KindComment));
        QCOMPARE(song->song().lines.at(0).text, u"(comment)"_s);
    }

    void deleteLineAndTheTitle()
    {
        DesktopFixture fixture;
        frmSong* song = fixture.open("{title: Song}\none\ntwo\n"_ba);
        focusBox(song, 1, 0);
        QTest::keyClick(box(song, 1), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(song->song().lines.size(), 1);
        QCOMPARE(song->song().lines.at(0).text, u"two"_s);

        auto* title = song->findChild<QLineEdit*>(u"tTitle"_s);
        QTest::mouseClick(title, Qt::LeftButton, {}, QPoint(title->width() / 2, 5));
        QTRY_VERIFY(!song->EditingBody());
        title->setCursorPosition(0);
        QTest::keyClick(title, Qt::Key_Delete);
        QCOMPARE(song->song().title, u"ong"_s);
        QTest::keyClick(title, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(song->song().title, QString());
        QCOMPARE(song->song().lines.size(), 1);
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
        QCOMPARE(static_cast<QLabel*>(labelWidget(song, 2))->text(), u"C7/G"_s);
        QVERIFY(song->song().Modificada);
        song->action(u"mnuEUndo"_s)->trigger();
        QCOMPARE(lineText(song, 1), u"[G]one [Bb7/F]two"_s);
    }
};

LIRAVOX_WIDGETS_TEST_MAIN(SongChordsTest)
#include "songchords_test.moc"
