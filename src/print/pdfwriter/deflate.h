#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace lvx::print::pdf {

// A zlib stream of the data, as a PDF's FlateDecode filter reads it.
// Level 1 is fastest, 9 smallest.
QByteArray deflate(QByteArrayView data, int level);

} // namespace lvx::print::pdf
