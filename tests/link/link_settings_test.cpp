#include "link/link_settings.h"

#include <gtest/gtest.h>

#include "company_text.h"
#include "link/configured_processor.h"
#include "link/password_hash.h"
#include "support/temp_home.h"

namespace quarrion {
namespace {

TEST(LinkSettings, ReadBackWhatWasSavedAndKeepDefaultsForWhatCannotBeRead) {
    test::TempDir dir;
    LinkSettings fresh = LinkSettings::Load(dir.Path());
    EXPECT_TRUE(fresh.LogErrors);
    EXPECT_TRUE(fresh.CompanyFile.empty());
    EXPECT_TRUE(fresh.ResponseFolder.empty());
    EXPECT_EQ(fresh.PageSize, 500);

    LinkSettings settings;
    settings.LogErrors = false;
    settings.CompanyFile = "/data/My Company.qbxml";
    settings.ResponseFolder = dir.Path();
    settings.PageSize = 25;
    settings.WebConnectorListen = "127.0.0.1:18080";
    settings.WebConnectorUser = "acme-books";
    settings.WebConnectorPasswordHash = PasswordHash::Make("correct horse battery", 1000);
    settings.WebConnectorWait = 42;
    settings.WebConnectorFileId = RandomGuid();
    ASSERT_TRUE(settings.Save(dir.Path()));
    LinkSettings back = LinkSettings::Load(dir.Path());
    EXPECT_FALSE(back.LogErrors);
    EXPECT_EQ(back.CompanyFile, "/data/My Company.qbxml");
    EXPECT_EQ(back.ResponseFolder, dir.Path());
    EXPECT_EQ(back.PageSize, 25);
    EXPECT_EQ(back.WebConnectorListen, settings.WebConnectorListen);
    EXPECT_EQ(back.WebConnectorUser, "acme-books");
    EXPECT_EQ(back.WebConnectorPasswordHash, settings.WebConnectorPasswordHash);
    EXPECT_EQ(back.WebConnectorWait, 42);
    EXPECT_EQ(back.WebConnectorFileId, settings.WebConnectorFileId);
    const std::string text = test::ReadAll(LinkSettings::FilePath(dir.Path()));
    EXPECT_NE(text.find("LogErrors=False\n"), std::string::npos);
    EXPECT_EQ(text.find("correct horse"), std::string::npos);
    // With a Web Connector set up, it answers rather than the company or the files.
    EXPECT_EQ(MakeConfiguredProcessor(back, dir.Path())->Context(), "Web Connector");

    test::WriteText(
        LinkSettings::FilePath(dir.Path()),
        "garbage\n# LogErrors=False\nPageSize=-3\nPageSize=many\nLogErrors=maybe\nColor=blue\r\n"
        "companyfile = /x.qbxml \r\n");
    LinkSettings unreadable = LinkSettings::Load(dir.Path());
    EXPECT_TRUE(unreadable.LogErrors);
    EXPECT_EQ(unreadable.PageSize, 500);
    EXPECT_EQ(unreadable.CompanyFile, "/x.qbxml");
}

}  // namespace
}  // namespace quarrion
