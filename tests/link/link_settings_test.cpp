#include "link/link_settings.h"

#include <gtest/gtest.h>

#include "company_text.h"
#include "link/configured_processor.h"
#include "support/temp_home.h"

namespace quarrion {
namespace {

// Each setting's round trip is walked where it is used: the link's tests keep a company
// and page size, the connection dialog and the terminal tool the Web Connector's. Here,
// a damaged file and what a Web Connector set-up chooses.
TEST(LinkSettings, KeepDefaultsForWhatCannotBeReadAndAWebConnectorAnswersOnceSetUp) {
    test::TempDir dir;
    test::WriteText(
        LinkSettings::FilePath(dir.Path()),
        "garbage\n# LogErrors=False\nPageSize=-3\nPageSize=many\nLogErrors=maybe\nColor=blue\r\n"
        "companyfile = /x.qbxml \r\n");
    LinkSettings settings = LinkSettings::Load(dir.Path());
    EXPECT_EQ((std::tuple{settings.LogErrors, settings.PageSize, settings.CompanyFile}),
              (std::tuple{true, 500, std::filesystem::path("/x.qbxml")}));

    settings.WebConnectorListen = "127.0.0.1:18080";
    settings.WebConnectorUser = "acme-books";
    settings.WebConnectorPasswordHash = "pbkdf2-sha256$1000$c2FsdA==$aGFzaA==";
    ASSERT_TRUE(settings.Save(dir.Path()));
    EXPECT_EQ(MakeConfiguredProcessor(LinkSettings::Load(dir.Path()), dir.Path())->Context(),
              "Web Connector");
}

}  // namespace
}  // namespace quarrion
