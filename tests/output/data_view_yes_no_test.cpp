#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <fstream>
#include <string>

#include "catalog/qbxml_tags.h"
#include "foundation/codes.h"
#include "output/data_view_stylesheet.h"
#include "output/xslt_transform.h"
#include "support/temp_home.h"

namespace quarrion {
namespace {

constexpr int kInvoice = RequestTypeCode::Invoice;

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// A record's page shows its true/false fields as Yes and No, in the main table and in
// repeated lines alike, whether the page is made from the stylesheet file or from the
// copy with the values written in.
TEST(DataViewYesNo, TrueFalseFieldsReadYesAndNoOnThePage) {
    QBXMLTags tags;
    for (const char* path : {"//InvoiceRet/RefNumber", "//InvoiceRet/InvoiceLineRet/Desc"}) {
        tags.Add(kInvoice, "", 0, 0, path, "Text", 1, "", false, "", "STRTYPE", 0);
    }
    tags.Add(kInvoice, "", 0, 0, "//InvoiceRet/IsPaid", "Paid", 1, "", false, "", "BOOLTYPE", 0);
    tags.Add(kInvoice, "", 0, 0, "//InvoiceRet/IsPending", "Pending", 1, "", false, "", "BOOLTYPE",
             0);
    tags.Add(kInvoice, "", 0, 0, "//InvoiceRet/InvoiceLineRet/IsTaxable", "Taxable", 2, "", false,
             "", "BOOLTYPE", 0);
    pugi::xml_document source;
    ASSERT_TRUE(source.load_string(
        "<InvoiceRet><RefNumber>true</RefNumber><IsPaid>true</IsPaid><IsPending>FALSE</IsPending>"
        "<InvoiceLineRet><Desc>Bolts</Desc><IsTaxable>false</IsTaxable></InvoiceLineRet>"
        "<InvoiceLineRet><Desc>Nuts</Desc><IsTaxable>true</IsTaxable></InvoiceLineRet>"
        "<InvoiceLineRet><Desc>Labour</Desc><IsTaxable>n/a</IsTaxable></InvoiceLineRet>"
        "</InvoiceRet>"));
    const pugi::xml_node record = source.document_element();

    test::TempDir dir;
    const auto xml = dir.Path() / "record.xml";
    std::ofstream(xml, std::ios::binary) << DataViewXml(record, "record.xsl");
    for (bool writtenIn : {false, true}) {
        SCOPED_TRACE(writtenIn ? "values written in" : "stylesheet file");
        const std::string stylesheet =
            writtenIn ? DataViewRenderingStylesheet(record, kInvoice, false, tags)
                      : DataViewStylesheet(record, kInvoice, false, tags);
        std::string html;
        ASSERT_EQ(TransformXmlFileWith(xml, stylesheet, dir.Path() / "record.xsl", html).Message(),
                  "");
        EXPECT_EQ(Count(html, "<td>Yes</td>"), 2u) << html;  // IsPaid, the second line
        EXPECT_EQ(Count(html, "<td>No</td>"), 2u) << html;   // IsPending, the first line
        EXPECT_EQ(Count(html, "<td>n/a</td>"), 1u) << "anything else stays as it is";
        EXPECT_EQ(Count(html, "<td>true</td>"), 1u) << "a text field keeps its text";
        EXPECT_EQ(Count(html, "<td>false</td>") + Count(html, "FALSE"), 0u) << html;
    }
}

}  // namespace
}  // namespace quarrion
