#pragma once

#include "wizard/view_wizard.h"

namespace quarrion {

class IOManager;
class ViewColumns;
class ViewOptions;
class ViewPreview;
class ViewSelect;

// The Search Results Preferences wizard: sets, per request type, the columns new
// searches show and their headings. The user picks a type, then either chooses its
// columns and orders them, or goes straight to ordering and renaming the ones it shows.
// Finish stores the choices in the catalog through the store (which reloads the
// catalog); Cancel stores nothing. A store that fails keeps the wizard open with the
// user's choices, after the store's own message.
class frmWizard : public ViewWizard {
    Q_OBJECT

  public:
    enum Step { SelectStep, OptionsStep, ColumnsStep, PreviewStep };

    // `store` (may be null: Finish then says nothing can be stored) and `catalog`
    // outlive the wizard.
    frmWizard(const QBXMLTags& catalog, IOManager* store, QString helpIndex,
              QWidget* parent = nullptr);

    int nextId() const override;

    ViewSelect* Select() const { return select_; }
    ViewOptions* Options() const { return options_; }
    ViewColumns* Columns() const { return columns_; }
    ViewPreview* Preview() const { return preview_; }

  protected:
    bool Complete() override;

  private:
    IOManager* store_;
    ViewSelect* select_;
    ViewOptions* options_;
    ViewColumns* columns_;
    ViewPreview* preview_;
};

}  // namespace quarrion
