#include "console/range_control.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "console/control_names.h"
#include "console/number_key_rule.h"
#include "model/compare_range.h"

namespace quarrion {

namespace {

QString BoundText(const CompareData& bound) {
    if (!bound.ContainsData()) return {};
    return QString::fromStdString(bound.ValueText());
}

}  // namespace

RangeControl::RangeControl(QWidget* parent)
    : QWidget(parent), txtFrom_(new QLineEdit(this)), txtTo_(new QLineEdit(this)) {
    NameControl(this, QStringLiteral("txtRange"), QStringLiteral("Range of numbers"),
                QStringLiteral("The lowest and the highest number to find, both included"));
    NameControl(txtFrom_, QStringLiteral("txtFrom"), QStringLiteral("From number"),
                QStringLiteral("The lowest number to find"));
    NameControl(txtTo_, QStringLiteral("txtTo"), QStringLiteral("To number"),
                QStringLiteral("The highest number to find"));
    NumberKeyRule::Guard(txtFrom_);
    NumberKeyRule::Guard(txtTo_);
    auto* between = new QLabel(QStringLiteral("and"), this);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(txtFrom_, 1);
    layout->addWidget(between);
    layout->addWidget(txtTo_, 1);
    setFocusProxy(txtFrom_);

    connect(txtFrom_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (range_) range_->A().SetValue(StoredValue(text.toStdString()));
        emit Edited();
    });
    connect(txtTo_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (range_) range_->B().SetValue(StoredValue(text.toStdString()));
        emit Edited();
    });
    connect(txtTo_, &QLineEdit::returnPressed, this, &RangeControl::Entered);
}

void RangeControl::Bind(CompareRange* range) {
    range_ = range;
    txtFrom_->setText(range ? BoundText(range->A()) : QString());
    txtTo_->setText(range ? BoundText(range->B()) : QString());
}

void RangeControl::Clear() {
    if (range_) range_->Clear();
    txtFrom_->clear();
    txtTo_->clear();
}

QString RangeControl::FromNumber() const {
    return txtFrom_->text();
}

QString RangeControl::ToNumber() const {
    return txtTo_->text();
}

}  // namespace quarrion
