// The frame: window numbers, file commands, recent files, drops, the song
// buttons, the menus of the active window and the end of the program.

#include "desktopfixture.h"
#include "widgetsmain.h"

#include "base/settings.h"
#include "base/system.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
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

bool buttonShown(const lvx::frmMain& main, const QString& name)
{
    const auto* button = main.findChild<QToolButton*>(name);
    return button && button->isVisibleTo(main.findChild<QToolBar*>(u"picToolbar"_s));
}

QStringList menuTitles(lvx::frmMain& main)
{
    QStringList titles;
    for (QAction* action : main.menuBar()->actions())
        titles.append(action->text());
    return titles;
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { lvx::test::clearSettings(); }

    void startsWithOneNewSong()
    {
        DesktopFixture fixture;
        QCOMPARE(fixture.main->windowTitle(), u"Liravox"_s);
        QCOMPARE(captions(*fixture.main), QStringList{u"Untitled:1"_s});
        QCOMPARE(menuTitles(*fixture.main),
                 (QStringList{u"&File"_s, u"&Album"_s, u"&Edit"_s, u"&Insert"_s, u"&View"_s, u"&Tools"_s, u"&Window"_s,
                              u"&Help"_s}));
        // The global dictionary came in with its chord types.
        QVERIFY(!fixture.desktop->dictionary.chordDefs.isEmpty());
        QVERIFY(fixture.desktop->music.chordTypes.size() > 0);
        QCOMPARE(fixture.main->findChild<QLabel*>(u"StatusNotation"_s)->text(), u"C D E ..."_s);
        QCOMPARE(fixture.main->findChild<QToolButton*>(u"bTranspose"_s)->toolTip(), u"Transpose All the Chords"_s);
        QCOMPARE(fixture.main->findChild<QToolButton*>(u"bComment"_s)->toolTip(), u"Insert Comment "_s);
    }

    void windowNumbersAreReusedLowestFirst()
    {
        DesktopFixture fixture;
        fixture.main->newSong();
        fixture.main->newSong();
        QCOMPARE(captions(*fixture.main), (QStringList{u"Untitled:1"_s, u"Untitled:2"_s, u"Untitled:3"_s}));
        fixture.main->songWindow(2)->parentWidget()->close();
        QApplication::processEvents();
        QCOMPARE(fixture.main->numbersInUse(), (QList<int>{1, 3}));
        fixture.main->newSong();
        QCOMPARE(fixture.main->songWindow(2)->caption(), u"Untitled:2"_s);
        QCOMPARE(fixture.main->activeSong()->tag(), u"2"_s);
    }

    void lastWindowClosedHidesTheSongButtons()
    {
        DesktopFixture fixture;
        QVERIFY(buttonShown(*fixture.main, u"bCut"_s));
        fixture.main->mdiArea()->closeAllSubWindows();
        QApplication::processEvents();
        QVERIFY(fixture.main->numbersInUse().isEmpty());
        QVERIFY(!buttonShown(*fixture.main, u"bCut"_s));
        QVERIFY(buttonShown(*fixture.main, u"bNew"_s));
        QVERIFY(fixture.main->SongButtonsHidden);
        QCOMPARE(menuTitles(*fixture.main).size(), 5);
        fixture.main->openSong(fixture.writeSong(u"a.cho"_s, "{title: A}\n"));
        QApplication::processEvents();
        QVERIFY(buttonShown(*fixture.main, u"bCut"_s));
        QVERIFY(!fixture.main->SongButtonsHidden);
    }

    void sizeLimitOfOpen()
    {
        DesktopFixture fixture;
        const QString fits = fixture.writeSong(u"fits.cho"_s, QByteArray(64999, 'a') + '\n');
        const QString over = fixture.writeSong(u"over.cho"_s, QByteArray(65000, 'a') + '\n');
        fixture.messages.scriptAnswer(lvx::Answer::No);
        fixture.main->openSong(fits);
        QCOMPARE(fixture.main->numbersInUse().size(), 2);
        // Read only in part: Save says so and asks for another name, never writing over it.
        QApplication::processEvents();
        fixture.messages.clear();
        fixture.messages.scriptText(QString());
        fixture.main->activeSong()->mnuFSave_Click();
        QVERIFY(fixture.messages.texts().first().contains(u"was read only in part"_s));
        QFile file(fits);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray(64999, 'a') + '\n');
        fixture.messages.clear();
        fixture.main->openSong(over);
        QCOMPARE(fixture.messages.texts(), QStringList{u"The file is too large to open."_s});
        QCOMPARE(fixture.main->numbersInUse().size(), 2);
        // A file that cannot be read gets no window bound to it: the program starts with a new song.
        fixture.desktop->app.CurrentFileName = fixture.folder.path();
        fixture.main->Form_Load();
        QCOMPARE(fixture.main->numbersInUse().size(), 3);
        QVERIFY(fixture.main->songWindow(3)->caption().startsWith(u"Untitled"_s));
    }

    void recentFilesKeepFourNewestFirst()
    {
        DesktopFixture fixture;
        QStringList paths;
        for (int i = 1; i <= 5; ++i)
            paths.append(fixture.writeSong(u"song"_s + QString::number(i) + u".cho"_s, "{title: x}\n"));
        for (const QString& path : paths)
            fixture.main->openSong(path);
        const QStringList expected{paths[4], paths[3], paths[2], paths[1]};
        QCOMPARE(fixture.main->recentFiles(), expected);
        // Opening a listed file again leaves the order alone.
        fixture.main->openSong(paths[2]);
        QCOMPARE(fixture.main->recentFiles(), expected);
        // Every song window's File menu shows them.
        frmSong* song = fixture.main->activeSong();
        QCOMPARE(song->action(u"mnuRecentFile0"_s)->text(), paths[4]);
        QVERIFY(song->action(u"mnuRecentFile3"_s)->isVisible());
        // Choosing one that is open brings its window to the front: a second
        // window on the file would let one save undo the other's.
        const int before = int(fixture.main->numbersInUse().size());
        song->action(u"mnuRecentFile3"_s)->trigger();
        QCOMPARE(fixture.main->numbersInUse().size(), before);
        QCOMPARE(fixture.main->activeSong()->caption(), paths[1]);
        // One that is not open gets a window of its own.
        fixture.main->activeSong()->parentWidget()->close();
        QApplication::processEvents();
        fixture.main->activeSong()->action(u"mnuRecentFile3"_s)->trigger();
        QCOMPARE(fixture.main->numbersInUse().size(), before);
        QCOMPARE(fixture.main->activeSong()->caption(), paths[1]);
        // The folder of the last song opened is where the file dialogs start.
        QCOMPARE(QDir::currentPath(), QFileInfo(paths[1]).canonicalPath());
    }

    void droppedFilesOpenInOrder()
    {
        DesktopFixture fixture;
        const QStringList files{fixture.writeSong(u"one.cho"_s, "{title: 1}\n"),
                                fixture.writeSong(u"two.cho"_s, "{title: 2}\n"),
                                fixture.writeSong(u"three.cho"_s, "{title: 3}\n")};
        dropFiles(*fixture.main, files);
        QCOMPARE(captions(*fixture.main), (QStringList{u"Untitled:1"_s} + files));

        // A folder or a binary file never takes a window's place silently or crashes.
        dropFiles(*fixture.main, {fixture.folder.path()});
        QCOMPARE(fixture.messages.texts().constLast(),
                 u"Cannot open file "_s + fixture.folder.path() + u": it is a folder, not a song file."_s);
        QByteArray binary;
        for (int i = 0; i < 4096; ++i)
            binary.append(char(i * 7));
        fixture.messages.scriptAnswer(lvx::Answer::No);
        dropFiles(*fixture.main, {fixture.writeSong(u"binary.bin"_s, binary)});
        QCOMPARE(fixture.main->numbersInUse().size(), 5);
    }

    void closingAModifiedSongAsks()
    {
        DesktopFixture fixture;
        frmSong* song = fixture.open("{title: Ask}\nla la\n"_ba, u"ask.cho"_s);
        const QString path = song->caption();
        box(song, 1)->setFocus();
        QTest::keyClicks(box(song, 1), u"x"_s);
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
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(saved.readAll().contains("xla la"));
    }

    void aSaveThatFailsKeepsTheChanges()
    {
        DesktopFixture fixture;
        frmSong* song = fixture.open("{title: Keep}\nla la\n"_ba, u"keep.cho"_s);
        box(song, 1)->setFocus();
        QTest::keyClicks(box(song, 1), u"x"_s);
        fixture.messages.clear();
        const QString nowhere = fixture.folder.path() + u"/missing folder/keep.cho"_s;
        fixture.messages.scriptText(nowhere);
        song->action(u"mnuFSaveAs"_s)->trigger();
        QCOMPARE(fixture.messages.texts().size(), 2);   // the save dialog, then the reason
        QVERIFY2(fixture.messages.texts().at(1).startsWith(u"Cannot "_s), qPrintable(fixture.messages.texts().at(1)));
        QVERIFY(song->song().Modificada);
        QVERIFY(song->caption().endsWith(u"keep.cho"_s));
        QVERIFY(!QFileInfo::exists(nowhere));

        // Saving where it can is fine, and the window then carries the new name.
        const QString elsewhere = fixture.folder.path() + u"/kept.cho"_s;
        fixture.messages.scriptText(elsewhere);
        song->action(u"mnuFSaveAs"_s)->trigger();
        QVERIFY(!song->song().Modificada);
        QCOMPARE(song->caption(), elsewhere);
        QCOMPARE(fixture.main->recentFiles().constFirst(), elsewhere);
    }

    void exitStopsAtTheFirstRefusal_data()
    {
        QTest::addColumn<int>("answer");   // to the first window's question
        QTest::addRow("cancel") << int(lvx::Answer::Cancel);
        QTest::addRow("yes, then the save dialog cancelled") << int(lvx::Answer::Yes);
    }
    void exitStopsAtTheFirstRefusal()
    {
        QFETCH(int, answer);
        DesktopFixture fixture;
        fixture.main->newSong();
        for (int number : fixture.main->numbersInUse()) {
            box(fixture.main->songWindow(number), 1)->setFocus();
            QTest::keyClicks(box(fixture.main->songWindow(number), 1), u"la"_s);
        }
        fixture.messages.clear();
        fixture.messages.scriptAnswer(lvx::Answer(answer));
        fixture.messages.scriptAnswer(lvx::Answer::No);   // would throw the second song away, if asked
        fixture.main->exitProgram();
        QApplication::processEvents();
        QCOMPARE(fixture.main->numbersInUse().size(), 2);
        QVERIFY(fixture.main->isVisible());
        const auto questions = std::count_if(fixture.messages.entries().begin(), fixture.messages.entries().end(),
                                             [](const auto& entry) { return entry.kind == lvx::RecordingMessages::Kind::Ask; });
        QCOMPARE(questions, 1);
    }

    void exitSavesTheDictionaryAndTheSettings_data()
    {
        QTest::addColumn<bool>("songOpen");
        QTest::addRow("the toolbar's Exit with a song open") << true;
        QTest::addRow("the frame's own File Exit, no song open") << false;
    }
    void exitSavesTheDictionaryAndTheSettings()
    {
        QFETCH(bool, songOpen);
        DesktopFixture fixture;
        const QString dictionary = QDir(lvx::programFolder()).filePath(u"Chords.dat"_s);
        QFile::remove(dictionary);
        fixture.desktop->app.notation = u"Do"_s;
        if (songOpen) {
            QTest::mouseClick(fixture.main->findChild<QToolButton*>(u"bSalir"_s), Qt::LeftButton);
        } else {
            fixture.main->mdiArea()->closeAllSubWindows();
            QApplication::processEvents();
            fixture.main->menuBar()->actions().constFirst()->menu()->findChild<QAction*>(u"mnuFExit"_s)->trigger();
        }
        QApplication::processEvents();
        QVERIFY(fixture.main->numbersInUse().isEmpty());
        QVERIFY(QFileInfo::exists(dictionary));
        QCOMPARE(lvx::GetSetting(u"Public"_s, u"Modo Acordes"_s, QString()), u"Do"_s);
        QCOMPARE(lvx::GetSetting(u"Public"_s, u"DefDir"_s, QString()), QDir::currentPath());
        QCOMPARE(lvx::GetSetting(u"Midi"_s, u"LastHandle"_s, QString()), u"0"_s);
    }

    void songWindowsStayUsableInsideTheFrame()
    {
        DesktopFixture fixture;
        QMdiArea* area = fixture.main->mdiArea();
        for (int i = 0; i < 7; ++i)
            fixture.main->newSong();
        const auto checkPlaces = [area] {
            QApplication::processEvents();
            const QRect inside = area->viewport()->rect();
            for (QMdiSubWindow* window : area->subWindowList()) {
                QVERIFY2(inside.contains(window->geometry()), qPrintable(window->windowTitle()));
                QVERIFY(window->height() * 3 >= inside.height() * 2);
            }
        };
        checkPlaces();
        area->subWindowList().constFirst()->widget()->findChild<QAction*>(u"mnuWCascade"_s)->trigger();
        checkPlaces();
        fixture.main->resize(fixture.main->width() * 2 / 3, fixture.main->height() * 2 / 3);
        checkPlaces();

        // The Window menu lists the songs, the active one checked; choosing one brings it up.
        QMenu* menu = fixture.main->activeSong()->findChild<QMenu*>(u"mnuWindow"_s);
        Q_EMIT menu->aboutToShow();
        QStringList listed;
        for (QAction* item : menu->actions()) {
            if (item->objectName().startsWith(u"mnuWSong"))
                listed.append(item->text() + (item->isChecked() ? u" *"_s : QString()));
        }
        QCOMPARE(listed.size(), 8);
        QCOMPARE(listed.constFirst(), u"&1 Untitled:1"_s);
        QCOMPARE(listed.constLast(), u"&8 Untitled:8 *"_s);
        menu->findChild<QAction*>(u"mnuWSong3"_s)->trigger();
        QCOMPARE(fixture.main->activeSong()->caption(), u"Untitled:3"_s);

        // Ctrl+W closes the active song, and only that one.
        QApplication::setActiveWindow(fixture.main.get());
        QTest::keyClick(fixture.main.get(), Qt::Key_W, Qt::ControlModifier);
        QApplication::processEvents();
        QVERIFY(!fixture.main->numbersInUse().contains(3));
        QCOMPARE(fixture.main->numbersInUse().size(), 7);
    }

    void sourceEditorShowsItsNewTitleInTheWindow()
    {
        DesktopFixture fixture;
        frmSong* song = fixture.open("{title: Old}\n{subtitle: Old sub}\nla\n"_ba);
        onNextModal([](QWidget* editor) {
            editor->findChild<QPlainTextEdit*>(u"Texto"_s)->setPlainText(u"{t:New}\n{st:New sub}\nla\n"_s);
            editor->findChild<QPushButton*>(u"bClose"_s)->click();
        });
        song->action(u"mnuVTextFormat"_s)->trigger();
        QCOMPARE(song->findChild<QLineEdit*>(u"tTitle"_s)->text(), u"New"_s);
        QCOMPARE(song->findChild<QLineEdit*>(u"tSubTitle"_s)->text(), u"New sub"_s);
        QCOMPARE(song->song().title, u"New"_s);
    }

    void instrumentButtonsAndToolbar()
    {
        DesktopFixture fixture;
        QTest::mouseClick(fixture.main->findChild<QToolButton*>(u"bPiano"_s), Qt::LeftButton);
        QCOMPARE(fixture.desktop->app.instrument, u"Piano"_s);
        QCOMPARE(lvx::GetSetting(u"Public"_s, u"Instrument"_s, QString()), u"Piano"_s);
        QCOMPARE(fixture.main->findChild<QLabel*>(u"StatusInstrument"_s)->toolTip(), u"Piano"_s);

        auto* toolbar = fixture.main->findChild<QToolBar*>(u"picToolbar"_s);
        fixture.main->activeSong()->action(u"mnuVToolbar"_s)->trigger();
        QVERIFY(!toolbar->isVisible());
        fixture.main->activeSong()->action(u"mnuVToolbar"_s)->trigger();
        QVERIFY(toolbar->isVisible());
    }

    void aboutShowsTheVersion()
    {
        DesktopFixture fixture;
        QString text;
        onNextModal([&text](QWidget* box) {
            text = box->findChild<QLabel*>(u"lVersion"_s)->text();
            box->close();
        });
        fixture.main->about();
        QCOMPARE(text, u" Liravox   version 3.51"_s);
    }
};

LIRAVOX_WIDGETS_TEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
