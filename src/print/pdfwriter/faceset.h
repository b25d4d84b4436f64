#pragma once

#include "sfntfont.h"

#include <QHash>
#include <QString>

#include <memory>
#include <vector>

namespace lvx::print::pdf {

class DocumentFont;

// The faces one surface draws with, numbered in the order first asked for:
// a face per font name and style, plus the faces that stand in for
// characters a face lacks. The last choice is kept at hand, since text comes
// in long runs of one font.
class FaceSet final
{
public:
    struct Glyph
    {
        int face;
        quint16 id;
    };

    // The face for a font name and style; -1 when no usable face is installed.
    int select(const QString& name, bool bold, bool italic);

    const SfntFont& font(int face) const { return *m_faces[face].font; }
    const std::shared_ptr<const SfntFont>& sharedFont(int face) const { return m_faces[face].font; }
    // The document's font for the face, once something was drawn in it.
    DocumentFont*& drawn(int face) { return m_faces[face].drawn; }

    // The glyph for a character: the face's own, else that of a face that has
    // the character, else the face's .notdef.
    Glyph glyph(int face, char32_t c)
    {
        const quint16 id = m_faces[face].font->glyph(c);
        return id != 0 ? Glyph{face, id} : standIn(face, c);
    }

    // How far the text reaches, in ems of the font size.
    double width(int face, const QString& text);

    // How far glyphs drawn in face `own` reach, added up as width() adds
    // them: whole units of the face's own glyphs, fractions of an em for the
    // others (those of stand-in faces, and the face's .notdef).
    // Inline: it runs for every character measured or drawn.
    class Reach
    {
    public:
        void add(const FaceSet& faces, int own, Glyph glyph)
        {
            const SfntFont& font = faces.font(glyph.face);
            if (glyph.face == own && glyph.id != 0)
                m_ownUnits += font.advance(glyph.id);
            else
                m_otherEms += double(font.advance(glyph.id)) / font.metrics().unitsPerEm;
        }
        double ems(const FaceSet& faces, int own) const
        {
            return double(m_ownUnits) / faces.font(own).metrics().unitsPerEm + m_otherEms;
        }

    private:
        qint64 m_ownUnits = 0;
        double m_otherEms = 0;
    };

private:
    struct Face
    {
        std::shared_ptr<const SfntFont> font;
        QString name;
        bool bold = false;
        bool italic = false;
        QHash<char32_t, Glyph> standIns;
        DocumentFont* drawn = nullptr;
    };

    struct Request
    {
        QString name;
        bool bold;
        bool italic;
        int face;
    };

    std::vector<Face> m_faces;
    // A handful of names and styles per document: a list is quicker than a hash
    // that needs a key built for every lookup.
    std::vector<Request> m_requests;
    QString m_name;
    bool m_bold = false;
    bool m_italic = false;
    int m_selected = -2;  // none yet

    Glyph standIn(int face, char32_t c);
    int add(std::shared_ptr<const SfntFont> font, const QString& name, bool bold, bool italic);
};

} // namespace lvx::print::pdf
