#include "testmain.h"

#include "editor/undohistory.h"

using namespace lvx::editor;
using namespace Qt::StringLiterals;

namespace {

SongState titled(const QString& title)
{
    SongState state;
    state.title = title;
    return state;
}

// Keystrokes into one text, 10 ms apart: "i3:a_b" types "a b" from offset 3,
// "b5:2" presses BackSpace twice at offset 5, "d1:2" Delete twice at offset 1,
// "p1500" waits 1.5 s. Returns the text typed.
QString typeScript(UndoHistory& history, QString text, const QString& script)
{
    qint64 now = 0;
    for (const QString& step : script.split(u' ')) {
        const QChar what = step.at(0);
        const qsizetype colon = step.indexOf(u':');
        int at = step.mid(1, colon - 1).toInt();
        const QString rest = step.mid(colon + 1).replace(u'_', u' ');
        if (what == u'p') {
            now += at;
            continue;
        }
        const int count = what == u'i' ? int(rest.size()) : rest.toInt();
        for (int k = 0; k < count; ++k) {
            TextEdit edit{TitleBox, at, 1, QString()};
            if (what == u'i')
                edit = TextEdit{TitleBox, at, 0, rest.mid(k, 1)};
            else if (what == u'b')
                edit.position = --at;
            history.recordTyping(edit, now += 10, [&] { return titled(text); });
            text.replace(edit.position, edit.removed, edit.inserted);
            if (what == u'i')
                ++at;
        }
    }
    return text;
}

} // namespace

class UndoHistoryTest : public QObject
{
    Q_OBJECT

private slots:
    void typingGoesBackInSteps_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("undone");   // the text after each undo in turn
        QTest::addRow("each word is a step") << u""_s << u"i0:hello_world"_s << u"hello  | "_s;
        QTest::addRow("a pause ends a step") << u""_s << u"i0:abc p1500 i3:def"_s << u"abc | "_s;
        QTest::addRow("a run of BackSpace is one step") << u"abcdef"_s << u"b6:3"_s << u"abcdef"_s;
        QTest::addRow("typing elsewhere in the text is a new step") << u""_s << u"i0:ab i0:x"_s << u"ab | "_s;
        QTest::addRow("typing after deleting is a new step") << u""_s << u"i0:abc b3:1 i2:d"_s << u"ab | abc | "_s;
    }
    void typingGoesBackInSteps()
    {
        QFETCH(QString, start);
        QFETCH(QString, script);
        QFETCH(QString, undone);
        UndoHistory history;
        QString text = typeScript(history, start, script);
        QStringList texts;
        while (const auto state = history.undo(titled(text)))
            texts.append(text = state->title);
        QCOMPARE(texts.join(u" | "_s), undone);
    }

    void redoWalksForwardUntilTheNextChange()
    {
        UndoHistory history;
        for (int i = 0; i < UndoHistory::Limit + 50; ++i)
            history.record(titled(QString::number(i)));
        QString current = u"now"_s;
        int steps = 0;
        while (const auto state = history.undo(titled(current))) {
            current = state->title;
            ++steps;
        }
        // The oldest steps gave way; the newest stay.
        QCOMPARE(steps, UndoHistory::Limit);
        QCOMPARE(current, QString::number(50));
        QCOMPARE(history.redo(titled(current))->title, u"51"_s);
        QCOMPARE(history.redo(titled(u"51"_s))->title, u"52"_s);
        history.record(titled(u"52"_s));
        QVERIFY(!history.canRedo());
        QCOMPARE(history.undo(titled(u"edited"_s))->title, u"52"_s);
        QCOMPARE(history.redo(titled(u"52"_s))->title, u"edited"_s);
    }
};

LIRAVOX_TEST_MAIN(UndoHistoryTest)
#include "undohistory_test.moc"
