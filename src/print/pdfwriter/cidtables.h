#pragma once

#include "sfntfont.h"

#include <QByteArray>

#include <vector>

namespace lvx::print::pdf {

// Per glyph of a face, the character it was first drawn for; NotDrawn for
// glyphs the document never drew.
using GlyphText = std::vector<char32_t>;
constexpr char32_t NotDrawn = 0xFFFFFFFF;

// The /W array of a CIDFont: the advance of each glyph drawn, in thousandths
// of an em, consecutive glyphs grouped.
QByteArray widthsArray(const SfntFont& face, const GlyphText& drawn);

// A ToUnicode CMap taking each drawn glyph back to its character, so text can
// be searched and copied out of the file.
QByteArray toUnicodeCMap(const GlyphText& drawn);

} // namespace lvx::print::pdf
