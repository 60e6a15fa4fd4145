#include "shell/frm_init.h"

#include <QCloseEvent>
#include <QLabel>

#include "shell/store_life_cycle.h"

namespace quarrion {

frmInit::frmInit(StoreLifeCycle& store, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      store_(store),
      lblInfo_(new QLabel(this)) {
    setObjectName(QStringLiteral("frmInit"));
    setWindowTitle(QStringLiteral("Initialization"));
    setModal(true);
    lblInfo_->setObjectName(QStringLiteral("lblInfo"));
    lblInfo_->setWordWrap(true);
    lblInfo_->setAlignment(Qt::AlignCenter);
    lblInfo_->setMargin(16);
    resize(380, 110);
    tmrCheck_.setInterval(1000);
    connect(&tmrCheck_, &QTimer::timeout, this, &frmInit::RunOperation);
}

void frmInit::SetInfo(const QString& text) {
    lblInfo_->setText(text);
}

QString frmInit::Info() const {
    return lblInfo_->text();
}

void frmInit::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    tmrCheck_.start();
}

void frmInit::RunOperation() {
    if (busy_) return;
    busy_ = true;
    tmrCheck_.stop();
    if (work_) {
        work_();
        done(QDialog::Accepted);
        return;
    }
    switch (updateType_) {
        case 0:
            store_.InitDataA();
            break;
        case 1:
            store_.InitDataB();
            break;
        case 2:
            store_.InitDataC();
            break;
        default:
            break;
    }
    done(QDialog::Accepted);
}

void frmInit::reject() {
    // Escape would end the modal show while the operation runs; the user may not.
}

void frmInit::closeEvent(QCloseEvent* event) {
    if (event->spontaneous()) {
        event->ignore();
        return;
    }
    // QDialog would route the close through reject(), which refuses; a close from
    // code ends the window directly.
    event->accept();
    done(QDialog::Rejected);
}

void frmInit::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (!isMinimized()) lblInfo_->setGeometry(0, 0, width(), height());
}

namespace {

void Run(StoreLifeCycle& store, QWidget* parent, std::int16_t type, const QString& text,
         std::function<void()> work = {}) {
    frmInit window(store, parent);
    window.SetUpdateType(type);
    window.SetWork(std::move(work));
    window.SetInfo(text);
    window.exec();
}

void ReloadWhenEmpty(StoreLifeCycle& store) {
    if (store.CatalogCount() == 0) store.LoadData();
}

}  // namespace

void InitializeFirstTime(StoreLifeCycle& store, QWidget* parent, std::function<void()> work) {
    Run(store, parent, 0,
        QStringLiteral("Initializing Quarrion for first time use, "
                       "please wait while the process completes ..."),
        std::move(work));
}

void UpdateDatabase(StoreLifeCycle& store, QWidget* parent) {
    Run(store, parent, 1,
        QStringLiteral("Updating Quarrion, please wait while the process completes ..."));
    ReloadWhenEmpty(store);
}

void ResetDatabase(StoreLifeCycle& store, QWidget* parent) {
    Run(store, parent, 2,
        QStringLiteral("Resetting Quarrion, please wait while the process completes ..."));
    ReloadWhenEmpty(store);
}

}  // namespace quarrion
