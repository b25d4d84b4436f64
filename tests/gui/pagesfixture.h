#pragma once

#include "../midi/fakemidisystem.h"

#include "app/desktopcontext.h"
#include "base/messages.h"
#include "song/song.h"

#include <QDir>
#include <QPrinter>
#include <QWidget>
#include <QProcess>
#include <QTemporaryDir>

#include <memory>

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
