#pragma once

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QSpontaneKeyEvent>
#include <QTimer>
#include <functional>

namespace quarrion::test {

// Runs `act` on the next modal dialog once it is up (the code under test blocks in its
// modal show meanwhile). Gives up after `limitMs` so a missing dialog fails the test
// instead of hanging it.
inline void OnNextModal(std::function<void(QDialog*)> act, int limitMs = 10000) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(10);
    auto waited = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act, waited, limitMs] {
        *waited += 10;
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog && *waited < limitMs) return;
        timer->stop();
        timer->deleteLater();
        if (dialog) act(dialog);
    });
    timer->start();
}

// Closes `widget` the way the window system's close box does: a spontaneous close
// event, and the window hidden when the event is accepted. Answers whether it was.
inline bool CloseBox(QWidget* widget) {
    QCloseEvent event;
    QSpontaneKeyEvent::setSpontaneous(&event);
    // notify, not sendEvent: sendEvent would clear the spontaneous mark.
    qApp->notify(widget, &event);
    if (event.isAccepted()) widget->hide();
    return event.isAccepted();
}

}  // namespace quarrion::test
