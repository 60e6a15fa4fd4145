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
    const Outcome copied = view_->SetXMLNode(record);
    setWindowTitle(QString::fromStdString(view_->Caption()));
    if (!copied) {
        setPlainText(QString::fromStdString(copied.Message()));
        return;
    }
    std::string html;
    if (Outcome rendered = view_->Render(html); !rendered) {
        setPlainText(QString::fromStdString(rendered.Message()));
        return;
    }
    // The page's images sit one folder above its files.
    setSearchPaths({QString::fromStdString(view_->XmlPath().parent_path().string())});
    setHtml(QString::fromStdString(html));
}

}  // namespace quarrion
