#include "editor/ui/frmsong.h"

#include "editor/ui/frmmenulinea.h"
#include "editor/ui/hostmenus.h"
#include "editor/ui/songhost.h"
#include "editor/ui/songwidgets.h"

#include "app/desktopcontext.h"
#include "base/recoveryfiles.h"
#include "music/ui/frmchorddef.h"
#include "music/ui/frmchordlist.h"
#include "song/ui/frmnotepad.h"
#include "song/songquestions.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace lvx::editor {

frmSong::frmSong(DesktopContext& desktop, SongHost* host, QWidget* parent)
    : QWidget(parent), m_desktop(desktop), m_host(host), m_song(desktop.context)
{
    setObjectName(u"frmSong"_s);
    setAutoFillBackground(true);
    QPalette page = palette();
    page.setColor(QPalette::Window, Qt::white);
    page.setColor(QPalette::Base, Qt::white);
    setPalette(page);
    setMinimumSize(320, 200);

    createHeader();
    // T(0) is the box that takes the focus while the slots are rearranged.
    T.append(new SongBox(this, 0, this));
    T[0]->setGeometry(-100, -100, 10, 10);
    L.append(nullptr);
    Ln.append(nullptr);
    createFindBar();

    Timer = new QTimer(this);
    Timer->setObjectName(u"Timer"_s);
    Timer->setSingleShot(true);
    connect(Timer, &QTimer::timeout, this, [this] {
        Timer->setInterval(0);
        PaintPage();
    });

    createMenus();
    // Unsaved changes are copied aside a few seconds after the last one.
    if (RecoveryFiles* recovery = m_desktop.recovery) {
        m_recoveryId = recovery->add([this] {
            return RecoveryFiles::Snapshot{m_song.caption.startsWith(u"Untitled") ? QString() : m_song.caption,
                                           m_song.LinesToString()};
        });
    }
}

frmSong::~frmSong()
{
    if (m_desktop.recovery)
        m_desktop.recovery->remove(m_recoveryId);
}

void frmSong::createHeader()
{
    auto* title = new HeaderBox(this, this);
    title->setObjectName(u"tTitle"_s);
    tTitle = title;
    auto* subtitle = new HeaderBox(this, this);
    subtitle->setObjectName(u"tSubTitle"_s);
    tSubTitle = subtitle;
    // The song's title and subtitle follow every edit of their boxes.
    for (QLineEdit* box : {tTitle, tSubTitle})
        connect(box, &QLineEdit::textEdited, this, [this, box] { headerEdited(box); });

    lFacts = new QLabel(this);
    lFacts->setObjectName(u"lFacts"_s);
    lFacts->setTextFormat(Qt::PlainText);
    lFacts->setAlignment(Qt::AlignCenter);
    lFacts->hide();

    Line1 = new QFrame(this);
    Line1->setObjectName(u"Line1"_s);
    Line1->setFrameShape(QFrame::HLine);
    Line1->setStyleSheet(u"color: #9aa5b8;"_s);

    m_logRep = new QToolButton(this);
    m_logRep->setObjectName(u"cLogRep"_s);
    m_logRep->setText(u"Log Rep"_s);
    m_logRep->setAutoRaise(true);
    // Tab goes from the subtitle back to the lyrics, not to this button.
    m_logRep->setFocusPolicy(Qt::NoFocus);
    m_logRep->setStyleSheet(u"color: #7b8598; font-size: 8pt;"_s);
    m_logRep->adjustSize();
    connect(m_logRep, &QToolButton::clicked, this, &frmSong::cLogRep_Click);
    createScrollBars();
}

void frmSong::createScrollBars()
{
    VS = new QScrollBar(Qt::Vertical, this);
    VS->setObjectName(u"VS"_s);
    VS->setMinimum(1);
    VS->setMaximum(1);
    VS->setSingleStep(1);
    VS->hide();
    // Dragging the bar or turning the wheel leaves the caret on its line while it stays in sight.
    connect(VS, &QScrollBar::valueChanged, this, [this](int value) { scrollTo(value, true); });

    HS = new QScrollBar(Qt::Horizontal, this);
    HS->setObjectName(u"HS"_s);
    HS->setRange(0, 0);
    HS->hide();
    connect(HS, &QScrollBar::valueChanged, this, [this](int value) {
        if (value != m_hOffset) {
            m_hOffset = value;
            const QScopedValueRollback follow(m_followCaret, false);
            PaintPage();
        }
    });
}

void frmSong::setCaption(const QString& caption)
{
    m_song.caption = caption;
    setWindowTitle(caption + u"[*]"_s);
}

QAction* frmSong::action(const QString& name) const
{
    return findChild<QAction*>(name);
}

void frmSong::showRecentFiles(const QStringList& paths)
{
    showRecentFileItems(m_recentActions, paths);
}

bool frmSong::Form_Load()
{
    tTitle->clear();
    tSubTitle->clear();
    if (!m_song.LoadFile())
        return false;
    if (!m_desktop.app.CurrentFileName.isEmpty())
        setCaption(m_desktop.app.CurrentFileName);
    tTitle->setText(m_song.title);
    tSubTitle->setText(m_song.subtitle);
    m_song.markSaved();
    setWindowModified(false);
    // A song opens with the caret at the start of its first line shown: its
    // facts, which may come first, have no box.
    const auto& lines = m_song.lines;
    const auto first = std::find_if(lines.cbegin(), lines.cend(), [](const song::SongLine& line) { return !line.metadata; });
    m_currentSlot = 1;
    m_caretRequest = CaretRequest{true, first == lines.cend() ? 0 : int(first - lines.cbegin()), 0, -1};
    return true;
}

void frmSong::restoreFocus(QWidget* had)
{
    // A line box may show another line by now: the caret's own box takes the keys.
    if (had && isAncestorOf(had) && had->isVisible() && !qobject_cast<SongBox*>(had)) {
        had->setFocus(Qt::OtherFocusReason);
        return;
    }
    focusCurrentSlot();
}

void frmSong::Form_Activate()
{
    m_song.FontsToPublic();
    // A window the frame activates gets the caret back where the user left it.
    if (m_editingBody)
        focusCurrentSlot();
    if (song::askConvertToChordPro(m_song))
        mnuVTextFormat_Click();
}

bool frmSong::Form_QueryUnload()
{
    const QString mainCaption = m_host ? m_host->caption() : u"Liravox"_s;
    return song::queryUnload(m_song, mainCaption) == song::CloseDecision::Close;
}

void frmSong::closeEvent(QCloseEvent* event)
{
    if (!Form_QueryUnload()) {
        event->ignore();
        return;
    }
    if (m_lineMenu)
        m_lineMenu->close();
    event->accept();
    if (m_host)
        m_host->songClosed(this);
}

void frmSong::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Form_Resize();
}

void frmSong::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmSong::setModified()
{
    // An edit moves the lines a selection over them named.
    clearSelection();
    m_song.Modificada = true;
    // A match found before the change may stand elsewhere now.
    m_found.reset();
    refreshModified();
}

void frmSong::refreshModified()
{
    setWindowModified(m_song.Modificada);
    if (RecoveryFiles* recovery = m_desktop.recovery)
        m_song.Modificada ? recovery->changed(m_recoveryId) : recovery->clean(m_recoveryId);
}

void frmSong::restoreText(const QString& text)
{
    // The copy holds every song-wide value the writer writes; a missing title
    // in it means the song had none.
    m_song.title.clear();
    m_song.subtitle.clear();
    m_song.StringToLinesRec(text);
    tTitle->setText(m_song.title);
    tSubTitle->setText(m_song.subtitle);
    setModified();
    PaintPage();
}

void frmSong::mnuVTextFormat_Click()
{
    clearSelection();
    const SongState before = currentState();
    song::frmNotePad editor(m_desktop, m_song, this);
    if (editor.exec() == QDialog::Accepted || m_song.Modificada) {
        // The text may have named a new title and subtitle: the boxes show them.
        tTitle->setText(m_song.title);
        tSubTitle->setText(m_song.subtitle);
        recordIfChanged(before);
        refreshModified();
        PaintPage();
    }
}

void frmSong::mnuTSongChords_Click()
{
    music::frmChordList list(m_desktop, m_song, u"Song Custom Guitar Chord Dictionary"_s, this);
    list.exec();
    refreshModified();
}

void frmSong::mnuTGuitar_Click()
{
    m_desktop.music.activeChordDef = {};
    music::frmChordDef search(m_desktop, nullptr, this);
    search.exec();
}

void frmSong::cLogRep_Click()
{
    m_desktop.messages.inform(m_desktop.app.timers.TimerReport());
}

void frmSong::mnuVToolbar_Click()
{
    if (m_host)
        m_host->toggleToolbar();
}

} // namespace lvx::editor
