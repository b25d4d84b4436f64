// Typing in a song window, key by key, as a user does: the line records follow
// and every chord keeps standing over its character.

#include "desktopfixture.h"
#include "widgetsmain.h"

using namespace Qt::StringLiterals;
using lvx::editor::frmSong;

namespace {

// Keys as a script: plain characters are typed; "<bs>", "<del>", "<enter>",
// "<left>", "<right>", "<sright>" (extend the selection), "<up>", "<down>" press keys.
void play(QWidget* target, const QString& script)
{
    static const QHash<QString, std::pair<Qt::Key, Qt::KeyboardModifiers>> keys = {
        {u"bs"_s, {Qt::Key_Backspace, {}}}, {u"del"_s, {Qt::Key_Delete, {}}},
        {u"enter"_s, {Qt::Key_Return, {}}}, {u"left"_s, {Qt::Key_Left, {}}},
        {u"right"_s, {Qt::Key_Right, {}}},  {u"sright"_s, {Qt::Key_Right, Qt::ShiftModifier}},
        {u"up"_s, {Qt::Key_Up, {}}},        {u"down"_s, {Qt::Key_Down, {}}},
    };
    for (qsizetype i = 0; i < script.size(); ++i) {
        if (script.at(i) == u'<') {
            const qsizetype end = script.indexOf(u'>', i);
            const auto [key, modifiers] = keys.value(script.mid(i + 1, end - i - 1));
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : target, key, modifiers);
            i = end;
        } else {
            QTest::keyClicks(QApplication::focusWidget() ? QApplication::focusWidget() : target, script.mid(i, 1));
        }
    }
}

QString songText(const frmSong* song)
{
    QStringList lines;
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
        QTest::addRow("backspace under a directive line removes that line")
            << "{soc}\nab\n"_ba << 2 << 0 << u"<bs>"_s << u"ab"_s;
        QTest::addRow("a directive line takes no typing") << "{soc}\nab\n"_ba << 1 << 2 << u"xy<bs>"_s
                                                          << u"{21}Start of Chorus | ab"_s;
        QTest::addRow("an end of block loses no letters to backspace or delete")
            << "{soblk:A}\n{eoblk}\n"_ba << 2 << 3 << u"<bs><del>"_s << u"{8}A | {9}End of Block"_s;
        // The caret stays where the box that gets it had it.
        QTest::addRow("typing over a selection keeps chords over their characters")
            << "a[C]bc[D]de\n"_ba << 1 << 1 << u"<sright><sright>x"_s << u"a[C]x[D]de"_s;
        QTest::addRow("down then typing goes to the next line") << "ab\ncd\n"_ba << 1 << 0 << u"<down>x"_s
                                                                << u"ab | cdx"_s;
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
