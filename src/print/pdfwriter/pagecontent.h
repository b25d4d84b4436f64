#pragma once

#include <QtGlobal>

#include <string>

namespace lvx::print::pdf {

// The drawing operators of one page. Callers speak in twips from the top-left
// corner; one transform at the start of the stream maps that onto PDF points
// from the bottom-left. The colours and font in effect are remembered so each
// call writes only what changes.
class PageContent final
{
public:
    explicit PageContent(double pageHeightPoints);
    // The content of a form drawn with its origin at (originX, originY) of
    // the page: what callers place there lands at the form's origin. Nothing
    // is assumed of the colours the form will be placed with.
    PageContent(double originX, double originY);

    void line(double x1, double y1, double x2, double y2, qint32 stroke);
    // Form XObject `form` (a circle) centred at (x, y), outlined in `stroke`
    // and filled with `fill` when `filled`.
    void placeCircle(int form, double x, double y, qint32 stroke, bool filled, qint32 fill);
    // Form XObject `form` (a figure of lines) with its origin at (x, y), in `stroke`.
    void placeFigure(int form, double x, double y, qint32 stroke);
    void fillRect(double x1, double y1, double x2, double y2, qint32 fill);
    // Form XObject `form` (a recurring drawing, a form's content) with its origin at (x, y).
    void placeDrawing(int form, double x, double y);

    // A run of glyphs (two-byte ids) of resource font `font`, its baseline at y.
    void text(int font, double size, qint32 color, double x, double baseline, const quint16* glyphs, qsizetype count);

    // The finished stream.
    std::string take();

private:
    std::string m_out;
    bool m_inText = false;
    // Where the text line matrix stands, in hundredths of a twip, so the next
    // run moves relative to it.
    qint64 m_lineX = 0;
    qint64 m_lineY = 0;
    int m_font = -1;
    double m_size = 0;
    qint32 m_fill = 0;    // black, as every page starts
    qint32 m_stroke = 0;
    double m_originX = 0;
    double m_originY = 0;

    // A position, from the origin.
    void point(double x, double y);
    // Places form `form` of the resources named prefix + number ("/C3") with its origin at (x, y).
    void placeForm(const char* prefix, int form, double x, double y);
    void endText();
    void useFill(qint32 color);
    void useStroke(qint32 color);
};

} // namespace lvx::print::pdf
