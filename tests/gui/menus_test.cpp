// Every menu command of the program opens what it names, on the screen: the
// song window's menus while a song is active, the frame's own when none is open.
// Run again on a 1600 x 1000 screen at a scale factor of 2.

#include "desktopfixture.h"
#include "widgetsmain.h"

#include <QAction>
#include <QScreen>

using namespace Qt::StringLiterals;

namespace {

// The title of a window, marked when the window is larger than its screen:
// whatever the scale factor, every window must be wholly within reach.
QString shownTitle(const QWidget* window)
{
    // Where it goes is the window manager's business; that it can go there is the window's.
    const QSize room = window->screen()->availableGeometry().size();
    const QSize size = window->frameGeometry().size();
    const bool fits = size.width() <= room.width() && size.height() <= room.height();
    return window->windowTitle() + (fits ? QString() : u" (larger than the screen)"_s);
}

// The title of the window the action brings up: a modal dialog is closed as soon
// as it shows, a tool window is looked for among the top-level windows.
QString openedBy(QAction* action)
{
    QString title;
    onNextModal([&title](QWidget* dialog) {
        title = shownTitle(dialog);
        dialog->close();
    });
    const QList<QWidget*> before = QApplication::topLevelWidgets();
    action->trigger();
    QApplication::processEvents();
    if (!title.isEmpty())
        return title;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (!before.contains(widget) && widget->isVisible()) {
            title = shownTitle(widget);
            widget->close();
        }
    }
    return title;
}

void addRows()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("title");
}

} // namespace

class MenusTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void songWindowMenus_data()
    {
        addRows();
        QTest::addRow("page setup") << u"mnuFPageSetup"_s << u"Page Setup"_s;
        QTest::addRow("print preview") << u"mnuFPrintPreview"_s << u"Print Preview"_s;
        QTest::addRow("full-screen preview") << u"mnuVPreview"_s << u"Preview"_s;
        QTest::addRow("source text") << u"mnuVTextFormat"_s << u"ChordPro Source"_s;
        QTest::addRow("transpose") << u"mnuETranspose"_s << u"Transpose Song"_s;
        QTest::addRow("replace chords") << u"mnuEReplace"_s << u"Replace Chords"_s;
        QTest::addRow("insert chord") << u"mnuIChord"_s << u"Chord"_s;
        QTest::addRow("song chords") << u"mnuTSongChords"_s << u"Song Custom Guitar Chord Dictionary"_s;
        QTest::addRow("global chords") << u"mnuTGlobalChords"_s << u"Global Guitar Chord Dictionary"_s;
        QTest::addRow("chord types") << u"mnuTChordTypes"_s << u"Chord Types Dictionary"_s;
        QTest::addRow("guitar search") << u"mnuTGuitar"_s << u"Custom Guitar Chord"_s;
        QTest::addRow("piano search") << u"mnuTPiano"_s << u"Piano Chord Search"_s;
        QTest::addRow("options") << u"mnuTOptions"_s << u"Options"_s;
        QTest::addRow("new album") << u"mnuANew"_s << u"Album"_s;
        QTest::addRow("about") << u"mnuHAbout"_s << u"About Liravox"_s;
    }

    void songWindowMenus()
    {
        QFETCH(QString, action);
        QFETCH(QString, title);
        DesktopFixture fixture;
        lvx::editor::frmSong* song = fixture.open("{title: Menus}\n[G]la la\n"_ba);
        box(song, 1)->setFocus();
        QAction* item = song->action(action);
        QVERIFY2(item && item->isEnabled(), qPrintable(action));
        QCOMPARE(openedBy(item), title);
    }

    void frameMenus_data()
    {
        addRows();
        QTest::addRow("global chords") << u"mnuTGlobalChords"_s << u"Global Guitar Chord Dictionary"_s;
        QTest::addRow("chord types") << u"mnuTChordTypes"_s << u"Chord Types Dictionary"_s;
        QTest::addRow("guitar search") << u"mnuTGuitar"_s << u"Custom Guitar Chord"_s;
        QTest::addRow("piano search") << u"mnuTPiano"_s << u"Piano Chord Search"_s;
        QTest::addRow("options on the new-song defaults") << u"mnuTOptions"_s << u"Options"_s;
        QTest::addRow("new album") << u"mnuANew"_s << u"Album"_s;
        QTest::addRow("about") << u"mnuHAbout"_s << u"About Liravox"_s;
    }

    void frameMenus()
    {
        QFETCH(QString, action);
        QFETCH(QString, title);
        DesktopFixture fixture;
        fixture.main->mdiArea()->closeAllSubWindows();
        QApplication::processEvents();
        QAction* item = nullptr;
        for (QAction* candidate : fixture.main->findChildren<QAction*>(action)) {
            if (candidate->parent() && candidate->parent()->parent() == fixture.main.get())
                item = candidate;
        }
        QVERIFY2(item && item->isEnabled(), qPrintable(action));
        QCOMPARE(openedBy(item), title);
    }
};

LIRAVOX_WIDGETS_TEST_MAIN(MenusTest)
#include "menus_test.moc"
