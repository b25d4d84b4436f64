#pragma once

#include <QRect>
#include <QSize>

class QWidget;

namespace lvx {

// Window sizes come from the screen a window opens on, never from fixed pixels:
// at a scale factor of 2 a 1600 x 1000 screen is 800 x 500 pixels to a window.

// The part of the window's screen that windows may cover (no panels or docks).
QRect availableArea(const QWidget* window);

// The size a top-level window may take on its screen: the wanted size, never
// more than the available area less room for the window's frame.
QSize sizeOnScreen(const QWidget* window, QSize wanted);

// Resizes the window to `wanted` (its size hint when empty) within what its
// screen allows; a window already shown is also moved wholly inside the area.
void fitToScreen(QWidget* window, QSize wanted = {});

} // namespace lvx
