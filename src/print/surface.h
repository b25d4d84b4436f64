#pragma once

#include "base/fonts.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <span>

namespace lvx::print {

// A straight line from (x1, y1) to (x2, y2).
struct LineSegment
{
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    double y2 = 0;
};

// Something the printing code draws on, in twips (1/1440 inch) with the origin
// at the top-left corner of the page: a PDF or printer page, a preview picture,
// or a recording surface in tests. Text is drawn with its top at the pen and
// moves the pen right by its width.
class Surface : public FontSurface
{
public:
    // The pen.
    double CurrentX = 0;
    double CurrentY = 0;

    // The font in use; sizes are points and may be fractional.
    QString FontName = QStringLiteral("Arial");
    double FontSize = 10;
    bool FontBold = false;
    bool FontItalic = false;

    qint32 ForeColor = 0;   // red in the low byte
    qint32 FillColor = 0;

    // The drawable page size.
    virtual double ScaleWidth() const = 0;
    virtual double ScaleHeight() const = 0;

    virtual double TextWidth(const QString& text) = 0;
    virtual double TextHeight(const QString& text) = 0;

    // A line in the fore colour.
    virtual void Line(double x1, double y1, double x2, double y2) = 0;
    // Lines in the fore colour, each offset by (x, y): a figure drawn again and
    // again, which a surface may keep and place whole.
    virtual void Lines(double x, double y, std::span<const LineSegment> segments)
    {
        for (const LineSegment& segment : segments)
            Line(x + segment.x1, y + segment.y1, x + segment.x2, y + segment.y2);
    }
    // A circle outlined in the fore colour, filled with the fill colour when asked.
    virtual void Circle(double x, double y, double radius, bool filled) = 0;
    // A rectangle filled with the fill colour (black keys of a piano diagram).
    virtual void FillRect(double x1, double y1, double x2, double y2) = 0;
    // Draws text at the pen and moves the pen right by its width. Of a text far
    // wider than the page only the part over the page is drawn.
    void Print(const QString& text);

    // Page handling: the current page number (1 for the first), a new page,
    // and throwing away what the document holds so far.
    virtual int Page() const { return 1; }
    virtual void NewPage() {}
    virtual void Discard() {}
    // Wipes a picture for the next page of a preview.
    virtual void Clear() {}
    // Marks the current page as where `title` starts, for documents that keep
    // an outline of bookmarks; other surfaces have nowhere to keep it.
    virtual void addBookmark(const QString& title) { Q_UNUSED(title) }
    // The title and author the document tells of itself (empty: none), for
    // documents that keep them; other surfaces have nowhere to keep them.
    virtual void setDocumentInfo(const QString& title, const QString& author)
    {
        Q_UNUSED(title)
        Q_UNUSED(author)
    }

    // A drawing that comes back unchanged (a chord diagram), known by a key
    // covering everything it depends on besides its place, the pen. A surface
    // may keep the first one and place it again: placeRecurring draws a kept
    // one there, leaves pen, font and colours as drawing it did, and says
    // whether it could; if not, the drawing is made between beginRecurring
    // and endRecurring. drawRecurring does both.
    virtual bool placeRecurring(const QByteArray& key)
    {
        Q_UNUSED(key)
        return false;
    }
    virtual void beginRecurring(const QByteArray& key) { Q_UNUSED(key) }
    virtual void endRecurring() {}

    // FontSurface: how a text role reaches a surface.
    void setFont(const QString& name, qint16 size, bool bold, bool italic) override
    {
        FontName = usableFontName(name);
        FontSize = usableFontSize(size);
        FontBold = bold;
        FontItalic = italic;
    }
    void setForeColor(qint32 color) override { ForeColor = color; }

protected:
    virtual void drawText(double x, double y, const QString& text) = 0;
    // Draws text at (x, y) and says how wide it is, as TextWidth measures it:
    // a surface that measures while it draws saves going over the text twice.
    virtual double drawMeasuredText(double x, double y, const QString& text)
    {
        drawText(x, y, text);
        return TextWidth(text);
    }
};

template <typename Draw>
void drawRecurring(Surface& target, const QByteArray& key, Draw&& draw)
{
    if (target.placeRecurring(key))
        return;
    target.beginRecurring(key);
    draw();
    target.endRecurring();
}

} // namespace lvx::print
