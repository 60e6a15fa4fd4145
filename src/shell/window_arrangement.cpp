#include "shell/window_arrangement.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace quarrion {

QList<QRect> TileRects(const QRect& area, int count, int arrangement) {
    QList<QRect> rects;
    if (count < 1) return rects;
    bool stacked = arrangement == Arrangement::TileHorizontally;
    if (!stacked && arrangement != Arrangement::TileVertically) return rects;
    int length = stacked ? area.height() : area.width();
    int band = length / count;
    int extra = length % count;
    int at = stacked ? area.top() : area.left();
    for (int i = 0; i < count; ++i) {
        int size = band + (i < extra ? 1 : 0);
        rects.append(stacked ? QRect(area.left(), at, area.width(), size)
                             : QRect(at, area.top(), size, area.height()));
        at += size;
    }
    return rects;
}

void ArrangeSubWindows(QMdiArea& area, int arrangement) {
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : area.subWindowList(QMdiArea::CreationOrder)) {
        if (window->isVisible() && !window->isMinimized()) windows.append(window);
    }
    for (QMdiSubWindow* window : windows) {
        if (window->isMaximized()) window->showNormal();
    }
    QList<QRect> rects =
        TileRects(area.viewport()->rect(), static_cast<int>(windows.size()), arrangement);
    if (rects.isEmpty()) {
        if (!windows.isEmpty()) area.cascadeSubWindows();
        return;
    }
    for (int i = 0; i < windows.size(); ++i) windows[i]->setGeometry(rects[i]);
}

}  // namespace quarrion
