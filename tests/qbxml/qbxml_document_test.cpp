#include "qbxml/qbxml_document.h"

#include <gtest/gtest.h>

#include <string>

namespace quarrion {
namespace {

// Texts a qbXML answer must never be taken from, each refused with its reason.
struct Refused {
    const char* label;
    std::string text;
    const char* says;
};

class QbxmlLoadRefusal : public ::testing::TestWithParam<Refused> {};

TEST_P(QbxmlLoadRefusal, IsRefusedWithItsReason) {
    pugi::xml_document doc;
    std::string error = Qbxml::Load(doc, GetParam().text);
    EXPECT_NE(error.find(GetParam().says), std::string::npos) << GetParam().label << ": " << error;
    std::string buffer = GetParam().text;
    pugi::xml_document inPlace;
    EXPECT_FALSE(Qbxml::LoadInPlace(inPlace, buffer).empty()) << GetParam().label;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, QbxmlLoadRefusal,
    ::testing::Values(Refused{"decimal reference to 0", "<QBXML><a>x&#0;y</a></QBXML>", "&#0;"},
                      Refused{"hexadecimal reference to 0", "<QBXML><a>&#x00;</a></QBXML>", "&#0;"},
                      Refused{"two documents", "<QBXML/><QBXML/>", "2 documents"},
                      Refused{"a document and a stray element", "<QBXML></QBXML>\n<html/>",
                              "documents"}));

TEST(QbxmlLoad, ACarriageReturnReferenceStaysACarriageReturn) {
    pugi::xml_document doc;
    ASSERT_EQ(Qbxml::Load(doc, "<QBXML><Memo>a&#13;b&#10;c&#x30;</Memo></QBXML>"), "");
    EXPECT_EQ(std::string(doc.child("QBXML").child_value("Memo")), "a\rb\nc0");
}

}  // namespace
}  // namespace quarrion
