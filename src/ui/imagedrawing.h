#pragma once

#include <QPixmap>

// Draws the built-in images of the panes, so the program needs no image files.
namespace ImageDrawing {
QPixmap KindImage(int index, int size);
QPixmap AlertBullet(int size);

// Pictures of the toolbar commands that have no desktop-theme icon.
enum class Command { Import, Publish, Print, FilterAny, FilterAll, Cut, Copy, Paste, BrowserUrl, Tools,
                     LargeIcons, SmallIcons, List, Details };
QPixmap CommandImage(Command command, int size);
} // namespace ImageDrawing
