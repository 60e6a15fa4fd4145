// One invoice's data-view page in a real browser: headless Chromium renders the page
// the program hands to the desktop's browser (and the terminal tool writes), from a
// folder away from the data folder. The page must carry the record's values,
// run its own script, and show a hostile record text as text without running it.

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <pugixml.hpp>

#include "foundation/atomic_file.h"
#include "invoice_headings.h"
#include "output/data_view.h"
#include "output/data_view_page.h"
#include "shell_test_main.h"

using namespace quarrion;

namespace {

constexpr std::int32_t kInvoice = RequestTypeCode::Invoice;

// Text that would change the page if a browser ran it: a script, an image whose
// error handler runs, markup characters and both quotes.
const char* kHostileRecord = R"xml(<InvoiceRet>
  <TxnID>1-1</TxnID>
  <RefNumber>INV-1042</RefNumber>
  <TxnDate>2024-03-05</TxnDate>
  <CustomerRef><ListID>8-1</ListID><FullName>Harbour &amp; Sons</FullName></CustomerRef>
  <Memo>&lt;script&gt;document.title='PWNED';document.body.setAttribute('data-pwned','script')&lt;/script&gt; &amp; "quoted" 'single'</Memo>
  <InvoiceLineRet><Desc>Blue widgets</Desc><Amount>1250.00</Amount></InvoiceLineRet>
  <InvoiceLineRet><Desc>&lt;img src=x onerror="document.body.setAttribute('data-pwned','img')"&gt;</Desc><Amount>80.50</Amount></InvoiceLineRet>
</InvoiceRet>)xml";

QStringList ChromiumArguments(const QString& profile) {
    return QStringLiteral(
               "--headless --no-sandbox --disable-gpu --disable-quic --no-first-run "
               "--disable-background-networking --disable-component-update "
               "--disable-sync")
               .split(' ')
           << "--user-data-dir=" + profile;
}

// Runs Chromium to the end; its standard output, or a failed test.
QByteArray RunChromium(const QString& chromium, const QStringList& arguments) {
    QProcess process;
    process.start(chromium, arguments);
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        qWarning() << "chromium did not finish:" << process.readAllStandardError().right(2000);
        return {};
    }
    if (process.exitCode() != 0) {
        qWarning() << "chromium failed:" << process.readAllStandardError().right(2000);
    }
    return process.readAllStandardOutput();
}

}  // namespace

class DataViewChromiumTest : public QObject {
    Q_OBJECT

  private:
    QString chromium_;
    std::unique_ptr<QTemporaryDir> dir_;
    QString page_;

  private slots:
    void initTestCase() {
        chromium_ = QStandardPaths::findExecutable("chromium");
        QVERIFY2(!chromium_.isEmpty(), "chromium is not installed (scripts/setup installs it)");
        dir_ =
            std::make_unique<QTemporaryDir>(quarrion::test::FreshHome::Base() + "/chromium-XXXXXX");
        QVERIFY(dir_->isValid());

        QBXMLTags tags;
        test::AddInvoiceHeadings(tags);
        pugi::xml_document record;
        QVERIFY(record.load_string(kHostileRecord));
        DataView view(tags);
        view.SetOld(true);  // the page's own script then has work to do
        view.SetRequestType(kInvoice);
        QCOMPARE(QString::fromStdString(view.SetXMLNode(record.document_element()).Message()),
                 QString());
        std::string rendered;
        QCOMPARE(QString::fromStdString(view.Render(rendered).Message()), QString());
        // Written away from the data folder, as the browser button and the terminal
        // tool's --out write it.
        page_ = dir_->path() + "/elsewhere/invoice.html";
        QVERIFY(QDir().mkpath(dir_->path() + "/elsewhere"));
        const std::string html =
            EmbedDataViewImages(rendered, view.XmlPath().parent_path().parent_path());
        QCOMPARE(QString::fromStdString(WriteFileAtomically(page_.toStdString(), html).Message()),
                 QString());
    }

    void theRenderedPageHoldsTheRecordAndRunsOnlyItsOwnScript() {
        QStringList arguments = ChromiumArguments(dir_->path() + "/profile-dom");
        arguments << "--dump-dom" << QUrl::fromLocalFile(page_).toString();
        const QString dom = QString::fromUtf8(RunChromium(chromium_, arguments));
        QVERIFY2(dom.contains("</html>"), qPrintable(dom.left(2000)));

        for (const char* value :
             {"Invoice Data View", "INV-1042", "Harbour &amp; Sons", "Blue widgets", "1250.00",
              "80.50", "Customer", "Description", "2024-03-05"}) {
            QVERIFY2(dom.contains(QString::fromUtf8(value)), value);
        }
        // The hostile texts are on the page as text ...
        QVERIFY(dom.contains("&lt;script&gt;document.title='PWNED';"));
        QVERIFY(dom.contains("&amp; \"quoted\" 'single'"));
        QVERIFY(dom.contains("&lt;img src=x onerror="));
        // ... and none of them ran.
        QVERIFY2(!dom.contains("data-pwned=\""), qPrintable(dom.left(4000)));
        QVERIFY(!dom.contains("<title>PWNED"));
        QVERIFY(!dom.contains("<img src=\"x\""));
        // The page's own script did run: the note area holds its picture, carried in the
        // page itself.
        QVERIFY2(
            dom.contains("<div id=\"div_note\" class=\"note\"><img src=\"data:image/gif;base64,"),
            qPrintable(dom.left(4000)));
    }
};

QUARRION_SHELL_TEST_MAIN(DataViewChromiumTest)
#include "data_view_chromium_test.moc"
