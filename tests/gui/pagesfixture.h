#pragma once

#include "../midi/fakemidisystem.h"

#include "app/desktopcontext.h"
#include "base/messages.h"
#include "song/song.h"

#include <QDir>
#include <QPrinter>
#include <QWidget>
#include <QProcess>
#include <QRegularExpression>
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

// The number of pages of a PDF file (0 when it cannot be read).
inline int pdfPages(const QString& file)
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {file});
    if (!info.waitForFinished(30000))
        return 0;
    const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(QString::fromUtf8(info.readAllStandardOutput()));
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

// The text of one page of a PDF file.
inline QString pdfText(const QString& file, int page)
{
    QProcess text;
    const QString number = QString::number(page);
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-f"), number, QStringLiteral("-l"), number, file, QStringLiteral("-")});
    text.waitForFinished(30000);
    return QString::fromUtf8(text.readAllStandardOutput());
}

// With LIRAVOX_SHOTS naming a folder, keeps a picture of the window there for a
// person to look at.
inline void saveShot(QWidget& window, const QString& name)
{
    const QString folder = qEnvironmentVariable("LIRAVOX_SHOTS");
    if (!folder.isEmpty())
        window.grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}
