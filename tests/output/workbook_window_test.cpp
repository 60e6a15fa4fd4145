// The workbook window's choice to leave out the types that found nothing, driven as a
// user drives it; the files are read back by openpyxl through read_back.py.

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include "modal.h"
#include "output/frm_excel.h"
#include "qbxml/request_type_info.h"
#include "shell/app_settings.h"
#include "shell/busy_pane.h"
#include "shell/frm_dialog.h"
#include "shell_test_main.h"

using namespace quarrion;

namespace {

ResultList List(std::int32_t type, const char* title, std::vector<std::vector<std::string>> rows) {
    ResultList list;
    list.RequestType = type;
    list.Title = title;
    list.Columns = {{"//Ret/Name", "Name", DataTypeCode::Str},
                    {"//Ret/IsActive", "Active", DataTypeCode::Bool},
                    {"//Ret/TxnDate", "Date", DataTypeCode::Date}};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        list.Rows.push_back({"k" + std::to_string(i), std::move(rows[i]), ""});
    }
    return list;
}

std::vector<ResultList> ThreeTypesOneEmpty() {
    return {List(RequestTypeCode::Customer, "Customer",
                 {{"Acme", "Yes", "2026-11-02"}, {"Bolt", "No", "2026-10-01"}}),
            List(RequestTypeCode::Invoice, "Invoice", {}),
            List(RequestTypeCode::Vendor, "Vendor", {{"Café Müller", "Yes", "2025-01-31"}})};
}

// The sheet names of a workbook as openpyxl reads them, in order.
QStringList SheetNames(const QString& file) {
    QProcess reader;
    reader.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral(QUARRION_READ_BACK), QStringLiteral("cells"), file});
    if (!reader.waitForFinished(60000) || reader.exitCode() != 0) {
        qWarning() << "read_back failed:" << reader.readAllStandardError();
        return {};
    }
    QStringList names;
    for (const QString& line : QString::fromUtf8(reader.readAllStandardOutput()).split('\n')) {
        const QString sheet = line.section('\t', 0, 0);
        if (!sheet.isEmpty() && !names.contains(sheet)) names.append(sheet);
    }
    return names;
}

QStringList TabTexts(const frmExcel& window) {
    QStringList texts;
    for (int i = 0; i < window.tabSheets()->count(); ++i)
        texts.append(window.tabSheets()->tabText(i));
    return texts;
}

void Screenshot(QWidget* widget, const char* name) {
    const QByteArray folder = qgetenv("QUARRION_SCREENSHOT_DIR");
    if (folder.isEmpty()) return;
    QDir().mkpath(QString::fromLocal8Bit(folder));
    widget->grab().save(QString::fromLocal8Bit(folder) + "/" + name);
}

class WorkbookWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { AppSettings::SetFlag("frmExcel", "hideempty", false); }

    void leavingOutEmptyTypesWritesTheWorkbookAgainAndIsRemembered() {
        frmExcel window(ThreeTypesOneEmpty());
        window.resize(720, 420);
        window.show();
        window.Start();
        auto* option = window.findChild<QCheckBox*>(QStringLiteral("chkHideEmpty"));
        QVERIFY(option);
        QVERIFY(!option->accessibleName().isEmpty() && !option->toolTip().isEmpty());
        QVERIFY(!option->isChecked());
        QTRY_VERIFY_WITH_TIMEOUT(!window.IsBuilding(), 20000);
        QVERIFY(option->isEnabled());
        QCOMPARE(TabTexts(window), QStringList({"Customer", "Invoice", "Vendor"}));
        QCOMPARE(SheetNames(window.WorkbookPath()), QStringList({"Customer", "Invoice", "Vendor"}));

        QTest::mouseClick(option, Qt::LeftButton);
        QVERIFY(option->isChecked());
        QCOMPARE(TabTexts(window), QStringList({"Customer", "Vendor"}));
        QTRY_VERIFY_WITH_TIMEOUT(!window.IsBuilding(), 20000);
        QTRY_VERIFY(!window.busyView()->isVisible());
        QCOMPARE(QString::fromStdString(window.BuildError()), QString());
        QCOMPARE(SheetNames(window.WorkbookPath()), QStringList({"Customer", "Vendor"}));
        QVERIFY(window.findChild<QPushButton*>(QStringLiteral("cmdSaveAs"))->isEnabled());
        // The preview shows what the sheet holds: Yes and No, dates as dates.
        auto* sheet = window.findChild<QTableView*>(QStringLiteral("tblSheet1"));
        QVERIFY(sheet);
        QCOMPARE(sheet->model()->index(1, 1).data().toString(), QStringLiteral("No"));
        QCOMPARE(sheet->model()->index(0, 2).data().toString(), QStringLiteral("2026-11-02"));
        QCOMPARE(sheet->model()->rowCount(), 2);  // nothing is totalled: no totals row
        Screenshot(&window, "excel-hide-empty.png");

        // The next workbook window starts with the choice the user made.
        frmExcel next(ThreeTypesOneEmpty());
        QVERIFY(next.findChild<QCheckBox*>(QStringLiteral("chkHideEmpty"))->isChecked());
        QCOMPARE(TabTexts(next), QStringList({"Customer", "Vendor"}));
    }

    void aWorkbookChangedOutsideIsWrittenAgainOnlyWhenTheUserAgrees() {
        frmExcel window(ThreeTypesOneEmpty());
        window.show();
        window.Start();
        QTRY_VERIFY_WITH_TIMEOUT(!window.IsBuilding(), 20000);
        QTest::qWait(20);
        const QString path = window.WorkbookPath();
        const QByteArray edited("edited in a spreadsheet program, longer than before .......");
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(edited);
        }
        auto* option = window.findChild<QCheckBox*>(QStringLiteral("chkHideEmpty"));

        QString asked;
        quarrion::test::OnNextModal([&asked](QDialog* dialog) {
            auto* question = qobject_cast<frmDialog*>(dialog);
            QVERIFY(question);
            asked = question->Message();
            QTest::mouseClick(question->cmdCancel(), Qt::LeftButton);  // Keep
        });
        QTest::mouseClick(option, Qt::LeftButton);
        QVERIFY2(asked.contains(path) && asked.contains("changed"), qPrintable(asked));
        QVERIFY(!option->isChecked());
        QVERIFY(!window.IsBuilding());
        QFile kept(path);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), edited);
        kept.close();
        QVERIFY(!AppSettings::Flag("frmExcel", "hideempty", false));

        quarrion::test::OnNextModal([](QDialog* dialog) {
            QTest::mouseClick(qobject_cast<frmDialog*>(dialog)->cmdOK(), Qt::LeftButton);
        });
        QTest::mouseClick(option, Qt::LeftButton);
        QVERIFY(option->isChecked());
        QTRY_VERIFY_WITH_TIMEOUT(!window.IsBuilding(), 20000);
        QCOMPARE(SheetNames(path), QStringList({"Customer", "Vendor"}));
    }
};

}  // namespace

QUARRION_SHELL_TEST_MAIN(WorkbookWindowTest)
#include "workbook_window_test.moc"
