#include "wizard/frm_wizard.h"

#include <QApplication>

#include "shell/frm_dialog.h"
#include "store/io_manager.h"
#include "wizard/view_columns.h"
#include "wizard/view_options.h"
#include "wizard/view_preview.h"
#include "wizard/view_select.h"

namespace quarrion {

namespace {

// The hourglass while the store writes and reloads the catalog, restored on every way
// out.
class BusyCursor {
  public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

QString ColumnsInformation() {
    return QStringLiteral(
        "Use this panel to select which QuickBooks data columns are to "
        "appear in your search results for &requesttitle.\n\n"
        "Columns listed in black are always considered good "
        "selections.\n\n"
        "Columns listed in blue, may be referential data. "
        "Names of payees, customers, vendors, accounts, etc. are "
        "typically returned as referential data.  If a blue "
        "column is one of these columns, then it is a good selection.\n\n"
        "Columns listed in red "
        "are not considered good selections, because they most "
        "likely are related to detail line items, that appear "
        "more than once in the data. If you select a red, or blue "
        "column, then only the first occurrence of that data will "
        "be displayed in the search results.");
}

}  // namespace

frmWizard::frmWizard(const QBXMLTags& catalog, IOManager* store, QString helpIndex, QWidget* parent)
    : ViewWizard(catalog, std::move(helpIndex), parent),
      store_(store),
      select_(new ViewSelect(SharedView(), catalog, this)),
      options_(new ViewOptions(SharedView(), this)),
      columns_(new ViewColumns(SharedView(), ColumnsInformation(), this)),
      preview_(new ViewPreview(SharedView(), this)) {
    setObjectName(QStringLiteral("frmWizard"));
    setWindowTitle(QStringLiteral("Search Results Preferences"));
    AddPanel(SelectStep, select_);
    AddPanel(OptionsStep, options_);
    AddPanel(ColumnsStep, columns_);
    AddPanel(PreviewStep, preview_);
    setStartId(SelectStep);
}

int frmWizard::nextId() const {
    switch (currentId()) {
        case SelectStep:
            return OptionsStep;
        case OptionsStep:
            return options_->AddRemoveChosen() ? ColumnsStep : PreviewStep;
        case ColumnsStep:
            return PreviewStep;
        default:
            return -1;
    }
}

bool frmWizard::Complete() {
    if (!store_) {
        MessageDialog(this, QString::fromLatin1(ViewPanel::MessageTitle),
                      QStringLiteral("The column choices cannot be stored: no database is open."));
        return false;
    }
    StoreResult stored;
    {
        BusyCursor busy;
        stored = store_->UpdateTags(SharedView().Tags);
    }
    // The store reloads the catalog when it can; the view must not keep pointing at
    // the entries it replaced, whether the wizard closes or stays.
    SharedView().Rebind(catalog_);
    return static_cast<bool>(stored);
}

}  // namespace quarrion
