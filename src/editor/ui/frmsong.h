#pragma once

#include "editor/chordkeys.h"
#include "editor/lineediting.h"
#include "editor/linerange.h"
#include "editor/songlayout.h"
#include "editor/songsearch.h"
#include "editor/undohistory.h"

#include "base/fonts.h"
#include "song/song.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>
#include <optional>

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QScrollBar;
class QTimer;
class QToolButton;

namespace lvx {
class DesktopContext;
}

namespace lvx::editor {

class ChordLabel;
class FindBar;
class ScreenMeasure;
class SongBox;
class SongHost;
class frmMenuLinea;

// A song window: the song as a column of line boxes with a chord label over
// every syllable that carries a chord. The window keeps the song's line records
// in step with every keystroke and rebuilds the layout after structural edits.
// Commands the frame's toolbar calls by name are slots.
class frmSong final : public QWidget
{
    Q_OBJECT

public:
    frmSong(DesktopContext& desktop, SongHost* host, QWidget* parent = nullptr);
    ~frmSong() override;
    Q_DISABLE_COPY_MOVE(frmSong)

    song::Song& song() { return m_song; }
    const song::Song& song() const { return m_song; }

    // The window number as decimal text; a window without one is not painted.
    QString tag() const { return m_tag; }
    void setTag(const QString& tag) { m_tag = tag; }
    int number() const { return m_tag.toInt(); }

    QString caption() const { return m_song.caption; }
    void setCaption(const QString& caption);

    // The menus of the window's menu bar, in order; the frame shows them while
    // this window is active.
    const QList<QMenu*>& menus() const { return m_menus; }
    QAction* action(const QString& name) const;
    // Shows the stored recent files in this window's File menu.
    void showRecentFiles(const QStringList& paths);

    // Loading: empties the header boxes, loads CurrentFileName, takes its caption.
    // False when the file could not be read: the window must not stand for it.
    bool Form_Load();
    // Activation: resets the print scale, makes the song's fonts public, and asks
    // once whether a text that is not ChordPro should go to the conversion tools.
    void Form_Activate();
    // Whether the window may close now (asks about unsaved changes).
    bool Form_QueryUnload();
    // The song as a copy kept from an earlier run holds it, with unsaved changes.
    void restoreText(const QString& text);

    // View state
    int TopLine() const { return m_song.TopLine; }
    int LastShownLine() const { return m_lastLayout.LastShownLine; }
    int CurrentSlot() const { return m_currentSlot; }
    bool EditingBody() const { return m_editingBody; }
    int LabelsUsed() const { return int(m_lastLayout.labels.size()); }
    bool undoEnabled() const { return m_history.canUndo(); }
    bool redoEnabled() const { return m_history.canRedo(); }
    // Tests run the history on a clock of their own.
    UndoHistory& undoHistory() { return m_history; }
    // Twips per pixel of the screen.
    double twipsPerPixel() const;

    // Text slot i and chord label i (both from 1).
    SongBox* slot(int index) const;
    ChordLabel* label(int index) const;

    // Editing operations on a text slot.
    void InsertCR(int slotIndex);
    void BackSpace(int slotIndex);
    void Delete(int slotIndex);
    void UpKey(int slotIndex);
    void DownKey(int slotIndex);
    void PageUp();
    void PageDown();
    void DeleteLine(int slotIndex);

    // Chord operations.
    void InsertChord(const QString& name);
    void ModificaTextoAcorde(int lineNumber, int chordIndex, const QString& name);
    void EliminaAcorde(int lineNumber, int chordIndex);
    void LastChordsAdd(const QString& name);
    void BackUpLinea();

    // From the widgets.
    void boxFocused(int slotIndex, Qt::FocusReason reason);
    void boxKeyPress(int slotIndex, QKeyEvent* event, bool& handled);
    void boxTextEdited(int slotIndex, const QString& text);
    // Text typed or composed into a box: the chords shift before the box changes.
    void typeCommitted(int slotIndex, const QString& text, bool& handled);
    void boxRightPressed(int slotIndex, QPoint position);
    void labelPressed(int labelIndex, Qt::MouseButton button, double x);
    void labelReleased(int labelIndex, Qt::MouseButton button, double x);
    // A chord key on a focused label.
    void labelKeyPress(int labelIndex, ChordKey key);
    void headerFocused(QLineEdit* box, Qt::FocusReason reason);
    void tabToHeader(bool forward);
    // Keeps the caret in sight: the line being typed grows its box at once, and
    // the view follows the caret sideways.
    void boxCaretMoved(int slotIndex);
    // Back to the line box with the caret, acting first on a pending chord choice.
    void focusCurrentSlot();
    // The mouse in the line boxes: a Shift+click or a drag into another line
    // selects over lines (true when the window took the event from the box).
    bool boxShiftClicked(int slotIndex, QPoint position);
    void boxPressed(int slotIndex);
    bool boxDragged(int slotIndex, QPoint windowPosition);
    void boxReleased();
    void boxFocusLeaving(int slotIndex);
    // The selection over more than one line, when there is one (within one
    // line the box holds the selection itself).
    std::optional<LineRange> lineSelection() const { return m_span; }
    // After the frame rearranged its windows: the keys back where they were in
    // this window (`had`, when it is the title, the subtitle or the find bar),
    // else to the caret's line.
    void restoreFocus(QWidget* had);

    // What the line menu or chord dialog is to be used for when a box next gets the focus.
    QString PendingChordAction;
    int ActiveLine = 0;    // from 1
    int ActiveChord = 0;   // from 1

public Q_SLOTS:
    void PaintPage();
    void DelayPaintPage(int interval);
    void Transpose(int semitones);
    void TransposeToKey(const QString& key);
    // The song's key as written, when it reads as a key; empty otherwise.
    QString SongKey() const;
    void ReplaceChords(const QString& find, const QString& replacement);

    void mnuFSave_Click();
    void mnuFSaveAs_Click();
    void mnuFExportText_Click();
    void mnuFProperties_Click();
    void mnuFPrint_Click();
    void mnuFPrintPreview_Click();
    void mnuFPageSetup_Click();
    void mnuFPrinterSetup_Click();
    void mnuVPreview_Click();
    void mnuVTextFormat_Click();
    void mnuTSongChords_Click();
    void mnuTGuitar_Click();
    void mnuECut_Click();
    void mnuECopy_Click();
    void mnuEPaste_Click();
    void mnuEUndo_Click();
    void mnuERedo_Click();
    void mnuEDelete_Click();
    void mnuESelectAll_Click();
    void mnuEDeleteLine_Click();
    void mnuETranspose_Click();
    void mnuEReplace_Click();
    // Find: the bar at the window's foot, and the match after or before the caret.
    void mnuEFind_Click();
    void mnuEFindNext_Click();
    void mnuEFindPrevious_Click();
    void mnuIChord_Click();
    void mnuIComment_Click();
    void mnuISOC_Click();
    void mnuIEOC_Click();
    void mnuISOBlk_Click();
    void insertDirective(const QString& objectName);
    // The selected lines (or the caret's line) made a section of the command's kind.
    void insertSection(const QString& objectName);
    void mnuIChorus_Click();
    void mnuVToolbar_Click();
    void cLogRep_Click();
    // The toolbar hands the keyboard back to the song after its commands.
    void SetFocus() { focusCurrentSlot(); }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    DesktopContext& m_desktop;
    SongHost* m_host;
    song::Song m_song;
    QString m_tag;
    int m_recoveryId = 0;   // the song's number with the recovery copies

    QLineEdit* tTitle = nullptr;
    QLineEdit* tSubTitle = nullptr;
    QLabel* lFacts = nullptr;       // artist, key, capo... under the subtitle
    QFrame* Line1 = nullptr;
    QScrollBar* VS = nullptr;
    QScrollBar* HS = nullptr;   // shown when a line is wider than the window
    QTimer* Timer = nullptr;
    FindBar* m_findBar = nullptr;
    QLineEdit* m_findFrom = nullptr;   // the header box Find was opened from (when the caret was not in the lines)
    QList<SongBox*> T;         // T[0] parks the focus while the boxes are rearranged
    QList<ChordLabel*> L;      // L[0] is never shown
    QList<QFrame*> Ln;         // Ln[0] is never shown
    QList<QMenu*> m_menus;
    QList<QAction*> m_recentActions;
    QAction* m_undoAction = nullptr;
    QAction* m_redoAction = nullptr;
    QPointer<frmMenuLinea> m_lineMenu;
    QToolButton* m_logRep = nullptr;
    SongLayout m_lastLayout;    // the layout the last paint placed
    // Screen metrics by font, kept from paint to paint: a repaint measures the
    // same few fonts again and again.
    std::unique_ptr<ScreenMeasure> m_measure;
    const ScreenMeasure& measure();

    int m_currentSlot = 0;
    bool m_editingBody = true;
    bool m_painting = false;    // focus moves made by a repaint are not the user's
    double m_dragStart = 0;
    int m_hOffset = 0;          // pixels the lines are scrolled to the left
    bool m_followCaret = true;  // a paint scrolls sideways to the caret, unless a scroll bar made it
    // The chord whose label keeps the focus through the repaints a chord key makes.
    std::optional<ChordRef> m_chordFocus;
    UndoHistory m_history;
    std::optional<LineRange> m_span;            // a selection over lines
    std::optional<LinePosition> m_dragAnchor;   // where a drag with the mouse started
    // Where the selection of the box the focus just left started: a Shift+click
    // into another box extends it, though the click took the focus first.
    struct LeftAnchor
    {
        int slot = 0;
        LinePosition at;
        bool fresh = false;   // the focus came to another box by a click just now
    } m_leftAnchor;
    // Find: where the search as typed starts, and the match shown (its chord's label is marked).
    LinePosition m_findStart;
    std::optional<SearchHit> m_found;

    // Where the next paint puts the caret, when not simply in the box that had it.
    struct CaretRequest
    {
        bool set = false;       // without a request, a paint keeps the caret's line in sight
        int line = -1;          // on this line (0-based) while the line is shown,
        int offset = -1;        // at this offset,
        int x = -1;             // or at this x (window pixels) in whichever box gets it
        bool keepSelection = false;   // a caret left in its box keeps what is selected
    } m_caretRequest;

    // construction
    void createHeader();
    void createScrollBars();
    void ensureSlots(qsizetype boxes, qsizetype strokes);
    void createMenus();
    QMenu* createFileMenu();
    QMenu* createAlbumMenu();
    QMenu* createEditMenu();
    QMenu* createInsertMenu();
    QMenu* createViewMenu();
    QMenu* createToolsMenu();
    QMenu* createWindowMenu();
    QMenu* createHelpMenu();
    QAction* addAction(QMenu* menu, const QString& name, const QString& caption, void (frmSong::*slot)());

    // painting
    void placeHeader(const SongLayout& layout);
    void placeBoxes(const SongLayout& layout);
    void placeLabels(const SongLayout& layout);
    void placeConnectors(const SongLayout& layout);
    SongLayout layOutView();
    void fitCaretSlot(const SongLayout& layout, int slotBefore, int lineBefore);
    void parkFocus(qsizetype boxesShown);
    void fitHorizontalScroll(const SongLayout& layout);
    int viewWidth(const SongLayout& layout) const;   // pixels left of the scroll bar
    int viewHeight() const;                         // pixels above the find bar
    int caretX() const;                             // window pixels; -1 when no box shows the caret
    // Scrolls to a top line: the keys keep the caret's box, the wheel and the
    // scroll bar keep the caret's line while it is in sight.
    void scrollTo(int topLine, bool keepLine);
    void Form_Resize();
    int toPixels(double twips) const;
    bool isActiveSong() const;
    int slotOfLine(int lineIndex) const;       // the slot showing the line, 0 when none

    // editing helpers
    int lineIndexOf(int slotIndex) const;      // 0-based, -1 when the slot shows nothing
    int caretOf(int slotIndex) const;
    void focusSlot(int slotIndex, int caret = -1);
    // The focus to the box, or to the label of m_chordFocus while a chord key works on it.
    void takeFocus(SongBox* box);
    void focusAtX(int slotIndex, int x);
    // The caret to a line and offset, scrolling the line into view.
    void showCaretAt(LinePosition position);
    void setModified();
    void refreshModified();
    // A key typed into a line that takes no typing: the status bar says why.
    void refuseTyping(int lineIndex);
    // The title or subtitle box's text into the song.
    void takeHeaderText(QLineEdit* box);
    // undo
    SongState currentState() const;
    void restoreState(const SongState& state);
    void updateUndoActions();
    // Records `before` as a step when the song differs from it.
    void recordIfChanged(const SongState& before);
    // A keystroke that changes text: recorded for undo as part of a run of typing.
    void recordTyping(int target, int position, int removed, const QString& inserted);
    void headerEdited(QLineEdit* box);
    // selections over lines (frmsongselect.cpp)
    bool selectionKey(QKeyEvent* event);
    bool spanKey(QKeyEvent* event, const QString& typed);
    LinePosition caretPosition() const;
    LinePosition selectionAnchor() const;
    LinePosition songStart() const;
    LinePosition songEnd() const;
    void selectTo(LinePosition anchor, LinePosition caret);
    void showSelection();
    void clearSelection();
    SongBox* boxAtY(int y) const;
    // The selection over lines replaced by `typed` (nothing: deleted) as one undo step.
    void deleteSelection(const QString& typed);
    void putOnClipboard(const Lines& clip);
    void pasteRecords(const Lines& clip);
    void completePendingAction();
    void openChordDialog(const QString& labelText);
    void playChord(const QString& name);
    void dragChord(int labelIndex, double x);
    void openLineMenu(int slotIndex, int caret, QPoint globalPosition);
    // chords from the keyboard
    void focusChordFromCaret(int slotIndex, bool forward);
    void focusChord(ChordRef chord);
    void stepChordKey(ChordRef chord, int delta);
    void editChordKey(ChordRef chord);
    void removeChordKey(ChordRef chord);
    int caretAtChord(ChordRef chord) const;   // the chord's character, at most the line's end
    QLineEdit* headerBox() const;   // the title or subtitle box with the focus
    void deleteInHeader(QLineEdit* box);
    // find
    void createFindBar();
    void showFindBar();
    void closeFindBar();
    // Where a search starts: the caret, or the first line shown when no line has it.
    LinePosition searchOrigin() const;
    void find(LinePosition from, bool backwards);
    void findAgain(bool backwards);
    void showFound(const SearchHit& hit);
    // Whether a paint or a move of the caret may give the keys to a line box.
    bool keysToLines() const;
};

} // namespace lvx::editor
