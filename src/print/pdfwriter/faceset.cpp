#include "faceset.h"

#include "characters.h"
#include "facelibrary.h"

namespace lvx::print::pdf {

int FaceSet::select(const QString& name, bool bold, bool italic)
{
    if (m_selected != -2 && bold == m_bold && italic == m_italic && name == m_name)
        return m_selected;
    m_name = name;
    m_bold = bold;
    m_italic = italic;
    for (const Request& request : m_requests) {
        if (request.bold == bold && request.italic == italic && request.name == name)
            return m_selected = request.face;
    }
    std::shared_ptr<const SfntFont> font = findFace(name, bold, italic);
    m_selected = font != nullptr ? add(std::move(font), name, bold, italic) : -1;
    m_requests.push_back({name, bold, italic, m_selected});
    return m_selected;
}

int FaceSet::add(std::shared_ptr<const SfntFont> font, const QString& name, bool bold, bool italic)
{
    // Names that end in one face file share one entry, and so one document font.
    for (size_t i = 0; i < m_faces.size(); ++i) {
        if (m_faces[i].font == font)
            return int(i);
    }
    m_faces.push_back({std::move(font), name, bold, italic, {}, nullptr});
    return int(m_faces.size() - 1);
}

FaceSet::Glyph FaceSet::standIn(int face, char32_t c)
{
    const auto known = m_faces[face].standIns.constFind(c);
    if (known != m_faces[face].standIns.cend())
        return *known;
    Glyph glyph{face, 0};
    // Control characters have no glyph anywhere; asking would only cost time.
    if (c >= 0x20) {
        // Copies: adding a face may move the one asked about.
        const QString name = m_faces[face].name;
        const bool bold = m_faces[face].bold;
        const bool italic = m_faces[face].italic;
        std::shared_ptr<const SfntFont> other = findFaceWith(c, name, bold, italic);
        if (other != nullptr) {
            const quint16 id = other->glyph(c);
            glyph = {add(std::move(other), name, bold, italic), id};
        }
    }
    m_faces[face].standIns.insert(c, glyph);
    return glyph;
}

double FaceSet::width(int face, const QString& text)
{
    Reach reach;
    forEachCharacter(text, [&](char32_t c) { reach.add(*this, face, glyph(face, c)); });
    return reach.ems(*this, face);
}

} // namespace lvx::print::pdf
