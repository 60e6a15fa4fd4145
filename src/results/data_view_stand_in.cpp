#include "results/data_view_stand_in.h"

#include "output/data_view.h"

namespace quarrion {

DataViewStandIn::DataViewStandIn(const QBXMLTags& catalog, QWidget* parent)
    : QTextBrowser(parent), view_(std::make_unique<DataView>(catalog)) {
    setObjectName(QStringLiteral("frmDataView"));
    setAccessibleName(QStringLiteral("Record data view"));
    setToolTip(QStringLiteral("The record's data as QuickBooks holds it"));
    setOpenExternalLinks(false);
    resize(560, 460);
}

DataViewStandIn::~DataViewStandIn() = default;

void DataViewStandIn::Show(const pugi::xml_node& record, bool old, std::int32_t requestType) {
    view_->SetOld(old);
    view_->SetRequestType(requestType);
    const std::string problem = view_->SetXMLNode(record);
    setWindowTitle(QString::fromStdString(view_->Caption()));
    if (!problem.empty()) {
        setPlainText(QString::fromStdString(problem));
        return;
    }
    HtmlPage page = view_->Render();
    if (!page.Error.empty()) {
        setPlainText(QString::fromStdString(page.Error));
        return;
    }
    // The page's images sit one folder above its files.
    setSearchPaths({QString::fromStdString(view_->XmlPath().parent_path().string())});
    setHtml(QString::fromStdString(page.Html));
}

}  // namespace quarrion
