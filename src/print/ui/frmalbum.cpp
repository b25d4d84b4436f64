#include "print/ui/frmalbum.h"

#include "app/desktopcontext.h"
#include "base/messages.h"
#include "song/songquestions.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace lvx::print {

namespace {

const QString AlbumFilter = u"Album (*.abm)|*.abm"_s;

QPushButton* button(QWidget* parent, const QString& name, const QString& caption, const QString& tip = {})
{
    auto* result = new QPushButton(caption, parent);
    result->setObjectName(name);
    result->setAutoDefault(false);
    result->setToolTip(tip);
    return result;
}

} // namespace

frmAlbum::frmAlbum(DesktopContext& desktop, const QString& albumFile, QWidget* parent)
    : QDialog(parent), m_desktop(desktop)
{
    setObjectName(u"frmAlbum"_s);
    setWindowTitle(u"Album"_s);
    setModal(true);

    m_list = new QListWidget(this);
    m_list->setObjectName(u"Lista"_s);
    m_list->setMinimumSize(320, 260);

    auto* body = new QHBoxLayout;
    body->addWidget(m_list, 1);
    body->addWidget(createButtons());
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(createBookOptions());
    createMenu();

    m_album.NewAlbum();
    if (!albumFile.isEmpty()) {
        // A file that is no album opens as a new one, so saving never writes over it.
        if (!isAlbumText(albumFile))
            desktop.messages.inform(albumFile + u" is not an album file."_s);
        else if (!m_album.OpenAlbum(albumFile, desktop.messages))
            m_album.NewAlbum();
    }
    showSongs(0);
    m_list->setFocus();
}

frmAlbum::~frmAlbum() = default;

void frmAlbum::createMenu()
{
    auto* bar = new QMenuBar(this);
    QMenu* menu = bar->addMenu(u"&Album"_s);
    menu->setObjectName(u"mnuAlbum"_s);
    const auto add = [this, menu](const QString& name, const QString& caption, QKeySequence keys, auto slot) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, slot);
    };
    add(u"mnuASave"_s, u"&Save"_s, QKeySequence::Save, [this] { SaveAlbum(); });
    add(u"mnuASaveAs"_s, u"Save &as ..."_s, QKeySequence::SaveAs, [this] { SaveAlbumAs(); });
    add(u"mnuAPrint"_s, u"&Print"_s, QKeySequence::Print, &frmAlbum::PrintAlbum);
    menu->addSeparator();
    add(u"mnuAClose"_s, u"&Close Album"_s, QKeySequence(), &frmAlbum::close);
    layout()->setMenuBar(bar);
}

QWidget* frmAlbum::createButtons()
{
    auto* strip = new QWidget(this);
    QPushButton* add = button(strip, u"bAdd"_s, u"Add Song"_s, u"Add a song (Ins)"_s);
    QPushButton* remove = button(strip, u"bDelete"_s, u"Delete Song"_s, u"Remove the selected song (Del)"_s);
    QPushButton* up = button(strip, u"bUp"_s, u"\u25B2"_s, u"Move up (Alt+Up)"_s);
    QPushButton* down = button(strip, u"bDown"_s, u"\u25BC"_s, u"Move down (Alt+Down)"_s);
    QPushButton* print = button(strip, u"bPrint"_s, u"Print Album"_s, u"Print every song as one job (Ctrl+P)"_s);
    up->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Up));
    down->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Down));
    add->setShortcut(QKeySequence(Qt::Key_Insert));
    remove->setShortcut(QKeySequence(Qt::Key_Delete));
    auto* column = new QVBoxLayout(strip);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(add);
    column->addWidget(remove);
    auto* arrows = new QHBoxLayout;
    arrows->addWidget(up);
    arrows->addWidget(down);
    column->addLayout(arrows);
    column->addStretch();
    column->addWidget(print);
    connect(add, &QPushButton::clicked, this, &frmAlbum::addSong);
    connect(remove, &QPushButton::clicked, this, &frmAlbum::deleteSong);
    connect(up, &QPushButton::clicked, this, &frmAlbum::moveUp);
    connect(down, &QPushButton::clicked, this, &frmAlbum::moveDown);
    connect(print, &QPushButton::clicked, this, &frmAlbum::PrintAlbum);
    return strip;
}

// How the book prints, remembered for the next album.
QWidget* frmAlbum::createBookOptions()
{
    auto* row = new QWidget(this);
    m_contents = new QCheckBox(u"Contents page"_s, row);
    m_contents->setObjectName(u"chkContents"_s);
    m_contents->setToolTip(u"Start the book with a list of its songs and their pages"_s);
    m_sorted = new QCheckBox(u"Sorted by title"_s, row);
    m_sorted->setObjectName(u"chkContentsSorted"_s);
    m_sorted->setToolTip(u"List the songs alphabetically instead of in album order"_s);
    m_byArtist = new QCheckBox(u"Contents by artist"_s, row);
    m_byArtist->setObjectName(u"chkContentsByArtist"_s);
    m_byArtist->setToolTip(u"Add a second contents page listing the songs under their artists"_s);
    const BookOptions options = loadBookOptions();
    m_contents->setChecked(options.contents);
    m_sorted->setChecked(options.sortedByTitle);
    m_byArtist->setChecked(options.byArtist);
    m_sorted->setEnabled(options.contents);
    m_byArtist->setEnabled(options.contents);
    const auto save = [this] {
        m_sorted->setEnabled(m_contents->isChecked());
        m_byArtist->setEnabled(m_contents->isChecked());
        saveBookOptions({m_contents->isChecked(), m_sorted->isChecked(), m_byArtist->isChecked(), {}});
    };
    for (QCheckBox* box : {m_contents, m_sorted, m_byArtist})
        connect(box, &QCheckBox::toggled, this, save);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_contents);
    layout->addWidget(m_sorted);
    layout->addWidget(m_byArtist);
    layout->addStretch();
    return row;
}

void frmAlbum::NewAlbum(DesktopContext& desktop, QWidget* parent)
{
    frmAlbum window(desktop, QString(), parent);
    window.exec();
}

void frmAlbum::OpenAlbum(DesktopContext& desktop, const QString& start, QWidget* parent)
{
    const QString path = desktop.messages.openFile(AlbumFilter, start);
    if (path.isEmpty())
        return;
    frmAlbum window(desktop, path, parent);
    window.exec();
}

void frmAlbum::showSongs(int selected)
{
    m_list->clear();
    for (const QString& path : m_album.AlbumFiles) {
        auto* item = new QListWidgetItem(QFileInfo(path).fileName(), m_list);
        item->setToolTip(path);
    }
    if (selected >= 0 && selected < m_list->count())
        m_list->setCurrentRow(selected);
}

int frmAlbum::selectedIndex() const
{
    return m_list->currentRow();
}

void frmAlbum::addSong()
{
    const QString path = m_desktop.messages.openFile(song::songFileFilter(), m_album.AlbumPath);
    if (path.isEmpty())
        return;
    m_album.addSong(path);
    showSongs(int(m_album.AlbumFiles.size()) - 1);
}

void frmAlbum::deleteSong()
{
    if (m_album.AlbumFiles.isEmpty())
        return;
    showSongs(m_album.deleteSong(qMax(0, selectedIndex())));
}

void frmAlbum::moveUp()
{
    const int index = selectedIndex();
    if (m_album.moveUp(index))
        showSongs(index - 1);
}

void frmAlbum::moveDown()
{
    const int index = selectedIndex();
    if (m_album.moveDown(index))
        showSongs(index + 1);
}

bool frmAlbum::SaveAlbum()
{
    if (m_album.AlbumPath.isEmpty())
        return SaveAlbumAs();
    return m_album.SaveAlbum(m_desktop.messages);
}

bool frmAlbum::SaveAlbumAs()
{
    const QString path = m_desktop.messages.saveFile(AlbumFilter, m_album.AlbumPath);
    if (path.isEmpty())
        return false;
    m_album.AlbumPath = path;
    return SaveAlbum();
}

// The choices as they print: sorting and artists only with contents.
BookOptions frmAlbum::bookOptions() const
{
    const bool contents = m_contents->isChecked();
    return {contents, contents && m_sorted->isChecked(), contents && m_byArtist->isChecked(),
            QFileInfo(m_album.AlbumPath).completeBaseName()};
}

void frmAlbum::PrintAlbum()
{
    printAlbumWithDialog(m_desktop, m_album.AlbumFiles, bookOptions(), this, m_choose);
}

bool frmAlbum::mayClose()
{
    if (!m_album.AlbumChanged)
        return true;
    const Answer answer = m_desktop.messages.ask(
        u"The text in ["_s + m_album.AlbumPath + u"] has changed.\r\nDo you want to save the changes?"_s, QString(),
        Buttons::YesNoCancel, Icon::Exclamation);
    if (answer == Answer::Yes)
        return SaveAlbum();
    return answer == Answer::No;
}

// Every way out (Close Album, Escape, the window's close button) passes here.
void frmAlbum::done(int result)
{
    if (mayClose())
        QDialog::done(result);
}

} // namespace lvx::print
