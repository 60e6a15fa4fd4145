#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>
#include <QTreeView>
#include <memory>

#include "fakes.h"
#include "foundation/app_paths.h"
#include "foundation/codes.h"
#include "link/error_log.h"
#include "shell/frm_error_log.h"
#include "shell/msg_interface.h"
#include "shell/relaywick_link.h"
#include "shell_test_main.h"

using namespace quarrion;
using namespace quarrion::test;

namespace {

void WriteLog(const QString& path, const QByteArray& text) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

// The list as the user reads it: the headings, then one line per row, cells split by "|".
QString Shown(const frmErrorLog& window) {
    const QStandardItemModel& model = *window.lstView();
    QStringList lines, cells;
    for (int c = 0; c < model.columnCount(); ++c) cells << model.horizontalHeaderItem(c)->text();
    lines << cells.join('|');
    for (int r = 0; r < model.rowCount(); ++r) {
        cells.clear();
        for (int c = 0; c < model.columnCount(); ++c) cells << model.item(r, c)->text();
        lines << cells.join('|');
    }
    return lines.join('\n');
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

    // The first line heads the columns; each later line is a row in file order, fields
    // beyond the headings ignored and missing ones blank. Without a log the window only
    // says there is nothing to display.
    void EachLineIsARowUnderTheHeadingsOfTheFirst_data() {
        QTest::addColumn<QByteArray>("log");
        QTest::addColumn<QString>("shown");
        QTest::newRow("rows in file order")
            << kHeader +
                   "2024-03-01 10:00\tInvoice\t3200\tError\tEdit sequence out of date\r\n"
                   "2024-03-01 10:05\tCustomer\t500\tWarn\tNo match\r\n"
            << "time|request type|status code|severity|message\n"
               "2024-03-01 10:00|Invoice|3200|Error|Edit sequence out of date\n"
               "2024-03-01 10:05|Customer|500|Warn|No match";
        QTest::newRow("surplus and missing fields")
            << QByteArray("time\tmessage\n10:00\tfirst\tsurplus\tmore surplus\n10:01\n")
            << "time|message\n10:00|first\n10:01|";
        QTest::newRow("no log") << QByteArray() << "There are no errors to display.";
    }
    void EachLineIsARowUnderTheHeadingsOfTheFirst() {
        QFETCH(QByteArray, log);
        QFETCH(QString, shown);
        if (!log.isEmpty()) WriteLog(shared_->LogPath, log);
        MsgInterface hub;
        frmErrorLog window(std::make_unique<FakeLink>(shared_), 1, hub);
        window.show();
        QCOMPARE(window.lblInfo()->isVisible() ? window.lblInfo()->text() : Shown(window), shown);
        QCOMPARE(window.View()->isVisible(), !log.isEmpty());
        QCOMPARE(frmErrorLog(nullptr, 1, hub).lstView()->columnCount(), 0);  // no link at all
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

        raw->OnPopUp(LinkError::CompanyFileMissing, "The company file cannot be found.");
        QCOMPARE(popUps, QList<QVariantList>({{LinkError::CompanyFileMissing,
                                               "The company file cannot be found."}}));
    }

    // Over the real link: a cleared log shows its columns, then what the link logs while
    // the window is open.
    void AClearedLogShowsItsColumnsThenWhatTheLinkLogsWhileOpen() {
        RelaywickLink().ClearErrorLog();
        MsgInterface hub;
        frmErrorLog window(std::make_unique<RelaywickLink>(), 1, hub);
        const std::string_view header = ErrorLog::Header();
        QCOMPARE(Shown(window), QString::fromUtf8(header.data(), header.size()).replace('\t', '|'));
        QVERIFY(ErrorLog(ErrorLog::PathIn(DataFolder()))
                    .Append({"Invoice", 3200, "Error", "The edit sequence is out of date."}));
        QTRY_COMPARE_WITH_TIMEOUT(window.lstView()->rowCount(), 1, 5000);
        QCOMPARE(Shown(window).section('\n', 1).section('|', 1),
                 QStringLiteral("Invoice|3200|Error|The edit sequence is out of date."));
    }

    // The log lies in the data folder and its switch is shared by every instance.
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
