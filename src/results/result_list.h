#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quarrion {

// One column of a result list: the catalog tag it shows, its heading and the
// qbXML data-type code of its values (decides number formats and totals in outputs).
struct ResultColumn {
    std::string Key;  // the tag name, e.g. //InvoiceRet/CustomerRef/FullName
    std::string Heading;
    std::int32_t DataTypeCode = 0;
};

// One matching record: its key ("k" + position in the stored response), one cell
// per column in column order, and the text that made it match ("" when every
// record of the type is listed or a field rule decided).
struct ResultRow {
    std::string Key;
    std::vector<std::string> Cells;
    std::string MatchText;
};

// What one type's results tab shows. Columns are in creation order; rows in the
// order shown. Outputs (delimited files, workbooks) write exactly this.
struct ResultList {
    std::int32_t RequestType = 0;
    std::string Title;  // the tab title, e.g. "Purchase Order"
    std::vector<ResultColumn> Columns;
    std::vector<ResultRow> Rows;
};

}  // namespace quarrion
