// The Insert menu's directive lines, and sections made from the selected lines.

#include "editor/ui/frmsong.h"

#include "editor/sections.h"
#include "editor/ui/songwidgets.h"

#include "app/desktopcontext.h"
#include "base/text.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace lvx::editor {

void frmSong::insertDirective(const QString& objectName)
{
    const auto& commands = insertCommands();
    const auto command = std::find_if(commands.begin(), commands.end(),
                                      [&](const InsertCommand& c) { return c.objectName == objectName; });
    if (command == commands.end())
        return;
    clearSelection();
    const int index = std::min(std::max(0, lineIndexOf(m_currentSlot)), int(m_song.lines.size()));
    const int caret = caretOf(m_currentSlot);
    song::SongLine line;
    line.kind = command->kind;
    line.text = command->text;
    if (const QString refusal = markRefusal(m_song.lines, index, line); !refusal.isEmpty()) {
        m_desktop.messages.inform(refusal);
        return;
    }
    BackUpLinea();
    setModified();
    insertLine(m_song.lines, index, line);
    if (!takesTyping(line.kind)) {
        // Typing goes on in the line the caret was on, below the new mark.
        showCaretAt(LinePosition{std::min(index + 1, int(m_song.lines.size()) - 1), caret});
        return;
    }
    PaintPage();
    // The placeholder of an editable line is selected, so typing replaces it.
    if (SongBox* box = slot(m_currentSlot); box && !box->isReadOnly()) {
        focusSlot(m_currentSlot);
        box->selectAll();
    }
}

void frmSong::insertSection(const QString& objectName)
{
    const SectionCommand* command = sectionCommand(objectName);
    const int index = lineIndexOf(m_currentSlot);
    if (!command || index < 0 || !m_editingBody)
        return;
    Lines lines = m_song.lines;
    WholeLines whole{index, index};
    LinePosition caret{index + 1, caretOf(m_currentSlot)};
    if (m_span) {
        whole = wholeLines(lines, *m_span);
        caret = {whole.first + 1, 0};
    } else if (!takesTyping(lines.at(index).kind)) {
        // A line that takes no typing stays out; the section gets a line to type in.
        insertLine(lines, index, song::SongLine{});
        caret = {index + 1, 0};
    }
    if (const QString refusal = wrapRefusal(lines, whole.first, whole.last, command->noun); !refusal.isEmpty()) {
        m_desktop.messages.inform(refusal);
        return;
    }
    QString label;
    if (command->labelled) {
        const bool verse = command->noun == u"verse";
        const std::optional<QString> answer
            = m_desktop.messages.input(verse ? u"Label of the verse:"_s : u"Name of the block:"_s,
                                       verse ? u"Verse"_s : u"Block"_s, verse ? u"Verse"_s : QString());
        if (!answer)
            return;
        label = trimBlanks(*answer);
    }
    BackUpLinea();
    m_span.reset();
    wrapInSection(lines, whole.first, whole.last, sectionMarks(*command, label));
    m_song.lines = std::move(lines);
    setModified();
    showCaretAt(caret);
}

void frmSong::mnuIComment_Click()
{
    insertDirective(u"mnuIComment"_s);
}

void frmSong::mnuISOC_Click()
{
    insertDirective(u"mnuISOC"_s);
}

void frmSong::mnuIEOC_Click()
{
    insertDirective(u"mnuIEOC"_s);
}

void frmSong::mnuISOBlk_Click()
{
    insertDirective(u"mnuISOBlk"_s);
}

void frmSong::mnuIChorus_Click()
{
    insertSection(u"mnuIChorus"_s);
}

} // namespace lvx::editor
