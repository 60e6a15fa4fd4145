#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace quarrion {

// The program's own pictures: the side-bar and application icons are SVG drawings
// shipped as resources (icons/<name>.svg); the busy frames and the splash are painted.
class Artwork {
  public:
    // The icon drawn by icons/<name>.svg, rendered crisp at the usual sizes; a null icon
    // when no such drawing exists.
    static QIcon Icon(const QString& name);
    // The same drawing as a square picture of `size` pixels.
    static QPixmap Picture(const QString& name, int size);

    static constexpr int BusyFrameCount = 6;
    // Frame `frame` (0-based, taken modulo BusyFrameCount) of the busy animation: six
    // stones in a ring, the bright one one step further round in each frame.
    static QPixmap BusyFrame(int frame, int size);

    static QPixmap SplashPicture();
};

}  // namespace quarrion
