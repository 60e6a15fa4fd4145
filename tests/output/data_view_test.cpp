#include "output/data_view.h"

#include <gtest/gtest.h>
#include <libxml/HTMLparser.h>
#include <libxml/tree.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "catalog/qbxml_tags.h"
#include "foundation/app_paths.h"
#include "foundation/codes.h"
#include "output/data_view_stylesheet.h"
#include "output/xslt_transform.h"
#include "support/temp_home.h"

namespace quarrion {
namespace {

constexpr int kInvoice = RequestTypeCode::Invoice;

// A page made, or why not, in one value the checks can print.
struct Page {
    std::string Html;
    std::string Error;
};

Page Transform(const std::filesystem::path& xml, const std::filesystem::path& xsl) {
    Page page;
    page.Error = TransformXmlFile(xml, xsl, page.Html).Message();
    return page;
}

Page Rendered(const DataView& view) {
    Page page;
    page.Error = view.Render(page.Html).Message();
    return page;
}

// What the page's text says, as a browser would show it (entities resolved).
std::string HtmlText(const std::string& html) {
    htmlDocPtr doc = htmlReadMemory(html.data(), static_cast<int>(html.size()), nullptr, "UTF-8",
                                    HTML_PARSE_NONET | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING);
    if (!doc) return {};
    xmlChar* content = xmlNodeGetContent(xmlDocGetRootElement(doc));
    std::string text = content ? reinterpret_cast<const char*>(content) : "";
    xmlFree(content);
    xmlFreeDoc(doc);
    return text;
}

void WriteFile(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

class DataViewTest : public ::testing::Test {
  protected:
    DataViewTest() {
        Heading("//InvoiceRet/RefNumber", "Invoice #");
        Heading("//InvoiceRet/TxnDate", "Date");
        Heading("//InvoiceRet/PONumber", "P.O. No.");
        Heading("//InvoiceRet/Memo", "Memo");
        Heading("//InvoiceRet/CustomerRef/FullName", "Customer");
        Heading("//InvoiceRet/TermsRef/FullName", "Terms & Conditions <x>");
        Heading("//InvoiceRet/InvoiceLineRet/ItemRef/FullName", "Item");
        Heading("//InvoiceRet/InvoiceLineRet/Desc", "Description");
        Heading("//InvoiceRet/InvoiceLineRet/Quantity", "Qty");
        Heading("//InvoiceRet/InvoiceLineRet/Amount", "Amount");
        Heading("//InvoiceRet/LinkedTxn/TxnDate", "Linked Date");
        Heading("//InvoiceRet/LinkedTxn/RefNumber", "Linked No.");
    }

    void Heading(const char* path, const char* heading) {
        tags_.Add(kInvoice, "", 0, 0, path, heading, 1, "", false, "", "STRTYPE", 0);
    }

    pugi::xml_node Record(const char* xml) {
        pugi::xml_parse_result parsed = source_.load_string(xml);
        EXPECT_TRUE(parsed) << parsed.description();
        return source_.document_element();
    }

    // The stylesheet for a record, as text and parsed.
    std::string Xsl(const char* xml, bool old = false) {
        text_ = DataViewStylesheet(Record(xml), kInvoice, old, tags_);
        pugi::xml_parse_result parsed = xsl_.load_string(text_.c_str());
        EXPECT_TRUE(parsed) << parsed.description() << "\n" << text_;
        return text_;
    }

    pugi::xml_node MainTable() const {
        return xsl_.select_node("/xsl:stylesheet/xsl:template/html/body/table").node();
    }

    std::vector<pugi::xml_node> Rows() const {
        std::vector<pugi::xml_node> rows;
        for (pugi::xml_node row : MainTable().children("tr")) rows.push_back(row);
        return rows;
    }

    // A row's cells, each as "label|select|colspan" so a whole row compares at once.
    static std::vector<std::string> Cells(const pugi::xml_node& row) {
        std::vector<std::string> cells;
        for (pugi::xml_node td : row.children("td")) {
            std::string cell = td.attribute("class").value();
            cell += "|";
            if (pugi::xml_node value = td.child("xsl:value-of")) {
                cell += value.attribute("select").value();
            } else {
                cell += td.child_value();
            }
            if (pugi::xml_attribute span = td.attribute("colspan")) {
                cell += "|" + std::string(span.value());
            }
            cells.push_back(cell);
        }
        return cells;
    }

    std::string Render(const char* xml, bool old = false) {
        DataView view(tags_);
        view.SetRequestType(kInvoice);
        view.SetOld(old);
        EXPECT_EQ(view.SetXMLNode(Record(xml)).Message(), "");
        Page page = Rendered(view);
        EXPECT_EQ(page.Error, "");
        return page.Html;
    }

    QBXMLTags tags_;
    pugi::xml_document source_;
    pugi::xml_document xsl_;
    std::string text_;
};

using CellList = std::vector<std::string>;

constexpr const char* kNbsp = "\xC2\xA0";

// The main table's rows for records of one kind of place each: two label/value pairs
// to a row, an odd count padded by a cell spanning two columns.
TEST_F(DataViewTest, MainTableHoldsTwoLabelValuePairsPerRow) {
    const struct {
        const char* name;
        const char* record;
        std::vector<CellList> rows;  // leading rows checked; only these when `all`
        bool all = true;
    } cases[] = {
        {"an odd count",
         "<InvoiceRet><RefNumber>1</RefNumber><TxnDate>2024-01-05</TxnDate><Memo>m</Memo>"
         "</InvoiceRet>",
         {{"th_left|Invoice #", "|RefNumber", "th_left|Date", "|TxnDate"},
          {"th_left|Memo", "|Memo", "||2"}}},
        {"keys, returns and bookkeeping are no fields",
         "<InvoiceRet><TxnID>1-2</TxnID><TimeCreated>t</TimeCreated><TimeModified>t"
         "</TimeModified><EditSequence>9</EditSequence><OldTIMEMODIFIEDStamp>t"
         "</OldTIMEMODIFIEDStamp><myeditsequence>1</myeditsequence><ListID>8</ListID>"
         "<StatusRet>ok</StatusRet><RefNumber>1042</RefNumber></InvoiceRet>",
         {{"th_left|Invoice #", "|RefNumber", "||2"}}},
        {"a reference is one field holding its full name",
         "<InvoiceRet><CustomerRef><ListID>80</ListID><FullName>Abercrombie, Kristy</FullName>"
         "</CustomerRef><RefNumber>1042</RefNumber></InvoiceRet>",
         {{"th_left|Customer", "|//InvoiceRet/CustomerRef/FullName", "th_left|Invoice #",
           "|RefNumber"}}},
        {"a reference without a plain leaf keeps its place empty",
         "<InvoiceRet><ClassRef><ListID>8</ListID></ClassRef><RefNumber>1</RefNumber>"
         "<Memo>m</Memo></InvoiceRet>",
         {{"th_left|Invoice #", "|RefNumber"}, {"th_left|Memo", "|Memo", "||2"}}},
        {"an element missing from the catalog is headed by a non-breaking space",
         "<InvoiceRet><TxnNumber>5</TxnNumber></InvoiceRet>",
         {{std::string("th_left|") + kNbsp, "|TxnNumber", "||2"}}},
        // The main row holds the two leaves only; the memo is laid out as a group.
        {"an element holding a CDATA section is no leaf",
         "<InvoiceRet><RefNumber>1042</RefNumber><TxnDate>2024-01-05</TxnDate>"
         "<Memo><![CDATA[<b>bold</b>]]></Memo></InvoiceRet>",
         {{"th_left|Invoice #", "|RefNumber", "th_left|Date", "|TxnDate"}},
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Xsl(c.record);
        auto rows = Rows();
        if (c.all) ASSERT_EQ(rows.size(), c.rows.size()) << text_;
        ASSERT_GE(rows.size(), c.rows.size()) << text_;
        for (std::size_t r = 0; r < c.rows.size(); ++r) EXPECT_EQ(Cells(rows[r]), c.rows[r]);
    }
    // The CDATA memo of the last case: its own table in the second row.
    ASSERT_EQ(Rows().size(), 2u);
    EXPECT_TRUE(Rows()[1].select_node(".//table")) << text_;
}

TEST_F(DataViewTest, HeadingWithAnAmpersandIsEscapedOnceAndShownAsOneAmpersand) {
    const char* record =
        "<InvoiceRet><TermsRef><FullName>Net 30</FullName></TermsRef></InvoiceRet>";
    std::string text = Xsl(record);
    EXPECT_NE(text.find(">Terms &amp; Conditions &lt;x&gt;</td>"), std::string::npos) << text;
    EXPECT_EQ(text.find("&amp;amp;"), std::string::npos);
    std::string shown = HtmlText(Render(record));
    EXPECT_NE(shown.find("Terms & Conditions <x>"), std::string::npos) << shown;
    EXPECT_NE(shown.find("Net 30"), std::string::npos) << shown;
}

TEST_F(DataViewTest, AddressesAreTitledByTheirPrefixAndSitTwoToARow) {
    Xsl("<InvoiceRet><RefNumber>1</RefNumber>"
        "<BillAddress><Addr1>5647 Cypress Hill Rd</Addr1><City>Bayshore</City></BillAddress>"
        "<ShipAddress><Addr1>Dock 4</Addr1></ShipAddress>"
        "<Address><Addr1>Head office</Addr1></Address></InvoiceRet>");
    auto rows = Rows();
    ASSERT_EQ(rows.size(), 3u);  // the main row, then two address rows
    auto titles = xsl_.select_nodes("//table[@class='innertable']/tr/th");
    ASSERT_EQ(titles.size(), 3u);
    auto title = [&](std::size_t i) {
        std::string t = titles[i].node().child_value();
        return t.substr(t.find_first_not_of("\t\r\n"),
                        t.find_last_not_of("\t\r\n") - t.find_first_not_of("\t\r\n") + 1);
    };
    EXPECT_EQ(title(0), std::string("Bill") + kNbsp + "Address");
    EXPECT_EQ(title(1), std::string("Ship") + kNbsp + "Address");
    EXPECT_EQ(title(2), "Address");
    // Four columns: each address spans two; the third starts a row that is padded.
    EXPECT_EQ(Cells(rows[1]), (CellList{"||2", "||2"}));
    EXPECT_EQ(Cells(rows[2]), (CellList{"||2", "||2"}));
    EXPECT_FALSE(rows[2].children("td").begin()->next_sibling("td").child("table"));
    auto lines = xsl_.select_nodes("//table[@class='innertable']//xsl:value-of");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_STREQ(lines[0].node().attribute("select").value(), "//InvoiceRet/BillAddress/Addr1");
    EXPECT_STREQ(lines[1].node().attribute("select").value(), "//InvoiceRet/BillAddress/City");
}

constexpr const char* kInvoiceWithLines =
    "<InvoiceRet><TxnID>1-2</TxnID><RefNumber>1042</RefNumber>"
    "<CustomerRef><ListID>80</ListID><FullName>Abercrombie, Kristy</FullName></CustomerRef>"
    "<InvoiceLineRet><TxnLineID>L1</TxnLineID><ItemRef><FullName>Wood Door</FullName></ItemRef>"
    "<Desc>Door</Desc><Amount>100.00</Amount></InvoiceLineRet>"
    "<InvoiceLineRet><TxnLineID>L2</TxnLineID><ItemRef><FullName>Labor</FullName></ItemRef>"
    "<Quantity>3</Quantity><Amount>40.00</Amount></InvoiceLineRet>"
    "<LinkedTxn><TxnID>9</TxnID><TxnDate>2024-02-01</TxnDate><RefNumber>P-7</RefNumber>"
    "</LinkedTxn></InvoiceRet>";

TEST_F(DataViewTest, RepeatedGroupLoopsOverItsLinesAndASingleGroupDoesNot) {
    Xsl(kInvoiceWithLines);
    auto loops = xsl_.select_nodes("//xsl:for-each");
    ASSERT_EQ(loops.size(), 1u);
    pugi::xml_node loop = loops[0].node();
    EXPECT_STREQ(loop.attribute("select").value(), "//InvoiceRet/InvoiceLineRet");
    EXPECT_STREQ(loop.parent().attribute("class").value(), "table_dtl");

    // Columns in order of first appearance; Qty, first seen in the second line, right
    // after the item it followed there.
    std::vector<std::string> headings, selects;
    for (pugi::xml_node th : loop.parent().child("tr").children("th")) {
        headings.push_back(th.child_value());
    }
    for (pugi::xml_node td : loop.child("tr").children("td")) {
        selects.push_back(td.child("xsl:value-of").attribute("select").value());
    }
    EXPECT_EQ(headings, (std::vector<std::string>{"Item", "Qty", "Description", "Amount"}));
    EXPECT_EQ(selects,
              (std::vector<std::string>{"./ItemRef/FullName", "./Quantity", "./Desc", "./Amount"}));

    // The linked transaction occurs once: a plain table with its headings (its absolute
    // paths are checked below).
    auto single = xsl_.select_nodes("//table//table[@border='1' and not(@class)]");
    ASSERT_EQ(single.size(), 1u);
    std::vector<std::string> linkedHeadings;
    for (pugi::xml_node th : single[0].node().child("tr").children("th")) {
        linkedHeadings.push_back(th.child_value());
    }
    EXPECT_EQ(linkedHeadings, (std::vector<std::string>{"Linked Date", "Linked No."}));
    // Single groups come before repeated groups, each in a row spanning four columns.
    auto rows = Rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(Cells(rows[1]), (CellList{"||4"}));
    EXPECT_TRUE(rows[1].select_node(".//table[not(@class)]"));
    EXPECT_TRUE(rows[2].select_node(".//xsl:for-each"));
}

TEST_F(DataViewTest, FieldWithoutAPathInAGroupGivesAnEmptyCellAndThePageStillRenders) {
    const char* record =
        "<InvoiceRet><RefNumber>1</RefNumber><LinkedTxn><TxnTypeRef><ListID>3</ListID>"
        "</TxnTypeRef><RefNumber>P-7</RefNumber></LinkedTxn></InvoiceRet>";
    Xsl(record);
    pugi::xml_node group = xsl_.select_node("//table//table[@border='1' and not(@class)]").node();
    ASSERT_TRUE(group);
    pugi::xml_node values = group.child("tr").next_sibling("tr");
    EXPECT_EQ(Cells(values), (CellList{"|", "|//InvoiceRet/LinkedTxn/RefNumber"}));
    EXPECT_NE(HtmlText(Render(record)).find("P-7"), std::string::npos);
}

TEST_F(DataViewTest, GroupAddressSpansHalfItsColumnsRoundedToEven) {
    // Three fields in the group: an address spans two and the row is padded by one.
    Xsl("<InvoiceRet><ShipTo><Name>Dock</Name><Phone>1</Phone><Email>e</Email>"
        "<OtherAddress><Addr1>x</Addr1></OtherAddress></ShipTo></InvoiceRet>");
    pugi::xml_node group = xsl_.select_node("//table//table[@border='1' and not(@class)]").node();
    ASSERT_TRUE(group);
    std::vector<pugi::xml_node> rows;
    for (pugi::xml_node row : group.children("tr")) rows.push_back(row);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(Cells(rows[2]), (CellList{"||2", "||1"}));
    EXPECT_NE(text_.find("\tOther&#160;Address\r\n"), std::string::npos);
}

TEST_F(DataViewTest, XmlFileNamesItsStylesheetAndHoldsTheRecord) {
    pugi::xml_node record = Record("<InvoiceRet><RefNumber>1&amp;2</RefNumber></InvoiceRet>");
    EXPECT_EQ(DataViewXml(record, "0000000007.xsl"),
              "<?xml version=\"1.0\"?>\r\n"
              "<?xml-stylesheet href=\"0000000007.xsl\" type=\"text/xsl\"?>\r\n"
              "<InvoiceRet><RefNumber>1&amp;2</RefNumber></InvoiceRet>");
}

TEST_F(DataViewTest, CaptionNamesTheTypeAndTheFirstNameOrNumberFound) {
    EXPECT_EQ(DataViewCaption(Record(kInvoiceWithLines), kInvoice), "Invoice Abercrombie, Kristy");
    EXPECT_EQ(DataViewCaption(Record("<InvoiceRet><RefNumber>9</RefNumber><Name>N</Name>"
                                     "</InvoiceRet>"),
                              kInvoice),
              "Invoice N");
    EXPECT_EQ(DataViewCaption(Record("<InvoiceRet><Memo>m</Memo></InvoiceRet>"), kInvoice),
              "Invoice ");
}

TEST_F(DataViewTest, TheRenderedPageIsThePageTheFilesMake) {
    // Values of every kind of place: main pairs, a reference, an address, a single
    // group, a repeated group, and texts that need care (markup, CR, blanks only).
    const char* xml =
        "<InvoiceRet><RefNumber>1042</RefNumber><Memo>a &lt;b&gt; &amp; \"c\"&#13;d</Memo>"
        "<PONumber>   </PONumber><CustomerRef><ListID>1</ListID><FullName>Acme</FullName>"
        "</CustomerRef><BillAddress><Addr1>1 Main St</Addr1><City>Town</City></BillAddress>"
        "<LinkedTxn><TxnDate>2024-01-01</TxnDate><RefNumber>7</RefNumber></LinkedTxn>"
        "<InvoiceLineRet><Desc>one</Desc><Amount>1.00</Amount></InvoiceLineRet>"
        "<InvoiceLineRet><Desc>two</Desc><Amount>2.00</Amount></InvoiceLineRet></InvoiceRet>";
    for (bool old : {false, true}) {
        DataView view(tags_);
        view.SetRequestType(kInvoice);
        view.SetOld(old);
        ASSERT_EQ(view.SetXMLNode(Record(xml)).Message(), "");
        std::string fromFiles;
        ASSERT_EQ(TransformXmlFile(view.XmlPath(), view.XslPath(), fromFiles).Message(), "");
        std::string rendered;
        ASSERT_EQ(view.Render(rendered).Message(), "");
        EXPECT_EQ(rendered, fromFiles);
        EXPECT_NE(rendered.find("Acme"), std::string::npos);
        // Only the old page carries the note's script.
        EXPECT_EQ(rendered.find("<script") != std::string::npos, old);
    }
}

// Each view takes the next number, so two open views never share their files (the
// window's test sees them go when it closes).
TEST_F(DataViewTest, ViewsTakeTheNextNumber) {
    DataView one(tags_);
    DataView two(tags_);
    EXPECT_EQ(two.Number(), one.Number() + 1);
    EXPECT_NE(one.XmlPath(), two.XmlPath());
    EXPECT_NE(one.XslPath(), two.XslPath());
}

TEST_F(DataViewTest, ViewKeepsItsOwnCopyOfTheRecordAndTheImagesItsPageNamesAreAboveIt) {
    DataView view(tags_);
    view.SetRequestType(kInvoice);
    ASSERT_EQ(
        view.SetXMLNode(Record("<InvoiceRet><RefNumber>1</RefNumber></InvoiceRet>")).Message(), "");
    source_.reset();
    EXPECT_STREQ(view.Record().child_value("RefNumber"), "1");
    ASSERT_EQ(view.SetXMLNode(view.Record()).Message(), "");
    EXPECT_STREQ(view.Record().child_value("RefNumber"), "1");
    std::filesystem::path above = view.XmlPath().parent_path().parent_path();
    for (const char* image :
         {"dataview.gif", "clip_anime.gif", "clip06.GIF", "xml_globe_00_tn.jpg"}) {
        EXPECT_TRUE(std::filesystem::exists(above / image)) << image;
        EXPECT_EQ(test::ReadAll(above / image), test::ReadAll(ResourceFolder() / image)) << image;
    }
}

// Hostile records: shown as text, nothing loaded from outside.

TEST_F(DataViewTest, EntityDeclaredInAResponseIsNeitherExpandedNorLoaded) {
    test::TempDir dir;
    WriteFile(dir.Path() / "secret.txt", "TOP-SECRET");
    std::string response =
        "<?xml version=\"1.0\"?>\n<!DOCTYPE QBXML [\n<!ENTITY secret SYSTEM \"file://" +
        (dir.Path() / "secret.txt").string() +
        "\">\n<!ENTITY boom \"BOOM\">\n]>\n<QBXML><InvoiceRet><RefNumber>7"
        "</RefNumber><Memo>&secret;&boom;</Memo></InvoiceRet></QBXML>";
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(response.c_str()));
    DataView view(tags_);
    view.SetRequestType(kInvoice);
    ASSERT_EQ(view.SetXMLNode(doc.select_node("//InvoiceRet").node()).Message(), "");
    Page page = Rendered(view);
    ASSERT_EQ(page.Error, "");
    EXPECT_EQ(page.Html.find("TOP-SECRET"), std::string::npos);
    EXPECT_EQ(page.Html.find("BOOM"), std::string::npos);
    EXPECT_NE(HtmlText(page.Html).find("&secret;&boom;"), std::string::npos) << page.Html;
}

class TransformTest : public ::testing::Test {
  protected:
    TransformTest() {
        WriteFile(dir_.Path() / "secret.xml", "<s>TOP-SECRET</s>");
        WriteFile(dir_.Path() / "plain.xml", "<r>value</r>");
        WriteFile(dir_.Path() / "plain.xsl",
                  "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/"
                  "Transform\"><xsl:output method=\"html\"/><xsl:template match=\"/\"><p>"
                  "<xsl:value-of select=\"r\"/></p></xsl:template></xsl:stylesheet>");
    }
    test::TempDir dir_;
};

TEST_F(TransformTest, RefusesADocumentTypeDeclaration) {
    WriteFile(dir_.Path() / "doctype.xml",
              "<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY e SYSTEM \"file://" +
                  (dir_.Path() / "secret.xml").string() + "\">]><r>&e;</r>");
    Page page = Transform(dir_.Path() / "doctype.xml", dir_.Path() / "plain.xsl");
    EXPECT_NE(page.Error.find("document type"), std::string::npos) << page.Error;
    EXPECT_EQ(page.Html, "");
}

// A stylesheet may neither read another file nor write one: the transform fails instead.
TEST_F(TransformTest, StylesheetCannotReadOrWriteOtherFiles) {
    const std::filesystem::path target = dir_.Path() / "sub" / "written.txt";
    const std::string head =
        "<xsl:stylesheet version=\"1.1\" "
        "xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\"><xsl:output "
        "method=\"html\"/><xsl:template match=\"/\">";
    WriteFile(dir_.Path() / "reads.xsl",
              head +
                  "<p><xsl:value-of select=\"document('secret.xml')/s\"/>"
                  "</p></xsl:template></xsl:stylesheet>");
    WriteFile(dir_.Path() / "writes.xsl",
              head + "<xsl:document href=\"" + target.string() +
                  "\" method=\"text\">written</xsl:document><p>done</p></xsl:template>"
                  "</xsl:stylesheet>");
    for (const char* xsl : {"reads.xsl", "writes.xsl"}) {
        SCOPED_TRACE(xsl);
        Page page = Transform(dir_.Path() / "plain.xml", dir_.Path() / xsl);
        EXPECT_EQ(page.Html.find("TOP-SECRET"), std::string::npos) << page.Html;
        EXPECT_NE(page.Error, "");
    }
    EXPECT_FALSE(std::filesystem::exists(target.parent_path()));
}

TEST_F(TransformTest, ReportsUnreadableFiles) {
    Page page = Transform(dir_.Path() / "missing.xml", dir_.Path() / "plain.xsl");
    EXPECT_NE(page.Error.find("missing.xml"), std::string::npos) << page.Error;
    WriteFile(dir_.Path() / "broken.xsl", "<xsl:stylesheet version=\"1.0\"");
    page = Transform(dir_.Path() / "plain.xml", dir_.Path() / "broken.xsl");
    EXPECT_NE(page.Error.find("broken.xsl"), std::string::npos) << page.Error;
}

}  // namespace
}  // namespace quarrion
