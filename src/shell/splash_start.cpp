#include "shell/splash_start.h"

#include <QSplashScreen>
#include <QTimer>

namespace quarrion {

void OpenAfterSplash(QSplashScreen& splash, int delayMs, std::function<void()> openMain) {
    splash.show();
    QTimer::singleShot(delayMs, &splash, [&splash, openMain = std::move(openMain)] {
        splash.close();
        openMain();
    });
}

}  // namespace quarrion
