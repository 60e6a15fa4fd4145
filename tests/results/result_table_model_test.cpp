#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

#include "foundation/codes.h"
#include "results/result_table_model.h"
#include "shell_test_main.h"

using namespace quarrion;

namespace {

// A one-column list of `cells` with keys k0, k1, ... in the given order.
ResultList OneColumn(std::int32_t dataType, const QStringList& cells) {
    ResultList list;
    list.Columns.push_back({"//InvoiceRet/Value", "Value", dataType});
    for (int i = 0; i < cells.size(); ++i)
        list.Rows.push_back({"k" + std::to_string(i), {cells[i].toStdString()}, ""});
    return list;
}

// A model showing `list`, checked by Qt's model tester throughout.
struct TestedModel {
    explicit TestedModel(ResultList& list) { model.SetList(&list); }
    ResultTableModel model;
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::QtTest};
};

// The shown rows' first cells, or their keys.
QStringList Shown(const ResultTableModel& model, bool keys = false) {
    QStringList shown;
    for (int row = 0; row < model.rowCount(); ++row) {
        shown << (keys ? QString::fromStdString(model.RowAt(row)->Key)
                       : model.data(model.index(row, 0)).toString());
    }
    return shown;
}

}  // namespace

class ResultTableModelTest : public QObject {
    Q_OBJECT

  private slots:
    void SortsByTheColumnsKindOfData_data() {
        QTest::addColumn<int>("dataType");
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QStringList>("ascending");
        QTest::newRow("amounts by value, blanks first")
            << int(DataTypeCode::Amt) << QStringList{"10.50", "9", "", "-3.25", "100"}
            << QStringList{"", "-3.25", "9", "10.50", "100"};
        QTest::newRow("dates by day")
            << int(DataTypeCode::Date) << QStringList{"2024-02-01", "2023-12-31", "2024-01-15"}
            << QStringList{"2023-12-31", "2024-01-15", "2024-02-01"};
        QTest::newRow("text by the locale, not by code")
            << int(DataTypeCode::Str) << QStringList{"cherry", "Banana", "apple", "Éclair", "date"}
            << QStringList{"apple", "Banana", "cherry", "date", "Éclair"};
        QTest::newRow("numbers in text sort as text")
            << int(DataTypeCode::Str) << QStringList{"10", "9", "1"} << QStringList{"1", "10", "9"};
    }
    void SortsByTheColumnsKindOfData() {
        QFETCH(int, dataType);
        QFETCH(QStringList, cells);
        QFETCH(QStringList, ascending);
        ResultList list = OneColumn(dataType, cells);
        TestedModel tested(list);
        tested.model.sort(0, Qt::AscendingOrder);
        QCOMPARE(Shown(tested.model), ascending);
        tested.model.sort(0, Qt::DescendingOrder);
        std::reverse(ascending.begin(), ascending.end());
        QCOMPARE(Shown(tested.model), ascending);
    }

    void EqualCellsKeepTheAnswersOrderAndSelectionsTheirRecord() {
        ResultList list = OneColumn(DataTypeCode::Str, {"b", "a", "b", "a"});
        TestedModel tested(list);
        ResultTableModel& model = tested.model;
        model.sort(0, Qt::AscendingOrder);
        QCOMPARE(Shown(model, true), QStringList({"k1", "k3", "k0", "k2"}));
        model.sort(0, Qt::DescendingOrder);
        QCOMPARE(Shown(model, true), QStringList({"k0", "k2", "k1", "k3"}));
        // A selected row stays on its record.
        QPersistentModelIndex selected(model.index(0, 0));
        model.sort(0, Qt::AscendingOrder);
        QCOMPARE(selected.row(), 2);
        QCOMPARE(model.RowAt(selected.row())->Key, std::string("k0"));
    }

    void RowsArrivingInBatchesAreInsertedAndTakeTheirSortPlace() {
        ResultList list = OneColumn(DataTypeCode::Amt, {"5", "1"});
        TestedModel tested(list);
        ResultTableModel& model = tested.model;
        model.sort(0, Qt::AscendingOrder);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        list.Rows.push_back({"k2", {"3"}, ""});
        list.Rows.push_back({"k3", {"0.5"}, ""});
        model.Refresh();
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(Shown(model), QStringList({"0.5", "1", "3", "5"}));
        model.Refresh();
        QCOMPARE(inserted.count(), 1);
    }

    void TheListAsShownFollowsColumnAndSortOrder() {
        ResultList list;
        list.RequestType = RequestTypeCode::Invoice;
        list.Columns = {{"//InvoiceRet/A", "A", DataTypeCode::Str},
                        {"//InvoiceRet/B", "B", DataTypeCode::Amt}};
        list.Rows = {{"k0", {"one", "2"}, "m0"}, {"k1", {"two", "1"}, "m1"}};
        TestedModel tested(list);
        ResultTableModel& model = tested.model;
        model.sort(1, Qt::AscendingOrder);
        ResultList shown = model.Shown({1, 0});
        QCOMPARE(shown.RequestType, RequestTypeCode::Invoice);
        QCOMPARE(shown.Columns[0].Key, std::string("//InvoiceRet/B"));
        QCOMPARE(shown.Rows[0].Key + " " + shown.Rows[0].MatchText, std::string("k1 m1"));
        QCOMPARE(shown.Rows[0].Cells, (std::vector<std::string>{"1", "two"}));
        QCOMPARE(model.data(model.index(0, 0), Qt::ToolTipRole).toString(), QString("m1"));
        QCOMPARE(model.data(model.index(0, 1), Qt::TextAlignmentRole).toInt() & Qt::AlignRight,
                 int(Qt::AlignRight));
    }
};

QUARRION_SHELL_TEST_MAIN(ResultTableModelTest)
#include "result_table_model_test.moc"
