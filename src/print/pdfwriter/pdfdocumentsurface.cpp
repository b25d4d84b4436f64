#include "pdfdocumentsurface.h"

#include "characters.h"
#include "deflate.h"
#include "documentfont.h"
#include "pagecontent.h"
#include "pdffile.h"
#include "pdfsyntax.h"

#include <QDateTime>

namespace lvx::print {

namespace {

constexpr double TwipsPerPoint = 20.0;

} // namespace

PdfDocumentSurface::PdfDocumentSurface(QIODevice* device, Paper paper, Orientation orientation,
                                       const QString& title)
    : m_file(std::make_unique<pdf::PdfFile>(device)), m_title(title)
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
    if (m_content == nullptr || own < 0 || text.count(u' ') == text.size())
        return TextWidth(text);
    const pdf::FaceMetrics& metrics = m_faces.font(own).metrics();
    pdf::FaceSet::Reach reach;
    // Stand-in faces share the baseline of the face asked for, as on screen.
    const double baseline = y + metrics.ascent * sizeTwips() / metrics.unitsPerEm;
    int runFace = own;
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
        }
        documentFont(glyph.face).use(glyph.id, c);
        m_glyphs.push_back(glyph.id);
        reach.add(m_faces, own, glyph);
    });
    drawRun(runFace, x, baseline);
    return reach.ems(m_faces, own) * sizeTwips();
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
    if (m_content != nullptr)
        m_content->line(x1, y1, x2, y2, ForeColor & 0xFFFFFF);
}

void PdfDocumentSurface::Circle(double x, double y, double radius, bool filled)
{
    if (m_content == nullptr)
        return;
    const int form = m_forms.circle(*m_file, radius, filled);
    m_content->placeCircle(form, x, y, ForeColor & 0xFFFFFF, filled, FillColor & 0xFFFFFF);
}

void PdfDocumentSurface::Lines(double x, double y, std::span<const LineSegment> segments)
{
    if (m_content == nullptr)
        return;
    const int form = m_forms.figure(*m_file, segments);
    m_content->placeFigure(form, x, y, ForeColor & 0xFFFFFF);
}

void PdfDocumentSurface::FillRect(double x1, double y1, double x2, double y2)
{
    if (m_content != nullptr)
        m_content->fillRect(x1, y1, x2, y2, FillColor & 0xFFFFFF);
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
    const int contents = m_file->reserve();
    std::string plain = m_content->take();
    m_content.reset();
    if (m_compression > 0) {
        if (!m_deflater) {
            m_deflater = std::make_unique<pdf::BackgroundDeflater>(
                m_compression, [this](int number, const QByteArray& deflated) {
                    m_file->writeStream(number, "/Filter /FlateDecode", deflated);
                });
        }
        m_deflater->add(contents, std::move(plain));
    } else {
        m_file->writeStream(contents, {}, plain);
    }
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
    infoDictionary.append(" /CreationDate (D:")
        .append(QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1())
        .append("Z) >>");
    file.endObject();
    file.finish(info);
}

} // namespace lvx::print
