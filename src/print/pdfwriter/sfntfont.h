#pragma once

#include "sfntcmap.h"

#include <QByteArray>

#include <memory>
#include <mutex>
#include <vector>

namespace lvx::print::pdf {

// What a PDF font descriptor says about a face, in font units.
struct FaceMetrics
{
    int unitsPerEm = 1000;
    // The line the text sits in, chosen as Qt chooses it, so a line measures
    // what it measured on the painter surfaces. Descent counts down from the baseline.
    int ascent = 0;
    int descent = 0;
    int xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    int capHeight = 0;
    double italicAngle = 0;
    bool fixedPitch = false;
    bool italic = false;
    bool bold = false;
};

// One face of a TrueType or OpenType font file, read for what printing needs:
// the glyph of each character, the advance of each glyph, the metrics and the
// program to embed. Immutable once read, so documents share it.
class SfntFont final
{
public:
    enum class Outlines { TrueType, Cff };

    // Face `index` of a font file's bytes; null when the bytes hold no face
    // with outlines a PDF can embed (bitmap-only, CFF2, not a font at all).
    static std::shared_ptr<const SfntFont> read(const QByteArray& file, int index = 0);

    Outlines outlines() const { return m_outlines; }
    const FaceMetrics& metrics() const { return m_metrics; }
    const QByteArray& postScriptName() const { return m_postScriptName; }
    int glyphCount() const { return int(m_advances.size()); }

    // The glyph for a character; 0 (.notdef) when the face lacks it.
    quint16 glyph(char32_t c) const { return m_characters.glyph(c); }
    int advance(quint16 glyph) const { return glyph < m_advances.size() ? m_advances[glyph] : 0; }

    // The program as a PDF embeds it: a standalone TrueType file, or the bare
    // CFF table; deflated on first use and kept for the next document.
    const QByteArray& deflatedProgram() const;
    qsizetype programSize() const { return m_program.size(); }

    // The whole font file the face came from, and the face's place in it.
    const QByteArray& file() const { return m_file; }
    int faceIndex() const { return m_faceIndex; }

private:
    SfntFont() = default;

    Outlines m_outlines = Outlines::TrueType;
    FaceMetrics m_metrics;
    QByteArray m_postScriptName;
    QByteArray m_program;
    QByteArray m_file;
    int m_faceIndex = 0;
    CharacterMap m_characters;
    std::vector<quint16> m_advances;  // per glyph

    mutable std::once_flag m_deflateOnce;
    mutable QByteArray m_deflated;

    friend class SfntReader;
};

} // namespace lvx::print::pdf
