#pragma once

#include <functional>

class QSplashScreen;

namespace quarrion {

// Shows `splash`, and once `delayMs` have passed closes it and then calls `openMain`
// (the main window's load and show). The splash is gone before the load starts, so a
// window that the load opens (the "Initialization" window of a first start) is never
// hidden behind it. `splash` must outlive the delay.
void OpenAfterSplash(QSplashScreen& splash, int delayMs, std::function<void()> openMain);

}  // namespace quarrion
