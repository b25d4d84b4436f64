// Find: the search bar at the window's foot. findInSong does the searching;
// this file shows where it leads, with the match selected in its line box or
// its chord label marked, and keeps the keys where the user is typing.

#include "editor/ui/frmsong.h"

#include "editor/ui/findbar.h"
#include "editor/ui/songwidgets.h"

#include "app/desktopcontext.h"

#include <QApplication>

using namespace Qt::StringLiterals;

namespace lvx::editor {

void frmSong::createFindBar()
{
    m_findBar = new FindBar(this);
    m_findBar->hide();
    m_findFrom = tTitle;
    // Typing searches from where the search started, so each letter narrows the match in place.
    connect(m_findBar, &FindBar::searchChanged, this, [this] { find(m_findStart, false); });
    connect(m_findBar, &FindBar::next, this, &frmSong::mnuEFindNext_Click);
    connect(m_findBar, &FindBar::previous, this, &frmSong::mnuEFindPrevious_Click);
    connect(m_findBar, &FindBar::closing, this, &frmSong::closeFindBar);
}

bool frmSong::keysToLines() const
{
    return m_editingBody && isActiveSong() && !(m_findBar && m_findBar->hasKeys());
}

int frmSong::viewHeight() const
{
    return height() - (m_findBar && m_findBar->isVisibleTo(this) ? m_findBar->sizeHint().height() : 0);
}

LinePosition frmSong::searchOrigin() const
{
    const int line = lineIndexOf(m_currentSlot);
    return line < 0 ? LinePosition{m_song.TopLine - 1, 0} : LinePosition{line, caretOf(m_currentSlot)};
}

void frmSong::mnuEFind_Click()
{
    // Words selected in a line are what the user is after.
    const SongBox* box = slot(m_currentSlot);
    const QString words = m_editingBody && m_currentSlot >= 1 && box ? box->selectedText() : QString();
    if (!m_findBar->hasKeys())
        m_findFrom = headerBox();
    m_findStart = searchOrigin();
    showFindBar();
    m_findBar->showStatus(QString());
    // The keys first: the line losing them would let go of the match found.
    m_findBar->focusText();
    if (!words.isEmpty()) {
        m_findBar->setText(words);
        m_findBar->focusText();
    }
}

void frmSong::mnuEFindNext_Click()
{
    findAgain(false);
}

void frmSong::mnuEFindPrevious_Click()
{
    findAgain(true);
}

void frmSong::findAgain(bool backwards)
{
    if (m_findBar->text().isEmpty()) {
        mnuEFind_Click();
        return;
    }
    showFindBar();
    LinePosition from = searchOrigin();
    // From the match shown, the next one is further on.
    if (!backwards && m_found && m_found->lineIndex == from.lineIndex && m_found->offset == from.offset)
        ++from.offset;
    find(from, backwards);
    if (m_found)
        m_findStart = LinePosition{m_found->lineIndex, m_found->offset};
}

void frmSong::find(LinePosition from, bool backwards)
{
    // The match shown before lets go of its selection, wherever its box is now.
    for (qsizetype i = 1; i < T.size(); ++i) {
        if (!T.at(i)->hasFocus() && T.at(i)->hasSelectedText())
            T.at(i)->deselect();
    }
    const SongSearch search{m_findBar->text(), m_findBar->chords(), m_desktop.app.lettersNotation()};
    m_found = findInSong(m_song.lines, search, from, backwards);
    if (!m_found) {
        if (search.text.isEmpty())
            m_findBar->showStatus(QString());
        else
            m_findBar->showNotFound();
        PaintPage();
        return;
    }
    m_findBar->showStatus(!m_found->wrapped ? QString()
                          : backwards       ? u"Searched from the bottom"_s
                                            : u"Searched from the top"_s);
    showFound(*m_found);
}

void frmSong::showFound(const SearchHit& hit)
{
    m_editingBody = true;
    showCaretAt(LinePosition{hit.lineIndex, hit.offset});
    const int shown = slotOfLine(hit.lineIndex);
    if (hit.chordIndex < 0 && shown > 0)
        T[shown]->setSelection(hit.offset, hit.length);
}

void frmSong::showFindBar()
{
    if (m_findBar->isVisibleTo(this))
        return;
    m_findBar->show();
    // The lines make room for the bar.
    Form_Resize();
}

void frmSong::closeFindBar()
{
    if (!m_findBar->isVisibleTo(this))
        return;
    const bool hadKeys = m_findBar->hasKeys();
    // Qt would hand the keys of a hidden bar to the next control in line.
    if (hadKeys)
        QApplication::focusWidget()->clearFocus();
    m_findBar->hide();
    Form_Resize();
    // The keys go back to the caret, at the match the search came to, or to
    // the title or subtitle when the search started there and found nothing.
    if (!hadKeys)
        return;
    if (m_editingBody)
        focusCurrentSlot();
    else
        m_findFrom->setFocus(Qt::OtherFocusReason);
}

} // namespace lvx::editor
