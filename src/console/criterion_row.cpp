#include "console/criterion_row.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <functional>

#include "console/control_names.h"
#include "console/date_rule_input.h"
#include "console/list_palette.h"
#include "console/number_key_rule.h"
#include "console/range_control.h"
#include "foundation/common_tools.h"
#include "model/rule_values.h"
#include "search/rule_text.h"

namespace quarrion {

namespace {

QString StoredText(const CompareData& data) {
    return data.ContainsData() ? QString::fromStdString(data.ValueText()) : QString();
}

// How the operations read on a date: a day is before or after another.
QString DateOperationText(long operation) {
    switch (operation) {
        case Operation::LessThan:
            return QStringLiteral("Before");
        case Operation::LessOrEqual:
            return QStringLiteral("On or Before");
        case Operation::Equal:
            return QStringLiteral("On");
        case Operation::GreaterOrEqual:
            return QStringLiteral("On or After");
        case Operation::GreaterThan:
            return QStringLiteral("After");
        case Operation::Between:
            return QStringLiteral("Between");
        default:
            return QString::fromStdString(CommonTools::OperatorText(operation));
    }
}

// Delete on one of a row's choices empties the row's value (the choices have no text
// of their own to delete).
class DeleteClearsRow : public QObject {
  public:
    DeleteClearsRow(QObject* parent, std::function<void()> clear)
        : QObject(parent), clear_(std::move(clear)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
            clear_();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> clear_;
};

}  // namespace

int CriterionRow::CompareWidth() {
    static const int width = [] {
        QComboBox probe;
        for (long operation : Operation::All) {
            probe.addItem(QString::fromStdString(CommonTools::OperatorText(operation)));
            probe.addItem(DateOperationText(operation));
        }
        probe.setSizeAdjustPolicy(QComboBox::AdjustToContents);
        return probe.sizeHint().width();
    }();
    return width;
}

CriterionRow::CriterionRow(QWidget* parent, RuleValues& values, int subjectWidth)
    : QWidget(parent),
      values_(values),
      cboAndOr_(new QComboBox(this)),
      cboDataType_(new QComboBox(this)),
      cboTrueCompare_(new QComboBox(this)),
      txtString_(new QLineEdit(this)),
      txtNumber_(new QLineEdit(this)),
      txtRange_(new RangeControl(this)),
      txtList_(new ListPalette(false, this)),
      nbrList_(new ListPalette(true, this)),
      txtDate_(new DateRuleInput(this)),
      lblNoInput_(new QLabel(QStringLiteral("(no value needed)"), this)) {
    NameControl(cboAndOr_, QStringLiteral("cboAndOr"), QStringLiteral("And or Or"),
                QStringLiteral("AND: this rule must hold too; OR: this rule starts a new group "
                               "of rules, any group may hold (Delete empties the value)"));
    NameControl(cboTrueCompare_, QStringLiteral("cboTrueCompare"), QStringLiteral("Compare"),
                QStringLiteral("How a value is compared (Delete empties the value)"));
    NameControl(txtString_, QStringLiteral("txtString"), QStringLiteral("Compare text"),
                QStringLiteral("The text to compare with; Enter in the last rule searches"));
    NameControl(txtNumber_, QStringLiteral("txtNumber"), QStringLiteral("Compare number"),
                QStringLiteral("The number to compare with; Enter in the last rule searches"));
    NameControl(lblNoInput_, QStringLiteral("lblNoInput"), QStringLiteral("No value needed"),
                QStringLiteral("This comparison needs no value"));
    NumberKeyRule::Guard(txtNumber_);
    cboAndOr_->addItems({QStringLiteral("OR"), QStringLiteral("AND")});
    cboAndOr_->setCurrentIndex(1);
    cboAndOr_->setFixedWidth(AndOrWidth);
    cboDataType_->setFixedWidth(subjectWidth);
    cboTrueCompare_->setFixedWidth(CompareWidth());
    lblNoInput_->setEnabled(false);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(RowMargin, 1, RowMargin, 1);
    layout->setSpacing(ColumnSpacing);
    layout->addWidget(cboAndOr_, 0, Qt::AlignTop);
    layout->addWidget(cboDataType_, 0, Qt::AlignTop);
    layout->addWidget(cboTrueCompare_, 0, Qt::AlignTop);
    for (QWidget* input : AllInputs()) {
        layout->addWidget(input, 1, Qt::AlignTop);
        input->hide();
    }
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    auto* deleteKey = new DeleteClearsRow(this, [this] {
        Clear();
        MarkEdited();
    });
    for (QComboBox* choice : {cboAndOr_, cboDataType_, cboTrueCompare_}) {
        choice->installEventFilter(deleteKey);
    }

    connect(cboAndOr_, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        if (loading_) return;
        RuleAndOr() = text.toStdString();
        MarkEdited();
    });
    connect(cboDataType_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (loading_ || index < 0) return;
        const bool wasDate = input_ == txtDate_;
        TakeSubject(index);
        RefillOperations();
        if (wasDate && input_ != txtDate_) {
            // Text rules read the same holder; a date left there would pass for their text.
            values_.TextCompare.Clear();
            txtString_->clear();
        }
        MarkEdited();
    });
    connect(cboTrueCompare_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (loading_ || index < 0) return;
        RuleOperand() = cboTrueCompare_->itemData(index).toInt();
        ShowInput();
        MarkEdited();
    });
    connect(txtString_, &QLineEdit::textEdited, this, [this](const QString& text) {
        values_.TextCompare.SetValue(StoredValue(text.toStdString()));
        MarkEdited();
    });
    connect(txtNumber_, &QLineEdit::textEdited, this, [this](const QString& text) {
        values_.NumberCompare.SetValue(StoredValue(text.toStdString()));
        MarkEdited();
    });
    connect(txtString_, &QLineEdit::returnPressed, this, &CriterionRow::Entered);
    connect(txtNumber_, &QLineEdit::returnPressed, this, &CriterionRow::Entered);
    connect(txtDate_, &DateRuleInput::Edited, this, [this] {
        const QString text = txtDate_->Text();
        if (text.isEmpty()) {
            values_.TextCompare.Clear();
        } else {
            values_.TextCompare.SetValue(std::string_view(text.toStdString()));
        }
        MarkEdited();
        // A span of days shows its count instead of the calendar.
        emit FocusChainChanged();
    });
    connect(txtDate_, &DateRuleInput::Entered, this, &CriterionRow::Entered);
    connect(txtRange_, &RangeControl::Edited, this, &CriterionRow::MarkEdited);
    connect(txtRange_, &RangeControl::Entered, this, &CriterionRow::Entered);
    for (ListPalette* list : {txtList_, nbrList_}) {
        connect(list, &ListPalette::Edited, this, &CriterionRow::MarkEdited);
        connect(list, &ListPalette::Entered, this, &CriterionRow::Entered);
        connect(list, &ListPalette::BoxesChanged, this, &CriterionRow::FocusChainChanged);
    }
    // The rule is a member of the subclass, not built yet: the subclass binds the
    // inputs to it through ShowRule.
}

void CriterionRow::MarkEdited() {
    changed_ = true;
    emit Edited();
}

void CriterionRow::Clear() {
    values_.ClearValues();
    ShowValues();
}

void CriterionRow::SetAndOr(const QString& andOr) {
    loading_ = true;
    cboAndOr_->setCurrentIndex(andOr == QLatin1String("OR") ? 0 : 1);
    RuleAndOr() = cboAndOr_->currentText().toStdString();
    loading_ = false;
}

QList<QWidget*> CriterionRow::AllInputs() const {
    return {txtString_, txtNumber_, txtRange_, txtList_, nbrList_, txtDate_, lblNoInput_};
}

QWidget* CriterionRow::InputFor(long operation) const {
    if (ComparesDates()) {
        const std::vector<long> dateOperations = OperationsForChoice(Choice::Date);
        const bool fits = std::find(dateOperations.begin(), dateOperations.end(), operation) !=
                          dateOperations.end();
        return fits ? txtDate_ : nullptr;
    }
    switch (HolderFor(operation)) {
        case ValueHolder::Number:
            return txtNumber_;
        case ValueHolder::Range:
            return txtRange_;
        case ValueHolder::Text:
            return txtString_;
        case ValueHolder::List:
            return ListOfText() ? static_cast<QWidget*>(txtList_) : nbrList_;
        case ValueHolder::None:
            break;
    }
    return nullptr;
}

void CriterionRow::ShowInput() {
    QWidget* input = InputFor(RuleOperand());
    const bool wasFocused = input_ && input_->isAncestorOf(QApplication::focusWidget());
    for (QWidget* each : AllInputs()) each->setVisible(each == (input ? input : lblNoInput_));
    const bool changedInput = input != input_;
    input_ = input;
    if (input_ == txtDate_) {
        txtDate_->SetBetween(RuleOperand() == Operation::Between);
        ShowDateValue();
    }
    if (wasFocused && input_) input_->setFocus(Qt::OtherFocusReason);
    if (changedInput) emit FocusChainChanged();
}

void CriterionRow::ShowValues() {
    txtString_->setText(StoredText(values_.TextCompare));
    txtNumber_->setText(StoredText(values_.NumberCompare));
    txtRange_->Bind(&values_.NumberRange);
    txtList_->Bind(&values_.TextList);
    nbrList_->Bind(&values_.NumberList);
    if (input_ == txtDate_) ShowDateValue();
}

void CriterionRow::ShowDateValue() {
    const QString held = StoredText(values_.TextCompare);
    if (held.isEmpty() || !txtDate_->SetText(held)) txtDate_->Clear();
    const QString shown = txtDate_->Text();
    if (shown == held) return;
    if (shown.isEmpty()) {
        values_.TextCompare.Clear();
    } else {
        values_.TextCompare.SetValue(std::string_view(shown.toStdString()));
    }
}

void CriterionRow::RefillOperations() {
    const std::vector<long> operations = Operations();
    long operand = RuleOperand();
    if (std::find(operations.begin(), operations.end(), operand) == operations.end()) {
        operand = operations.empty() ? 0 : operations.front();
    }
    const bool wasLoading = loading_;
    loading_ = true;
    cboTrueCompare_->clear();
    for (long operation : operations) {
        cboTrueCompare_->addItem(ComparesDates()
                                     ? DateOperationText(operation)
                                     : QString::fromStdString(CommonTools::OperatorText(operation)),
                                 static_cast<int>(operation));
    }
    cboTrueCompare_->setCurrentIndex(cboTrueCompare_->findData(static_cast<int>(operand)));
    loading_ = wasLoading;
    RuleOperand() = operand;
    ShowInput();
}

void CriterionRow::ShowRule() {
    loading_ = true;
    cboAndOr_->setCurrentIndex(RuleAndOr() == "OR" ? 0 : 1);
    // The row always shows a join; the rule takes the one shown.
    RuleAndOr() = cboAndOr_->currentText().toStdString();
    loading_ = false;
    RefillOperations();
    ShowValues();
}

QList<QWidget*> CriterionRow::FocusChain() const {
    QList<QWidget*> chain{cboAndOr_, cboDataType_, cboTrueCompare_};
    if (input_ == txtRange_) {
        chain << txtRange_->txtFrom() << txtRange_->txtTo();
    } else if (input_ == txtList_ || input_ == nbrList_) {
        for (QLineEdit* box : static_cast<ListPalette*>(input_)->Boxes()) chain << box;
    } else if (input_ == txtDate_) {
        chain << txtDate_->FocusChain();
    } else if (input_) {
        chain << input_;
    }
    return chain;
}

LabelCoords CriterionRow::LabelCoordinates() const {
    const QWidget* input = input_ ? input_ : lblNoInput_;
    return {{QStringLiteral("andor"), cboAndOr_->x(), cboAndOr_->width()},
            {QStringLiteral("datatype"), cboDataType_->x(), cboDataType_->width()},
            {QStringLiteral("truecompare"), cboTrueCompare_->x(), cboTrueCompare_->width()},
            {QStringLiteral("input"), input->x(), width() - input->x()}};
}

}  // namespace quarrion
