#pragma once
// Following the device pixel ratio a widget is painted at: it changes when the widget's window
// moves to a screen of another ratio, or when the screen's ratio changes.
#include <QPixmap>
#include <QSize>
#include <QWidget>
#include <functional>

namespace platform {

// Calls `follow` with the widget's device pixel ratio each time its screen or ratio may have
// changed (the widget is shown, moves to another screen, or its screen changes ratio). The
// callback compares with what it drew and redraws when it differs. It lives as long as the
// widget.
void followDevicePixelRatio(QWidget& widget, std::function<void(double ratio)> follow);

// A transparent pixmap of a logical size at the highest device pixel ratio of the screens, to be
// painted in logical coordinates: a drawn icon that stays sharp on a scaled screen.
QPixmap transparentPixmap(QSize logical);

}  // namespace platform
