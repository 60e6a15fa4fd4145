#pragma once

#include "wizard/view_panel.h"

class QComboBox;

namespace quarrion {

class QBXMLTags;

// The preferences wizard's first step: which list or transaction type to change.
// Leaving it forward loads the type's catalog entries into the view, so going back to
// it and on again starts that type's choices afresh.
class ViewSelect : public ViewPanel {
    Q_OBJECT

  public:
    // `catalog` is the application's catalog and outlives the panel.
    ViewSelect(View& view, const QBXMLTags& catalog, QWidget* parent = nullptr);

    QString Information() const override;
    bool IsValid() override;
    void Shown() override;
    QString HelpPage() const override { return QStringLiteral("wizard-select.html"); }

    // Offers every request type by its list title, in code order; nothing chosen at
    // first. Each entry carries its request type as item data.
    QComboBox* cboType() const { return cboType_; }

  private:
    const QBXMLTags& catalog_;
    QComboBox* cboType_;
};

}  // namespace quarrion
