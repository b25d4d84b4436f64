// Saving and printing the song window's song.

#include "editor/ui/frmsong.h"

#include "editor/ui/songhost.h"

#include "app/desktopcontext.h"
#include "print/ui/frmpagesetup.h"
#include "print/ui/frmpreview.h"
#include "print/ui/frmprintpreview.h"
#include "print/ui/printdialogs.h"
#include "song/chordsheet.h"
#include "song/songquestions.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace lvx::editor {

void frmSong::mnuFSave_Click()
{
    const bool untitled = m_song.caption.startsWith(u"Untitled");
    if (m_song.SaveSongFile()) {
        setCaption(m_song.caption);
        if (untitled && m_host)
            m_host->addRecentFile(m_song.caption);
    }
    refreshModified();
}

void frmSong::mnuFSaveAs_Click()
{
    // A new song is offered in the current folder, which follows the songs opened and saved.
    const QString suggested = m_song.caption.left(8) == u"Untitled" ? u"Untitled.lvx"_s : m_song.caption;
    const QString name = m_desktop.messages.saveFile(song::songFileFilter(), suggested);
    if (name.isEmpty())
        return;
    if (m_song.SaveSongFileAs(name)) {
        setCaption(name);
        if (m_host)
            m_host->addRecentFile(name);
    }
    refreshModified();
}

void frmSong::mnuFExportText_Click()
{
    // Beside the song, under its name; an untitled song in the current folder, as Save As offers it.
    const QFileInfo source(m_song.caption);
    const QString suggested = m_song.caption.startsWith(u"Untitled")
        ? u"Untitled.txt"_s
        : source.dir().filePath(source.completeBaseName() + u".txt"_s);
    const QString name = m_desktop.messages.saveFile(u"Text Files (*.txt)|*.txt|All Files (*.*)|*.*"_s, suggested);
    if (name.isEmpty())
        return;
    QString text = song::chordSheetText(m_song).text;
    text.chop(2);   // the writer ends the last line itself
    song::TextEncoding encoding = song::TextEncoding::Utf8;
    song::WriteTextFile(name, text, encoding, m_desktop.messages);
}

void frmSong::mnuFPrint_Click()
{
    print::printSongWithDialog(m_desktop, m_song, this);
}

void frmSong::mnuFPrintPreview_Click()
{
    print::frmPrintPreview::PrintPreviewSong(m_desktop, m_song, this);
}

void frmSong::mnuVPreview_Click()
{
    print::frmPreview* preview = print::frmPreview::showPreview(m_desktop, m_song, this);
    preview->setShowChordTypes([host = m_host] {
        if (host)
            host->chordTypes();
    });
}

void frmSong::mnuFPageSetup_Click()
{
    print::frmPageSetup dialog(m_desktop, m_song, this);
    dialog.exec();
    refreshModified();
}

void frmSong::mnuFPrinterSetup_Click()
{
    print::printerSetup(m_desktop, m_song, this);
}

} // namespace lvx::editor
