#pragma once

#include <QSizeF>

namespace lvx::print {

enum class Orientation { Portrait = 1, Landscape = 2 };

enum class Paper { A4, Letter };

// A sheet in points, upright, as Qt's page sizes give it (A4 rounded to
// whole points), so a PDF written here matches one printed through Qt.
QSizeF paperPoints(Paper paper);

// The paper a PDF gets when nobody chose one: Letter where the measurement
// system is imperial, A4 elsewhere.
Paper defaultPaper();

} // namespace lvx::print
