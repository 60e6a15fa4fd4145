#pragma once

#include <QDialog>
#include <QTimer>
#include <cstdint>
#include <functional>

class QLabel;

namespace quarrion {

class StoreLifeCycle;

// The small modal window that runs a long catalog operation while telling the user to
// wait. Its timer starts the operation once the window is on screen; when the
// operation returns the window hides itself, which ends the modal show. The user
// cannot close it: a close from the window's own close box or Escape is refused,
// closes from code proceed.
class frmInit : public QDialog {
    Q_OBJECT

  public:
    // `store` must outlive the window.
    explicit frmInit(StoreLifeCycle& store, QWidget* parent = nullptr);

    // 0 first-time initialisation (InitDataA), 1 update (InitDataB), 2 reset
    // (InitDataC); any other value runs nothing. Set before showing.
    std::int16_t UpdateType() const { return updateType_; }
    void SetUpdateType(std::int16_t type) { updateType_ = type; }
    // Work to run in place of the store call UpdateType selects: the store hands its
    // own first-time initialisation when it finds an empty catalog while loading.
    void SetWork(std::function<void()> work) { work_ = std::move(work); }

    void SetInfo(const QString& text);
    QString Info() const;

    // The start timer; its interval is one second.
    QTimer& tmrCheck() { return tmrCheck_; }

  public slots:
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void RunOperation();

    StoreLifeCycle& store_;
    std::int16_t updateType_ = 0;
    std::function<void()> work_;
    bool busy_ = false;
    QLabel* lblInfo_;
    QTimer tmrCheck_;
};

// The three long runs, each in its own frmInit window shown modally over `parent`.
// Update and reset load the catalog once more when it is empty afterwards. `work`, when
// given, runs in place of the store's InitDataA.
void InitializeFirstTime(StoreLifeCycle& store, QWidget* parent, std::function<void()> work = {});
void UpdateDatabase(StoreLifeCycle& store, QWidget* parent);
void ResetDatabase(StoreLifeCycle& store, QWidget* parent);

}  // namespace quarrion
