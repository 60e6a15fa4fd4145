#pragma once

#include <QAbstractButton>
#include <QIcon>
#include <QPointer>
#include <QString>
#include <cstddef>

#include "foundation/keyed_collection.h"

namespace quarrion {

// One side-bar button as the main window sees it: enabling and tool-tips go through
// here, so the main window never needs the button's own type.
class ButtonRef {
  public:
    // Setting the button remembers its tool-tip at that moment as the default.
    void SetButton(QAbstractButton* button);
    QAbstractButton* Button() const { return button_; }

    const QString& DefaultToolTipText() const { return defaultToolTip_; }
    QString ToolTipText() const;
    void SetToolTipText(const QString& text);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    // The button's object name ("cmdExcel"); its key in ButtonRefs is upper-cased.
    QString Name() const;
    void SetPicture(const QIcon& picture);

    // A toggle, false at creation; Clicked inverts it.
    bool State() const { return state_; }
    void SetState(bool state) { state_ = state; }
    void Clicked() { state_ = !state_; }

    // 1-based order of registration.
    long Index = -1;

  private:
    QPointer<QAbstractButton> button_;
    QString defaultToolTip_;
    bool state_ = false;
};

// The side bar's buttons in registration order, keyed by the upper-cased button name.
class ButtonRefs {
  public:
    // Registers `button` under its object name; a name already present returns the
    // existing entry unchanged.
    ButtonRef* Add(QAbstractButton* button);
    // By 1-based position or by name in any letter case; nullptr when missing.
    ButtonRef* Item(std::size_t position) const { return refs_.Item(position); }
    ButtonRef* Item(const QString& name) const { return refs_.Item(name.toStdString()); }
    std::size_t Count() const { return refs_.Count(); }
    void Remove(const QString& name) { refs_.Remove(name.toStdString()); }
    void Clear() { refs_.Clear(); }
    auto begin() const { return refs_.begin(); }
    auto end() const { return refs_.end(); }

  private:
    KeyedCollection<ButtonRef> refs_;
};

}  // namespace quarrion
