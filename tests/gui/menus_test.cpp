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
    const QSize size = window->frameGeometry().size();
    const bool fits = size.boundedTo(window->screen()->availableGeometry().size()) == size;
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

} // namespace

class MenusTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void menusOpenTheirWindows_data()
    {
        QTest::addColumn<bool>("song");   // false: the frame's own menus, no song open
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("title");
        QTest::addRow("page setup") << true << u"mnuFPageSetup"_s << u"Page Setup"_s;
        QTest::addRow("print preview") << true << u"mnuFPrintPreview"_s << u"Print Preview"_s;
        QTest::addRow("full-screen preview") << true << u"mnuVPreview"_s << u"Preview"_s;
        QTest::addRow("source text") << true << u"mnuVTextFormat"_s << u"ChordPro Source"_s;
        QTest::addRow("transpose") << true << u"mnuETranspose"_s << u"Transpose Song"_s;
        QTest::addRow("replace chords") << true << u"mnuEReplace"_s << u"Replace Chords"_s;
        QTest::addRow("insert chord") << true << u"mnuIChord"_s << u"Chord"_s;
        QTest::addRow("song chords") << true << u"mnuTSongChords"_s << u"Song Custom Guitar Chord Dictionary"_s;
        QTest::addRow("global chords") << true << u"mnuTGlobalChords"_s << u"Global Guitar Chord Dictionary"_s;
        QTest::addRow("chord types") << true << u"mnuTChordTypes"_s << u"Chord Types Dictionary"_s;
        QTest::addRow("guitar search") << true << u"mnuTGuitar"_s << u"Custom Guitar Chord"_s;
        QTest::addRow("piano search") << true << u"mnuTPiano"_s << u"Piano Chord Search"_s;
        QTest::addRow("options") << true << u"mnuTOptions"_s << u"Options"_s;
        QTest::addRow("new album") << true << u"mnuANew"_s << u"Album"_s;
        QTest::addRow("about") << true << u"mnuHAbout"_s << u"About Liravox"_s;
        QTest::addRow("frame: global chords") << false << u"mnuTGlobalChords"_s << u"Global Guitar Chord Dictionary"_s;
        QTest::addRow("frame: options on the new-song defaults") << false << u"mnuTOptions"_s << u"Options"_s;
        QTest::addRow("frame: new album") << false << u"mnuANew"_s << u"Album"_s;
    }
    void menusOpenTheirWindows()
    {
        QFETCH(bool, song);
        QFETCH(QString, action);
        DesktopFixture fixture;
        QAction* item = nullptr;
        if (song) {
            lvx::editor::frmSong* window = fixture.open("{title: Menus}\n[G]la la\n"_ba);
            box(window, 1)->setFocus();
            item = window->action(action);
        } else {
            fixture.main->mdiArea()->closeAllSubWindows();
            QApplication::processEvents();
            for (QAction* candidate : fixture.main->findChildren<QAction*>(action)) {
                if (candidate->parent() && candidate->parent()->parent() == fixture.main.get())
                    item = candidate;
            }
        }
        QVERIFY2(item && item->isEnabled(), qPrintable(action));
        QTEST(openedBy(item), "title");
    }
};

LIRAVOX_WIDGETS_TEST_MAIN(MenusTest)
#include "menus_test.moc"
