#include "song/ui/frmnotepad.h"

#include "app/desktopcontext.h"
#include "base/messages.h"
#include "song/song.h"
#include "song/sourceconversions.h"

#include "../midi/fakemidisystem.h"
#include "widgetsmain.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>
#include <QToolButton>

using namespace lvx;
using namespace lvx::song;
using namespace Qt::StringLiterals;

namespace {

// A song with print settings of its own, and the editor open on it.
struct Editor
{
    RecordingMessages messages;
    DesktopContext desktop{messages, std::make_unique<FakeMidiSystem>()};
    Song song{desktop.context};
    std::unique_ptr<frmNotePad> dialog;

    explicit Editor(const QString& text)
    {
        song.StringToLinesRec(u"{left_margin:900}\n{chords_size:2}\n"_s + text);
        dialog = std::make_unique<frmNotePad>(desktop, song);
        dialog->show();
        // Shortcuts only reach the active window.
        QApplication::setActiveWindow(dialog.get());
        [[maybe_unused]] const bool active = QTest::qWaitForWindowActive(dialog.get());
    }

    QPlainTextEdit* box() const { return dialog->findChild<QPlainTextEdit*>(u"Texto"_s); }

    void select(int start, int length) const
    {
        QTextCursor cursor = box()->textCursor();
        cursor.setPosition(start);
        cursor.setPosition(start + length, QTextCursor::KeepAnchor);
        box()->setTextCursor(cursor);
    }

    // Runs a menu item, or clicks a button, found by its name.
    void run(const QString& name) const
    {
        if (auto* button = dialog->findChild<QToolButton*>(name))
            QTest::mouseClick(button, Qt::LeftButton);
        else if (auto* action = dialog->findChild<QAction*>(name))
            action->trigger();
        else
            QFAIL(qPrintable(u"no command "_s + name));
    }

    void close() const { QTest::mouseClick(dialog->findChild<QPushButton*>(u"bClose"_s), Qt::LeftButton); }
    bool undoAvailable() const { return dialog->findChild<QAction*>(u"mnuEUndo"_s)->isEnabled(); }
};

} // namespace

class NotePadTest final : public QObject
{
    Q_OBJECT

private slots:
    void opensOnTheSongWithoutPrintSettings()
    {
        Editor editor(u"{t:Song}\n[C]la\n"_s);
        QCOMPARE(editor.box()->toPlainText(), u"{t:Song}\n[C]la\n"_s);
        QCOMPARE(editor.box()->font().family(), u"Courier New"_s);
        QCOMPARE(editor.box()->lineWrapMode(), QPlainTextEdit::NoWrap);
        QVERIFY(!editor.undoAvailable());
        QVERIFY(!editor.dialog->findChild<QToolButton*>(u"bUndo"_s)->isEnabled());
    }

    void commandsChangeTheSong_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("expected");   // the song's source text after Close
        QTest::addRow("chord line merged by the button")
            << u"bMix"_s << u"G   D7\nHello world\nla"_s << 0 << 19 << u"[G]Hell[D7]o world\r\nla\r\n"_s;
        QTest::addRow("indent right moves the selected lines")
            << u"bIndentR"_s << u"a\nb\nc"_s << 2 << 4 << u"a\r\n     b\r\n     c\r\n"_s;
        QTest::addRow("title wraps the selection without its blanks")
            << u"bTitle"_s << u" My Song \n[C]la"_s << 0 << 9 << u"{t:My Song}\r\n[C]la\r\n"_s;
        QTest::addRow("comment italic is a comment kept as written")
            << u"mnuDCommentItalic"_s << u"la\nIntro"_s << 3 << 5 << u"la\r\n{ci:Intro}\r\n"_s;
        QTest::addRow("start of chorus stands on a line of its own")
            << u"bsoc"_s << u"la\nlo"_s << 3 << 0 << u"la\r\n{start_of_chorus}\r\nlo\r\n"_s;
        QTest::addRow("solfege chords become letters")
            << u"mnuCDoToC"_s << u"[Do]la [Sol7/Si]lo\n"_s << 0 << 0 << u"[C]la [G7/B]lo\r\n"_s;
        QTest::addRow("delete takes a line end as a whole")
            << u"mnuEDelete"_s << u"la\nlo"_s << 2 << 0 << u"lalo\r\n"_s;
        QTest::addRow("new page does nothing") << u"mnuDNewPage"_s << u"la"_s << 0 << 2 << u"la\r\n"_s;
    }
    void commandsChangeTheSong()
    {
        QFETCH(QString, command);
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, expected);
        Editor editor(text);
        editor.select(start, length);
        editor.run(command);
        editor.close();
        QCOMPARE(editor.dialog->result(), int(QDialog::Accepted));
        QCOMPARE(sourceText(editor.song), expected);
        QVERIFY(editor.song.Modificada);
        QCOMPARE(editor.song.MargenL, qint16(900));
        QCOMPARE(editor.song.ChordSize, qint16(2));
    }

    void indentKeepsTheBlockSelected()
    {
        Editor editor(u"a\nb\nc\n"_s);
        editor.select(2, 4);
        editor.run(u"bIndentR"_s);
        QCOMPARE(editor.box()->textCursor().selectedText(), u"     b\u2029     c\u2029"_s);
        editor.run(u"bIndentL"_s);
        QCOMPARE(editor.box()->toPlainText(), u"a\nb\nc\n"_s);
    }

    void undoWalksBackThroughTypingAndCommands()
    {
        Editor editor(u"a\nb\n"_s);
        editor.select(0, 4);
        editor.run(u"bIndentR"_s);
        QVERIFY(editor.undoAvailable());
        QTest::keyClicks(editor.box(), u"typed"_s);
        QTest::keyClick(editor.box(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(editor.box()->toPlainText(), u"     a\n     b\n"_s);
        QTest::keyClick(editor.box(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(editor.box()->toPlainText(), u"a\nb\n"_s);
        QVERIFY(!editor.undoAvailable());
        QVERIFY(!editor.dialog->findChild<QToolButton*>(u"bUndo"_s)->isEnabled());
        QTest::keyClick(editor.box(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(editor.box()->toPlainText(), u"     a\n     b\n"_s);
    }

    void filterAsksForTheCharacters_data()
    {
        QTest::addColumn<bool>("cancelled");
        QTest::addColumn<QString>("expected");
        QTest::addRow("chosen characters and tabs") << false << u"a        b        c"_s;
        QTest::addRow("cancel still filters tabs") << true << u"a-b        c"_s;
    }
    void filterAsksForTheCharacters()
    {
        QFETCH(bool, cancelled);
        QFETCH(QString, expected);
        Editor editor{QString()};
        // The reader expands tabs, so a tab only reaches the box by typing or pasting.
        editor.box()->setPlainText(u"a-b\tc"_s);
        editor.messages.scriptText(cancelled ? std::nullopt : std::optional(u"-"_s));
        editor.select(0, 5);
        editor.run(u"bFilter"_s);
        QCOMPARE(editor.box()->toPlainText(), expected);
        QCOMPARE(editor.messages.entries().size(), 1);
        QCOMPARE(editor.messages.entries()[0].text, u"Input Chars to Filter"_s);
        QCOMPARE(editor.messages.entries()[0].title, u"Filter"_s);
    }

    void doToCReportsWhatItCannotRead()
    {
        Editor editor(u"[Xy]la ['Intro]\n"_s);
        editor.run(u"mnuCDoToC"_s);
        QCOMPARE(editor.messages.texts(), QStringList{u"Invalid Chord: Xy"_s});
        QCOMPARE(editor.box()->toPlainText(), u"[Xy]la ['Intro]\n"_s);
    }

    void pasteBringsClipboardLinesAsLines()
    {
        Editor editor(u"la"_s);
        QGuiApplication::clipboard()->setText(u"x\r\ny\rz"_s);
        editor.select(2, 0);
        editor.run(u"bPaste"_s);
        editor.close();
        QCOMPARE(sourceText(editor.song), u"lax\r\ny\r\nz\r\n"_s);
    }

    void cancelLeavesTheSongAlone()
    {
        Editor editor(u"{t:Song}\n[C]la\n"_s);
        const QString before = editor.song.LinesToString();
        editor.select(0, 14);
        editor.run(u"bIndentR"_s);
        QTest::keyClicks(editor.box(), u"more"_s);
        QTest::mouseClick(editor.dialog->findChild<QPushButton*>(u"bCancel"_s), Qt::LeftButton);
        QCOMPARE(editor.dialog->result(), int(QDialog::Rejected));
        QCOMPARE(editor.song.LinesToString(), before);
        QVERIFY(!editor.song.Modificada);
        QVERIFY(editor.messages.entries().isEmpty());   // the button says what it does
    }

    void escapeAsksBeforeDiscarding_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("answer");   // -1: no question expected
        QTest::addColumn<bool>("open");
        QTest::addColumn<QString>("source");
        QTest::addRow("nothing changed: no question") << QString() << -1 << false << u"la\r\n"_s;
        QTest::addRow("No throws the changes away") << u"more"_s << int(Answer::No) << false << u"la\r\n"_s;
        QTest::addRow("Cancel keeps the editor open") << u"more"_s << int(Answer::Cancel) << true << u"la\r\n"_s;
        QTest::addRow("Yes puts them into the song") << u"more"_s << int(Answer::Yes) << false << u"morela\r\n"_s;
    }
    void escapeAsksBeforeDiscarding()
    {
        QFETCH(QString, typed);
        QFETCH(int, answer);
        QFETCH(bool, open);
        QFETCH(QString, source);
        Editor editor(u"la"_s);
        QTest::keyClicks(editor.box(), typed);
        if (answer >= 0)
            editor.messages.scriptAnswer(Answer(answer));
        QTest::keyClick(editor.box(), Qt::Key_Escape);
        QCOMPARE(editor.messages.entries().size(), answer >= 0 ? 1 : 0);
        QCOMPARE(editor.dialog->isVisible(), open);
        QCOMPARE(sourceText(editor.song), source);
        QCOMPARE(editor.song.Modificada, answer == int(Answer::Yes));
    }

    void captions()
    {
        Editor editor{QString()};
        const QList<std::pair<QString, QString>> items{
            {u"mnuEUndo"_s, u"&Undo"_s}, {u"mnuFIndentL"_s, u"Indet &Left"_s},
            {u"mnuCMix"_s, u"C&onvert 2 Crd Lines to 1 ChoPro Line"_s},
            {u"mnuDCommentItalic"_s, u"Comment &Italic Directive"_s}};
        for (const auto& [name, caption] : items)
            QCOMPARE(editor.dialog->findChild<QAction*>(name)->text(), caption);
        QCOMPARE(editor.dialog->findChild<QToolButton*>(u"bMix"_s)->toolTip(),
                 u"Convert two 'crd' lines into one 'chopro' lines"_s);
        QCOMPARE(editor.dialog->findChild<QPushButton*>(u"bClose"_s)->text(), u"Close"_s);
    }
};

LIRAVOX_WIDGETS_TEST_MAIN(NotePadTest)
#include "notepad_test.moc"
