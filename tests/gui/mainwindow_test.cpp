// The frame: window numbers, file commands, recent files, drops, the song
// buttons, printing and the end of the program.

#include "desktopfixture.h"
#include "widgetsmain.h"

#include "base/settings.h"
#include "base/system.h"
#include "print/ui/printdialogs.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

using namespace Qt::StringLiterals;
using lvx::editor::frmSong;

namespace {

QStringList captions(const lvx::frmMain& main)
{
    QStringList result;
    for (int number : main.numbersInUse())
        result.append(main.songWindow(number)->caption());
    return result;
}

void dropFiles(lvx::frmMain& main, const QStringList& paths)
{
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls.append(QUrl::fromLocalFile(path));
    main.openDropped(urls);
}

// What the frame offers: its menus, and whether the song buttons show.
QString offered(lvx::frmMain& main)
{
    QStringList titles;
    for (QAction* action : main.menuBar()->actions())
        titles.append(action->text());
    const auto* cut = main.findChild<QToolButton*>(u"bCut"_s);
    return titles.join(u' ') + (cut->isVisibleTo(main.findChild<QToolBar*>(u"picToolbar"_s)) ? u" +cut"_s : u""_s);
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

void typeInto(frmSong* song, const QString& text) { box(song, 1)->setFocus(); QTest::keyClicks(box(song, 1), text); }

// A command of the song's Window menu, chosen as the user does: the menu opens first.
void chooseWindowItem(frmSong* song, const QString& name)
{
    Q_EMIT song->findChild<QMenu*>(u"mnuWindow"_s)->aboutToShow();
    song->action(name)->trigger();
    QApplication::processEvents();
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { lvx::test::clearSettings(); }

    void songWindowsComeAndGo()
    {
        DesktopFixture fixture;
        QCOMPARE(fixture.main->windowTitle(), u"Liravox"_s);
        // The global dictionary came in with its chord types.
        QVERIFY(!fixture.desktop->dictionary.chordDefs.isEmpty());
        QVERIFY(fixture.desktop->music.chordTypes.size() > 0);
        QCOMPARE(offered(*fixture.main), u"&File &Album &Edit &Insert &View &Tools &Window &Help +cut"_s);
        // Numbers are reused lowest first.
        fixture.main->newSong();
        fixture.main->newSong();
        fixture.main->songWindow(2)->parentWidget()->close();
        QApplication::processEvents();
        fixture.main->newSong();
        QCOMPARE(captions(*fixture.main), (QStringList{u"Untitled:1"_s, u"Untitled:2"_s, u"Untitled:3"_s}));
        QCOMPARE(fixture.main->activeSong()->tag(), u"2"_s);
        // Without a song the frame keeps its own menus and hides the song buttons.
        fixture.main->mdiArea()->closeAllSubWindows();
        QApplication::processEvents();
        QCOMPARE(offered(*fixture.main), u"&File &Album &View &Tools &Help"_s);
        fixture.main->openSong(fixture.writeSong(u"a.cho"_s, "{title: A}\n"));
        QApplication::processEvents();
        QVERIFY(offered(*fixture.main).endsWith(u"+cut"_s));
    }

    // Whatever arranges the windows, the song being edited ends up in front,
    // the keys where they were in it: on its caret's line, in the title or in the find bar.
    void arrangingKeepsTheActiveSongInFront_data()
    {
        // Window menu items; "max" maximizes, "behind" raises the others, "title" is Tab, "find" Ctrl+F.
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<QString>("keys");   // where the keys are, and what typing "x" there gives
        const QString caret = u"T2 at 2: twxo"_s;
        QTest::addRow("cascade") << QStringList{u"mnuWCascade"_s} << caret;
        QTest::addRow("tile from a maximized window") << QStringList{u"max"_s, u"mnuWTile"_s} << caret;
        QTest::addRow("the song chosen in the Window menu comes out from behind")
            << QStringList{u"behind"_s, u"mnuWSong2"_s} << caret;
        QTest::addRow("tabs") << QStringList{u"mnuWTabs"_s} << caret;
        QTest::addRow("cascade out of tabs") << QStringList{u"mnuWTabs"_s, u"mnuWCascade"_s} << caret;
        QTest::addRow("the title keeps the keys out of tabs")
            << QStringList{u"mnuWTabs"_s, u"title"_s, u"mnuWCascade"_s} << u"tTitle at 0: x"_s;
        QTest::addRow("the find bar keeps the keys through tile and tabs")
            << QStringList{u"find"_s, u"mnuWTile"_s, u"mnuWTabs"_s} << u"tFind at 0: x"_s;
    }
    void arrangingKeepsTheActiveSongInFront()
    {
        QFETCH(QStringList, commands);
        QFETCH(QString, keys);
        DesktopFixture fixture;
        frmSong* song = fixture.open("one\ntwo\nthree\n"_ba, u"a.cho"_s);
        fixture.open("four\n"_ba, u"b.cho"_s);
        fixture.main->newSong();
        QMdiArea* area = fixture.main->mdiArea();
        auto* window = qobject_cast<QMdiSubWindow*>(song->parentWidget());
        // The second of four windows is the one being edited.
        area->setActiveSubWindow(window);
        focusBox(song, 2, 2);
        for (const QString& command : commands) {
            if (command == u"max") {
                window->showMaximized();
            } else if (command == u"behind") {
                for (QMdiSubWindow* other : area->subWindowList())
                    other->raise();
                QVERIFY(area->activeSubWindow() == window && area->subWindowList(QMdiArea::StackingOrder).last() != window);
            } else if (command == u"title") {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            } else if (command == u"find") {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::ControlModifier);
            } else {
                chooseWindowItem(song, command);
            }
        }
        QCOMPARE(area->activeSubWindow(), window);
        QCOMPARE(area->subWindowList(QMdiArea::StackingOrder).constLast(), window);
        auto* focus = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY2(focus && song->isAncestorOf(focus), "the keys left the song");
        // A line box is named by the line it shows.
        const auto* line = qobject_cast<lvx::editor::SongBox*>(focus);
        const QString where = (line ? u"T"_s + line->tag : focus->objectName()) + u" at "_s
            + QString::number(focus->cursorPosition());
        QTest::keyClicks(focus, u"x"_s);
        QCOMPARE(where + u": "_s + (line ? lineText(song, 2) : focus->text()), keys);
    }

    void tabsAreRemembered()
    {
        {
            DesktopFixture fixture;
            QCOMPARE(fixture.main->mdiArea()->viewMode(), QMdiArea::SubWindowView);
            chooseWindowItem(fixture.main->activeSong(), u"mnuWTabs"_s);
        }
        DesktopFixture fixture;
        const QMdiArea* area = fixture.main->mdiArea();
        QCOMPARE(std::tuple(area->viewMode(), area->tabsClosable(), area->tabsMovable()),
                 std::tuple(QMdiArea::TabbedView, true, true));
        frmSong* song = fixture.main->activeSong();
        Q_EMIT song->findChild<QMenu*>(u"mnuWindow"_s)->aboutToShow();
        QVERIFY(song->action(u"mnuWTabs"_s)->isChecked());
        // Tile goes back to windows, and windows are what the next start shows.
        chooseWindowItem(song, u"mnuWTile"_s);
        QCOMPARE(area->viewMode(), QMdiArea::SubWindowView);
        QCOMPARE(lvx::GetSetting(u"Public"_s, u"WindowTabs"_s, QString()), u"false"_s);
    }

    void sizeLimitOfOpen()
    {
        DesktopFixture fixture;
        const QString fits = fixture.writeSong(u"fits.cho"_s, QByteArray(64999, 'a') + '\n');
        fixture.messages.scriptAnswer(lvx::Answer::No);
        fixture.main->openSong(fits);
        // Read only in part: Save says so and asks for another name, never writing over it.
        QApplication::processEvents();
        fixture.messages.clear();
        fixture.messages.scriptText(QString());
        fixture.main->activeSong()->mnuFSave_Click();
        QVERIFY(fixture.messages.texts().first().contains(u"was read only in part"_s));
        QCOMPARE(fileBytes(fits), QByteArray(64999, 'a') + '\n');
        fixture.messages.clear();
        fixture.main->openSong(fixture.writeSong(u"over.cho"_s, QByteArray(65000, 'a') + '\n'));
        QCOMPARE(fixture.messages.texts(), QStringList{u"The file is too large to open."_s});
        QCOMPARE(fixture.main->numbersInUse().size(), 2);
    }

    void droppedFilesOpenInOrder()
    {
        DesktopFixture fixture;
        const QStringList files{fixture.writeSong(u"one.cho"_s, "{title: 1}\n"), fixture.writeSong(u"two.cho"_s, "{title: 2}\n")};
        dropFiles(*fixture.main, files);
        QCOMPARE(captions(*fixture.main), (QStringList{u"Untitled:1"_s} + files));
        // A folder never takes a window's place silently.
        dropFiles(*fixture.main, {fixture.folder.path()});
        QCOMPARE(fixture.messages.texts().constLast(),
                 u"Cannot open file "_s + fixture.folder.path() + u": it is not a regular file"_s);
        QCOMPARE(fixture.main->numbersInUse().size(), 3);
    }

    void closingAModifiedSongAsks()
    {
        DesktopFixture fixture;
        frmSong* song = fixture.open("{title: Ask}\nla la\n"_ba, u"ask.cho"_s);
        const QString path = song->caption();
        typeInto(song, u"x"_s);
        fixture.messages.clear();
        fixture.messages.scriptAnswer(lvx::Answer::Cancel);
        song->parentWidget()->close();
        QApplication::processEvents();
        QCOMPARE(fixture.messages.texts(),
                 QStringList{u"The text in ["_s + path + u"] has changed.\nDo you want to save the changes?"_s});
        QVERIFY(fixture.main->numbersInUse().contains(song->number()));
        // Never while its chord sounds.
        fixture.desktop->app.PlayingCount = 1;
        song->parentWidget()->close();
        QVERIFY(fixture.main->numbersInUse().contains(song->number()));
        fixture.desktop->app.PlayingCount = 0;
        fixture.messages.scriptAnswer(lvx::Answer::Yes);
        song->parentWidget()->close();
        QApplication::processEvents();
        // Saved as the file was written, line ends and all.
        QCOMPARE(fileBytes(path), "{title: Ask}\nxla la\n"_ba);
    }

    void aSaveThatFailsKeepsTheChanges()
    {
        DesktopFixture fixture;
        frmSong* song = fixture.open("{title: Keep}\nla la\n"_ba, u"keep.cho"_s);
        typeInto(song, u"x"_s);
        fixture.messages.clear();
        const QString nowhere = fixture.folder.path() + u"/missing folder/keep.cho"_s;
        fixture.messages.scriptText(nowhere);
        song->action(u"mnuFSaveAs"_s)->trigger();
        QCOMPARE(fixture.messages.texts().size(), 2);   // the save dialog, then the reason
        QVERIFY2(fixture.messages.texts().at(1).startsWith(u"Cannot "_s), qPrintable(fixture.messages.texts().at(1)));
        QVERIFY(song->song().Modificada);
        QVERIFY(song->caption().endsWith(u"keep.cho"_s));
        // Saving where it can is fine, and the window then carries the new name.
        const QString elsewhere = fixture.folder.path() + u"/kept.cho"_s;
        fixture.messages.scriptText(elsewhere);
        song->action(u"mnuFSaveAs"_s)->trigger();
        QVERIFY(!song->song().Modificada);
        QCOMPARE(song->caption(), elsewhere);
        QCOMPARE(fixture.main->recentFiles().constFirst(), elsewhere);
    }

    void aStartWithARecentSongKeepsTheList()
    {
        QTemporaryDir songs;
        const QString first = songs.filePath(u"first.cho"_s);
        const QString second = songs.filePath(u"second.cho"_s);
        for (const QString& path : {first, second}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write("{title: Listed}\n") > 0);
        }
        lvx::SaveSetting(u"Recent Files"_s, u"RecentFile1"_s, first);
        lvx::SaveSetting(u"Recent Files"_s, u"RecentFile2"_s, second);
        DesktopFixture fixture(second);
        QCOMPARE(fixture.main->activeSong()->caption(), second);
        QCOMPARE(fixture.main->recentFiles(), (QStringList{first, second}));
    }

    void exitStopsAtTheFirstRefusal()
    {
        // Yes to saving the first song, then the save dialog cancelled.
        DesktopFixture fixture;
        fixture.main->newSong();
        for (int number : fixture.main->numbersInUse())
            typeInto(fixture.main->songWindow(number), u"la"_s);
        fixture.messages.clear();
        fixture.messages.scriptAnswer(lvx::Answer::Yes);
        fixture.messages.scriptAnswer(lvx::Answer::No);   // would throw the second song away, if asked
        fixture.main->exitProgram();
        QApplication::processEvents();
        QCOMPARE(fixture.main->numbersInUse().size(), 2);
        QVERIFY(fixture.main->isVisible());
        QCOMPARE(std::count_if(fixture.messages.entries().begin(), fixture.messages.entries().end(),
                               [](const auto& entry) { return entry.kind == lvx::RecordingMessages::Kind::Ask; }), 1);
    }

    void exitSavesTheDictionaryAndTheSettings()
    {
        DesktopFixture fixture;
        const QString dictionary = QDir(lvx::programFolder()).filePath(u"Chords.dat"_s);
        QFile::remove(dictionary);
        QTest::mouseClick(fixture.main->findChild<QToolButton*>(u"bPiano"_s), Qt::LeftButton);
        QTest::mouseClick(fixture.main->findChild<QToolButton*>(u"bSalir"_s), Qt::LeftButton);
        QApplication::processEvents();
        QVERIFY(fixture.main->numbersInUse().isEmpty());
        QVERIFY(QFileInfo::exists(dictionary));
        QCOMPARE(lvx::GetSetting(u"Public"_s, u"Instrument"_s, QString()), u"Piano"_s);
        QCOMPARE(lvx::GetSetting(u"Public"_s, u"DefDir"_s, QString()), QDir::currentPath());
        QCOMPARE(lvx::GetSetting(u"Midi"_s, u"LastHandle"_s, QString()), u"0"_s);
    }

    void songPrintsToAPdfFile()
    {
        DesktopFixture fixture;
        frmSong* song = fixture.open("{title: Printed Song}\nA[G]mazing [C]grace\n{np}\nSecond [D7]page\n"_ba);
        const QString pdf = QDir(fixture.folder.path()).filePath(u"song.pdf"_s);
        QString offered;
        QVERIFY(lvx::print::printSongWithDialog(*fixture.desktop, song->song(), song, [&](QPrinter& printer, QWidget*) {
            offered = printer.outputFileName();
            printer.setOutputFileName(pdf);
            return true;
        }));
        // With no printer the dialog offers a file: beside the song, under its name.
        if (QPrinter().outputFormat() == QPrinter::PdfFormat)
            QCOMPARE(offered, pdf);
        const QStringList pages = pdfPageTexts(pdf);
        // The new-page directive puts the second part on a page of its own.
        QVERIFY2(pages.size() == 2 && pages[0].contains(u"Printed Song"_s) && pages[0].contains(u"Amazing grace"_s)
                     && pages[1].contains(u"Second page"_s), qPrintable(pages.join(u"\n----\n")));

        // A PDF is saved as a song is: where it cannot be, the print says why.
        const QString nowhere = QDir(fixture.folder.path()).filePath(u"song.pdf/again.pdf"_s);
        QVERIFY(!lvx::print::printSongWithDialog(*fixture.desktop, song->song(), song, [&](QPrinter& printer, QWidget*) {
            printer.setOutputFileName(nowhere);
            return true;
        }));
        QCOMPARE(fixture.messages.texts().constLast(), u"Cannot save file "_s + nowhere + u": Not a directory"_s);
        QCOMPARE(pdfPageTexts(pdf), pages);
    }

};

LIRAVOX_WIDGETS_TEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
