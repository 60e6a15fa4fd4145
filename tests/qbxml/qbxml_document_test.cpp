#include "qbxml/qbxml_document.h"

#include <gtest/gtest.h>

#include <string>

namespace quarrion {
namespace {

// Texts a qbXML answer must never be taken from, each refused with its reason, read
// from a copy or in place.
TEST(QbxmlLoad, RefusesNulReferencesAndSecondDocumentsWithTheReason) {
    const std::pair<std::string, const char*> refused[] = {
        {"<QBXML><a>x&#0;y</a></QBXML>", "&#0;"},
        {"<QBXML><a>&#x00;</a></QBXML>", "&#0;"},
        {"<QBXML/><QBXML/>", "2 documents"},
        {"<QBXML></QBXML>\n<html/>", "documents"},
    };
    for (const auto& [text, says] : refused) {
        pugi::xml_document doc;
        const std::string error = Qbxml::Load(doc, text);
        EXPECT_NE(error.find(says), std::string::npos) << text << ": " << error;
        std::string buffer = text;
        pugi::xml_document inPlace;
        EXPECT_FALSE(Qbxml::LoadInPlace(inPlace, buffer).empty()) << text;
    }
}

TEST(QbxmlLoad, ACarriageReturnReferenceStaysACarriageReturn) {
    pugi::xml_document doc;
    ASSERT_EQ(Qbxml::Load(doc, "<QBXML><Memo>a&#13;b&#10;c&#x30;</Memo></QBXML>"), "");
    EXPECT_EQ(std::string(doc.child("QBXML").child_value("Memo")), "a\rb\nc0");
}

}  // namespace
}  // namespace quarrion
