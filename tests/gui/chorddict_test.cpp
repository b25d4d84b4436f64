// The chord windows of the Tools menu: a chord dictionary's list and the
// fretboard editor it opens, the chord types table with its editor, and the
// piano chord search.

#include "desktopfixture.h"
#include "widgetsmain.h"
#include "musicfixtures.h"

#include "music/ui/fretboardview.h"
#include "music/ui/frmchordlist.h"
#include "music/ui/frmmodes.h"
#include "music/ui/frmpiano.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>

using namespace lvx;
using namespace lvx::music;
using namespace Qt::StringLiterals;
using lvx::test::control;
using lvx::test::fingering;

namespace {

const QList<GuitarChordDef> FiveChords{fingering(u"C"_s, {-1, 3, 2, 0, 1, 0}), fingering(u"D"_s, {-1, -1, 0, 2, 3, 2}),
                                       fingering(u"E"_s, {0, 2, 2, 1, 0, 0}), fingering(u"F"_s, {1, 3, 3, 2, 1, 1}),
                                       fingering(u"G"_s, {3, 2, 0, 0, 0, 3})};

void click(QWidget* window, const QString& name, QPoint at = {})
{
    QTest::mouseClick(control(window, name), Qt::LeftButton, {}, at.isNull() ? control(window, name)->rect().center() : at);
}

// Steps as a user takes them in "Custom Guitar Chord": "T5" clicks tone label 5,
// "M:m" types a chord type, "P6" clicks the dot of string 6, "F4,3" clicks the
// fretboard on string 4 in row 3, "H3" moves the base fret to 3, and any other
// word clicks the button of that name.
void editFingering(QWidget* editor, const QString& steps)
{
    for (const QString& step : steps.split(u' ', Qt::SkipEmptyParts)) {
        const QStringList place = step.mid(1).split(u',');
        if (step.startsWith(u"M:")) {
            control<QLineEdit>(editor, u"tMode"_s)->selectAll();
            QTest::keyClicks(control(editor, u"tMode"_s), step.mid(2));
        } else if (step.size() == 2 && (step[0] == u'T' || step[0] == u'P')) {
            click(editor, (step[0] == u'T' ? u"Tone"_s : u"Punto"_s) + step.mid(1));
        } else if (step[0] == u'F' && place.size() == 2) {
            click(editor, u"Fondo"_s, QPoint((place.at(0).toInt() - 1) * FretboardView::StringSpacing + 3,
                                             (place.at(1).toInt() - 1) * FretboardView::FretSpacing + 3));
        } else if (step[0] == u'H') {
            control<QScrollBar>(editor, u"HS"_s)->setValue(step.mid(1).toInt());
        } else {
            click(editor, step);
        }
    }
}

// The lines of a window's list, the selected one starred.
QStringList listed(QWidget* window)
{
    QStringList lines;
    auto* list = control<QListWidget>(window, u"Lista"_s);
    for (int row = 0; row < list->count(); ++row)
        lines.append(list->item(row)->text() + (list->item(row)->isSelected() ? u"*"_s : u""_s));
    return lines;
}

// The desktop over four chord types and a song of five shapes, with one window of it shown.
struct ChordFixture : DesktopFixture
{
    song::Song owner{desktop->context};
    std::unique_ptr<QWidget> window;

    ChordFixture()
    {
        auto& types = desktop->music.chordTypes;
        types.clear();
        types.add(test::chordType(u"maj"_s, {0, 4, 7}, {}, u"major"_s));
        types.add(test::chordType(u"m"_s, {0, 3, 7}, {}, u"minor"_s));
        types.add(test::chordType(u"7"_s, {0, 4, 7, 10}, {}, u"seventh"_s));
        types.add(test::chordType(u"m7"_s, {0, 3, 7, 10}, {u"min7"_s}, u"minor seventh"_s));
        owner.chordDefs = FiveChords;
    }

    template <typename Window, typename... Args>
    QWidget* show(Args... args)
    {
        window = std::make_unique<Window>(*desktop, args...);
        window->show();
        clearMidi();
        messages.clear();
        return window.get();
    }

    void select(int row) const { control<QListWidget>(window.get(), u"Lista"_s)->setCurrentRow(row); }

    // The chord types, each with its intervals.
    QStringList types() const
    {
        QStringList lines;
        for (qsizetype index = 0; index < desktop->music.chordTypes.size(); ++index) {
            const Modos& mode = *desktop->music.chordTypes.at(index);
            QStringList steps;
            for (int slot = 0; slot < mode.GetNumInv(); ++slot)
                steps.append(QString::number(mode.GetInv(slot)));
            lines.append(mode.Descripcion + u'(' + mode.Nombre + u") "_s + steps.join(u','));
        }
        return lines;
    }
};

const QStringList FourTypes{u"major(maj) 0,4,7"_s, u"minor(m) 0,3,7"_s, u"seventh(7) 0,4,7,10"_s,
                            u"minor seventh(m7) 0,3,7,10"_s};

void clickKey(QWidget* piano, int key)
{
    QWidget* button = control(piano, u"Tecla"_s + QString::number(key));
    // Low on the key: a white key's top half lies partly under the black keys.
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(button->width() / 2, button->height() - 8));
}

} // namespace

class ChordDictionaryTest final : public QObject
{
    Q_OBJECT

private slots:
    void listEditsThroughTheFretboard_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("steps");   // in the fretboard editor, if one opens
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QStringList>("notes");
        QTest::addRow("a new entry goes after the selected one, its notes sounding as they are set")
            << u"bNew"_s << 1 << u"T5 M:m P6 F4,3 F3,3 F2,2 bClose"_s
            << QStringList{u"C"_s, u"D"_s, u"Am*"_s, u"E"_s, u"F"_s, u"G"_s} << QStringList{u"52"_s, u"57"_s, u"60"_s};
        QTest::addRow("Cancel inserts nothing") << u"bNew"_s << 0 << u"F1,5 bCancel"_s
                                                << QStringList{u"C*"_s, u"D"_s, u"E"_s, u"F"_s, u"G"_s} << QStringList{u"68"_s};
        QTest::addRow("moving a shape up the neck renames nothing") << u"bEdit"_s << 1 << u"H2 bClose"_s
            << QStringList{u"C"_s, u"D*"_s, u"E"_s, u"F"_s, u"G"_s} << QStringList{};
        QTest::addRow("delete removes the selected entry at once") << u"bDelete"_s << 1 << QString()
            << QStringList{u"C"_s, u"E*"_s, u"F"_s, u"G"_s} << QStringList{};
        QTest::addRow("play sounds the entry's own shape, lowest string first") << u"bPlay"_s << 0 << QString()
            << QStringList{u"C*"_s, u"D"_s, u"E"_s, u"F"_s, u"G"_s}
            << QStringList{u"48"_s, u"52"_s, u"55"_s, u"60"_s, u"64"_s};
    }
    void listEditsThroughTheFretboard()
    {
        QFETCH(QString, button);
        QFETCH(int, row);
        QFETCH(QString, steps);
        QFETCH(QStringList, listed);
        ChordFixture fixture;
        QWidget* list = fixture.show<frmChordList>(std::ref(fixture.owner), u"Song Custom Guitar Chord Dictionary"_s);
        fixture.select(row);
        if (!steps.isEmpty())
            onNextModal([steps](QWidget* editor) { editFingering(editor, steps); });
        click(list, button);
        QTEST(fixture.noteOns(), "notes");
        QCOMPARE(::listed(list), listed);
        QStringList stored;
        for (const GuitarChordDef& def : std::as_const(fixture.owner.chordDefs))
            stored.append(def.name);
        QCOMPARE(stored, listed.replaceInStrings(u"*"_s, QString()));
        QCOMPARE(fixture.owner.chordDefs.value(1).baseFret, qint16(steps.startsWith(u"H2") ? 2 : 0));
        QCOMPARE(fixture.owner.Modificada, button != u"bPlay" && !steps.contains(u"Cancel"));
        QVERIFY(fixture.messages.texts().isEmpty());
    }

    void chordTypesEditor_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("main");   // empty: Cancel; <escape>: Escape after the changes
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("types");
        QStringList inserted = FourTypes;
        inserted.insert(2, u"changed(sus4) 0,5,7"_s);
        QStringList ninth = FourTypes;
        ninth[3] = u"changed(m7) 0,3,7,10,14"_s;
        QTest::addRow("a new type lands after the selected one") << u"bNew"_s << u"  sus4 "_s << QStringList{} << inserted;
        QTest::addRow("a new type under a key in another case is refused")
            << u"bNew"_s << u"M7"_s << QStringList{u"Main Alias Duplicate, try again"_s} << FourTypes;
        QTest::addRow("Cancel cancels") << u"bNew"_s << QString() << QStringList{} << FourTypes;
        QTest::addRow("editing adds the ninth") << u"bEdit"_s << u"m7"_s << QStringList{} << ninth;
        QTest::addRow("Escape cancels the editing") << u"bEdit"_s << u"<escape>"_s << QStringList{} << FourTypes;
    }
    void chordTypesEditor()
    {
        QFETCH(QString, button);
        QFETCH(QString, main);
        ChordFixture fixture;
        QWidget* window = fixture.show<frmModes>();
        QCOMPARE(listed(window).constLast(), u"minor seventh-(m7)"_s);
        fixture.select(button == u"bNew" ? 1 : 3);
        onNextModal([&](QWidget* editor) {
            QCOMPARE(control<QLineEdit>(editor, u"Main"_s)->text(), button == u"bNew" ? QString() : u"m7"_s);
            if (!main.isEmpty()) {
                control<QLineEdit>(editor, u"Main"_s)->setText(main);
                control<QLineEdit>(editor, u"Desc"_s)->setText(u"changed"_s);
                for (const int semitone : button == u"bNew" ? QList<int>{0, 5, 7} : QList<int>{14})
                    click(editor, u"Inv"_s + QString::number(semitone));
                if (main == u"<escape>")
                    QTest::keyClick(editor, Qt::Key_Escape);
                else
                    click(editor, u"bClose"_s);
            }
            // A refused entry leaves the editor open.
            if (editor->isVisible())
                click(editor, u"bCancel"_s);
        });
        click(window, button);
        QTEST(fixture.messages.texts(), "messages");
        QTEST(fixture.types(), "types");
    }

    void pianoKeyboardOnly()
    {
        ChordFixture fixture;
        QWidget* piano = fixture.show<frmPiano>();
        clickKey(piano, 9);
        clickKey(piano, 9);   // a second click releases the key
        QVERIFY(QTest::qWaitForWindowExposed(piano));
        piano->activateWindow();
        control(piano, u"Keyboard"_s)->setFocus();
        QCOMPARE(QApplication::focusWidget(), control(piano, u"Tecla0"_s));
        // Space presses the key in focus; the arrows walk along the keyboard.
        for (int steps : {0, 4, 3}) {
            for (int step = 0; step < steps; ++step)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        }
        QCOMPARE(QApplication::focusWidget(), control(piano, u"Tecla7"_s));
        QCOMPARE(control<QLabel>(piano, u"lChord"_s)->text(), u"Cmaj"_s);
        // Each key sounds as it goes down, and again as it comes up.
        QCOMPARE(fixture.noteOns(), (QStringList{u"57"_s, u"57"_s, u"48"_s, u"52"_s, u"55"_s}));
        QTest::keyClick(piano, Qt::Key_Escape);
        QVERIFY(!piano->isVisible());
    }
};

LIRAVOX_WIDGETS_TEST_MAIN(ChordDictionaryTest)
#include "chorddict_test.moc"
