#pragma once
// The module's pictures: small icons drawn in code, so the module ships no
// bitmap files. Each is drawn once on a 16 x 16 grid at twice that size, so it
// stays sharp where the style shows it larger.
#include <QPixmap>
#include <QStringList>

namespace hvx::module {

// The names of the pictures the module's windows share.
QStringList PictureNames();

// Draws the named picture; a null pixmap for an unknown name. Needs a
// QGuiApplication.
QPixmap DrawPicture(const QString& name);

}  // namespace hvx::module
