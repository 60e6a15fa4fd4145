#pragma once

#include <QDialog>

class QLabel;

namespace quarrion {

// A wait notice shown without blocking while a long operation runs. The user cannot
// close it through its close box; the caller closes it when the work is done.
class frmMsg : public QDialog {
    Q_OBJECT

  public:
    explicit frmMsg(QWidget* parent = nullptr);

    void SetMessage(const QString& message);
    QString Message() const;

  public slots:
    void reject() override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QLabel* Message_;
};

}  // namespace quarrion
