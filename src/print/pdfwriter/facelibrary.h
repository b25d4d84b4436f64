#pragma once

#include "sfntfont.h"

#include <QString>

namespace lvx::print::pdf {

// The face printing uses for a font name and style. The classic Windows
// names go through the same look-alike substitutions the painter surfaces
// use; fontconfig then picks the file. Each file is read once per process
// and shared by every document. Null only when no usable face is installed.
std::shared_ptr<const SfntFont> findFace(const QString& family, bool bold, bool italic);

// A face as close as fontconfig finds to the one named that has the
// character, for text the named face cannot show (Cyrillic in Comic Neue).
// Null when no installed face has it.
std::shared_ptr<const SfntFont> findFaceWith(char32_t character, const QString& family, bool bold, bool italic);

} // namespace lvx::print::pdf
