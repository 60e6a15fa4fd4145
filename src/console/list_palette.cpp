#include "console/list_palette.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include "console/control_names.h"
#include "console/number_key_rule.h"
#include "model/compare_list.h"

namespace quarrion {

namespace {

// Boxes shown before the column scrolls.
constexpr int kVisibleBoxes = 3;

}  // namespace

ListPalette::ListPalette(bool numbers, QWidget* parent)
    : QWidget(parent),
      numbers_(numbers),
      scroll_(new QScrollArea(this)),
      canvas_(new QWidget),
      column_(new QVBoxLayout(canvas_)) {
    NameControl(this, numbers ? QStringLiteral("nbrList") : QStringLiteral("txtList"),
                numbers ? QStringLiteral("List of numbers") : QStringLiteral("List of texts"),
                numbers ? QStringLiteral("Numbers to find, one a box: Enter, Tab or a blank "
                                         "opens the next box")
                        : QStringLiteral("Texts to find, one a box: Enter, Tab, a blank, comma, "
                                         "period, colon or semicolon opens the next box"));
    canvas_->setObjectName(QStringLiteral("ListCanvas"));
    column_->setContentsMargins(0, 0, 0, 0);
    column_->setSpacing(1);
    column_->addStretch(1);
    scroll_->setObjectName(QStringLiteral("scrList"));
    scroll_->setWidget(canvas_);
    scroll_->setWidgetResizable(true);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll_);
    AppendBox(QString());
    const int boxHeight = boxes_.front()->sizeHint().height();
    setFixedHeight(boxHeight * kVisibleBoxes + 4);
}

QLineEdit* ListPalette::AppendBox(const QString& text) {
    auto* box = new QLineEdit(text, canvas_);
    const int number = boxes_.size() + 1;
    NameControl(
        box, QString::fromLatin1(BoxName), QStringLiteral("List value %1").arg(number),
        numbers_ ? QStringLiteral("A number of the list") : QStringLiteral("A text of the list"));
    if (numbers_) NumberKeyRule::Guard(box);
    // Installed after the number-key rule, so ending keys are seen first.
    box->installEventFilter(this);
    connect(box, &QLineEdit::textEdited, this, [this] {
        WriteBack();
        emit Edited();
    });
    column_->insertWidget(boxes_.size(), box);
    // A layout shows a new child only later; it must take the focus at once.
    box->show();
    boxes_.append(box);
    if (boxes_.size() == 1) setFocusProxy(box);
    return box;
}

void ListPalette::RemoveBox(int index) {
    QLineEdit* box = boxes_.takeAt(index);
    if (focusProxy() == box) setFocusProxy(nullptr);
    box->removeEventFilter(this);
    box->hide();
    box->deleteLater();
    if (!boxes_.isEmpty()) setFocusProxy(boxes_.front());
}

void ListPalette::Bind(CompareList* list) {
    list_ = nullptr;  // no write-back while the boxes are rebuilt
    while (boxes_.size() > 1) RemoveBox(boxes_.size() - 1);
    boxes_.front()->clear();
    if (list) {
        bool first = true;
        for (const auto& item : *list) {
            if (!item->ContainsData()) continue;
            QString text = QString::fromStdString(item->ValueText());
            if (first) {
                boxes_.front()->setText(text);
                first = false;
            } else {
                AppendBox(text);
            }
        }
    }
    list_ = list;
    emit BoxesChanged();
}

void ListPalette::AddData(const QString& value) {
    if (boxes_.size() == 1 && boxes_.front()->text().isEmpty()) {
        boxes_.front()->setText(value);
    } else {
        AppendBox(value);
        emit BoxesChanged();
    }
    WriteBack();
}

void ListPalette::Remove(int position) {
    if (position < 1 || position > boxes_.size()) return;
    if (boxes_.size() == 1) {
        boxes_.front()->clear();
    } else {
        RemoveBox(position - 1);
        emit BoxesChanged();
    }
    WriteBack();
}

void ListPalette::Clear() {
    CompareList* list = list_;
    Bind(nullptr);
    list_ = list;
    if (list_) list_->Clear();
}

QString ListPalette::ListItem(int position) const {
    QLineEdit* box = Box(position);
    return box ? box->text() : QString();
}

QLineEdit* ListPalette::Box(int position) const {
    if (position < 1 || position > boxes_.size()) return nullptr;
    return boxes_.at(position - 1);
}

void ListPalette::Attention(int position) {
    QLineEdit* box = Box(position);
    if (!box) return;
    QPalette colours = box->palette();
    colours.setColor(QPalette::Base, AttnBackColor);
    colours.setColor(QPalette::Text, AttnForeColor);
    box->setPalette(colours);
}

void ListPalette::ClearAttention() {
    for (QLineEdit* box : boxes_) box->setPalette(QPalette());
}

void ListPalette::WriteBack() {
    if (!list_) return;
    list_->Clear();
    for (QLineEdit* box : boxes_) {
        const QString text = box->text().trimmed();
        if (text.isEmpty()) continue;
        list_->Add(StoredValue(text.toStdString()));
    }
}

bool ListPalette::IsEndingKey(int key, const QString& text) const {
    if (key == Qt::Key_Tab || key == Qt::Key_Return || key == Qt::Key_Enter) return true;
    if (text == QLatin1String(" ")) return true;
    if (numbers_) return false;
    return text == QLatin1String(",") || text == QLatin1String(".") || text == QLatin1String(":") ||
           text == QLatin1String(";");
}

bool ListPalette::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    const int index = box ? boxes_.indexOf(box) : -1;
    if (index < 0 || event->type() != QEvent::KeyPress) {
        return QWidget::eventFilter(watched, event);
    }
    auto* keys = static_cast<QKeyEvent*>(event);
    const int key = keys->key();
    const bool last = index == boxes_.size() - 1;
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
        const int next = index + (key == Qt::Key_Up ? -1 : 1);
        if (next >= 0 && next < boxes_.size()) {
            boxes_.at(next)->setFocus(Qt::OtherFocusReason);
            scroll_->ensureWidgetVisible(boxes_.at(next));
        }
        return true;
    }
    if ((key == Qt::Key_Backspace || key == Qt::Key_Delete) && box->text().isEmpty() &&
        boxes_.size() > 1) {
        RemoveBox(index);
        QLineEdit* stay = boxes_.at(qMax(0, index - 1));
        stay->setFocus(Qt::OtherFocusReason);
        WriteBack();
        emit BoxesChanged();
        emit Edited();
        return true;
    }
    if (keys->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        return QWidget::eventFilter(watched, event);
    }
    if (!IsEndingKey(key, keys->text())) return QWidget::eventFilter(watched, event);
    if (!last) {
        boxes_.at(index + 1)->setFocus(Qt::TabFocusReason);
        return true;
    }
    if (!box->text().trimmed().isEmpty()) {
        QLineEdit* added = AppendBox(QString());
        emit BoxesChanged();
        added->setFocus(Qt::TabFocusReason);
        // Laid out before it can be scrolled to.
        canvas_->adjustSize();
        scroll_->ensureWidgetVisible(added);
        return true;
    }
    // An ending key in an empty last box: Tab and Enter leave, the others do nothing.
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        emit Entered();
        return true;
    }
    if (key == Qt::Key_Tab) return false;
    return true;
}

}  // namespace quarrion
