#pragma once

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QPointer>
#include <QPushButton>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <QTimer>
#include <functional>

#include "shell/frm_dialog.h"

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

// Runs `act` once on every modal dialog that comes up while the watcher lives.
class ModalWatcher {
  public:
    explicit ModalWatcher(std::function<void(QDialog*)> act) : act_(std::move(act)) {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog || dialog == last_) return;
            last_ = dialog;
            act_(dialog);
        });
        timer_.start();
    }

  private:
    std::function<void(QDialog*)> act_;
    QTimer timer_;
    QPointer<QDialog> last_;
};

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

// Runs `act`, which must bring up the program's message dialog, and answers the
// dialog's "title: message" after pressing its OK.
inline QString MessageOf(const std::function<void()>& act) {
    QString seen;
    OnNextModal([&seen](QDialog* dialog) {
        auto* message = qobject_cast<frmDialog*>(dialog);
        seen = dialog->windowTitle() + ": " + (message ? message->Message() : QString());
        if (message) {
            QTest::mouseClick(message->cmdOK(), Qt::LeftButton);
        } else {
            dialog->reject();
        }
    });
    act();
    return seen;
}

}  // namespace quarrion::test
