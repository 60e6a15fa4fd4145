#include "link/xml_scanner.h"

#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "company_text.h"
#include "qbxml/qbxml_document.h"

namespace quarrion {
namespace {

// Takes whatever a pass reports.
struct Ignore {
    bool Start(std::string_view, std::size_t, std::string_view, bool, int) { return true; }
    bool End(std::string_view, std::size_t, int) { return true; }
    void Text(std::string_view, int) {}
};

XmlScanError ScanOf(std::string_view text) {
    Ignore ignore;
    return XmlScan::Scan(text, ignore);
}

// The pass takes every well-formed text and refuses the ways an answer is damaged,
// for the shapes a qbXML answer can have.
TEST(XmlScan, AgreesWithTheParserOnWhatIsWellFormed) {
    // Each text, and whether it is well-formed.
    const std::pair<const char*, bool> cases[] = {
        {"<a/>", true},
        {"<?xml version=\"1.0\"?>\n<a>x</a>\n", true},
        {"\xEF\xBB\xBF<a/>", true},
        {"<a b=\"1\" c='2'>t</a>", true},
        {"<a b=\"x>y\">t</a>", true},
        {"<a><!-- </a> --></a>", true},
        {"<a><![CDATA[</a> <b>]]></a>", true},
        {"<a><?pi </a>?></a>", true},
        {"<a>&amp;&lt;&#65;&#x42;</a>", true},
        {"<a>\n  <b/>\n</a>\n<!-- after -->\n", true},
        {"text", false},
        {"<a><b></a></b>", false},
        {"<a></a><b/>", false},
        {"<a></a>tail", false},
        {"<a b=\"1\"c=\"2\"/>", false},
        {"<a b=1/>", false},
        {"<a b=\"1/>", false},
        {"<a b=\"<\"/>", false},
        {"<a><!-- open</a>", false},
        {"<a><![CDATA[open</a>", false},
        {"<1a/>", false},
        {"</a>", false},
        {"<!DOCTYPE a [<!ENTITY e \"x\">]><a>&e;</a>", false},
    };
    for (const auto& [text, wellFormed] : cases) {
        XmlScanError error = ScanOf(text);
        EXPECT_EQ(!error, wellFormed) << text << ": " << error.message;
        // Never laxer than the parser (which lets a second root or trailing text pass).
        pugi::xml_document document;
        if (!error) EXPECT_EQ(Qbxml::Load(document, text), "") << text;
    }
    // Nesting deeper than qbXML goes is refused.
    std::string deep;
    for (int i = 0; i <= Qbxml::kMaxDepth; ++i) deep += "<a>";
    for (int i = 0; i <= Qbxml::kMaxDepth; ++i) deep += "</a>";
    XmlScanError error = ScanOf(deep);
    ASSERT_TRUE(error);
    EXPECT_NE(error.message.find("levels deep"), std::string::npos) << error.message;
}

// However an answer is cut off, the cut is seen: every proper prefix that ends inside
// the root element is refused.
TEST(XmlScan, EveryCutOfAnAnswerIsRefused) {
    const std::string answer = test::CompanyText(
        {{"Invoice", {test::InvoiceRecord({"T-1"}), test::InvoiceRecord({"T-2"})}}});
    ASSERT_FALSE(ScanOf(answer));
    const std::size_t rootEnd = answer.rfind("</QBXML>") + 8;
    for (std::size_t cut = 0; cut < rootEnd; ++cut) {
        XmlScanError error = ScanOf(std::string_view(answer).substr(0, cut));
        ASSERT_TRUE(error) << "cut at " << cut;
    }
}

}  // namespace
}  // namespace quarrion
