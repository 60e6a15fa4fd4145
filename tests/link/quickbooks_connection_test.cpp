// The "QuickBooks Connection..." dialog, driven as a user does.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "foundation/app_paths.h"
#include "link/frm_quickbooks_connection.h"
#include "link/link_settings.h"
#include "link/password_hash.h"
#include "link/web_connector_server.h"
#include "link/web_connector_setup.h"
#include "shell_test_main.h"
#include "simulated_web_connector.h"

namespace quarrion {

class QuickBooksConnectionTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { home_ = std::make_unique<test::FreshHome>(); }
    void cleanup() { home_.reset(); }

    void ChoosingTheWebConnectorSavesAHashNeverThePassword() {
        frmQuickBooksConnection dialog(DataFolder());
        dialog.show();
        auto* web = dialog.findChild<QRadioButton*>(QStringLiteral("optWebConnector"));
        QVERIFY(web);
        QTest::mouseClick(web, Qt::LeftButton, {}, QPoint(5, web->height() / 2));
        QVERIFY(web->isChecked());
        auto* listen = dialog.findChild<QLineEdit*>(QStringLiteral("txtListen"));
        listen->clear();
        QTest::keyClicks(listen, QStringLiteral("127.0.0.1:18099"));
        QTest::keyClicks(dialog.findChild<QLineEdit*>(QStringLiteral("txtUser")),
                         QStringLiteral("acme-books"));
        // A short password is refused and nothing is saved.
        auto* password = dialog.findChild<QLineEdit*>(QStringLiteral("txtPassword"));
        QTest::keyClicks(password, QStringLiteral("short"));
        QVERIFY(dialog.Save().contains(QStringLiteral("at least 8 characters")));
        QVERIFY(LinkSettings::Load(DataFolder()).WebConnectorListen.empty());
        password->clear();
        QTest::keyClicks(password, QStringLiteral("correct horse"));
        auto* listenButton = dialog.findChild<QPushButton*>(QStringLiteral("cmdListen"));
        QTest::mouseClick(listenButton, Qt::LeftButton);
        QVERIFY(!listenButton->isEnabled() && listenButton->text() == QStringLiteral("&Listening"));
        auto* state = dialog.findChild<QLabel*>(QStringLiteral("lblState"));
        QVERIFY(state->text().contains(QStringLiteral("Listening at http://127.0.0.1:18099/qbwc")));
        QVERIFY(state->text().contains(QStringLiteral("Waiting for the QuickBooks Web Connector")));

        // A Web Connector signs in and takes the request a search queued: the state
        // follows without a click.
        std::shared_ptr<WebConnectorServer> server = RunningWebConnector("127.0.0.1", 18099);
        QVERIFY(server);
        auto job = server->Service().Submit("<QBXML/>");
        auto ticket = test::CallService(
            server->Service(), "authenticate",
            {{"strUserName", "acme-books"}, {"strPassword", "correct horse"}}, "192.0.2.10");
        QCOMPARE(ticket.size(), std::size_t(2));
        QCOMPARE(QString::fromStdString(ticket[1]), QString());
        test::CallService(
            server->Service(), "sendRequestXML",
            {{"ticket", ticket[0]}, {"strCompanyFileName", "C:\\Books\\Acme Supply.qbw"}},
            "192.0.2.10");
        QTRY_VERIFY_WITH_TIMEOUT(
            state->text().contains(QStringLiteral(
                "The Web Connector at 192.0.2.10 is connected; QuickBooks is answering")),
            3000);
        QVERIFY(state->text().contains(QStringLiteral("Acme Supply.qbw")));
        QDir().mkpath(QStringLiteral(QUARRION_SCREENSHOTS));
        dialog.grab().save(QStringLiteral(QUARRION_SCREENSHOTS "/quickbooks_connection.png"));

        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const LinkSettings settings = LinkSettings::Load(DataFolder());
        QCOMPARE(QString::fromStdString(settings.WebConnectorListen),
                 QStringLiteral("127.0.0.1:18099"));
        QCOMPARE(QString::fromStdString(settings.WebConnectorUser), QStringLiteral("acme-books"));
        QVERIFY(PasswordHash::Verify("correct horse", settings.WebConnectorPasswordHash));
        QVERIFY(
            !QString::fromStdString(test_ReadSettings()).contains(QStringLiteral("correct horse")));
    }

  private:
    static std::string test_ReadSettings() {
        QFile file(QString::fromStdString(LinkSettings::FilePath(DataFolder()).string()));
        file.open(QIODevice::ReadOnly);
        return file.readAll().toStdString();
    }
    std::unique_ptr<test::FreshHome> home_;
};

}  // namespace quarrion

QUARRION_SHELL_TEST_MAIN(quarrion::QuickBooksConnectionTest)
#include "quickbooks_connection_test.moc"
