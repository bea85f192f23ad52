#pragma once

class QIcon;
class QPainter;
class QRectF;

// The clinic logo as drawn at design time: shown on the main window until the user loads a logo
// file, and the program's icon. Drawn as vectors so that it stays sharp at any size.
void drawDesignLogo(QPainter& painter, const QRectF& area);

QIcon applicationIcon();
