#include "pdfdocumentsurface.h"

#include "characters.h"
#include "deflate.h"
#include "documentfont.h"
#include "pagecontent.h"
#include "pdffile.h"
#include "pdfsyntax.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>
#include <limits>

namespace lvx::print {

namespace {

// Now, or the time SOURCE_DATE_EPOCH gives (seconds since 1970), so the same
// songs make the same bytes when a build or a test asks for that.
QDateTime creationTime()
{
    bool ok = false;
    const qint64 epoch = qEnvironmentVariable("SOURCE_DATE_EPOCH").toLongLong(&ok);
    return ok ? QDateTime::fromSecsSinceEpoch(epoch, Qt::UTC) : QDateTime::currentDateTimeUtc();
}

constexpr double TwipsPerPoint = 20.0;

// Around what a recurring drawing reaches: half a line's width and more.
constexpr double DrawingMargin = 20;

// The time a recurring drawing is seen when it becomes a form: from about
// the fifth use on a form takes fewer bytes than drawing it again.
constexpr int FormFromSighting = 4;

} // namespace

PdfDocumentSurface::PdfDocumentSurface(QIODevice* device, Paper paper, Orientation orientation)
    : m_file(std::make_unique<pdf::PdfFile>(device))
{
    QSizeF twips = paperPoints(paper) * TwipsPerPoint;
    if (orientation == Orientation::Landscape)
        twips.transpose();
    m_width = twips.width();
    m_height = twips.height();
    m_pageTree = m_file->reserve();
    m_resources = m_file->reserve();
    m_content = std::make_unique<pdf::PageContent>(m_height / TwipsPerPoint);
}

PdfDocumentSurface::~PdfDocumentSurface()
{
    end();
}

double PdfDocumentSurface::sizeTwips() const
{
    // Nothing smaller than a twip, as on the painter surfaces; huge sizes
    // only need to stay finite.
    const double twips = FontSize * TwipsPerPoint;
    return twips >= 1 ? qMin(twips, 1e6) : 1;
}

pdf::DocumentFont& PdfDocumentSurface::documentFont(int face)
{
    pdf::DocumentFont*& drawn = m_faces.drawn(face);
    if (drawn == nullptr) {
        m_fonts.push_back(
            std::make_unique<pdf::DocumentFont>(m_faces.sharedFont(face), int(m_fonts.size()) + 1, m_file->reserve()));
        drawn = m_fonts.back().get();
    }
    return *drawn;
}

double PdfDocumentSurface::TextWidth(const QString& text)
{
    const int current = face();
    return current < 0 ? 0 : m_faces.width(current, text) * sizeTwips();
}

double PdfDocumentSurface::TextHeight(const QString&)
{
    const int current = face();
    if (current < 0)
        return sizeTwips();
    const pdf::FaceMetrics& metrics = m_faces.font(current).metrics();
    return double(metrics.ascent + metrics.descent) * sizeTwips() / metrics.unitsPerEm;
}

void PdfDocumentSurface::drawText(double x, double y, const QString& text)
{
    drawMeasuredText(x, y, text);
}

double PdfDocumentSurface::drawMeasuredText(double x, double y, const QString& text)
{
    const int own = face();
    // Blanks only move the pen (chord rows are padded with them); leaving
    // them out keeps pages small and shows the same.
    if (m_content == nullptr || own < 0 || std::all_of(text.begin(), text.end(), [](QChar c) { return c == u' '; }))
        return TextWidth(text);
    const pdf::FaceMetrics& metrics = m_faces.font(own).metrics();
    pdf::FaceSet::Reach reach;
    // Stand-in faces share the baseline of the face asked for, as on screen.
    const double baseline = y + metrics.ascent * sizeTwips() / metrics.unitsPerEm;
    const double left = x;
    int runFace = own;
    // The document font of the run, asked for at its first glyph (fonts are
    // numbered in the order first drawn).
    pdf::DocumentFont* runFont = nullptr;
    m_glyphs.clear();
    pdf::forEachCharacter(text, [&](char32_t c) {
        const pdf::FaceSet::Glyph glyph = m_faces.glyph(own, c);
        if (glyph.face != runFace) {
            drawRun(runFace, x, baseline);
            const pdf::SfntFont& font = m_faces.font(runFace);
            for (const quint16 id : m_glyphs)
                x += font.advance(id) * sizeTwips() / font.metrics().unitsPerEm;
            m_glyphs.clear();
            runFace = glyph.face;
            runFont = nullptr;
        }
        if (runFont == nullptr)
            runFont = &documentFont(glyph.face);
        runFont->use(glyph.id, c);
        m_glyphs.push_back(glyph.id);
        reach.add(m_faces, own, glyph);
    });
    drawRun(runFace, x, baseline);
    const double width = reach.ems(m_faces, own) * sizeTwips();
    if (m_recording) {
        // Accents and descenders stay within a size above and below the line.
        const double size = sizeTwips();
        extendRecording(left - size, y - size, left + width + size, y + 2 * size);
    }
    return width;
}

void PdfDocumentSurface::drawRun(int face, double x, double baseline)
{
    if (m_glyphs.empty())
        return;
    m_content->text(documentFont(face).resource(), sizeTwips(), ForeColor & 0xFFFFFF, x, baseline, m_glyphs.data(),
                    qsizetype(m_glyphs.size()));
}

void PdfDocumentSurface::Line(double x1, double y1, double x2, double y2)
{
    if (m_content == nullptr)
        return;
    m_content->line(x1, y1, x2, y2, ForeColor & 0xFFFFFF);
    extendRecording(qMin(x1, x2), qMin(y1, y2), qMax(x1, x2), qMax(y1, y2));
}

void PdfDocumentSurface::Circle(double x, double y, double radius, bool filled)
{
    if (m_content == nullptr)
        return;
    const int form = m_forms.circle(*m_file, radius, filled);
    m_content->placeCircle(form, x, y, ForeColor & 0xFFFFFF, filled, FillColor & 0xFFFFFF);
    extendRecording(x - radius, y - radius, x + radius, y + radius);
}

void PdfDocumentSurface::Lines(double x, double y, std::span<const LineSegment> segments)
{
    if (m_content == nullptr)
        return;
    const int form = m_forms.figure(*m_file, segments);
    m_content->placeFigure(form, x, y, ForeColor & 0xFFFFFF);
    for (const LineSegment& segment : segments) {
        extendRecording(x + qMin(segment.x1, segment.x2), y + qMin(segment.y1, segment.y2),
                        x + qMax(segment.x1, segment.x2), y + qMax(segment.y1, segment.y2));
    }
}

void PdfDocumentSurface::FillRect(double x1, double y1, double x2, double y2)
{
    if (m_content == nullptr)
        return;
    m_content->fillRect(x1, y1, x2, y2, FillColor & 0xFFFFFF);
    extendRecording(qMin(x1, x2), qMin(y1, y2), qMax(x1, x2), qMax(y1, y2));
}

QByteArray PdfDocumentSurface::keptKey(const QByteArray& key) const
{
    // Offsets from a whole twip round alike wherever the drawing stands, so
    // the pen's fractions are part of what the drawing depends on.
    const std::array<double, 2> fractions{CurrentX - std::floor(CurrentX), CurrentY - std::floor(CurrentY)};
    return key + QByteArrayView(reinterpret_cast<const char*>(fractions.data()), sizeof fractions);
}

bool PdfDocumentSurface::placeRecurring(const QByteArray& key)
{
    if (m_content == nullptr || m_recording)
        return false;
    const auto seen = m_recurring.constFind(keptKey(key));
    if (seen == m_recurring.cend() || !seen->kept)
        return false;
    const KeptDrawing& kept = *seen->kept;
    const double x = std::floor(CurrentX);
    const double y = std::floor(CurrentY);
    m_content->placeDrawing(kept.form, x, y);
    FontName = kept.fontName;
    FontSize = kept.fontSize;
    FontBold = kept.fontBold;
    FontItalic = kept.fontItalic;
    ForeColor = kept.foreColor;
    FillColor = kept.fillColor;
    CurrentX = x + kept.penX;
    CurrentY = y + kept.penY;
    return true;
}

void PdfDocumentSurface::beginRecurring(const QByteArray& key)
{
    // One inside another is drawn as part of the outer one.
    if (m_recurringDepth++ > 0 || m_content == nullptr)
        return;
    // A form costs more bytes than a few drawings deflated with their page,
    // and many drawings of a book never come back: the first few times one
    // is drawn into the page, and only then made a form.
    QByteArray kept = keptKey(key);
    if (++m_recurring[kept].sightings < FormFromSighting)
        return;
    const double x = std::floor(CurrentX);
    const double y = std::floor(CurrentY);
    constexpr double far = std::numeric_limits<double>::infinity();
    m_recording = Recording{std::move(kept), x, y, std::move(m_content), {far, far, -far, -far}};
    m_content = std::make_unique<pdf::PageContent>(x, y);
}

void PdfDocumentSurface::endRecurring()
{
    if (m_recurringDepth > 0 && --m_recurringDepth == 0)
        finishRecording();
}

void PdfDocumentSurface::finishRecording()
{
    if (!m_recording)
        return;
    Recording recording = std::move(*m_recording);
    m_recording.reset();
    m_recurringDepth = 0;
    std::string content = m_content->take();
    m_content = std::move(recording.page);
    pdf::Forms::Box box{0, 0, 0, 0};
    if (recording.extents[0] <= recording.extents[2]) {
        box = {recording.extents[0] - recording.originX - DrawingMargin,
               recording.extents[1] - recording.originY - DrawingMargin,
               recording.extents[2] - recording.originX + DrawingMargin,
               recording.extents[3] - recording.originY + DrawingMargin};
    }
    const pdf::Forms::Drawing drawing = m_forms.addDrawing(*m_file);
    writeStream(drawing.object, pdf::Forms::drawingEntries(box, m_resources), std::move(content));
    const int form = drawing.resource;
    m_recurring[recording.key].kept = KeptDrawing{form, FontName, FontSize, FontBold, FontItalic, ForeColor,
                                                  FillColor, CurrentX - recording.originX, CurrentY - recording.originY};
    m_content->placeDrawing(form, recording.originX, recording.originY);
}

void PdfDocumentSurface::extendRecording(double left, double top, double right, double bottom)
{
    if (!m_recording)
        return;
    pdf::Forms::Box& extents = m_recording->extents;
    extents = {qMin(extents[0], left), qMin(extents[1], top), qMax(extents[2], right), qMax(extents[3], bottom)};
}

void PdfDocumentSurface::NewPage()
{
    if (m_file == nullptr)
        return;
    finishPage();
    m_content = std::make_unique<pdf::PageContent>(m_height / TwipsPerPoint);
    ++m_page;
}

void PdfDocumentSurface::finishPage()
{
    finishRecording();
    const int contents = m_file->reserve();
    writeStream(contents, {}, m_content->take());
    m_content.reset();
    const int page = m_file->reserve();
    QByteArray& out = m_file->beginObject(page);
    out.append("<< /Type /Page /Parent ");
    pdf::appendInteger(out, m_pageTree);
    out.append(" 0 R /MediaBox [0 0 ");
    pdf::appendNumber(out, m_width / TwipsPerPoint);
    out.append(' ');
    pdf::appendNumber(out, m_height / TwipsPerPoint);
    out.append("] /Resources ");
    pdf::appendInteger(out, m_resources);
    out.append(" 0 R /Contents ");
    pdf::appendInteger(out, contents);
    out.append(" 0 R >>");
    m_file->endObject();
    m_pages.push_back(page);
}

void PdfDocumentSurface::writeStream(int object, QByteArray entries, std::string plain)
{
    if (m_compression <= 0) {
        m_file->writeStream(object, entries, plain);
        return;
    }
    if (!m_deflater) {
        m_deflater = std::make_unique<pdf::BackgroundDeflater>(
            m_compression, [this](int number, const QByteArray& entries, const QByteArray& deflated) {
                m_file->writeStream(number, entries, deflated);
            });
    }
    if (!entries.isEmpty())
        entries.append(' ');
    m_deflater->add(object, entries.append("/Filter /FlateDecode"), std::move(plain));
}

void PdfDocumentSurface::end()
{
    if (m_file == nullptr)
        return;
    finishPage();
    if (m_deflater) {
        m_deflater->finish();
        m_deflater.reset();
    }
    writeDocumentObjects();
    m_file.reset();
}

void PdfDocumentSurface::writeDocumentObjects()
{
    pdf::PdfFile& file = *m_file;
    for (const auto& font : m_fonts)
        font->write(file);

    QByteArray& resources = file.beginObject(m_resources);
    resources.append("<< /ProcSet [/PDF /Text] /Font <<");
    for (const auto& font : m_fonts) {
        resources.append(" /F");
        pdf::appendInteger(resources, font->resource());
        pdf::appendReference(resources, "", font->object());
    }
    resources.append(" >>").append(m_forms.resourceEntry()).append(" >>");
    file.endObject();

    QByteArray& tree = file.beginObject(m_pageTree);
    tree.append("<< /Type /Pages /Count ");
    pdf::appendInteger(tree, qint64(m_pages.size()));
    tree.append(" /Kids [");
    for (const int page : m_pages) {
        pdf::appendInteger(tree, page);
        tree.append(" 0 R ");
    }
    tree.append("] >>");
    file.endObject();

    const int outline = pdf::writeOutline(file, m_bookmarks, m_pages);
    QByteArray& catalog = file.beginObject(pdf::PdfFile::Catalog);
    catalog.append("<< /Type /Catalog");
    pdf::appendReference(catalog, " /Pages", m_pageTree);
    if (outline != 0) {
        // Readers open with the bookmarks showing, the way into a songbook.
        pdf::appendReference(catalog, " /Outlines", outline);
        catalog.append(" /PageMode /UseOutlines");
    }
    catalog.append(" >>");
    file.endObject();

    const int info = file.reserve();
    QByteArray& infoDictionary = file.beginObject(info);
    infoDictionary.append("<< /Creator (Liravox) /Producer (Liravox)");
    if (!m_title.isEmpty())
        infoDictionary.append(" /Title ").append(pdf::textString(m_title));
    if (!m_author.isEmpty())
        infoDictionary.append(" /Author ").append(pdf::textString(m_author));
    infoDictionary.append(" /CreationDate (D:")
        .append(creationTime().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1())
        .append("Z) >>");
    file.endObject();
    file.finish(info);
}

} // namespace lvx::print
