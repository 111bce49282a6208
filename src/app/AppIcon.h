#pragma once
// The program's icon: a green trace on a dark screen, drawn in code so it
// stays sharp at every size the desktop asks for. The installed icon files
// (PNG sizes and the scalable SVG) are drawn by the same code at build time.

#include <QIcon>

class QPainter;

// Draws the icon into the square (0, 0, size, size) of `painter`'s device.
void PaintAppIcon(QPainter& painter, int size);

QIcon AppIcon();
