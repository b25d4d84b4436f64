// Chord labels: a click sounds the chord, a drag moves it to another character,
// a right click edits it in the chord dialog; a right click on a line offers the
// chords used last.

#include "editor/ui/frmsong.h"

#include "editor/ui/frmmenulinea.h"
#include "editor/ui/songwidgets.h"

#include "app/desktopcontext.h"
#include "midi/chordplayer.h"
#include "midi/playbacknotes.h"
#include "music/chordsymbol.h"
#include "music/ui/frmchord.h"
#include "print/chorddiagram.h"
#include "print/nullsurface.h"

#include <QFontMetricsF>

#include <cmath>

using namespace Qt::StringLiterals;

namespace lvx::editor {

namespace {

// A move shorter than this is a click.
constexpr double DragThreshold = 30;
// A click draws the diagram here, above the window, only to fill the note list.
constexpr double HiddenPenY = -2000;

// Counts a chord playback, or any handler that may let one run, for as long as it lives.
class PlayingGuard final
{
public:
    explicit PlayingGuard(AppState& app) : m_app(app) { ++m_app.PlayingCount; }
    ~PlayingGuard() { --m_app.PlayingCount; }
    Q_DISABLE_COPY_MOVE(PlayingGuard)

private:
    AppState& m_app;
};

} // namespace

void frmSong::LastChordsAdd(const QString& name)
{
    TimingCounters& timers = m_desktop.app.timers;
    timers.TimerStart(TimerAddChord);
    m_song.LastChordsAdd(name);
    timers.TimerStop(TimerAddChord);
}

void frmSong::InsertChord(const QString& name)
{
    const int index = lineIndexOf(m_currentSlot);
    // Only a lyric line outside tablature shows chords and writes them back.
    if (index < 0 || m_song.lines.at(index).kind != song::KindLyric || tabSectionLines(m_song.lines).at(index))
        return;
    const int s = std::min(caretOf(m_currentSlot), int(m_song.lines.at(index).text.size()));
    BackUpLinea();
    insertChord(m_song.lines[index], s, name);
    LastChordsAdd(name);
    setModified();
    PaintPage();
    focusSlot(m_currentSlot, s);
}

void frmSong::ModificaTextoAcorde(int lineNumber, int chordIndex, const QString& name)
{
    if (lineNumber < 1 || lineNumber > m_song.lines.size())
        return;
    QList<song::ChordPlacement>& chords = m_song.lines[lineNumber - 1].chords;
    if (chordIndex < 1 || chordIndex > chords.size())
        return;
    chords[chordIndex - 1].name = name;
    setModified();
}

void frmSong::EliminaAcorde(int lineNumber, int chordIndex)
{
    if (lineNumber < 1 || lineNumber > m_song.lines.size())
        return;
    song::SongLine& line = m_song.lines[lineNumber - 1];
    if (chordIndex < 1 || chordIndex > line.chords.size())
        return;
    removeChord(line, chordIndex - 1);
    setModified();
}

void frmSong::mnuIChord_Click()
{
    if (!m_editingBody)
        return;
    PendingChordAction = u"New Chord"_s;
    openChordDialog(QString());
}

void frmSong::openChordDialog(const QString& labelText)
{
    music::frmChord dialog(m_desktop, &m_song.chordDefs, this);
    dialog.Init();
    dialog.setLabelText(labelText);
    dialog.exec();
    if (m_desktop.music.dialogResult == music::ResultDelete)
        m_chordFocus.reset();
    // The focus coming back to the line box completes the action; when the
    // platform does not move the focus, complete it here.
    completePendingAction();
    if (m_currentSlot > 0)
        focusSlot(m_currentSlot);
}

void frmSong::completePendingAction()
{
    const QString action = PendingChordAction;
    if (action.isEmpty())
        return;
    PendingChordAction.clear();
    const music::MusicState& music = m_desktop.music;
    if (action == u"New Chord") {
        if (music.dialogResult == music::ResultOk)
            InsertChord(music.ChosenChord);
    } else if (action == u"Edit Chord") {
        if (music.dialogResult == music::ResultOk) {
            const SongState before = currentState();
            ModificaTextoAcorde(ActiveLine, ActiveChord, music.ChosenChord);
            recordIfChanged(before);
            PaintPage();
        } else if (music.dialogResult == music::ResultDelete) {
            BackUpLinea();
            EliminaAcorde(ActiveLine, ActiveChord);
            PaintPage();
        }
    }
}

void frmSong::labelPressed(int, Qt::MouseButton, double x)
{
    m_dragStart = std::round(x * twipsPerPixel());
}

void frmSong::labelReleased(int labelIndex, Qt::MouseButton button, double x)
{
    const PlayingGuard playing(m_desktop.app);
    const std::optional<ChordRef> found = labelChord(m_song.lines, m_song.TopLine - 1, labelIndex);
    if (!found)
        return;
    ActiveLine = found->lineIndex + 1;
    ActiveChord = found->chordIndex + 1;
    const song::SongLine& line = m_song.lines.at(found->lineIndex);
    const song::ChordPlacement chord = line.chords.at(found->chordIndex);
    if (const int boxSlot = slotOfLine(found->lineIndex); boxSlot > 0)
        focusSlot(boxSlot, std::min(int(chord.position), int(line.text.size())));

    if (button == Qt::RightButton) {
        PendingChordAction = u"Edit Chord"_s;
        openChordDialog(chord.name);
        return;
    }
    const double moved = x * twipsPerPixel() - m_dragStart;
    if (std::abs(moved) < DragThreshold) {
        playChord(chord.name);
        return;
    }
    dragChord(labelIndex, moved);
}

void frmSong::playChord(const QString& name)
{
    // The keys play without a mouse handler around them to count the playback.
    const PlayingGuard playing(m_desktop.app);
    if (music::isTextLabel(name))
        return;
    const music::ChordSymbol chord = music::ParseChord(name);
    if (chord.tone < 0 || chord.bass < 0) {
        m_desktop.messages.inform(u"Inválid Chord"_s);
        return;
    }
    print::PrintState state;
    state.diagram = print::SetDiagramSize(print::MediumDiagramSize, m_desktop.app.instrument == u"Piano");
    print::NullSurface hidden;
    hidden.CurrentX = 0;
    hidden.CurrentY = HiddenPenY;
    const print::DiagramSources sources{m_desktop.app, m_desktop.music.chordTypes, m_song.chordDefs,
                                        m_desktop.dictionary.chordDefs};
    midi::PlaybackNotes notes;
    print::DrawChordDiagram(hidden, chord, sources, state, notes);
    midi::PlayChordNotes(m_desktop.midi, notes);
}

void frmSong::dragChord(int labelIndex, double moved)
{
    const std::optional<ChordRef> found = labelChord(m_song.lines, m_song.TopLine - 1, labelIndex);
    const int boxSlot = found ? slotOfLine(found->lineIndex) : 0;
    if (!found || boxSlot == 0)
        return;
    const double tpp = twipsPerPixel();
    const SongBox* box = T.at(boxSlot);
    const QFontMetricsF metrics(box->font());
    const auto width = [&](QStringView text) { return metrics.horizontalAdvance(text.toString()) * tpp; };
    // The text starts inside the box after its margin, as the layout measured it.
    const double boxLeft = (box->x() + BoxTextInset) * tpp;
    const double labelLeft = L.at(labelIndex)->homeX * tpp + moved;
    const int p = dragTarget(m_song.lines.at(found->lineIndex).text, boxLeft, labelLeft, width);
    BackUpLinea();
    moveChord(m_song.lines[found->lineIndex], found->chordIndex, p);
    PaintPage();
    setModified();
}

void frmSong::boxRightPressed(int slotIndex, QPoint position)
{
    if (lineIndexOf(slotIndex) < 0)
        return;
    // The caret goes to the character clicked, so the chord chosen lands there.
    openLineMenu(slotIndex, T[slotIndex]->cursorPositionAt(position), T[slotIndex]->mapToGlobal(position));
}

void frmSong::openLineMenu(int slotIndex, int caret, QPoint globalPosition)
{
    if (lineIndexOf(slotIndex) < 0)
        return;
    focusSlot(slotIndex, caret);
    if (!m_lineMenu)
        m_lineMenu = new frmMenuLinea(m_desktop, this);
    m_lineMenu->LabelReset();
    const QStringList& recent = m_song.LastChords;
    for (qsizetype i = recent.size() - 1; i >= std::max<qsizetype>(0, recent.size() - 15); --i)
        m_lineMenu->LabelAdd(recent.at(i));
    m_lineMenu->Paint();
    PendingChordAction = u"New Chord"_s;
    m_lineMenu->popupAt(globalPosition);
}

} // namespace lvx::editor
