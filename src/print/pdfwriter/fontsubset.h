#pragma once

#include "cidtables.h"
#include "sfntfont.h"

#include <QByteArray>

namespace lvx::print::pdf {

// The face's program as a PDF embeds it (a TrueType file, or the bare CFF
// table), holding only the glyphs the document drew. Glyph ids stay what they
// were, so the pages and the widths need no renumbering. Empty when the face
// cannot be cut down; the whole program goes in then.
QByteArray subsetProgram(const SfntFont& face, const GlyphText& drawn);

// The six capital letters a subset's name starts with, different for
// different glyph sets, as readers expect of an embedded subset.
QByteArray subsetTag(const GlyphText& drawn);

} // namespace lvx::print::pdf
