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

}  // namespace

class DataViewChromiumTest : public QObject {
    Q_OBJECT

  private slots:
    void theRenderedPageHoldsTheRecordAndRunsOnlyItsOwnScript() {
        const QString chromium = QStandardPaths::findExecutable("chromium");
        QVERIFY2(!chromium.isEmpty(), "chromium is not installed (scripts/setup installs it)");
        QTemporaryDir dir(quarrion::test::FreshHome::Base() + "/chromium-XXXXXX");
        QVERIFY(dir.isValid());

        QBXMLTags tags;
        test::AddInvoiceHeadings(tags);
        pugi::xml_document record;
        QVERIFY(record.load_string(kHostileRecord));
        DataView view(tags);
        view.SetOld(true);  // the page's own script then has work to do
        view.SetRequestType(RequestTypeCode::Invoice);
        QCOMPARE(QString::fromStdString(view.SetXMLNode(record.document_element()).Message()),
                 QString());
        std::string rendered;
        QCOMPARE(QString::fromStdString(view.Render(rendered).Message()), QString());
        // Written away from the data folder, as the browser button and the terminal
        // tool's --out write it.
        const QString page = dir.path() + "/elsewhere/invoice.html";
        QVERIFY(QDir().mkpath(dir.path() + "/elsewhere"));
        const std::string html =
            EmbedDataViewImages(rendered, view.XmlPath().parent_path().parent_path());
        QCOMPARE(QString::fromStdString(WriteFileAtomically(page.toStdString(), html).Message()),
                 QString());

        QProcess process;
        process.start(chromium,
                      QStringLiteral("--headless --no-sandbox --disable-gpu --disable-quic "
                                     "--no-first-run --disable-background-networking "
                                     "--disable-component-update --disable-sync --dump-dom")
                              .split(' ')
                          << "--user-data-dir=" + dir.path() + "/profile"
                          << QUrl::fromLocalFile(page).toString());
        if (!process.waitForFinished(120000)) process.kill();
        const QString dom = QString::fromUtf8(process.readAllStandardOutput());
        QVERIFY2(dom.contains("</html>"), qPrintable(process.readAllStandardError().right(2000)));
        for (const char* value : {"INV-1042", "Harbour &amp; Sons", "Blue widgets", "1250.00",
                                  "Description", "2024-03-05"}) {
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
