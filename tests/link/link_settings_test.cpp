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
    const LinkSettings back = LinkSettings::Load(dir.Path());
    auto fields = [](const LinkSettings& s) {
        return std::tuple{s.LogErrors,
                          s.CompanyFile,
                          s.ResponseFolder,
                          s.PageSize,
                          s.WebConnectorListen,
                          s.WebConnectorUser,
                          s.WebConnectorPasswordHash,
                          s.WebConnectorWait,
                          s.WebConnectorFileId};
    };
    EXPECT_EQ(fields(back), fields(settings));
    const std::string text = test::ReadAll(LinkSettings::FilePath(dir.Path()));
    EXPECT_NE(text.find("LogErrors=False\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("correct horse"), std::string::npos);
    // With a Web Connector set up, it answers rather than the company or the files.
    EXPECT_EQ(MakeConfiguredProcessor(back, dir.Path())->Context(), "Web Connector");

    test::WriteText(
        LinkSettings::FilePath(dir.Path()),
        "garbage\n# LogErrors=False\nPageSize=-3\nPageSize=many\nLogErrors=maybe\nColor=blue\r\n"
        "companyfile = /x.qbxml \r\n");
    const LinkSettings unreadable = LinkSettings::Load(dir.Path());
    EXPECT_EQ((std::tuple{unreadable.LogErrors, unreadable.PageSize, unreadable.CompanyFile}),
              (std::tuple{true, 500, std::filesystem::path("/x.qbxml")}));
}

}  // namespace
}  // namespace quarrion
