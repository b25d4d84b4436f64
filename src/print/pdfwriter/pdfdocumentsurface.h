#pragma once

#include "forms.h"
#include "faceset.h"
#include "outline.h"
#include "print/paper.h"
#include "print/surface.h"

#include <QHash>

#include <memory>
#include <optional>
#include <vector>

class QIODevice;

namespace lvx::print {

namespace pdf {
class BackgroundDeflater;
class DocumentFont;
class PageContent;
class PdfFile;
}

// A PDF document written straight to the device, page by page, without
// QPainter: text is measured and drawn from the glyph advances of the face
// files themselves (no shaping, no kerning), so TextWidth is exactly how far
// the drawn text reaches. Characters a face lacks come from a face that has
// them. Faces are embedded once per document, holding only the glyphs drawn.
// Pages are numbered from 1; each is deflated on the background thread while
// the next ones are drawn.
class PdfDocumentSurface final : public Surface
{
public:
    PdfDocumentSurface(QIODevice* device, Paper paper, Orientation orientation);
    ~PdfDocumentSurface() override;
    Q_DISABLE_COPY_MOVE(PdfDocumentSurface)

    double ScaleWidth() const override { return m_width; }
    double ScaleHeight() const override { return m_height; }
    double TextWidth(const QString& text) override;
    double TextHeight(const QString& text) override;

    void Line(double x1, double y1, double x2, double y2) override;
    void Lines(double x, double y, std::span<const LineSegment> segments) override;
    void Circle(double x, double y, double radius, bool filled) override;
    void FillRect(double x1, double y1, double x2, double y2) override;

    int Page() const override { return m_page; }
    void NewPage() override;
    void addBookmark(const QString& title) override { m_bookmarks.push_back({title, m_page - 1}); }
    // Kept for the document information written at the end.
    void setDocumentInfo(const QString& title, const QString& author) override
    {
        m_title = title;
        m_author = author;
    }
    // Recurring drawings become forms, placed with their origin at the whole
    // twip left of and above the pen.
    bool placeRecurring(const QByteArray& key) override;
    void beginRecurring(const QByteArray& key) override;
    void endRecurring() override;
    // Finishes the document; nothing is drawn after this.
    void end();

    // Deflates page content at this zlib level; 0 leaves it plain. The
    // fastest level already takes pages to about a fifth of their size.
    void setPageCompression(int level) { m_compression = level; }

protected:
    void drawText(double x, double y, const QString& text) override;
    double drawMeasuredText(double x, double y, const QString& text) override;

private:
    std::unique_ptr<pdf::PdfFile> m_file;  // null once ended
    std::unique_ptr<pdf::PageContent> m_content;
    int m_compression = 1;
    // Made at the first page, for the level then in force.
    std::unique_ptr<pdf::BackgroundDeflater> m_deflater;
    QString m_title;
    QString m_author;
    double m_width;
    double m_height;
    int m_page = 1;
    int m_pageTree;
    int m_resources;
    std::vector<int> m_pages;
    std::vector<pdf::Bookmark> m_bookmarks;
    pdf::Forms m_forms;
    pdf::FaceSet m_faces;
    std::vector<std::unique_ptr<pdf::DocumentFont>> m_fonts;
    std::vector<quint16> m_glyphs;

    // A recurring drawing kept as a form, with what drawing it left behind.
    struct KeptDrawing
    {
        int form = 0;
        QString fontName;
        double fontSize = 0;
        bool fontBold = false;
        bool fontItalic = false;
        qint32 foreColor = 0;
        qint32 fillColor = 0;
        double penX = 0;   // from the origin
        double penY = 0;
    };
    // The recurring drawing being made: its content goes to a form while the
    // page's waits here.
    struct Recording
    {
        QByteArray key;
        double originX = 0;
        double originY = 0;
        std::unique_ptr<pdf::PageContent> page;
        pdf::Forms::Box extents;
    };
    // Every recurring drawing seen, by key: how often, and its form once kept.
    struct Recurring
    {
        int sightings = 0;
        std::optional<KeptDrawing> kept;
    };
    QHash<QByteArray, Recurring> m_recurring;
    std::optional<Recording> m_recording;
    int m_recurringDepth = 0;

    QByteArray keptKey(const QByteArray& key) const;
    // Widens the recorded drawing's extents to take in this box.
    void extendRecording(double left, double top, double right, double bottom);
    void finishRecording();

    int face() { return m_faces.select(FontName, FontBold, FontItalic); }
    pdf::DocumentFont& documentFont(int face);
    void drawRun(int face, double x, double baseline);
    double sizeTwips() const;
    void finishPage();
    // Writes a stream with these dictionary entries, deflated (on the
    // background thread) unless compression is off.
    void writeStream(int object, QByteArray entries, std::string plain);
    void writeDocumentObjects();
};

} // namespace lvx::print
