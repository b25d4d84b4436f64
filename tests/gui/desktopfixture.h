#pragma once

#include "../midi/fakemidisystem.h"

#include "app/desktopcontext.h"
#include "app/frmmain.h"
#include "base/messages.h"
#include "editor/ui/frmsong.h"
#include "editor/ui/songwidgets.h"
#include "song/song.h"

#include "controls.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The program as a user meets it: the frame with its song windows, a MIDI
// output that records what it is sent, and every message box answered from a
// script and kept.
struct DesktopFixture
{
    lvx::RecordingMessages messages;
    FakeMidiSystem* midiSystem = nullptr;
    std::unique_ptr<lvx::DesktopContext> desktop;
    std::unique_ptr<lvx::frmMain> main;
    QTemporaryDir folder;

    // `startFile`: the song named on the command line.
    explicit DesktopFixture(const QString& startFile = {})
    {
        auto system = std::make_unique<FakeMidiSystem>();
        system->names = {QStringLiteral("Test Port")};
        midiSystem = system.get();
        desktop = std::make_unique<lvx::DesktopContext>(messages, std::move(system));
        desktop->app.midiDevice = 0;
        desktop->midi.open(0);
        desktop->clearClipLine();
        main = std::make_unique<lvx::frmMain>(*desktop);
        main->resize(1000, 800);
        main->show();
        desktop->app.CurrentFileName = startFile;
        main->Form_Load();
        QApplication::processEvents();
    }

    ~DesktopFixture()
    {
        // Close without questions: a test that leaves changes behind is done with them.
        for (QMdiSubWindow* window : main->mdiArea()->subWindowList()) {
            if (auto* song = qobject_cast<lvx::editor::frmSong*>(window->widget()))
                song->song().Modificada = false;
        }
        main->mdiArea()->closeAllSubWindows();
    }

    // A song file in the test's folder.
    QString writeSong(const QString& name, const QByteArray& text)
    {
        const QString path = QDir(folder.path()).filePath(name);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(text);
        return path;
    }

    // Opens the text as a song and returns its window, painted and active.
    lvx::editor::frmSong* open(const QByteArray& text, const QString& name = QStringLiteral("song.cho"))
    {
        main->openSong(writeSong(name, text));
        QApplication::processEvents();
        return main->activeSong();
    }

    void clearMidi() const { midiSystem->lastPort->recorder.clear(); }

    QStringList noteOns() const
    {
        QStringList notes;
        if (!midiSystem->lastPort)
            return notes;
        for (const auto& message : midiSystem->lastPort->recorder.log().messages()) {
            if ((message.status() & 0xf0) == 0x90 && message.data2() > 0)
                notes.append(QString::number(message.data1()));
        }
        return notes;
    }
};

// A desktop with one song and no frame around it: the print windows need only
// the song they show and what all windows share.
struct PagesFixture
{
    lvx::RecordingMessages messages;
    lvx::DesktopContext desktop{messages, std::make_unique<FakeMidiSystem>()};
    lvx::song::Song song{desktop.context};
    QTemporaryDir folder;

    explicit PagesFixture(const QString& text = {})
    {
        song.LoadFile();
        song.StringToLinesRec(text);
        song.Modificada = false;
        messages.clear();   // the note that the new-song setup was written
    }

    QString path(const QString& name) const { return folder.filePath(name); }

    // Prints into a PDF file of the test's folder instead of asking.
    std::function<bool(QPrinter&, QWidget*)> toPdf(const QString& name) const
    {
        const QString file = path(name);
        return [file](QPrinter& printer, QWidget*) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(file);
            return true;
        };
    }
};

// A song long enough for several printed pages.
inline QString longSong(int lines)
{
    QString text = QStringLiteral("{t:Long Song}\r\n");
    for (int i = 0; i < lines; ++i)
        text += QStringLiteral("[C]line [G7]number [Am]") + QString::number(i) + QStringLiteral("\r\n");
    return text;
}

// The text of each page of a PDF file (none when it cannot be read).
inline QStringList pdfPageTexts(const QString& file)
{
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
    text.waitForFinished(30000);
    QStringList pages = QString::fromUtf8(text.readAllStandardOutput()).split(QLatin1Char('\f'));
    pages.removeLast();   // after the last page's form feed
    return pages;
}

using lvx::test::onNextModal;

inline lvx::editor::SongBox* box(lvx::editor::frmSong* song, int slot)
{
    return song->findChild<lvx::editor::SongBox*>(QStringLiteral("T") + QString::number(slot));
}

// Puts the caret into a line's box, the box having the focus.
inline void focusBox(lvx::editor::frmSong* song, int slot, int caret)
{
    auto* target = box(song, slot);
    target->setFocus();
    target->setCursorPosition(caret);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(target));
}

inline QString lineText(const lvx::editor::frmSong* song, int lineNumber)
{
    return lvx::song::lyricWithChords(song->song().lines.at(lineNumber - 1));
}
