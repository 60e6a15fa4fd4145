#pragma once

#include <cstdint>

#include "wizard/view_wizard.h"

namespace quarrion {

class DisplayColumns;
class ViewColumns;
class ViewPreview;

// The per-search Display Columns wizard: one search's columns of one type are chosen,
// then ordered and renamed. The caller hands the columns in (SetDisplayColumns) and
// runs Start; Finish rebuilds those columns from the choices, Cancel leaves them as
// they were. Nothing is stored: the search owns its columns.
class frmDisplayWizard : public ViewWizard {
    Q_OBJECT

  public:
    enum Step { ColumnsStep, PreviewStep };

    // What ButtonPressed answers.
    static constexpr std::int16_t NotPressed = 5;
    static constexpr std::int16_t FinishPressed = 1;
    static constexpr std::int16_t CancelPressed = 2;

    // `catalog` is the application's catalog and outlives the wizard.
    frmDisplayWizard(const QBXMLTags& catalog, QString helpIndex, QWidget* parent = nullptr);

    // Loads the view from `columns`, which must outlive the wizard and which Finish
    // rebuilds: the type's catalog entries, the columns' own shown at their places under
    // their headings. `requestType` names the type when the columns do not (0: theirs).
    // The caption names the type; ButtonPressed becomes NotPressed.
    void SetDisplayColumns(DisplayColumns& columns, std::int32_t requestType = 0);
    // Shows the wizard modally over its parent; answers ButtonPressed.
    std::int16_t Start();
    // NotPressed after loading, FinishPressed or CancelPressed once the wizard closed.
    std::int16_t ButtonPressed() const { return buttonPressed_; }

    // The search the columns belong to; kept for the caller.
    long SearchObjectID = 0;

    ViewColumns* Columns() const { return columns_; }
    ViewPreview* Preview() const { return preview_; }

  protected:
    bool Complete() override;
    void Abandoned() override { buttonPressed_ = CancelPressed; }

  private:
    DisplayColumns* target_ = nullptr;
    std::int16_t buttonPressed_ = NotPressed;
    ViewColumns* columns_;
    ViewPreview* preview_;
};

}  // namespace quarrion
