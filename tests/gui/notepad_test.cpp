// The ChordPro source editor over a song: its commands, and what Close, Cancel
// and Escape do with the changes.

#include "song/ui/frmnotepad.h"
#include "song/sourceconversions.h"

#include "desktopfixture.h"
#include "widgetsmain.h"

#include <QAction>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QPushButton>
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
        else
            dialog->findChild<QAction*>(name)->trigger();
    }

    void click(const QString& name) const { QTest::mouseClick(dialog->findChild<QPushButton*>(name), Qt::LeftButton); }
};

} // namespace

class NotePadTest final : public QObject
{
    Q_OBJECT

private slots:
    void commandsChangeTheSong_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("expected");   // the song's source text after Close
        QTest::addRow("chord line merged by the button")
            << u"bMix"_s << u"G   D7\nHello world\nla"_s << 0 << 19 << u"[G]Hell[D7]o world\r\nla\r\n"_s;
        QTest::addRow("title wraps the selection without its blanks")
            << u"bTitle"_s << u" My Song \n[C]la"_s << 0 << 9 << u"{t:My Song}\r\n[C]la\r\n"_s;
        QTest::addRow("comment italic is a comment kept as written")
            << u"mnuDCommentItalic"_s << u"la\nIntro"_s << 3 << 5 << u"la\r\n{ci:Intro}\r\n"_s;
        QTest::addRow("start of chorus stands on a line of its own")
            << u"bsoc"_s << u"la\nlo"_s << 3 << 0 << u"la\r\n{start_of_chorus}\r\nlo\r\n"_s;
        QTest::addRow("solfege chords become letters")
            << u"mnuCDoToC"_s << u"[Do]la [Sol7/Si]lo\n"_s << 0 << 0 << u"[C]la [G7/B]lo\r\n"_s;
        QTest::addRow("paste brings clipboard lines as lines") << u"bPaste"_s << u"la"_s << 2 << 0
                                                               << u"lax\r\ny\r\nz\r\n"_s;
    }
    void commandsChangeTheSong()
    {
        QFETCH(QString, command);
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, length);
        Editor editor(text);
        QGuiApplication::clipboard()->setText(u"x\r\ny\rz"_s);
        editor.select(start, length);
        editor.run(command);
        editor.click(u"bClose"_s);
        QCOMPARE(editor.dialog->result(), int(QDialog::Accepted));
        QTEST(sourceText(editor.song), "expected");
        QVERIFY(editor.song.Modificada);
        QCOMPARE(editor.song.MargenL, qint16(900));
        QCOMPARE(editor.song.ChordSize, qint16(2));
    }

    void cancelLeavesTheSongAlone()
    {
        Editor editor(u"{t:Song}\n[C]la\n"_s);
        const QString before = editor.song.LinesToString();
        editor.select(0, 14);
        editor.run(u"bIndentR"_s);
        QTest::keyClicks(editor.box(), u"more"_s);
        editor.click(u"bCancel"_s);
        QCOMPARE(editor.song.LinesToString(), before);
        QVERIFY(!editor.song.Modificada);
        QVERIFY(editor.messages.entries().isEmpty());   // the button says what it does
    }

    void escapeAsksBeforeDiscarding_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("open");
        QTest::addColumn<QString>("source");
        QTest::addRow("No throws the changes away") << int(Answer::No) << false << u"la\r\n"_s;
        QTest::addRow("Cancel keeps the editor open") << int(Answer::Cancel) << true << u"la\r\n"_s;
        QTest::addRow("Yes puts them into the song") << int(Answer::Yes) << false << u"morela\r\n"_s;
    }
    void escapeAsksBeforeDiscarding()
    {
        QFETCH(int, answer);
        Editor editor(u"la"_s);
        QTest::keyClicks(editor.box(), u"more"_s);
        editor.messages.scriptAnswer(Answer(answer));
        QTest::keyClick(editor.box(), Qt::Key_Escape);
        QCOMPARE(editor.messages.entries().size(), 1);
        QTEST(editor.dialog->isVisible(), "open");
        QTEST(sourceText(editor.song), "source");
        QCOMPARE(editor.song.Modificada, answer == int(Answer::Yes));
    }
};

LIRAVOX_WIDGETS_TEST_MAIN(NotePadTest)
#include "notepad_test.moc"
