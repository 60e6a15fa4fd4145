#pragma once

#include <QTextBrowser>
#include <cstdint>
#include <memory>

#include <pugixml.hpp>

namespace quarrion {

class DataView;
class QBXMLTags;

// A plain window showing one record's data-view page, for builds without the data-view
// window: the core DataView writes the record's XML and stylesheet files and turns them
// into HTML, which the browser shows. The files go when the window does.
class DataViewStandIn : public QTextBrowser {
    Q_OBJECT

  public:
    // `catalog` must outlive the window.
    explicit DataViewStandIn(const QBXMLTags& catalog, QWidget* parent = nullptr);
    ~DataViewStandIn() override;

    // Shows `record` (copied); the caption names the record. A record the page cannot
    // be made for shows what went wrong instead.
    void Show(const pugi::xml_node& record, bool old, std::int32_t requestType);

  private:
    std::unique_ptr<DataView> view_;
};

}  // namespace quarrion
