#include "store/control_file.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "store_fixture.h"

namespace quarrion {
namespace {

std::string Line(std::vector<std::string> fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) line += (i ? "\t" : "") + fields[i];
    return line;
}

std::vector<std::string> Fields() {
    return {"4",      "RefNumber", "2",    "9",    "//InvoiceRet/RefNumber",
            "Number", "1",         "Mine", "True", "Text",
            "true",   "FALSE",     "0",    "1",    "STRTYPE",
            "-1",     "False",     "tRuE"};
}

TEST(ControlFileLine, ReadsTheEighteenFieldsInOrder) {
    ControlFileEntry e;
    ASSERT_TRUE(ParseControlFileLine(Line(Fields()), 2, e));
    std::ostringstream read;
    read << e.Code << "|" << e.Reference << "|" << e.DefaultSequence << "|" << e.Sequence << "|"
         << e.TagName << "|" << e.DefaultHeading << "|" << e.Level << "|" << e.UserHeading << "|"
         << e.Searchable << "|" << e.SearchGroup << "|" << e.Version21 << e.Version20 << e.Version11
         << e.Version10 << "|" << e.DataType << "|" << e.Version30 << e.VersionCA20
         << e.VersionCA30;
    EXPECT_EQ(read.str(),
              "4|RefNumber|2|9|//InvoiceRet/RefNumber|Number|1|Mine|1|Text|1001|STRTYPE|101");
}

TEST(ControlFileLine, NumbersReadTheirLeadingPartAndBooleansWordsOrNumbers) {
    struct Case {
        std::size_t field;  // 2: DefaultSequence, 8: Searchable
        std::string text;
        int expected;
    } cases[] = {
        {2, "12abc", 12}, {2, "abc", 0},   {2, "", 0},          {2, " 7 ", 7},
        {2, "2.5", 2},    {2, "3.5", 4},   {2, "32767", 32767}, {2, "-32768", -32768},
        {8, "True", 1},   {8, "false", 0}, {8, "-1", 1},        {8, "2", 1},
        {8, " True ", 1}, {8, "", 0},      {8, "0.0", 0},
    };
    for (const auto& c : cases) {
        auto fields = Fields();
        fields[c.field] = c.text;
        ControlFileEntry e;
        ASSERT_TRUE(ParseControlFileLine(Line(fields), 2, e)) << c.field << " " << c.text;
        EXPECT_EQ(c.field == 2 ? e.DefaultSequence : e.Searchable, c.expected) << c.text;
    }
    auto fields = Fields();
    fields.push_back("extra");  // fields beyond the eighteenth are ignored
    ControlFileEntry e;
    ASSERT_TRUE(ParseControlFileLine(Line(fields), 3, e));
    EXPECT_TRUE(e.VersionCA30);
}

TEST(ControlFileLine, RefusesABadFieldNamingItsLineAndLeavesTheEntryAlone) {
    struct Case {
        std::size_t field;  // 18: the last field left out
        std::string text;
        long number;
        std::string says;
    } cases[] = {
        {16, "yes", StoreErrorCode::ControlFileBadBoolean, "VersionCA20"},
        {6, "32768", StoreErrorCode::ControlFileOverflow, "Level"},
        {6, "1e9", StoreErrorCode::ControlFileOverflow, "Level"},
        {18, "", StoreErrorCode::ControlFileShortLine, "has 17 fields"},
    };
    for (const auto& c : cases) {
        auto fields = Fields();
        if (c.field < fields.size()) {
            fields[c.field] = c.text;
        } else {
            fields.pop_back();
        }
        ControlFileEntry e;
        e.Code = 99;
        StoreResult r = ParseControlFileLine(Line(fields), 5, e);
        ASSERT_FALSE(r) << c.text;
        EXPECT_EQ(r.Error().Number, c.number) << c.text;
        EXPECT_NE(r.Error().Description.find("Line 5"), std::string::npos) << c.text;
        EXPECT_NE(r.Error().Description.find(c.says), std::string::npos) << r.Error().Description;
        EXPECT_EQ(e.Code, 99) << "a refused line must leave the entry alone";
    }
}

TEST(ControlFileVersion, IsTheLastNumberOnTheHeaderLine) {
    EXPECT_EQ(ControlFileVersion("Quarrion control file\tversion\t3"), 3);
    EXPECT_EQ(ControlFileVersion("Quarrion control file v2 build 17"), 17);
    EXPECT_EQ(ControlFileVersion("version 12 of the catalog"), 12);
    EXPECT_EQ(ControlFileVersion("Code\tReference\tDefaultSequence"), 0);
    EXPECT_EQ(ControlFileVersion(""), 0);
}

TEST(ControlFileReading, SkipsTheHeaderAndBlankLinesAndDropsLineEnds) {
    test::TempDir dir;
    const auto path = dir.Path() / kControlFileName;
    auto tagNames = [&] {
        ControlFileReader reader(path);
        std::string read = std::to_string(reader.Version()) + ":";
        for (ControlFileEntry e; reader.Next(e) == ControlFileReader::Step::Entry;) {
            read += " " + e.TagName + (e.VersionCA30 ? " ca30" : "");
        }
        return read;
    };
    // The last field (true) ends each line: a CR left of a CR LF line end would spoil it.
    test::ControlLine a{.tagName = "//InvoiceRet/TxnDate"}, b{.tagName = "//InvoiceRet/RefNumber"};
    test::WriteControlFile(path, "\xEF\xBB\xBFQuarrion control file\tversion\t4",
                           {a.Text(), "", "   \t  ", b.Text()});
    EXPECT_EQ(tagNames(), "4: //InvoiceRet/TxnDate ca30 //InvoiceRet/RefNumber ca30");
    // Line one is a header even when it looks like an entry.
    test::WriteControlFile(path, a.Text(), {b.Text()});
    EXPECT_EQ(tagNames(), "1: //InvoiceRet/RefNumber ca30");
}

}  // namespace
}  // namespace quarrion
