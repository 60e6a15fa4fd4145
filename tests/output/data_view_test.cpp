#include "output/data_view.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "catalog/qbxml_tags.h"
#include "foundation/app_paths.h"
#include "foundation/codes.h"
#include "invoice_headings.h"
#include "output/data_view_stylesheet.h"
#include "output/xslt_transform.h"
#include "support/temp_home.h"

namespace quarrion {
namespace {

constexpr int kInvoice = RequestTypeCode::Invoice;

void WriteFile(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

using Texts = std::vector<std::string>;

// What `xpath` selects below `from`: each attribute's value or element's text, trimmed of
// the stylesheet's line breaks and TABs.
Texts Values(const pugi::xml_node& from, const char* xpath) {
    Texts values;
    for (const pugi::xpath_node& found : from.select_nodes(xpath)) {
        std::string text =
            found.attribute() ? found.attribute().value() : found.node().child_value();
        const std::size_t first = text.find_first_not_of("\t\r\n");
        const std::size_t last = text.find_last_not_of("\t\r\n");
        values.push_back(first == std::string::npos ? "" : text.substr(first, last - first + 1));
    }
    return values;
}

class DataViewTest : public ::testing::Test {
  protected:
    DataViewTest() {
        test::AddInvoiceHeadings(tags_);
        for (const auto& [path, heading] :
             {std::pair{"//InvoiceRet/PONumber", "P.O. No."},
              {"//InvoiceRet/TermsRef/FullName", "Terms & Conditions <x>"},
              {"//InvoiceRet/InvoiceLineRet/ItemRef/FullName", "Item"},
              {"//InvoiceRet/InvoiceLineRet/Quantity", "Qty"},
              {"//InvoiceRet/LinkedTxn/TxnDate", "Linked Date"},
              {"//InvoiceRet/LinkedTxn/RefNumber", "Linked No."}}) {
            tags_.Add(kInvoice, "", 0, 0, path, heading, 1, "", false, "", "STRTYPE", 0);
        }
        for (const char* path : {"//InvoiceRet/IsPaid", "//InvoiceRet/InvoiceLineRet/IsTaxable"})
            tags_.Add(kInvoice, "", 0, 0, path, "Flag", 1, "", false, "", "BOOLTYPE", 0);
    }

    pugi::xml_node Record(const char* xml) {
        pugi::xml_parse_result parsed = source_.load_string(xml);
        EXPECT_TRUE(parsed) << parsed.description();
        return source_.document_element();
    }

    // The stylesheet for a record, as text and parsed.
    void Xsl(const char* xml) {
        text_ = DataViewStylesheet(Record(xml), kInvoice, false, tags_);
        pugi::xml_parse_result parsed = xsl_.load_string(text_.c_str());
        EXPECT_TRUE(parsed) << parsed.description() << "\n" << text_;
    }

    pugi::xml_node MainTable() const {
        return xsl_.select_node("/xsl:stylesheet/xsl:template/html/body/table").node();
    }

    // The main table's rows, each cell as "label|select|colspan" so a whole table
    // compares at once.
    std::vector<Texts> MainRows() const { return RowsOf(MainTable()); }

    static std::vector<Texts> RowsOf(const pugi::xml_node& table) {
        std::vector<Texts> rows;
        for (pugi::xml_node row : table.children("tr")) {
            Texts& cells = rows.emplace_back();
            for (pugi::xml_node td : row.children("td")) {
                const pugi::xml_node value = td.child("xsl:value-of");
                cells.push_back(std::string(td.attribute("class").value()) + "|" +
                                (value ? value.attribute("select").value() : td.child_value()));
                if (pugi::xml_attribute span = td.attribute("colspan")) {
                    cells.back() += "|" + std::string(span.value());
                }
            }
        }
        return rows;
    }

    // The page `view` makes of `record`; the view keeps its files.
    static std::string Render(DataView& view, const pugi::xml_node& record) {
        view.SetRequestType(kInvoice);
        EXPECT_EQ(view.SetXMLNode(record).Message(), "");
        std::string html;
        EXPECT_EQ(view.Render(html).Message(), "");
        return html;
    }

    std::string Render(const char* xml) {
        DataView view(tags_);
        return Render(view, Record(xml));
    }

    QBXMLTags tags_;
    pugi::xml_document source_;
    pugi::xml_document xsl_;
    std::string text_;
};

constexpr const char* kNbsp = "\xC2\xA0";

// The main table's rows for records of one kind of place each: two label/value pairs
// to a row, an odd count padded by a cell spanning two columns.
TEST_F(DataViewTest, MainTableHoldsTwoLabelValuePairsPerRow) {
    const struct {
        const char* name;
        const char* record;
        std::vector<Texts> rows;
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
         {{"th_left|Invoice #", "|RefNumber", "th_left|Date", "|TxnDate"}, {"||4"}}},
        // Read back by a parser, a heading escaped twice would show its entities.
        {"a heading's markup characters are escaped once",
         "<InvoiceRet><TermsRef><FullName>Net 30</FullName></TermsRef></InvoiceRet>",
         {{"th_left|Terms & Conditions <x>", "|//InvoiceRet/TermsRef/FullName", "||2"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Xsl(c.record);
        EXPECT_EQ(MainRows(), c.rows) << text_;
    }
}

TEST_F(DataViewTest, AddressesAreTitledByTheirPrefixAndSitTwoToARow) {
    Xsl("<InvoiceRet><RefNumber>1</RefNumber>"
        "<BillAddress><Addr1>5647 Cypress Hill Rd</Addr1><City>Bayshore</City></BillAddress>"
        "<ShipAddress><Addr1>Dock 4</Addr1></ShipAddress>"
        "<Address><Addr1>Head office</Addr1></Address></InvoiceRet>");
    EXPECT_EQ(Values(xsl_, "//table[@class='innertable']/tr/th"),
              (Texts{std::string("Bill") + kNbsp + "Address",
                     std::string("Ship") + kNbsp + "Address", "Address"}));
    // Four columns: each address spans two; the third starts a row that is padded.
    EXPECT_EQ(MainRows(),
              (std::vector<Texts>{
                  {"th_left|Invoice #", "|RefNumber", "||2"}, {"||2", "||2"}, {"||2", "||2"}}));
    EXPECT_FALSE(
        MainTable().child("tr").next_sibling("tr").next_sibling("tr").last_child().child("table"));
    EXPECT_EQ(Values(xsl_, "//table[@class='innertable']//xsl:value-of/@select"),
              (Texts{"//InvoiceRet/BillAddress/Addr1", "//InvoiceRet/BillAddress/City",
                     "//InvoiceRet/ShipAddress/Addr1", "//InvoiceRet/Address/Addr1"}));
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
    ASSERT_EQ(Values(xsl_, "//xsl:for-each/@select"), Texts{"//InvoiceRet/InvoiceLineRet"});
    // Columns in order of first appearance; Qty, first seen in the second line, right
    // after the item it followed there.
    const pugi::xml_node table = xsl_.select_node("//table[@class='table_dtl']").node();
    EXPECT_EQ(Values(table, "tr/th"), (Texts{"Item", "Qty", "Description", "Amount"}));
    EXPECT_EQ(Values(table, "xsl:for-each/tr/td/xsl:value-of/@select"),
              (Texts{"./ItemRef/FullName", "./Quantity", "./Desc", "./Amount"}));
    // The linked transaction occurs once: a plain table of its headings and absolute paths.
    EXPECT_EQ(Values(xsl_, "//table//table[@border='1' and not(@class)]//th"),
              (Texts{"Linked Date", "Linked No."}));
    // Single groups come before repeated groups, each in a row spanning four columns.
    EXPECT_EQ(MainRows().size(), 3u);
    EXPECT_EQ(MainRows().back(), Texts{"||4"});
    EXPECT_TRUE(MainTable().select_node("tr[2]//table[not(@class)]"));
    EXPECT_TRUE(MainTable().select_node("tr[3]//xsl:for-each"));
}

// In a single group every field has a cell, empty when it has no plain leaf; an address
// spans half the group's columns rounded to even, and the row is padded.
TEST_F(DataViewTest, SingleGroupCellsAndAddressSpans) {
    const char* withoutPath =
        "<InvoiceRet><RefNumber>1</RefNumber><LinkedTxn><TxnTypeRef><ListID>3</ListID>"
        "</TxnTypeRef><RefNumber>P-7</RefNumber></LinkedTxn></InvoiceRet>";
    const std::pair<const char*, std::vector<Texts>> cases[] = {
        {withoutPath, {{}, {"|", "|//InvoiceRet/LinkedTxn/RefNumber"}}},
        {"<InvoiceRet><ShipTo><Name>Dock</Name><Phone>1</Phone><Email>e</Email>"
         "<OtherAddress><Addr1>x</Addr1></OtherAddress></ShipTo></InvoiceRet>",
         {{},
          {"|//InvoiceRet/ShipTo/Name", "|//InvoiceRet/ShipTo/Phone", "|//InvoiceRet/ShipTo/Email"},
          {"||2", "||1"}}}};
    for (const auto& [record, rows] : cases) {
        Xsl(record);
        EXPECT_EQ(RowsOf(xsl_.select_node("//table//table[@border='1' and not(@class)]").node()),
                  rows);
    }
    EXPECT_NE(text_.find("\tOther&#160;Address\r\n"), std::string::npos);
    EXPECT_NE(Render(withoutPath).find("P-7"), std::string::npos);
}

// (The window's test sees a customer's full name in its caption.)
TEST_F(DataViewTest, CaptionNamesTheTypeAndTheFirstNameOrNumberFound) {
    const std::pair<const char*, const char*> cases[] = {
        {"<InvoiceRet><RefNumber>9</RefNumber><Name>N</Name></InvoiceRet>", "Invoice N"},
        {"<InvoiceRet><Memo>m</Memo></InvoiceRet>", "Invoice "}};
    for (const auto& [xml, caption] : cases)
        EXPECT_EQ(DataViewCaption(Record(xml), kInvoice), caption);
}

TEST_F(DataViewTest, TheRenderedPageIsThePageTheFilesMake) {
    // Values of every kind of place: main pairs, a reference, an address, a single
    // group, a repeated group, texts that need care (markup, CR, blanks only), and
    // true/false fields, which read Yes and No (a text field's "true" stays).
    const char* xml =
        "<InvoiceRet><RefNumber>1042</RefNumber><Memo>a &lt;b&gt; &amp; \"c\"&#13;d</Memo>"
        "<PONumber>   </PONumber><TermsRef><FullName>Net 30</FullName></TermsRef>"
        "<CustomerRef><ListID>1</ListID><FullName>Acme</FullName>"
        "</CustomerRef><BillAddress><Addr1>1 Main St</Addr1><City>Town</City></BillAddress>"
        "<IsPaid>FALSE</IsPaid>"
        "<LinkedTxn><TxnDate>2024-01-01</TxnDate><RefNumber>7</RefNumber></LinkedTxn>"
        "<InvoiceLineRet><Desc>true</Desc><Amount>1.00</Amount><IsTaxable>true</IsTaxable>"
        "</InvoiceLineRet><InvoiceLineRet><Desc>two</Desc><Amount>2.00</Amount>"
        "<IsTaxable>n/a</IsTaxable></InvoiceLineRet></InvoiceRet>";
    for (bool old : {false, true}) {
        DataView view(tags_);
        view.SetOld(old);
        const std::string rendered = Render(view, Record(xml));
        std::string fromFiles;
        ASSERT_EQ(TransformXmlFile(view.XmlPath(), view.XslPath(), fromFiles).Message(), "");
        EXPECT_EQ(rendered, fromFiles);
        for (const char* shown :
             {"Acme", "<td>true</td>", "<td>No</td>", "<td>Yes</td>", "<td>n/a</td>"})
            EXPECT_NE(rendered.find(shown), std::string::npos) << shown;
        EXPECT_EQ(rendered.find("FALSE"), std::string::npos);
        // Only the old page carries the note's script.
        EXPECT_EQ(rendered.find("<script") != std::string::npos, old);
    }
}

// Each view takes the next number, so two open views never share their files (the
// window's test sees them go when it closes); a view keeps its own copy of the record,
// and the images its page names are one folder above its files.
TEST_F(DataViewTest, EachViewOwnsNumberedFilesAndACopyOfTheRecord) {
    DataView view(tags_);
    DataView next(tags_);
    EXPECT_EQ(next.Number(), view.Number() + 1);
    EXPECT_NE(next.XmlPath(), view.XmlPath());
    Render(view, Record("<InvoiceRet><RefNumber>1</RefNumber></InvoiceRet>"));
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
    const std::string html = Render(view, doc.select_node("//InvoiceRet").node());
    EXPECT_EQ(html.find("TOP-SECRET"), std::string::npos);
    EXPECT_EQ(html.find("BOOM"), std::string::npos);
    EXPECT_NE(html.find("&amp;secret;&amp;boom;"), std::string::npos) << html;
}

// A transform refuses a document type declaration, and its stylesheet may neither read
// another file nor write one; a file it cannot read is named.
TEST(XsltTransform, RefusesWhatCouldReachOtherFilesAndNamesWhatItCannotRead) {
    test::TempDir dir;
    const std::filesystem::path written = dir.Path() / "sub" / "written.txt";
    const std::string head =
        "<xsl:stylesheet version=\"1.1\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
        "<xsl:output method=\"html\"/><xsl:template match=\"/\">";
    WriteFile(dir.Path() / "secret.xml", "<s>TOP-SECRET</s>");
    WriteFile(dir.Path() / "plain.xml", "<r>value</r>");
    WriteFile(dir.Path() / "plain.xsl",
              head + "<p><xsl:value-of select=\"r\"/></p></xsl:template></xsl:stylesheet>");
    WriteFile(dir.Path() / "doctype.xml",
              "<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY e SYSTEM \"file://" +
                  (dir.Path() / "secret.xml").string() + "\">]><r>&e;</r>");
    WriteFile(dir.Path() / "reads.xsl", head +
                                            "<p><xsl:value-of select=\"document('secret.xml')/s\"/>"
                                            "</p></xsl:template></xsl:stylesheet>");
    WriteFile(dir.Path() / "writes.xsl", head + "<xsl:document href=\"" + written.string() +
                                             "\" method=\"text\">written</xsl:document><p>done</p>"
                                             "</xsl:template></xsl:stylesheet>");
    WriteFile(dir.Path() / "broken.xsl", "<xsl:stylesheet version=\"1.0\"");
    const struct {
        const char* xml;
        const char* xsl;
        const char* error;  // a part of the message
    } cases[] = {{"doctype.xml", "plain.xsl", "document type"},
                 {"plain.xml", "reads.xsl", ""},
                 {"plain.xml", "writes.xsl", ""},
                 {"missing.xml", "plain.xsl", "missing.xml"},
                 {"plain.xml", "broken.xsl", "broken.xsl"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.xsl);
        std::string html;
        const std::string error =
            TransformXmlFile(dir.Path() / c.xml, dir.Path() / c.xsl, html).Message();
        EXPECT_NE(error, "");
        EXPECT_NE(error.find(c.error), std::string::npos) << error;
        EXPECT_EQ(html.find("TOP-SECRET"), std::string::npos) << html;
    }
    EXPECT_FALSE(std::filesystem::exists(written.parent_path()));
}

}  // namespace
}  // namespace quarrion
