#pragma once

#include <QPixmap>

// Draws the built-in images of the panes, so the program needs no image files.
namespace ImageDrawing {
QPixmap KindImage(int index, int size);
QPixmap AlertBullet(int size);
} // namespace ImageDrawing
