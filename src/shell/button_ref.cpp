#include "shell/button_ref.h"

#include <QAbstractButton>
#include <memory>

namespace quarrion {

void ButtonRef::SetButton(QAbstractButton* button) {
    button_ = button;
    defaultToolTip_ = button ? button->toolTip() : QString();
}

QString ButtonRef::ToolTipText() const {
    return button_ ? button_->toolTip() : QString();
}

void ButtonRef::SetToolTipText(const QString& text) {
    if (button_) button_->setToolTip(text);
}

bool ButtonRef::Enabled() const {
    return button_ && button_->isEnabled();
}

void ButtonRef::SetEnabled(bool enabled) {
    if (button_) button_->setEnabled(enabled);
}

QString ButtonRef::Name() const {
    return button_ ? button_->objectName() : QString();
}

void ButtonRef::SetPicture(const QIcon& picture) {
    if (button_) button_->setIcon(picture);
}

ButtonRef* ButtonRefs::Add(QAbstractButton* button) {
    std::string key = button->objectName().toStdString();
    if (ButtonRef* existing = refs_.Item(key)) return existing;
    auto ref = std::make_unique<ButtonRef>();
    ref->SetButton(button);
    ref->Index = refs_.Counter() + 1;
    return refs_.Add(std::move(ref), key);
}

}  // namespace quarrion
