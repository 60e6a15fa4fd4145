#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <tuple>

#include "control_file_entries.h"
#include "foundation/text_fold.h"
#include "qbxml/request_type_info.h"
#include "sample/record_layout.h"
#include "support/temp_home.h"

namespace quarrion::test {
namespace {

// Each entry as the loader reads it: the tag an element of an offered type at the level
// the entry gives, the sizes within the catalog table's fields, and no tag or heading
// twice within a type.
TEST(ShippedControlFile, IsAVersionedFileOfWellFormedEntries) {
    const std::string text = ReadAll(QUARRION_CONTROL_FILE);
    EXPECT_TRUE(std::regex_match(text.substr(0, text.find('\n')),
                                 std::regex("Quarrion control file\tversion\t[1-9][0-9]*")));
    ASSERT_EQ(Shipped().problem, "");
    ASSERT_GT(Shipped().entries.size(), 1000u);
    std::set<std::string> keys;
    std::set<std::pair<int, std::string>> headings;
    for (const ControlFileEntry& e : Shipped().entries) {
        const std::string& tag = e.TagName;
        ASSERT_NE(RequestTypeInfo::Find(e.Code), nullptr) << tag;
        EXPECT_EQ(tag.rfind("//" + RequestTypeInfo::RecordElementName(e.Code) + "/", 0), 0u) << tag;
        const auto depth = std::count(tag.begin() + 2, tag.end(), '/');
        EXPECT_EQ(
            std::tuple(e.Reference, e.Level, e.Sequence, e.UserHeading, e.DefaultSequence >= 0),
            std::tuple(tag.substr(tag.rfind('/') + 1), depth, e.DefaultSequence, "", true))
            << tag;
        EXPECT_NE(RequestTypeInfo::DataTypeCodeByName(e.DataType), 0) << tag;
        EXPECT_NE(e.DataType, "GROUP") << tag;
        EXPECT_FALSE(e.DefaultHeading.empty()) << tag;
        EXPECT_TRUE(tag.size() <= 128 && e.Reference.size() <= 35 && e.DataType.size() <= 16)
            << tag;
        EXPECT_TRUE(keys.insert(UpperCase(std::to_string(e.Code) + tag)).second) << tag;
        EXPECT_TRUE(headings.insert({e.Code, e.DefaultHeading}).second) << e.DefaultHeading;
    }
}

TEST(ShippedControlFile, EveryTypeHasFourToEightDefaultColumnsNumberedFromOne) {
    std::map<int, std::vector<int>> sequences;
    for (const ControlFileEntry& e : Shipped().entries) {
        if (e.DefaultSequence > 0) sequences[e.Code].push_back(e.DefaultSequence);
    }
    for (const RequestType& type : RequestTypeInfo::All()) {
        std::vector<int> found = sequences[type.code];
        std::sort(found.begin(), found.end());
        EXPECT_TRUE(found.size() >= 4 && found.size() <= 8) << type.stem;
        for (std::size_t i = 0; i < found.size(); ++i) {
            EXPECT_EQ(found[i], static_cast<int>(i) + 1) << type.stem;
        }
    }
}

TEST(ShippedControlFile, VersionFlagsGrowWithTheVersion) {
    for (const ControlFileEntry& e : Shipped().entries) {
        // An element of 1.0 exists in 1.1; one of 1.1 in 2.0 and so on.
        EXPECT_TRUE(!e.Version10 || e.Version11) << e.TagName;
        EXPECT_TRUE(!e.Version11 || e.Version20 ||
                    e.TagName.find("ClearEarnings") != std::string::npos)
            << e.TagName;
        EXPECT_TRUE(!e.Version20 || e.Version21) << e.TagName;
        EXPECT_EQ(e.VersionCA20, e.VersionCA30) << e.TagName;
        // A type's elements exist no earlier than the type's own query.
        EXPECT_TRUE(!e.Version10 || RequestTypeInfo::HasVersion(e.Code, "1.0")) << e.TagName;
        EXPECT_TRUE(!e.Version20 || RequestTypeInfo::HasVersion(e.Code, "2.0")) << e.TagName;
    }
}

// The compiled layouts the sample company is written from and the control file come
// from one table; their leaves must agree entry for entry.
TEST(ShippedControlFile, MatchesTheCompiledRecordLayouts) {
    std::map<int, std::vector<std::string>> catalog;
    for (const ControlFileEntry& e : Shipped().entries) catalog[e.Code].push_back(e.TagName);
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
