// Where top-level windows go. A window manager adds a frame whose size a program learns
// only once the window is mapped; Wayland neither lets a program place its windows nor
// tells it where they stand.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringView>

class QWidget;

namespace tess {

// Whether windows on the named Qt platform go where the program puts them and report
// where they stand.
bool PlacesWindows(QStringView platformName);

// The frame a window manager put around a top-level widget; empty before it is mapped.
QMargins FrameOf(const QWidget* window);

// The top left corner of a frame of size outer centred over the rectangle, in whole
// pixels (halves rounded towards the top left), wherever the rectangle stands.
QPoint CentredOver(const QRect& over, QSize outer);

// The saved corner of the main window's frame when it is to be used at start: when either
// coordinate is not 0 and a strip of the title bar (titleHeight high, 48 px wide) would lie
// on one of the screens' available areas. None means: centre the window.
std::optional<QPoint> UsableSavedPlace(QPoint saved, int width, int titleHeight,
                                       const std::vector<QRect>& screens);

// Moves the window so that its frame, taken to be as thick as the guess until it is
// known, is centred over what over() returns. A position given before the window is
// created is its frame's position; once the window manager reports the real frame and it
// differs from the guess, the window is centred again, once.
void CentreFrame(QWidget* window, QMargins guess, std::function<QRect()> over);

}  // namespace tess
