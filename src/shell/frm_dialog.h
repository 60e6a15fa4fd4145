#pragma once

#include <QDialog>
#include <cstdint>

class QLabel;
class QPushButton;

namespace quarrion {

// The program's own modal message with one or two buttons. ButtonPressed is 5 until a
// button is pressed, then 1 for cmdOK and 2 for cmdCancel; closing the window any
// other way leaves 5, which callers treat as "not confirmed".
class frmDialog : public QDialog {
    Q_OBJECT

  public:
    static constexpr std::int16_t NotPressed = 5;
    static constexpr std::int16_t OkPressed = 1;
    static constexpr std::int16_t CancelPressed = 2;
    // The button set that offers cmdCancel beside cmdOK.
    static constexpr std::int32_t WithCancel = 2;

    explicit frmDialog(QWidget* parent = nullptr);

    std::int16_t ButtonPressed() const { return buttonPressed_; }
    // cmdCancel is offered only when the set carries the WithCancel bit.
    void SetAdditionalButtons(std::int32_t buttons);
    void SetMessage(const QString& message);
    QString Message() const;

    QPushButton* cmdOK() const { return cmdOK_; }
    QPushButton* cmdCancel() const { return cmdCancel_; }

  private:
    void Press(std::int16_t code);

    std::int16_t buttonPressed_ = NotPressed;
    QLabel* lblIcon_;
    QLabel* lblMessage_;
    QPushButton* cmdOK_;
    QPushButton* cmdCancel_;
};

// The two shared ways to open the dialog, so every caller gets the same behaviour.
// The message uses '\n' where a line ends.
void MessageDialog(QWidget* parent, const QString& caption, const QString& message);
// Returns the dialog's ButtonPressed: 1 for the first button (cmdOK), 2 for the second,
// 5 when the window was closed without a button. Act only on 1.
std::int16_t QuestionDialog(QWidget* parent, const QString& caption, const QString& message,
                            const QString& secondButton, const QString& firstButton);

}  // namespace quarrion
