#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <string>

#include "control_file_entries.h"
#include "foundation/codes.h"
#include "foundation/leading_number.h"
#include "foundation/text_fold.h"
#include "qbxml/request_type_info.h"
#include "sample/record_layout.h"

namespace quarrion::test {
namespace {

// Field numbers (1-based, as the file format counts them).
enum Field {
    kCode = 1,
    kReference,
    kDefaultSequence,
    kSequence,
    kTagName,
    kDefaultHeading,
    kLevel,
    kUserHeading,
    kSearchable,
    kSearchGroup,
    kVersion21,
    kVersion20,
    kVersion11,
    kVersion10,
    kDataType,
    kVersion30,
    kVersionCA20,
    kVersionCA30,
};

const std::string& F(const ControlFile::Entry& entry, Field field) {
    return entry.fields.at(static_cast<std::size_t>(field) - 1);
}

const ControlFile& Shipped() {
    static const ControlFile file = ReadControlFile();
    return file;
}

bool IsBooleanWord(const std::string& text) {
    return text == "True" || text == "False";
}

// Each entry read as the loader reads it: numbers whole and in range, flags as words,
// the tag an element of an offered type at the level the entry gives, the sizes within
// the catalog table's fields, and no tag or heading twice within a type.
TEST(ShippedControlFile, IsAVersionedFileOfWellFormedEntries) {
    ASSERT_TRUE(Shipped().readable) << ShippedControlFile();
    EXPECT_TRUE(std::regex_match(Shipped().header,
                                 std::regex("^Quarrion control file\tversion\t[1-9][0-9]*$")))
        << Shipped().header;
    EXPECT_FALSE(Shipped().hasCarriageReturns);
    ASSERT_FALSE(Shipped().entries.empty());
    std::set<std::string> keys;
    std::set<std::pair<int, std::string>> headings;
    for (const auto& entry : Shipped().entries) {
        ASSERT_EQ(entry.fields.size(), 18u) << "line " << entry.lineNumber;
        for (Field field : {kCode, kDefaultSequence, kSequence, kLevel}) {
            const std::string& text = F(entry, field);
            const double value = LeadingNumber(text);
            EXPECT_EQ(std::to_string(static_cast<long long>(value)), text)
                << "line " << entry.lineNumber << " field " << field;
            EXPECT_TRUE(value >= 0 && value <= 32767) << "line " << entry.lineNumber;
        }
        for (Field field : {kSearchable, kVersion21, kVersion20, kVersion11, kVersion10, kVersion30,
                            kVersionCA20, kVersionCA30}) {
            EXPECT_TRUE(IsBooleanWord(F(entry, field)))
                << "line " << entry.lineNumber << " field " << field;
        }
        const int code = entry.Code();
        ASSERT_NE(RequestTypeInfo::Find(code), nullptr) << "line " << entry.lineNumber;
        const std::string& tag = F(entry, kTagName);
        EXPECT_EQ(tag.rfind("//" + RequestTypeInfo::RecordElementName(code) + "/", 0), 0u) << tag;
        EXPECT_EQ(F(entry, kReference), tag.substr(tag.rfind('/') + 1));
        EXPECT_EQ(std::to_string(std::count(tag.begin() + 2, tag.end(), '/')), F(entry, kLevel))
            << tag;
        EXPECT_NE(RequestTypeInfo::DataTypeCodeByName(F(entry, kDataType)), 0) << tag;
        EXPECT_NE(F(entry, kDataType), "GROUP") << tag;
        EXPECT_FALSE(F(entry, kDefaultHeading).empty()) << tag;
        EXPECT_TRUE(F(entry, kUserHeading).empty()) << tag;
        EXPECT_EQ(F(entry, kSequence), F(entry, kDefaultSequence)) << tag;
        EXPECT_LE(tag.size(), 128u);
        EXPECT_LE(F(entry, kReference).size(), 35u);
        EXPECT_LE(F(entry, kDataType).size(), 16u);
        EXPECT_TRUE(keys.insert(UpperCase(std::to_string(code) + tag)).second)
            << "duplicate " << tag;
        EXPECT_TRUE(headings.insert({code, F(entry, kDefaultHeading)}).second)
            << code << " " << F(entry, kDefaultHeading);
    }
}

TEST(ShippedControlFile, EveryTypeHasFourToEightDefaultColumnsNumberedFromOne) {
    std::map<int, std::vector<int>> sequences;
    for (const auto& entry : Shipped().entries) {
        const int sequence = std::stoi(F(entry, kDefaultSequence));
        if (sequence > 0) sequences[entry.Code()].push_back(sequence);
    }
    for (const RequestType& type : RequestTypeInfo::All()) {
        std::vector<int> found = sequences[type.code];
        std::sort(found.begin(), found.end());
        EXPECT_GE(found.size(), 4u) << type.stem;
        EXPECT_LE(found.size(), 8u) << type.stem;
        for (std::size_t i = 0; i < found.size(); ++i) {
            EXPECT_EQ(found[i], static_cast<int>(i) + 1) << type.stem;
        }
    }
}

TEST(ShippedControlFile, VersionFlagsGrowWithTheVersion) {
    for (const auto& entry : Shipped().entries) {
        // An element of 1.0 exists in 1.1; one of 1.1 in 2.0 and so on.
        const bool v10 = F(entry, kVersion10) == "True", v11 = F(entry, kVersion11) == "True",
                   v20 = F(entry, kVersion20) == "True", v21 = F(entry, kVersion21) == "True";
        EXPECT_TRUE(!v10 || v11) << F(entry, kTagName);
        EXPECT_TRUE(!v11 || v20 || F(entry, kTagName).find("ClearEarnings") != std::string::npos)
            << F(entry, kTagName);
        EXPECT_TRUE(!v20 || v21) << F(entry, kTagName);
        EXPECT_EQ(F(entry, kVersionCA20), F(entry, kVersionCA30)) << F(entry, kTagName);
        // A type's elements exist no earlier than the type's own query.
        if (v10)
            EXPECT_TRUE(RequestTypeInfo::HasVersion(entry.Code(), "1.0")) << F(entry, kTagName);
        if (v20)
            EXPECT_TRUE(RequestTypeInfo::HasVersion(entry.Code(), "2.0")) << F(entry, kTagName);
    }
}

// Elements QuickBooks Desktop never sends stay out, with everything below them; what
// bookkeepers look for is searched by the terminal tool's and the windows' tests.
TEST(ShippedControlFile, LeavesOutWhatQuickBooksDesktopNeverSends) {
    std::set<std::string> tags;
    for (const auto& entry : Shipped().entries) tags.insert(F(entry, kTagName));
    for (const char* tag :
         {"//InvoiceRet/IsTaxIncluded", "//InvoiceRet/DiscountLineRet/Amount",
          "//AccountRet/SalesTaxCodeRef/FullName", "//AccountRet/DetailAccountType"}) {
        EXPECT_FALSE(tags.count(tag)) << tag;
    }
}

// The compiled layouts the sample company is written from and the control file come
// from one table; their leaves must agree entry for entry.
TEST(ShippedControlFile, MatchesTheCompiledRecordLayouts) {
    std::map<int, std::vector<std::string>> catalog;
    for (const auto& entry : Shipped().entries) catalog[entry.Code()].push_back(F(entry, kTagName));
    for (const RequestType& type : RequestTypeInfo::All()) {
        std::vector<std::string> leaves;
        std::vector<std::string> path{"/", RequestTypeInfo::RecordElementName(type.code)};
        for (const LayoutRow& row : RecordLayout::Rows(type.code)) {
            path.resize(row.level + 1u);
            path.push_back(std::string(RecordLayout::Name(row.name)));
            if (row.kind == ValueKind::Group) continue;
            std::string tag = "/";
            for (std::size_t i = 1; i < path.size(); ++i) tag += "/" + path[i];
            leaves.push_back(tag);
        }
        EXPECT_EQ(leaves, catalog[type.code]) << type.stem;
    }
}

}  // namespace
}  // namespace quarrion::test
