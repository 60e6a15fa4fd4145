#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>
#include <QTreeView>
#include <memory>

#include "fakes.h"
#include "foundation/app_paths.h"
#include "link/error_log.h"
#include "shell/frm_error_log.h"
#include "shell/msg_interface.h"
#include "shell/relaywick_link.h"
#include "shell_test_main.h"

using namespace quarrion;
using quarrion::test::FakeLink;
using quarrion::test::FreshHome;

namespace {

void WriteLog(const QString& path, const QByteArray& text) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

QStringList Headers(const QStandardItemModel& model) {
    QStringList headers;
    for (int c = 0; c < model.columnCount(); ++c) {
        headers << model.horizontalHeaderItem(c)->text();
    }
    return headers;
}

QStringList Row(const QStandardItemModel& model, int row) {
    QStringList cells;
    for (int c = 0; c < model.columnCount(); ++c) cells << model.item(row, c)->text();
    return cells;
}

const QByteArray kHeader = "time\trequest type\tstatus code\tseverity\tmessage\r\n";

}  // namespace

// The error-log window reads the link's TAB-separated log: over a fake link whose log the
// test writes, and over the real link.
class ErrorLogTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        home_ = std::make_unique<FreshHome>();
        shared_ = std::make_shared<FakeLink::Shared>();
        shared_->LogPath = home_->Path() + "errors.log";
    }

    void WithoutALogOrALinkTheWindowOnlySaysThereIsNothing() {
        MsgInterface hub;
        frmErrorLog window(std::make_unique<FakeLink>(shared_), 7, hub);
        window.show();
        QCOMPARE(window.lblInfo()->text(), QStringLiteral("There are no errors to display."));
        QVERIFY(window.lblInfo()->isVisible());
        QVERIFY(!window.View()->isVisible());
        QCOMPARE(window.lstView()->rowCount(), 0);
        frmErrorLog unlinked(nullptr, 1, hub);
        QVERIFY(!unlinked.lblInfo()->isHidden());
        QCOMPARE(unlinked.lstView()->columnCount(), 0);
    }

    // The first line heads the columns; each later line is a row in file order, fields
    // beyond the headings ignored and missing ones blank.
    void EachLineIsARowUnderTheHeadingsOfTheFirst_data() {
        QTest::addColumn<QByteArray>("log");
        QTest::addColumn<QStringList>("headers");
        QTest::addColumn<QList<QStringList>>("rows");
        QTest::newRow("rows in file order")
            << kHeader +
                   "2024-03-01 10:00\tInvoice\t3200\tError\tEdit sequence out of date\r\n"
                   "2024-03-01 10:05\tCustomer\t500\tWarn\tNo match\r\n"
            << QStringList({"time", "request type", "status code", "severity", "message"})
            << QList<QStringList>{
                   {"2024-03-01 10:00", "Invoice", "3200", "Error", "Edit sequence out of date"},
                   {"2024-03-01 10:05", "Customer", "500", "Warn", "No match"}};
        QTest::newRow("surplus and missing fields")
            << QByteArray("time\tmessage\n10:00\tfirst\tsurplus\tmore surplus\n10:01\n")
            << QStringList({"time", "message"})
            << QList<QStringList>{{"10:00", "first"}, {"10:01", ""}};
    }
    void EachLineIsARowUnderTheHeadingsOfTheFirst() {
        QFETCH(QByteArray, log);
        QFETCH(QStringList, headers);
        QFETCH(QList<QStringList>, rows);
        WriteLog(shared_->LogPath, log);
        MsgInterface hub;
        frmErrorLog window(std::make_unique<FakeLink>(shared_), 1, hub);
        window.show();
        QCOMPARE(Headers(*window.lstView()), headers);
        QCOMPARE(window.lstView()->rowCount(), rows.size());
        for (int r = 0; r < rows.size(); ++r) QCOMPARE(Row(*window.lstView(), r), rows[r]);
        QVERIFY(!window.lblInfo()->isVisible());
        QVERIFY(window.View()->isVisible());
    }

    // The window's link is its own log viewer with the given id: its activity reads the
    // log again and its pop-ups go to the hub.
    void TheWindowFollowsItsOwnLink() {
        WriteLog(shared_->LogPath, kHeader);
        MsgInterface hub;
        QSignalSpy popUps(&hub, &MsgInterface::PopUp);
        auto link = std::make_unique<FakeLink>(shared_);
        FakeLink* raw = link.get();
        frmErrorLog window(std::move(link), 7, hub);
        QVERIFY(raw->IsLogViewer());
        QCOMPARE(shared_->Ids, QList<std::int32_t>{7});
        QCOMPARE(window.lstView()->rowCount(), 0);
        WriteLog(shared_->LogPath, kHeader + "10:00\tBill\t1\tError\tfailed\n");
        raw->OnActivity();
        QCOMPARE(window.lstView()->rowCount(), 1);
        QFile::remove(shared_->LogPath);
        window.Display();
        QCOMPARE(window.lstView()->rowCount(), 0);
        QVERIFY(!window.lblInfo()->isHidden());

        raw->OnPopUp(0x7001, "The company file cannot be found.");
        QCOMPARE(popUps.count(), 1);
        QCOMPARE(popUps[0][0].toInt(), 0x7001);
        QCOMPARE(popUps[0][1].toString(), QStringLiteral("The company file cannot be found."));
    }

    // Over the real link: the log of the data folder, followed as the link writes it.

    void AClearedLogShowsItsColumnsThenWhatTheLinkLogsWhileOpen() {
        RelaywickLink().ClearErrorLog();
        MsgInterface hub;
        frmErrorLog window(std::make_unique<RelaywickLink>(), 1, hub);
        QStandardItemModel* list = window.lstView();
        QCOMPARE(Headers(*list).size(), 5);
        QCOMPARE(Headers(*list).join('\t').toStdString(), std::string(ErrorLog::Header()));
        QCOMPARE(list->rowCount(), 0);

        QVERIFY(ErrorLog(ErrorLog::PathIn(DataFolder()))
                    .Append({"Invoice", 3200, "Error", "The edit sequence is out of date."}));
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
    std::shared_ptr<FakeLink::Shared> shared_;
};

QUARRION_SHELL_TEST_MAIN(ErrorLogTest)
#include "error_log_test.moc"
