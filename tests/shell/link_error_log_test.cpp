#include <QStandardItemModel>
#include <QTest>
#include <memory>

#include "foundation/app_paths.h"
#include "link/error_log.h"
#include "shell/frm_error_log.h"
#include "shell/msg_interface.h"
#include "shell/relaywick_link.h"
#include "shell_test_main.h"

using namespace quarrion;
using quarrion::test::FreshHome;

// The error-log window over the real link: the log of the data folder, and the window
// following the log as the link writes it.
class LinkErrorLogTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { home_ = std::make_unique<FreshHome>(); }
    void cleanup() { home_.reset(); }

    void AClearedLogShowsItsColumnsThenWhatTheLinkLogsWhileOpen() {
        RelaywickLink().ClearErrorLog();
        MsgInterface hub;
        frmErrorLog window(std::make_unique<RelaywickLink>(), 1, hub);
        QStandardItemModel* list = window.lstView();
        QStringList headers;
        for (int c = 0; c < list->columnCount(); ++c) {
            headers << list->horizontalHeaderItem(c)->text();
        }
        QCOMPARE(headers.size(), 5);
        QCOMPARE(headers.join('\t').toStdString(), std::string(ErrorLog::Header()));
        QCOMPARE(list->rowCount(), 0);

        ErrorLog(ErrorLog::PathIn(DataFolder()))
            .Append({"Invoice", 3200, "Error", "The edit sequence is out of date."});
        QTRY_COMPARE_WITH_TIMEOUT(list->rowCount(), 1, 5000);
        QCOMPARE(list->item(0, 1)->text(), QStringLiteral("Invoice"));
        QCOMPARE(list->item(0, 2)->text(), QStringLiteral("3200"));
        QCOMPARE(list->item(0, 4)->text(), QStringLiteral("The edit sequence is out of date."));
    }

    void TheLogLivesInTheDataFolderAndItsSwitchIsSharedByEveryInstance() {
        QVERIFY(QString::fromStdString(RelaywickLink().ErrorLogPath()).startsWith(home_->Path()));
        RelaywickLink first;
        first.SetLogErrors(false);
        QVERIFY(!RelaywickLink().LogErrors());
        first.SetLogErrors(true);
        QVERIFY(RelaywickLink().LogErrors());
    }

  private:
    std::unique_ptr<FreshHome> home_;
};

QUARRION_SHELL_TEST_MAIN(LinkErrorLogTest)
#include "link_error_log_test.moc"
