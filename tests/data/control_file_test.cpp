#include <gtest/gtest.h>

#include <cmath>
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

TEST(ShippedControlFile, StartsWithAVersionedHeader) {
    ASSERT_TRUE(Shipped().readable) << ShippedControlFile();
    std::smatch match;
    const std::regex header("^Quarrion control file\tversion\t([1-9][0-9]*)$");
    EXPECT_TRUE(std::regex_match(Shipped().header, match, header)) << Shipped().header;
}

TEST(ShippedControlFile, UsesLineFeedsOnly) {
    EXPECT_FALSE(Shipped().hasCarriageReturns);
}

TEST(ShippedControlFile, EveryEntryHasEighteenFields) {
    ASSERT_FALSE(Shipped().entries.empty());
    for (const auto& entry : Shipped().entries) {
        EXPECT_EQ(entry.fields.size(), 18u) << "line " << entry.lineNumber;
    }
}

TEST(ShippedControlFile, NumbersAndFlagsReadAsTheLoaderReadsThem) {
    for (const auto& entry : Shipped().entries) {
        ASSERT_EQ(entry.fields.size(), 18u);
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
    }
}

TEST(ShippedControlFile, EntriesDescribeElementsOfOfferedTypes) {
    std::set<std::string> keys;
    for (const auto& entry : Shipped().entries) {
        const int code = entry.Code();
        ASSERT_NE(RequestTypeInfo::Find(code), nullptr) << "line " << entry.lineNumber;
        const std::string& tag = F(entry, kTagName);
        const std::string prefix = "//" + RequestTypeInfo::RecordElementName(code) + "/";
        EXPECT_EQ(tag.rfind(prefix, 0), 0u) << tag;
        EXPECT_EQ(F(entry, kReference), tag.substr(tag.rfind('/') + 1));
        const auto depth = std::count(tag.begin() + 2, tag.end(), '/');
        EXPECT_EQ(std::to_string(depth), F(entry, kLevel)) << tag;
        EXPECT_NE(RequestTypeInfo::DataTypeCodeByName(F(entry, kDataType)), 0) << tag;
        EXPECT_NE(F(entry, kDataType), "GROUP") << tag;
        EXPECT_FALSE(F(entry, kDefaultHeading).empty()) << tag;
        EXPECT_TRUE(F(entry, kUserHeading).empty()) << tag;
        EXPECT_EQ(F(entry, kSequence), F(entry, kDefaultSequence)) << tag;
        // Field sizes of the catalog table.
        EXPECT_LE(tag.size(), 128u);
        EXPECT_LE(F(entry, kReference).size(), 35u);
        EXPECT_LE(F(entry, kDataType).size(), 16u);
        EXPECT_TRUE(keys.insert(UpperCase(std::to_string(code) + tag)).second)
            << "duplicate " << tag;
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

TEST(ShippedControlFile, DefaultHeadingsAreUniqueWithinAType) {
    std::set<std::pair<int, std::string>> seen;
    for (const auto& entry : Shipped().entries) {
        EXPECT_TRUE(seen.insert({entry.Code(), F(entry, kDefaultHeading)}).second)
            << entry.Code() << " " << F(entry, kDefaultHeading);
    }
}

// The catalog applies this rule itself when it loads an entry; the file agrees with it,
// so what the file says and what the program does are the same.
TEST(ShippedControlFile, SearchFlagsFollowTheTagNameRule) {
    for (const auto& entry : Shipped().entries) {
        const std::string tag = FoldCase(F(entry, kTagName));
        if (tag.find("name") != std::string::npos) {
            EXPECT_EQ(F(entry, kSearchable), "True") << tag;
            EXPECT_EQ(F(entry, kSearchGroup), "Names") << tag;
        } else if (tag.find("desc") != std::string::npos || tag.find("memo") != std::string::npos) {
            EXPECT_EQ(F(entry, kSearchable), "True") << tag;
            EXPECT_EQ(F(entry, kSearchGroup), "Text") << tag;
        } else if (F(entry, kDataType) != "STRTYPE") {
            EXPECT_EQ(F(entry, kSearchable), "False") << tag;
            EXPECT_EQ(F(entry, kSearchGroup), "") << tag;
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

TEST(ShippedControlFile, KnowsTheElementsBookkeepersLookFor) {
    std::set<std::string> tags;
    for (const auto& entry : Shipped().entries) tags.insert(F(entry, kTagName));
    for (const char* tag : {"//InvoiceRet/TxnDate", "//InvoiceRet/CustomerRef/FullName",
                            "//InvoiceRet/BillAddress/City", "//InvoiceRet/InvoiceLineRet/Quantity",
                            "//InvoiceRet/IsToBePrinted", "//InvoiceRet/DataExtRet/DataExtValue",
                            "//BillRet/ExpenseLineRet/AccountRef/FullName", "//CustomerRet/Email",
                            "//JournalEntryRet/JournalCreditLine/Amount"}) {
        EXPECT_TRUE(tags.count(tag)) << tag;
    }
    // Elements QuickBooks Desktop never sends stay out, with everything below them.
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
