#include "link/link_settings.h"

#include <gtest/gtest.h>

#include "company_text.h"
#include "support/temp_home.h"

namespace quarrion {
namespace {

TEST(LinkSettings, MissingFileGivesDefaults) {
    test::TempDir dir;
    LinkSettings settings = LinkSettings::Load(dir.Path());
    EXPECT_TRUE(settings.LogErrors);
    EXPECT_TRUE(settings.CompanyFile.empty());
    EXPECT_TRUE(settings.ResponseFolder.empty());
    EXPECT_EQ(settings.PageSize, 500);
}

TEST(LinkSettings, SavedSettingsReadBack) {
    test::TempDir dir;
    LinkSettings settings;
    settings.LogErrors = false;
    settings.CompanyFile = "/data/My Company.qbxml";
    settings.ResponseFolder = "/data/answers";
    settings.PageSize = 25;
    ASSERT_TRUE(settings.Save(dir.Path()));
    LinkSettings back = LinkSettings::Load(dir.Path());
    EXPECT_FALSE(back.LogErrors);
    EXPECT_EQ(back.CompanyFile, "/data/My Company.qbxml");
    EXPECT_EQ(back.ResponseFolder, "/data/answers");
    EXPECT_EQ(back.PageSize, 25);
    EXPECT_NE(test::ReadAll(LinkSettings::FilePath(dir.Path())).find("LogErrors=False\n"),
              std::string::npos);
}

TEST(LinkSettings, UnreadableLinesKeepTheDefaults) {
    test::TempDir dir;
    test::WriteText(
        LinkSettings::FilePath(dir.Path()),
        "garbage\n# LogErrors=False\nPageSize=-3\nPageSize=many\nLogErrors=maybe\nColor=blue\r\n"
        "companyfile = /x.qbxml \r\n");
    LinkSettings settings = LinkSettings::Load(dir.Path());
    EXPECT_TRUE(settings.LogErrors);
    EXPECT_EQ(settings.PageSize, 500);
    EXPECT_EQ(settings.CompanyFile, "/x.qbxml");
}

}  // namespace
}  // namespace quarrion
