#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include "model/record_judge.h"
#include "results/result_table_model.h"
#include "results/search_run.h"
#include "results_window_support.h"
#include "shell_test_main.h"

using namespace quarrion;

namespace {

constexpr std::int32_t kCustomer = 2;
constexpr std::int32_t kInvoice = 4;
constexpr std::int32_t kVendor = 11;

// No invoice of the generated company carries a tax rate this high, and customers and
// vendors have no percent element at all, so their every record is listed.
constexpr const char* kNoInvoiceRule = "percent gt 1000";

void ClickTab(QTabWidget* tabs, int index) {
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, Qt::NoModifier,
                      tabs->tabBar()->tabRect(index).center());
}

void ClickBox(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(6, box->height() / 2));
}

QStringList ShownTabs(QTabWidget* tabs) {
    QStringList shown;
    for (int tab = 0; tab < tabs->count(); ++tab) {
        if (tabs->isTabVisible(tab)) shown << tabs->tabText(tab);
    }
    return shown;
}

void Picture(QWidget* window, const QString& name) {
    const QString folder = qEnvironmentVariable("QUARRION_SCREENSHOTS");
    if (folder.isEmpty()) return;
    QDir().mkpath(folder);
    QVERIFY(window->grab().save(folder + "/" + name, "PNG"));
}

}  // namespace

// The results window's status line and its "Hide types without rows" option, against
// the real store and a small generated company.
class ResultsStatusTest : public QObject {
    Q_OBJECT

    test::ResultsProgram program_;

    frmSearchResults* OpenWithRule(const std::vector<std::int32_t>& types) {
        return program_.Open(types, [](SearchBuilder& builder) {
            QCOMPARE(QString::fromStdString(builder.AddRule(kNoInvoiceRule)), QString());
        });
    }

  private slots:
    void initTestCase() { program_.Start(qEnvironmentVariable("QUARRION_HOME") + "/"); }
    void cleanup() {
        program_.CloseAll();
        AppSettings::SetFlag(QStringLiteral("Results"), QStringLiteral("hideempty"), false);
    }
    void cleanupTestCase() { program_.Stop(); }

    // A type without an element of the tested kind lists every record and says why in
    // its status; a type that has one and found nothing says only what it found. Types
    // without rows hide while the option is ticked, the choice is remembered, and a
    // window whose every type found nothing says so instead of showing an empty list.
    void TheStatusTellsWhatWasFoundAndEmptyTypesHideOnRequest() {
        frmSearchResults* window = OpenWithRule({kCustomer, kInvoice, kVendor});
        QVERIFY(window);
        QTabWidget* tabs = window->tabView();
        const QString notice = QString::fromLatin1(kEveryRecordNotice);
        ClickTab(tabs, 0);
        QVERIFY(window->Model(0)->rowCount() > 0);
        QCOMPARE(window->lblStatus()->text(),
                 "Customer: " + QString::fromStdString(window->Run().ItemOf(kCustomer)->Message));
        QVERIFY2(window->lblStatus()->text().endsWith(notice),
                 qPrintable(window->lblStatus()->text()));

        ClickTab(tabs, 1);
        QCOMPARE(tabs->currentIndex(), 1);
        QCOMPARE(window->Model(1)->rowCount(), 0);
        QVERIFY2(window->lblStatus()->text().startsWith("Invoice: "),
                 qPrintable(window->lblStatus()->text()));
        QVERIFY(window->lblStatus()->text().contains("Found 0"));
        QVERIFY(!window->lblStatus()->text().contains(notice));

        QCOMPARE(window->chkHideEmpty()->text(), QStringLiteral("Hide types without rows"));
        QVERIFY(!window->chkHideEmpty()->isChecked());
        QCOMPARE(ShownTabs(tabs), QStringList({"Customer", "Invoice", "Vendor"}));
        ClickBox(window->chkHideEmpty());
        QVERIFY(window->chkHideEmpty()->isChecked());
        QCOMPARE(ShownTabs(tabs), QStringList({"Customer", "Vendor"}));
        // The hidden tab was selected: a shown one takes its place, and the status follows.
        QVERIFY(tabs->isTabVisible(tabs->currentIndex()));
        QVERIFY(window->lblStatus()->text().startsWith(tabs->tabText(tabs->currentIndex()) + ": "));
        Picture(window, "results_hide_empty.png");
        ClickBox(window->chkHideEmpty());
        QCOMPARE(ShownTabs(tabs), QStringList({"Customer", "Invoice", "Vendor"}));
        ClickBox(window->chkHideEmpty());

        frmSearchResults* second = OpenWithRule({kInvoice});
        QVERIFY(second && second != window);
        QVERIFY(second->chkHideEmpty()->isChecked());
        QVERIFY(second->tabView()->isHidden());
        QCOMPARE(second->lblStatus()->text(), QString::fromLatin1(frmSearchResults::AllHiddenText));
        ClickBox(second->chkHideEmpty());
        QVERIFY(!second->tabView()->isHidden());
        QVERIFY(second->lblStatus()->text().startsWith("Invoice: "));
    }
};

QUARRION_SHELL_TEST_MAIN(ResultsStatusTest)
#include "results_status_test.moc"
