#pragma once

#include <QDialog>

class QLabel;

namespace quarrion {

// Shows an error the QuickBooks link reported, with what the user can do about it.
// The main window creates it once, fills it and shows it modally for each pop-up.
class frmPopUp : public QDialog {
    Q_OBJECT

  public:
    explicit frmPopUp(QWidget* parent = nullptr);

    void SetMessage(const QString& message);
    QString Message() const { return message_; }
    // May hold CR LF line ends; they are shown as line breaks.
    void SetSolution(const QString& solution);
    QString Solution() const { return solution_; }

  private:
    QString message_;
    QString solution_;
    QLabel* lblMessage_;
    QLabel* lblSolution_;
};

}  // namespace quarrion
