#include "paper.h"

#include <QLocale>

namespace lvx::print {

QSizeF paperPoints(Paper paper)
{
    return paper == Paper::Letter ? QSizeF(612, 792) : QSizeF(595, 842);
}

Paper defaultPaper()
{
    return QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? Paper::Letter : Paper::A4;
}

} // namespace lvx::print
