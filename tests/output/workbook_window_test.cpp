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

#include "foundation/codes.h"
#include "modal.h"
#include "output/frm_excel.h"
#include "shell/app_settings.h"
#include "shell/busy_pane.h"
#include "shell/frm_dialog.h"
#include "shell_test_main.h"

using namespace quarrion;

namespace {

std::vector<ResultList> ThreeTypesOneEmpty() {
    std::vector<ResultList> lists(3);
    const char* titles[] = {"Customer", "Invoice", "Vendor"};
    for (std::size_t i = 0; i < lists.size(); ++i) {
        lists[i].Title = titles[i];
        lists[i].Columns = {{"n", "Name", DataTypeCode::Str},
                            {"a", "Active", DataTypeCode::Bool},
                            {"d", "Date", DataTypeCode::Date}};
        if (i != 1) lists[i].Rows.push_back({"k0", {"Acme", "No", "2026-11-02"}, ""});
    }
    return lists;
}

// The sheet names of a workbook as openpyxl reads them, in order.
QStringList SheetNames(const QString& file) {
    QProcess reader;
    reader.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral(QUARRION_READ_BACK), QStringLiteral("cells"), file});
    reader.waitForFinished(60000);
    QStringList names;
    for (const QString& line : QString::fromUtf8(reader.readAllStandardOutput()).split('\n')) {
        const QString sheet = line.section('\t', 0, 0);
        if (!sheet.isEmpty() && !names.contains(sheet)) names.append(sheet);
    }
    return names;
}

void AnswerNextQuestion(bool writeAgain, QString* asked) {
    quarrion::test::OnNextModal([writeAgain, asked](QDialog* dialog) {
        auto* question = qobject_cast<frmDialog*>(dialog);
        *asked = question->Message();
        QTest::mouseClick(writeAgain ? question->cmdOK() : question->cmdCancel(), Qt::LeftButton);
    });
}

class WorkbookWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void leavingOutEmptyTypesWritesTheWorkbookAgainRemembersAndAsksFirst() {
        frmExcel window(ThreeTypesOneEmpty());
        window.resize(720, 420);
        window.show();
        window.Start();
        auto* option = window.findChild<QCheckBox*>(QStringLiteral("chkHideEmpty"));
        QVERIFY(option && !option->isChecked());
        QTRY_VERIFY_WITH_TIMEOUT(!window.IsBuilding() && option->isEnabled(), 20000);
        QCOMPARE(SheetNames(window.WorkbookPath()), QStringList({"Customer", "Invoice", "Vendor"}));

        QTest::mouseClick(option, Qt::LeftButton);
        QCOMPARE(window.tabSheets()->count(), 2);
        QTRY_VERIFY_WITH_TIMEOUT(!window.IsBuilding(), 20000);
        QCOMPARE(QString::fromStdString(window.BuildError()), QString());
        QCOMPARE(SheetNames(window.WorkbookPath()), QStringList({"Customer", "Vendor"}));
        // The preview shows what the sheet holds: No, a date, and no totals row when
        // nothing is totalled.
        QAbstractItemModel* sheet =
            window.findChild<QTableView*>(QStringLiteral("tblSheet1"))->model();
        QCOMPARE(sheet->index(0, 1).data().toString(), QStringLiteral("No"));
        QCOMPARE(sheet->index(0, 2).data().toString(), QStringLiteral("2026-11-02"));
        QCOMPARE(sheet->rowCount(), 1);
        QTRY_VERIFY(!window.busyView()->isVisible());
        if (const QByteArray folder = qgetenv("QUARRION_SCREENSHOT_DIR"); !folder.isEmpty()) {
            QDir().mkpath(QString::fromLocal8Bit(folder));
            window.grab().save(QString::fromLocal8Bit(folder) + "/excel-hide-empty.png");
        }
        QVERIFY(frmExcel(ThreeTypesOneEmpty())
                    .findChild<QCheckBox*>(QStringLiteral("chkHideEmpty"))
                    ->isChecked());

        // Changed outside since it was written: kept unless the user agrees.
        QTest::qWait(20);
        const QByteArray edited("edited in a spreadsheet program, longer than before .......");
        QFile file(window.WorkbookPath());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(edited);
        file.close();
        QString asked;
        AnswerNextQuestion(false, &asked);
        QTest::mouseClick(option, Qt::LeftButton);
        QVERIFY2(asked.contains(window.WorkbookPath()), qPrintable(asked));
        QVERIFY(option->isChecked() && !window.IsBuilding());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), edited);
        file.close();
        AnswerNextQuestion(true, &asked);
        QTest::mouseClick(option, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!window.IsBuilding(), 20000);
        QCOMPARE(SheetNames(window.WorkbookPath()), QStringList({"Customer", "Invoice", "Vendor"}));
        QVERIFY(!AppSettings::Flag("frmExcel", "hideempty", true));
    }
};

}  // namespace

QUARRION_SHELL_TEST_MAIN(WorkbookWindowTest)
#include "workbook_window_test.moc"
