#pragma once

#include "catalog/qbxml_tags.h"
#include "foundation/codes.h"

namespace quarrion::test {

// The catalog headings an invoice's data-view page shows for its usual fields.
inline void AddInvoiceHeadings(QBXMLTags& tags) {
    for (const auto& [path, heading] : {std::pair{"//InvoiceRet/RefNumber", "Invoice #"},
                                        {"//InvoiceRet/TxnDate", "Date"},
                                        {"//InvoiceRet/CustomerRef/FullName", "Customer"},
                                        {"//InvoiceRet/Memo", "Memo"},
                                        {"//InvoiceRet/InvoiceLineRet/Desc", "Description"},
                                        {"//InvoiceRet/InvoiceLineRet/Amount", "Amount"}}) {
        tags.Add(RequestTypeCode::Invoice, "", 0, 0, path, heading, 1, "", false, "", "STRTYPE", 0);
    }
}

}  // namespace quarrion::test
