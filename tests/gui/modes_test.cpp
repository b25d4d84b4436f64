#include "music/diagramgrid.h"
#include "music/ui/frmmode.h"
#include "music/ui/frmmodedef.h"
#include "music/ui/frmmodes.h"

#include "app/desktopcontext.h"
#include "base/messages.h"
#include "midi/messagelog.h"
#include "midi/recordingport.h"
#include "music/modos.h"

#include "../midi/fakemidisystem.h"
#include "widgetsmain.h"
#include "controls.h"
#include "musicfixtures.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace lvx;
using namespace lvx::music;
using namespace Qt::StringLiterals;

namespace {

using lvx::test::control;
using lvx::test::onNextModal;

Modos chordType(const QString& name, const QString& description, std::initializer_list<qint16> intervals)
{
    return lvx::test::chordType(name, intervals, {}, description);
}

struct Desktop
{
    RecordingMessages messages;
    DesktopContext desktop{messages, std::make_unique<FakeMidiSystem>()};
    midi::MessageLog sent;

    Desktop()
    {
        auto& types = desktop.music.chordTypes;
        types.add(chordType(u"maj"_s, u"major"_s, {0, 4, 7}));
        types.add(chordType(u"m"_s, u"minor"_s, {0, 3, 7}));
        types.add(chordType(u"7"_s, u"seventh"_s, {0, 4, 7, 10}));
        Modos minorSeventh = chordType(u"m7"_s, u"minor seventh"_s, {0, 3, 7, 10});
        minorSeventh.SinonimosAdd(u"min7"_s);
        types.add(minorSeventh);
        desktop.midi.openPort(std::make_unique<midi::RecordingPort>(midi::RecordingPort::Clock::Virtual));
        desktop.midi.setMonitor(&sent);
    }

    QStringList keys() const
    {
        QStringList list;
        for (qsizetype index = 0; index < desktop.music.chordTypes.size(); ++index)
            list.append(desktop.music.chordTypes.keyAt(index));
        return list;
    }
};

void click(QWidget* window, const QString& name)
{
    QTest::mouseClick(control(window, name), Qt::LeftButton);
}

// Types the entries and lights the toggles named, then closes with Close;
// when the editor refuses and stays open, Cancel ends it.
void fillEditor(QWidget* editor, const QString& main, const QString& description, const QList<int>& toggles)
{
    control<QLineEdit>(editor, u"Main"_s)->setText(main);
    control<QLineEdit>(editor, u"Desc"_s)->setText(description);
    for (int semitone : toggles)
        click(editor, u"Inv"_s + QString::number(semitone));
    click(editor, u"bClose"_s);
    if (editor->isVisible())
        click(editor, u"bCancel"_s);
}

QStringList listLines(QWidget* window)
{
    auto* list = control<QListWidget>(window, u"Lista"_s);
    QStringList lines;
    for (int row = 0; row < list->count(); ++row)
        lines.append(list->item(row)->text());
    return lines;
}

QList<int> intervals(const Modos& mode)
{
    QList<int> list;
    for (int slot = 0; slot < mode.GetNumInv(); ++slot)
        list.append(mode.GetInv(slot));
    return list;
}

} // namespace

class ModesTest final : public QObject
{
    Q_OBJECT

private slots:
    void listsTable();
    void insertEntry_data();
    void insertEntry();
    void editEntry_data();
    void editEntry();
    void deleteEntry();
    void aliasList_data();
    void aliasList();
    void escapeCancels();
    void scaleDrawsTwelveTonics();
};

void ModesTest::listsTable()
{
    Desktop fixture;
    frmModes window(fixture.desktop);
    window.show();
    QCOMPARE(window.windowTitle(), u"Chord Types Dictionary"_s);
    QCOMPARE(listLines(&window), (QStringList{u"major-(maj)"_s, u"minor-(m)"_s, u"seventh-(7)"_s,
                                              u"minor seventh-(m7)"_s}));
    // Nothing selected: the commands on the selection do nothing.
    for (const QString& name : {u"bEdit"_s, u"bScale"_s, u"bDelete"_s})
        click(&window, name);
    QCOMPARE(fixture.keys().size(), 4);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

void ModesTest::insertEntry_data()
{
    QTest::addColumn<QString>("main");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("keys");

    const QStringList unchanged{u"maj"_s, u"m"_s, u"7"_s, u"m7"_s};
    QTest::addRow("lands after the selected entry")
        << u"  sus4 "_s << u"suspended fourth"_s << QStringList{} << QStringList{u"maj"_s, u"m"_s, u"sus4"_s, u"7"_s, u"m7"_s};
    QTest::addRow("blank in the main alias") << u"sus 4"_s << u"suspended"_s
                                             << QStringList{u"Invalid Mode Main Alias, Try Again"_s} << unchanged;
    QTest::addRow("no description") << u"sus4"_s << u" "_s << QStringList{u"Must input Description, Try Again"_s}
                                    << unchanged;
    QTest::addRow("a key in another case") << u"M7"_s << u"major seventh"_s
                                           << QStringList{u"Main Alias Duplicate, try again"_s} << unchanged;
    QTest::addRow("cancelled") << QString() << QString() << QStringList{} << unchanged;
}

void ModesTest::insertEntry()
{
    QFETCH(QString, main);
    QFETCH(QString, description);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, keys);

    Desktop fixture;
    frmModes window(fixture.desktop);
    window.show();
    control<QListWidget>(&window, u"Lista"_s)->setCurrentRow(1);
    onNextModal([&](QWidget* editor) {
        QCOMPARE(editor->windowTitle(), u"Chord Type Definition"_s);
        QCOMPARE(fixture.desktop.music.dialogResult, 2);
        if (main.isEmpty())
            click(editor, u"bCancel"_s);
        else
            fillEditor(editor, main, description, {0, 5, 7});
    });
    click(&window, u"bNew"_s);

    QCOMPARE(fixture.messages.texts(), messages);
    QCOMPARE(fixture.keys(), keys);
    QCOMPARE(listLines(&window).size(), keys.size());
    if (keys.size() == 5) {
        QCOMPARE(control<QListWidget>(&window, u"Lista"_s)->currentRow(), 2);
        QCOMPARE(listLines(&window).at(2), u"suspended fourth-(sus4)"_s);
        QCOMPARE(intervals(*fixture.desktop.music.chordTypes.at(2)), (QList<int>{0, 5, 7}));
    }
}

void ModesTest::editEntry_data()
{
    QTest::addColumn<QString>("main");
    QTest::addColumn<QList<int>>("toggles");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<QList<int>>("stored");

    QTest::addRow("keeping its name, adding the ninth")
        << u"m7"_s << QList<int>{14} << QStringList{} << u"m7"_s << QList<int>{0, 3, 7, 10, 14};
    QTest::addRow("renamed, still under its old key")
        << u"mi7"_s << QList<int>{} << QStringList{} << u"mi7"_s << QList<int>{0, 3, 7, 10};
    QTest::addRow("another entry's key") << u"7"_s << QList<int>{14} << QStringList{u"Main Alias Duplicate, try again"_s}
                                         << u"m7"_s << QList<int>{0, 3, 7, 10};
}

void ModesTest::editEntry()
{
    QFETCH(QString, main);
    QFETCH(QList<int>, toggles);
    QFETCH(QStringList, messages);
    QFETCH(QString, nombre);
    QFETCH(QList<int>, stored);

    Desktop fixture;
    frmModes window(fixture.desktop);
    window.show();
    control<QListWidget>(&window, u"Lista"_s)->setCurrentRow(3);
    onNextModal([&](QWidget* editor) {
        QCOMPARE(control<QLineEdit>(editor, u"Main"_s)->text(), u"m7"_s);
        for (int semitone : {0, 3, 7, 10})
            QVERIFY(control(editor, u"Inv"_s + QString::number(semitone))->property("selected").toBool());
        QVERIFY(!control(editor, u"Inv1"_s)->property("selected").toBool());
        fillEditor(editor, main, u"minor seventh"_s, toggles);
    });
    click(&window, u"bEdit"_s);

    QCOMPARE(fixture.messages.texts(), messages);
    QCOMPARE(fixture.keys(), (QStringList{u"maj"_s, u"m"_s, u"7"_s, u"m7"_s}));
    const Modos& entry = *fixture.desktop.music.chordTypes.at(3);
    QCOMPARE(entry.Nombre, nombre);
    QCOMPARE(intervals(entry), stored);
    QCOMPARE(entry.SinonimosGet(1), u"min7"_s);
    QCOMPARE(listLines(&window).at(3), u"minor seventh-("_s + nombre + u')');
}

void ModesTest::deleteEntry()
{
    Desktop fixture;
    frmModes window(fixture.desktop);
    window.show();
    auto* list = control<QListWidget>(&window, u"Lista"_s);
    list->setCurrentRow(1);
    click(&window, u"bDelete"_s);
    QCOMPARE(fixture.keys(), (QStringList{u"maj"_s, u"7"_s, u"m7"_s}));
    QCOMPARE(listLines(&window), (QStringList{u"major-(maj)"_s, u"seventh-(7)"_s, u"minor seventh-(m7)"_s}));
    QCOMPARE(list->currentRow(), 1);

    list->setCurrentRow(2);
    click(&window, u"bDelete"_s);
    QCOMPARE(list->currentRow(), 1);
    QVERIFY(fixture.messages.texts().isEmpty());
}

void ModesTest::aliasList_data()
{
    QTest::addColumn<QList<std::optional<QString>>>("typed");
    QTest::addColumn<bool>("deleteFirst");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("aliases");

    QTest::addRow("a new alias is trimmed and appended")
        << QList<std::optional<QString>>{u" -7 "_s} << false << QStringList{} << QStringList{u"min7"_s, u"-7"_s};
    QTest::addRow("a blank inside is refused")
        << QList<std::optional<QString>>{u"mi 7"_s} << false << QStringList{u"Invalid name"_s} << QStringList{u"min7"_s};
    QTest::addRow("cancelling the input adds nothing")
        << QList<std::optional<QString>>{std::nullopt} << false << QStringList{} << QStringList{u"min7"_s};
    QTest::addRow("delete without a selection takes the first")
        << QList<std::optional<QString>>{u"m-7"_s} << true << QStringList{} << QStringList{u"m-7"_s};
}

void ModesTest::aliasList()
{
    using Typed = QList<std::optional<QString>>;
    QFETCH(Typed, typed);
    QFETCH(bool, deleteFirst);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, aliases);

    Desktop fixture;
    for (const std::optional<QString>& text : typed)
        fixture.messages.scriptText(text);
    fixture.desktop.music.chordTypes.at(3)->SetToActive(fixture.desktop.music.activeChordType);
    frmModeDef editor(fixture.desktop, ModeEdit::Edit);
    editor.show();
    for (qsizetype count = 0; count < typed.size(); ++count)
        click(&editor, u"bNew"_s);
    if (deleteFirst)
        click(&editor, u"bDelete"_s);
    click(&editor, u"bClose"_s);

    QCOMPARE(fixture.messages.texts().mid(typed.size()), messages);
    QCOMPARE(fixture.messages.entries().first().title, u"New"_s);
    QCOMPARE(fixture.messages.entries().first().text, u"Input new name"_s);
    const Modos& active = fixture.desktop.music.activeChordType;
    QStringList stored;
    for (int index = 1; index <= active.SinonimosDim; ++index)
        stored.append(active.SinonimosGet(index));
    QCOMPARE(stored, aliases);
    QCOMPARE(fixture.desktop.music.dialogResult, 1);
}

void ModesTest::escapeCancels()
{
    Desktop fixture;
    fixture.desktop.music.chordTypes.at(0)->SetToActive(fixture.desktop.music.activeChordType);
    const Modos before = fixture.desktop.music.activeChordType;
    frmModeDef editor(fixture.desktop, ModeEdit::Edit);
    editor.show();
    control<QLineEdit>(&editor, u"Desc"_s)->setText(u"changed"_s);
    click(&editor, u"Inv11"_s);
    QTest::keyClick(&editor, Qt::Key_Escape);
    QVERIFY(!editor.isVisible());
    QCOMPARE(fixture.desktop.music.activeChordType, before);
    QCOMPARE(fixture.desktop.music.dialogResult, 2);
}

void ModesTest::scaleDrawsTwelveTonics()
{
    Desktop fixture;
    frmModes window(fixture.desktop);
    window.show();
    control<QListWidget>(&window, u"Lista"_s)->setCurrentRow(1);
    QString firstPlayed;
    QString scrolledPlayed;
    bool scrolls = false;
    int notes = 0;
    onNextModal([&](QWidget* dialog) {
        auto* scale = qobject_cast<frmMode*>(dialog);
        QVERIFY(scale != nullptr);
        QCOMPARE(scale->windowTitle(), u"Chord Type Scale"_s);
        QWidget* view = control(scale, u"Scale"_s);
        QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(5, 5));
        firstPlayed = control<QStatusBar>(scale, u"status"_s)->currentMessage();
        notes = int(fixture.sent.messages().size());

        // Too short for every row: the bar shows, and its value is the first row drawn.
        scale->resize(scale->width(), scale->height() / 2);
        QApplication::processEvents();
        auto* bar = control<QScrollBar>(scale, u"VS"_s);
        scrolls = bar->isVisible();
        bar->setValue(1);
        const int columns = scale->grid().columns();
        QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(5, 5));
        scrolledPlayed = control<QStatusBar>(scale, u"status"_s)->currentMessage();
        QCOMPARE(columns, 4);
        scale->close();
    });
    click(&window, u"bScale"_s);

    QCOMPARE(firstPlayed, u"Cm"_s);
    QVERIFY2(notes > 1, "the diagram's notes are played");
    QVERIFY(scrolls);
    QCOMPARE(scrolledPlayed, u"Em"_s);
    QCOMPARE(fixture.desktop.app.PlayingCount, 0);
}

LIRAVOX_WIDGETS_TEST_MAIN(ModesTest)
#include "modes_test.moc"
