#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

namespace lvx::print {

// Margins as the page setup shows them: inches with two decimals and " inch."
// after them, typed with a decimal point or a decimal comma.

// The inches a margin box holds: its leading number, the first "," read as ".".
double marginInches(QStringView text);
// The box's value in twips, rounded half to even and kept within 16 bits.
qint16 marginTwips(QStringView text);
// A margin the page setup accepts when the user leaves its box: more than a
// quarter inch, less than 4000 twips (both ends excluded).
bool marginInRange(qint16 twips);
// "1.00 inch." for 1440 twips.
QString formatMargin(double twips);

} // namespace lvx::print
