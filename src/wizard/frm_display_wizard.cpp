#include "wizard/frm_display_wizard.h"

#include "model/display_column.h"
#include "wizard/view_columns.h"
#include "wizard/view_preview.h"

namespace quarrion {

namespace {

QString ColumnsInformation() {
    return QStringLiteral(
        "Use this panel to select which QuickBooks data columns are to "
        "appear in your search results for &requesttitle.\n\n"
        "Columns listed in black are always considered good "
        "selections.\n\n"
        "Columns listed in blue, may be referential data. \n\n"
        "Columns listed in red "
        "are not considered good selections, because they most "
        "likely are related to detail line items.\n\n"
        "Click Help for more detail.");
}

}  // namespace

frmDisplayWizard::frmDisplayWizard(const QBXMLTags& catalog, QString helpIndex, QWidget* parent)
    : ViewWizard(catalog, std::move(helpIndex), parent),
      columns_(new ViewColumns(SharedView(), ColumnsInformation(), this)),
      preview_(new ViewPreview(SharedView(), this)) {
    setObjectName(QStringLiteral("frmDisplayWizard"));
    setWindowTitle(FormatText(QStringLiteral("&requesttitle Display Columns")));
    AddPanel(ColumnsStep, columns_);
    AddPanel(PreviewStep, preview_);
    setStartId(ColumnsStep);
}

void frmDisplayWizard::SetDisplayColumns(DisplayColumns& columns, std::int32_t requestType) {
    target_ = &columns;
    SharedView().LoadDisplayColumns(catalog_, columns, requestType);
    setWindowTitle(FormatText(QStringLiteral("&requesttitle Display Columns")));
    buttonPressed_ = NotPressed;
}

std::int16_t frmDisplayWizard::Start() {
    exec();
    return buttonPressed_;
}

bool frmDisplayWizard::Complete() {
    if (target_) SharedView().FillDisplayColumns(*target_);
    buttonPressed_ = FinishPressed;
    return true;
}

}  // namespace quarrion
