#pragma once

#include "printstate.h"

#include "song/metadata.h"

#include <QString>

#include <functional>
#include <optional>

namespace lvx {
class Messages;
}

namespace lvx::song {
class Song;
}

namespace lvx::print {

class Surface;

// Draws print markup onto pages. The target is where things are drawn; the
// reference (the printer) decides the layout. When printing they are the same.
class PageRenderer final
{
public:
    // Chord diagrams for the end of a page.
    using DiagramsAtPageEnd = std::function<void(Surface& target, Surface& reference)>;

    PageRenderer(PrintState& state, const song::Song& song, Messages& messages, DiagramsAtPageEnd diagrams);

    void RenderMarkupLine(Surface& target, Surface& reference, const QString& line);
    void InterpretTag(Surface& target, Surface& reference, const QString& tag);
    void DrawHeader(Surface& target, Surface& reference);
    void DrawFooter(Surface& target, Surface& reference);

    // What happens at the end of a page: false stops the run there. lastLine
    // tells whether the page ended at the last markup line.
    using NextPage = std::function<bool(bool lastLine)>;

    // Runs every markup line from a fresh first page (header drawn) to the last
    // page's footer, and the one extra page for diagrams left over. False when
    // nextPage stopped it.
    bool renderPages(Surface& target, Surface& reference, bool lyricsOnly, const NextPage& nextPage);

private:
    PrintState& m_state;
    const song::Song& m_song;
    Messages& m_messages;
    // A "<" with no ">" is said once a print: a song of such lines would
    // otherwise raise a box for every one of them.
    bool m_reportedUnclosedTag = false;
    DiagramsAtPageEnd m_diagrams;
    int m_footersDrawn = 0;
    mutable std::optional<QList<song::MetaEntry>> m_facts;

    QString fieldValue(QStringView name, const QString& page) const;
    void drawTemplate(Surface& target, Surface& reference, const QString& pattern, double y);

    void interpretTag(Surface& target, Surface& reference, QStringView tag);
    void drawTextPiece(Surface& target, Surface& reference, QStringView piece, bool beforeTag);
    void startMark(Surface& target, const QString& label);
    void endMark(Surface& target);
    void blackLine(Surface& target, double x1, double y1, double x2, double y2);
    void applyRoleScaled(Surface& target, const QString& role);
    bool pageFinished(const Surface& reference) const;
    bool hasDiagramsLeft() const;
    void finishPage(Surface& target, Surface& reference, bool lyricsOnly);
    void startPage(Surface& target, Surface& reference);
};

} // namespace lvx::print
