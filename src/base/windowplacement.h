#pragma once

#include <QList>
#include <QRect>
#include <QSize>

namespace lvx {

// Where song windows go inside the frame's area. Every window stays wholly
// inside the area and keeps at least two thirds of its height, so it always
// shows several lines of the song; `step` is how far each window sits below
// and to the right of the one before it (about a title bar's height).

// A new window, when `open` windows are already there: as wide as a page of
// lyrics needs (three quarters of the area, at least `pageWidth`), as tall as
// the area allows below its cascade offset.
QRect newWindowGeometry(QSize area, int open, int step, int pageWidth);

// Window menu's Cascade for `count` windows: each one step below and right of
// the one before, all of one size, starting again at the top when the next
// step would leave less than two thirds of the area.
QList<QRect> cascadeGeometries(QSize area, int count, int step);

// A window the area has grown too small for, moved back in and, where it must,
// made smaller: a window outside the frame cannot be reached.
QRect keptInside(const QRect& window, QSize area);

} // namespace lvx
