// The program's own pictures, drawn in code: splash, toolbar glyphs, tray frames, window icon.
#pragma once

#include <QFont>
#include <QIcon>
#include <QList>
#include <QPixmap>

namespace Artwork {

enum class Glyph { Home, Subjects, Testing, Results, Analysis, Reports, Maintenance, Settings, Exit };

// The splash picture, 400 x 273.
QPixmap splashPicture();
// A toolbar glyph; Home and Analysis also carry their own disabled image.
QIcon toolbarGlyph(Glyph glyph);
// The tray animation, 7 frames.
QList<QIcon> trayFrames();
QIcon windowIcon();

// The font of banner and toolbar captions: a calligraphic face where one is installed,
// else the CJK serif, else the CJK sans.
QFont titleFont(int pixelSize);
// The font of the interface text.
QFont uiFont(int pixelSize);

} // namespace Artwork
