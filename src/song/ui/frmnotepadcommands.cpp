// What the source editor's menu items and buttons do. The conversions themselves
// are text functions of the song library; here they meet the box's selection.

#include "song/ui/frmnotepad.h"

#include "song/sourceconversions.h"

#include "app/desktopcontext.h"
#include "base/messages.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace lvx::song {

namespace {

// The box holds each line as a paragraph of its own, so every line end reaches it
// as one LF; a CR left in would show as a stray character instead.
QString boxLineEnds(const QString& text)
{
    return lfToCrLf(text).replace(u"\r\n"_s, u"\n"_s);
}

QString fromParagraphs(QString text)
{
    return text.replace(QChar::ParagraphSeparator, u'\n');
}

} // namespace

// -- helpers

// The print, font and margin directives stay out of the text, so they survive
// whatever happens to it. The box starts with no history: there is nothing to undo.
void frmNotePad::load()
{
    m_text->setPlainText(boxLineEnds(sourceText(m_song)));
    m_loaded = boxText();
    m_undo->setEnabled(false);
    m_redo->setEnabled(false);
}

// The raw text: the plain-text conversion would turn no-break spaces into blanks.
QString frmNotePad::boxText() const
{
    return fromParagraphs(m_text->document()->toRawText());
}

QString frmNotePad::selectedText() const
{
    return fromParagraphs(m_text->textCursor().selectedText());
}

void frmNotePad::replaceAll(const QString& text)
{
    const QString shown = boxLineEnds(text);
    if (shown == boxText())
        return;   // no step to undo that changes nothing
    const int caret = m_text->textCursor().selectionStart();
    const int scrolled = m_text->verticalScrollBar()->value();
    QTextCursor cursor(m_text->document());
    cursor.select(QTextCursor::Document);
    cursor.insertText(shown);
    cursor.setPosition(std::clamp(caret, 0, m_text->document()->characterCount() - 1));
    m_text->setTextCursor(cursor);
    m_text->verticalScrollBar()->setValue(scrolled);
}

void frmNotePad::replaceSelection(const QString& text, bool selectResult)
{
    const QString shown = boxLineEnds(text);
    QTextCursor cursor = m_text->textCursor();
    const int start = cursor.selectionStart();
    cursor.insertText(shown);
    if (selectResult) {
        cursor.setPosition(start);
        cursor.setPosition(start + int(shown.size()), QTextCursor::KeepAnchor);
    }
    m_text->setTextCursor(cursor);
    m_text->setFocus();
}

void frmNotePad::convertSelection(QString (*convert)(const QString&), bool selectResult)
{
    const QString selection = selectedText();
    if (selection.isEmpty())
        return;
    replaceSelection(convert(selection), selectResult);
}

void frmNotePad::wrapSelection(QStringView directive)
{
    replaceSelection(wrapInDirective(directive, selectedText()));
}

void frmNotePad::insertDirectiveLine(QStringView directive)
{
    replaceSelection(directiveLine(directive));
}

// -- Edit

void frmNotePad::undoCommand()
{
    m_text->undo();
    m_text->setFocus();
}

void frmNotePad::redoCommand()
{
    m_text->redo();
    m_text->setFocus();
}

void frmNotePad::cutCommand()
{
    m_text->cut();
}

void frmNotePad::copyCommand()
{
    m_text->copy();
}

// Through the editor's own line ends: a clipboard with CR LF or lone CRs gives
// the same lines as one with LFs.
void frmNotePad::pasteCommand()
{
    replaceSelection(QGuiApplication::clipboard()->text());
}

void frmNotePad::deleteCommand()
{
    QTextCursor cursor = m_text->textCursor();
    if (cursor.selectionStart() >= m_text->document()->characterCount() - 1)
        return;
    // A line end is one paragraph break in the box, so it goes as a whole.
    if (!cursor.hasSelection())
        cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    m_text->setTextCursor(cursor);
}

void frmNotePad::selectAllCommand()
{
    m_text->selectAll();
    m_text->setFocus();
}

// -- Format and Convert

void frmNotePad::filterCommand()
{
    const QString chars = m_desktop.messages.input(u"Input Chars to Filter"_s, u"Filter"_s).value_or(QString());
    replaceSelection(filterChars(selectedText(), chars));
}

void frmNotePad::indentRightCommand()
{
    convertSelection(indentRight, true);
}

void frmNotePad::indentLeftCommand()
{
    convertSelection(indentLeft, true);
}

void frmNotePad::mergeCommand()
{
    convertSelection(mergeChordLines, false);
}

void frmNotePad::lfToCrLfCommand()
{
    replaceAll(lfToCrLf(boxText()));
}

void frmNotePad::doToCCommand()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString converted = ConvertSolfegeChords(boxText(), m_desktop.messages);
    QApplication::restoreOverrideCursor();
    replaceAll(converted);
}

// -- Directives

void frmNotePad::titleCommand()
{
    wrapSelection(u"t");
}

void frmNotePad::subTitleCommand()
{
    wrapSelection(u"st");
}

void frmNotePad::commentCommand()
{
    wrapSelection(u"c");
}

void frmNotePad::commentItalicCommand()
{
    wrapSelection(u"ci");
}

void frmNotePad::startOfTabCommand()
{
    insertDirectiveLine(u"sot");
}

void frmNotePad::endOfTabCommand()
{
    insertDirectiveLine(u"eot");
}

void frmNotePad::startOfChorusCommand()
{
    insertDirectiveLine(u"soc");
}

void frmNotePad::endOfChorusCommand()
{
    insertDirectiveLine(u"eoc");
}

void frmNotePad::startOfBridgeCommand()
{
    insertDirectiveLine(u"sob");
}

void frmNotePad::endOfBridgeCommand()
{
    insertDirectiveLine(u"eob");
}

// The item does nothing here: a page break goes in through the song window's
// Insert menu, where it becomes a line of its own.
void frmNotePad::newPageCommand()
{
}

} // namespace lvx::song
