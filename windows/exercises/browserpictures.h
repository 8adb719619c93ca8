#pragma once
// The pictures of the exercise browser, drawn rather than shipped: the level flasks (lit and
// dark), the hourglass of the duration, the open and close buttons and the loading panel's icon.
#include <QPixmap>

namespace exercisewindow {

inline constexpr int kLevelIconSize = 32;

// `Imagalu` and `Imagenoir`: a flask full of a bright solution, or an empty dark one.
QPixmap levelPicture(bool lit);
// One hourglass of the duration, `height` pixels high.
QPixmap hourglassPicture(int height);
// The open button's picture: a sheet with a green arrow.
QPixmap openPicture();
// The close button's picture: a red disc with a white cross.
QPixmap closePicture();

}  // namespace exercisewindow
