#pragma once

#include "wizard/view_panel.h"

class QButtonGroup;
class QRadioButton;

namespace quarrion {

// The preferences wizard's choice between changing which columns a type shows and
// reordering or renaming the ones it shows. Both options are cleared each time the
// panel comes up, and Next waits until one is chosen.
class ViewOptions : public ViewPanel {
    Q_OBJECT

  public:
    explicit ViewOptions(View& view, QWidget* parent = nullptr);

    QString Information() const override;
    bool IsValid() override { return isComplete(); }
    void Shown() override;
    QString HelpPage() const override { return QStringLiteral("wizard-options.html"); }
    bool isComplete() const override;

    // Add/Remove Columns: the column selection comes next.
    bool AddRemoveChosen() const;
    // Modify Columns: straight to ordering and renaming.
    bool ModifyChosen() const;

    QRadioButton* optType(int index) const { return index == 0 ? optAddRemove_ : optModify_; }

  private:
    QButtonGroup* group_;
    QRadioButton* optAddRemove_;
    QRadioButton* optModify_;
};

}  // namespace quarrion
