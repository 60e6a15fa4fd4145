#pragma once

#include <QColor>
#include <QList>
#include <QWidget>

class QLineEdit;
class QScrollArea;
class QVBoxLayout;

namespace quarrion {

class CompareList;

// The entry of an "in list" rule: a scrolling column of one-line boxes (txtDta), one
// per value, bound to the rule's CompareList. Every edit rewrites the list from the
// boxes that hold more than blanks, in box order, so the list never carries a blank
// value.
//
// Keys: typing in the last box and pressing an ending key opens a new box below and
// moves there (a text list ends on Tab, Enter, space, comma, period, colon and
// semicolon; a number list on Tab, Enter and space, its other keys following the
// number-key rule). In a box above the last an ending key moves down. Up and Down move
// between boxes; Backspace or Delete in an empty box removes it. Tab or Enter in an
// empty last box leave the palette (Enter as Entered).
class ListPalette : public QWidget {
    Q_OBJECT

  public:
    static constexpr const char* BoxName = "txtDta";

    explicit ListPalette(bool numbers, QWidget* parent = nullptr);

    // Shows the list's values and writes every edit back into it. The list belongs to
    // the rule and must outlive the binding (Bind(nullptr) lets go).
    void Bind(CompareList* list);
    // Whether the palette takes numbers (the number-key rule, fewer ending keys).
    bool Numbers() const { return numbers_; }

    // Appends a box holding `value` (and the value to the list).
    void AddData(const QString& value);
    // Removes the box at 1-based `position`; the last remaining box is emptied instead.
    void Remove(int position);
    // One empty box; the list emptied.
    void Clear();
    // The text of the box at 1-based `position`; empty when there is none.
    QString ListItem(int position) const;
    // Boxes shown (the empty one being typed into included).
    int Count() const { return boxes_.size(); }
    QLineEdit* Box(int position) const;
    const QList<QLineEdit*>& Boxes() const { return boxes_; }

    // Marks a box in the attention colours, or unmarks every box.
    void Attention(int position);
    void ClearAttention();
    QColor AttnBackColor = QColor(255, 255, 192);
    QColor AttnForeColor = QColor(128, 0, 0);

  signals:
    void Edited();
    // Boxes were added or removed (the tab order must follow them).
    void BoxesChanged();
    // Enter in an empty last box.
    void Entered();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLineEdit* AppendBox(const QString& text);
    void RemoveBox(int index);
    void WriteBack();
    bool IsEndingKey(int key, const QString& text) const;

    bool numbers_;
    CompareList* list_ = nullptr;
    QScrollArea* scroll_;
    QWidget* canvas_;
    QVBoxLayout* column_;
    QList<QLineEdit*> boxes_;
};

}  // namespace quarrion
