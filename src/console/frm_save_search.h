#pragma once

#include <QDialog>
#include <cstdint>

class QLabel;
class QLineEdit;
class QPushButton;

namespace quarrion {

// The small modal window in which the console asks for the name and description a
// search is saved under. ButtonPressed is 5 while open, 1 after Save (only with a name
// that is not blank), 2 after Cancel or the close box; the caller reads the texts, then
// lets the window go.
class frmSaveSearch : public QDialog {
    Q_OBJECT

  public:
    static constexpr std::int16_t NotPressed = 5;
    static constexpr std::int16_t SavePressed = 1;
    static constexpr std::int16_t CancelPressed = 2;

    explicit frmSaveSearch(QWidget* parent = nullptr);

    void SetMessage(const QString& message);
    QString Message() const;
    QString SearchName() const;
    void SetSearchName(const QString& name);
    QString Description() const;
    void SetDescription(const QString& description);
    std::int16_t ButtonPressed() const { return buttonPressed_; }

    QLineEdit* txtName() const { return txtName_; }
    QLineEdit* txtDesc() const { return txtDesc_; }
    QPushButton* cmdSave() const { return cmdSave_; }
    QPushButton* cmdCancel() const { return cmdCancel_; }

  public slots:
    void reject() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Save();

    std::int16_t buttonPressed_ = NotPressed;
    QLabel* lblMessage_;
    QLineEdit* txtName_;
    QLineEdit* txtDesc_;
    QPushButton* cmdSave_;
    QPushButton* cmdCancel_;
};

}  // namespace quarrion
