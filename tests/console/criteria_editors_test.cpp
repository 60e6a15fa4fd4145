#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "console/criteria_control.h"
#include "console/criterion_control.h"
#include "console/field_criteria_control.h"
#include "console/field_criterion_control.h"
#include "console/list_palette.h"
#include "console/number_key_rule.h"
#include "console/range_control.h"
#include "editor_support.h"
#include "model/rule_values.h"
#include "shell_test_main.h"

using namespace quarrion;

namespace {

QStringList Items(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
    return items;
}

QList<long> Operations(const QComboBox* box) {
    QList<long> codes;
    for (int i = 0; i < box->count(); ++i) codes << box->itemData(i).toInt();
    return codes;
}

// Shows `window` and makes it the active window, so focus moves as it does for a user.
void Activate(QWidget* window) {
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

// Types `keys` one by one into whichever control has the focus at each key.
void TypeInFocus(const QString& keys) {
    for (QChar key : keys) QTest::keyClick(QApplication::focusWidget(), key.toLatin1());
}

void Choose(QComboBox* box, const QString& text) {
    const int index = box->findText(text);
    QVERIFY2(index >= 0, qPrintable("no choice " + text));
    box->setCurrentIndex(index);
}

// Fills a global row as a user does: join, data type, operation, then typed keys.
void FillRow(CriterionControl* row, const QString& andOr, const QString& choice,
             const QString& operation, const QString& keys) {
    Choose(row->cboAndOr(), andOr);
    Choose(row->cboDataType(), choice);
    Choose(row->cboTrueCompare(), operation);
    QWidget* input = row->Input();
    if (auto* list = qobject_cast<ListPalette*>(input)) {
        // The list's ending keys move the focus to the next box.
        list->Box(1)->setFocus();
        TypeInFocus(keys);
        return;
    }
    if (auto* range = qobject_cast<RangeControl*>(input)) input = range->txtFrom();
    if (input) QTest::keyClicks(input, keys);
}

}  // namespace

// The rule editors the console and the re-search window share: rows, groups, inputs
// and the keys they take.
class CriteriaEditorsTest : public QObject {
    Q_OBJECT

  private slots:
    void ANewGlobalRowOffersAndTextAndTheTextOperationsButHoldsNoData() {
        CriteriaControl panel;
        QCOMPARE(panel.RowCount(), 1);
        CriterionControl* row = panel.Criterion(1);
        QCOMPARE(row->cboAndOr()->currentText(), QStringLiteral("AND"));
        QCOMPARE(Items(row->cboAndOr()), QStringList({"OR", "AND"}));
        QCOMPARE(Items(row->cboDataType()), QStringList({"Text", "Any Number", "Percent", "Price",
                                                         "Quantity", "Amount", "Date"}));
        QCOMPARE(Operations(row->cboTrueCompare()),
                 QList<long>({Operation::Contains, Operation::TextEquals, Operation::StartsWith,
                              Operation::EndsWith, Operation::WholeWord, Operation::MatchesPattern,
                              Operation::InList}));
        QCOMPARE(row->Input(), static_cast<QWidget*>(row->txtString()));
        QVERIFY(!panel.ContainsData());
        Examinors groups;
        panel.ReadExaminors(groups);
        QCOMPARE(groups.Count(), std::size_t{0});
        QCOMPARE(panel.Title(), QStringLiteral("Global Search Rule Set"));
    }

    void EachOperationShowsTheInputThatFitsIt_data() {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("input");
        QTest::newRow("contains") << "Text"
                                  << "Contains"
                                  << "txtString";
        QTest::newRow("equals") << "Text"
                                << "Equals"
                                << "txtString";
        QTest::newRow("pattern") << "Text"
                                 << "Matches Pattern"
                                 << "txtString";
        QTest::newRow("text list") << "Text"
                                   << "In List"
                                   << "txtList";
        QTest::newRow("less") << "Amount"
                              << "Less Than"
                              << "txtNumber";
        QTest::newRow("greater") << "Any Number"
                                 << "Greater Than"
                                 << "txtNumber";
        QTest::newRow("between") << "Price"
                                 << "Between"
                                 << "txtRange";
        QTest::newRow("number list") << "Quantity"
                                     << "In List"
                                     << "nbrList";
    }
    void EachOperationShowsTheInputThatFitsIt() {
        QFETCH(QString, choice);
        QFETCH(QString, operation);
        QFETCH(QString, input);
        CriterionControl row;
        Choose(row.cboDataType(), choice);
        Choose(row.cboTrueCompare(), operation);
        QVERIFY(row.Input());
        QCOMPARE(row.Input()->objectName(), input);
        QCOMPARE(row.Criterion().Operand, long(row.cboTrueCompare()->currentData().toInt()));
    }

    void SwitchingATextListRowToANumberChoiceRefillsTheOperationsWithoutTheTextOnes() {
        CriterionControl row;
        Choose(row.cboTrueCompare(), "In List");
        QCOMPARE(row.Input(), static_cast<QWidget*>(row.txtList()));
        Choose(row.cboDataType(), "Amount");
        const QList<long> operations = Operations(row.cboTrueCompare());
        QCOMPARE(operations,
                 QList<long>({Operation::LessThan, Operation::LessOrEqual, Operation::Equal,
                              Operation::GreaterOrEqual, Operation::GreaterThan, Operation::Between,
                              Operation::InList}));
        QCOMPARE(row.cboTrueCompare()->currentText(), QStringLiteral("In List"));
        QCOMPARE(row.Input(), static_cast<QWidget*>(row.nbrList()));
        QCOMPARE(row.Criterion().DataType(), 65L);
    }

    void RowsJoinedByOrStartNewGroupsAndEmptyRowsAreSkipped() {
        CriteriaControl panel;
        panel.More();
        panel.More();
        panel.More();
        QCOMPARE(panel.RowCount(), 4);
        FillRow(panel.Criterion(1), "AND", "Text", "Contains", "Acme");
        FillRow(panel.Criterion(2), "OR", "Amount", "Greater Than", "500");
        // Row 3 stays empty: its OR must not open a group.
        Choose(panel.Criterion(3)->cboAndOr(), "OR");
        FillRow(panel.Criterion(4), "AND", "Text", "Starts With", "INV");
        QVERIFY(panel.Changed());
        QVERIFY(panel.ContainsData());
        Examinors groups;
        panel.ReadExaminors(groups);
        QCOMPARE(test::ExaminorsText(groups),
                 QStringLiteral("text contains Acme | or amount gt 500; text starts-with INV"));
    }

    void LoadingShowsEveryRuleAndReadsBackTheSameGroups() {
        CriteriaControl source;
        Activate(&source);
        source.More();
        source.More();
        FillRow(source.Criterion(1), "AND", "Text", "In List", "north,south");
        FillRow(source.Criterion(2), "OR", "Price", "Between", "10");
        QTest::keyClicks(source.Criterion(2)->txtRange()->txtTo(), "20");
        FillRow(source.Criterion(3), "AND", "Percent", "Equal To", "8.5");
        Examinors groups;
        source.ReadExaminors(groups);
        const QString expected = test::ExaminorsText(groups);
        QCOMPARE(expected, QStringLiteral("text in north,south | or price between 10 20; "
                                          "percent eq 8.5"));

        CriteriaControl panel;
        QSignalSpy rows(&panel, &CriteriaControl::RowsChanged);
        panel.LoadExaminors(groups);
        QCOMPARE(panel.RowCount(), 3);
        QVERIFY(!panel.Changed());
        QCOMPARE(rows.count(), 1);
        QCOMPARE(panel.Criterion(1)->txtList()->ListItem(2), QStringLiteral("south"));
        QCOMPARE(panel.Criterion(2)->cboAndOr()->currentText(), QStringLiteral("OR"));
        QCOMPARE(panel.Criterion(2)->txtRange()->ToNumber(), QStringLiteral("20"));
        QCOMPARE(panel.Criterion(3)->txtNumber()->text(), QStringLiteral("8.5"));
        Examinors again;
        panel.ReadExaminors(again);
        QCOMPARE(test::ExaminorsText(again), expected);
    }

    void MoreLessAndClear() {
        CriteriaControl panel;
        QSignalSpy rows(&panel, &CriteriaControl::RowsChanged);
        panel.Less();
        QCOMPARE(panel.RowCount(), 1);
        QCOMPARE(rows.count(), 0);
        panel.More();
        panel.More();
        QCOMPARE(panel.RowCount(), 3);
        QCOMPARE(rows.last().first().toInt(), 3);
        panel.Less();
        QCOMPARE(panel.RowCount(), 2);
        FillRow(panel.Criterion(2), "AND", "Text", "Contains", "x");
        panel.Clear();
        QCOMPARE(panel.RowCount(), 1);
        QVERIFY(!panel.ContainsData());
        QVERIFY(!panel.Changed());
        QCOMPARE(panel.Criterion(1)->txtString()->text(), QString());
    }

    void NumberKeysFollowTheRule_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("digit") << "12"
                               << "7" << true;
        QTest::newRow("letter") << "12"
                                << "a" << false;
        QTest::newRow("first point") << "12"
                                     << "." << true;
        QTest::newRow("second point") << "1.5"
                                      << "." << false;
        QTest::newRow("minus first") << ""
                                     << "-" << true;
        QTest::newRow("minus after blanks") << "  "
                                            << "-" << true;
        QTest::newRow("minus after a digit") << "5"
                                             << "-" << false;
        QTest::newRow("comma after a digit") << "1"
                                             << "," << true;
        QTest::newRow("comma first") << " "
                                     << "," << false;
        QTest::newRow("second comma") << "1,"
                                      << "," << false;
        QTest::newRow("plus") << ""
                              << "+" << false;
        QTest::newRow("backspace") << "5"
                                   << "\b" << true;
        QTest::newRow("navigation") << "5"
                                    << "" << true;
    }
    void NumberKeysFollowTheRule() {
        QFETCH(QString, text);
        QFETCH(QString, key);
        QFETCH(bool, accepted);
        QCOMPARE(NumberKeyRule::Accepts(text, key), accepted);
    }

    void TypingIntoANumberBoxDropsRefusedKeys() {
        CriterionControl row;
        Choose(row.cboDataType(), "Amount");
        Choose(row.cboTrueCompare(), "Equal To");
        QTest::keyClicks(row.txtNumber(), "5-a.2.x");
        QCOMPARE(row.txtNumber()->text(), QStringLiteral("5.2"));
        QCOMPARE(row.Criterion().NumberCompare.ValueNumber(), 5.2);
    }

    void EndingKeysOfATextListOpenANewBox_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QChar>("character");
        QTest::newRow("comma") << int(Qt::Key_Comma) << QChar(',');
        QTest::newRow("period") << int(Qt::Key_Period) << QChar('.');
        QTest::newRow("colon") << int(Qt::Key_Colon) << QChar(':');
        QTest::newRow("semicolon") << int(Qt::Key_Semicolon) << QChar(';');
        QTest::newRow("space") << int(Qt::Key_Space) << QChar(' ');
        QTest::newRow("enter") << int(Qt::Key_Return) << QChar('\r');
        QTest::newRow("tab") << int(Qt::Key_Tab) << QChar('\t');
    }
    void EndingKeysOfATextListOpenANewBox() {
        QFETCH(int, key);
        QFETCH(QChar, character);
        CriterionControl row;
        Activate(&row);
        Choose(row.cboTrueCompare(), "In List");
        ListPalette* list = row.txtList();
        list->Box(1)->setFocus();
        QTest::keyClicks(list->Box(1), "abc");
        QTest::keyClick(list->Box(1), Qt::Key(key), Qt::NoModifier);
        Q_UNUSED(character);
        QCOMPARE(list->Count(), 2);
        QCOMPARE(list->ListItem(1), QStringLiteral("abc"));
        QVERIFY(list->Box(2)->hasFocus());
        QTest::keyClicks(list->Box(2), "de");
        QCOMPARE(row.Criterion().TextList.Count(), 2L);
        QVERIFY(row.ContainsData());
    }

    void ANumberListEndsOnBlankButNotOnCommaAndTakesOnlyNumbers() {
        CriterionControl row;
        Activate(&row);
        Choose(row.cboDataType(), "Amount");
        Choose(row.cboTrueCompare(), "In List");
        ListPalette* list = row.nbrList();
        list->Box(1)->setFocus();
        TypeInFocus("1x2,");
        QCOMPARE(list->Count(), 1);
        QCOMPARE(list->ListItem(1), QStringLiteral("12,"));
        QTest::keyClick(list->Box(1), Qt::Key_Backspace);
        QTest::keyClick(list->Box(1), Qt::Key_Space);
        QCOMPARE(list->Count(), 2);
        QTest::keyClicks(list->Box(2), "-3");
        QCOMPARE(row.Criterion().NumberList.Count(), 2L);
        QCOMPARE(row.Criterion().NumberList.Item(2)->ValueNumber(), -3.0);
    }

    void UpAndDownMoveBetweenListBoxesAndBackspaceRemovesAnEmptyOne() {
        CriterionControl row;
        Activate(&row);
        Choose(row.cboTrueCompare(), "In List");
        ListPalette* list = row.txtList();
        list->Box(1)->setFocus();
        TypeInFocus("a,b,");
        QCOMPARE(list->Count(), 3);
        QVERIFY(list->Box(3)->hasFocus());
        QTest::keyClick(list->Box(3), Qt::Key_Up);
        QVERIFY(list->Box(2)->hasFocus());
        QTest::keyClick(list->Box(2), Qt::Key_Up);
        QTest::keyClick(list->Box(1), Qt::Key_Down);
        QVERIFY(list->Box(2)->hasFocus());
        QTest::keyClick(list->Box(2), Qt::Key_Down);
        QTest::keyClick(list->Box(3), Qt::Key_Backspace);
        QCOMPARE(list->Count(), 2);
        QVERIFY(list->Box(2)->hasFocus());
        QCOMPARE(row.Criterion().TextList.Count(), 2L);
    }

    void DeleteOnARowsChoiceEmptiesItsValue() {
        CriteriaControl panel;
        FillRow(panel.Criterion(1), "AND", "Text", "Contains", "Acme");
        QVERIFY(panel.ContainsData());
        panel.Criterion(1)->cboTrueCompare()->setFocus();
        QTest::keyClick(panel.Criterion(1)->cboTrueCompare(), Qt::Key_Delete);
        QVERIFY(!panel.ContainsData());
        QCOMPARE(panel.Criterion(1)->txtString()->text(), QString());
        QCOMPARE(panel.Criterion(1)->cboTrueCompare()->currentText(), QStringLiteral("Contains"));
    }

    void TabFollowsTheRowsInOrder() {
        CriteriaControl panel;
        panel.More();
        Activate(&panel);
        CriterionControl* first = panel.Criterion(1);
        CriterionControl* second = panel.Criterion(2);
        QList<QWidget*> expected{first->cboAndOr(),  first->cboDataType(), first->cboTrueCompare(),
                                 first->txtString(), second->cboAndOr(),   second->cboDataType()};
        first->cboAndOr()->setFocus();
        for (int i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), expected[i]);
        }
    }

    void EnterInTheLastRowsValueAsksForASearch() {
        CriteriaControl panel;
        panel.More();
        Activate(&panel);
        QSignalSpy search(&panel, &CriteriaControl::SearchRequested);
        FillRow(panel.Criterion(1), "AND", "Text", "Contains", "a");
        QTest::keyClick(panel.Criterion(1)->txtString(), Qt::Key_Return);
        QCOMPARE(search.count(), 0);
        QCOMPARE(QApplication::focusWidget(),
                 static_cast<QWidget*>(panel.Criterion(2)->cboAndOr()));
        FillRow(panel.Criterion(2), "AND", "Text", "Contains", "b");
        QTest::keyClick(panel.Criterion(2)->txtString(), Qt::Key_Return);
        QCOMPARE(search.count(), 1);
    }

    void AFieldRowOffersTheTypesRuleableFieldsAndTheOperationsOfTheirKind() {
        QBXMLTags catalog;
        test::FillSmallCatalog(catalog);
        FieldCriteriaControl panel(nullptr, &catalog);
        panel.SetRequestType(4);
        QCOMPARE(panel.Title(), QStringLiteral("Invoice Search Rule Set"));
        FieldCriterionControl* row = panel.Criterion(1);
        // Ids carry no rule.
        QCOMPARE(Items(row->cboDataType()), QStringList({"Date", "Num", "Customer", "Memo",
                                                         "Subtotal", "Tax %", "Paid", "Qty"}));
        Choose(row->cboDataType(), "Num");
        QCOMPARE(Operations(row->cboTrueCompare()),
                 QList<long>({Operation::Contains, Operation::TextEquals, Operation::StartsWith,
                              Operation::EndsWith, Operation::WholeWord, Operation::MatchesPattern,
                              Operation::IsBlank, Operation::InList}));
        Choose(row->cboDataType(), "Paid");
        QCOMPARE(Operations(row->cboTrueCompare()),
                 QList<long>({Operation::IsFalse, Operation::IsTrue}));
        QCOMPARE(row->Input(), nullptr);
        QVERIFY(row->ContainsData());
        Choose(row->cboDataType(), "Subtotal");
        QCOMPARE(Operations(row->cboTrueCompare()).first(), Operation::LessThan);
        QVERIFY(!row->ContainsData());
    }

    void FieldRowsMakeGroupsAndLoadBack() {
        QBXMLTags catalog;
        test::FillSmallCatalog(catalog);
        FieldCriteriaControl panel(nullptr, &catalog);
        panel.SetRequestType(2);
        panel.More();
        panel.More();
        FieldCriterionControl* first = panel.Criterion(1);
        Choose(first->cboDataType(), "Customer");
        Choose(first->cboTrueCompare(), "Starts With");
        QTest::keyClicks(first->txtString(), "Acme");
        FieldCriterionControl* second = panel.Criterion(2);
        Choose(second->cboAndOr(), "OR");
        Choose(second->cboDataType(), "Balance");
        Choose(second->cboTrueCompare(), "Greater Than");
        QTest::keyClicks(second->txtNumber(), "100");
        FieldCriterionControl* third = panel.Criterion(3);
        Choose(third->cboDataType(), "Active");
        Choose(third->cboTrueCompare(), "Is True");
        QVERIFY(panel.Changed());
        FieldExaminors groups;
        panel.ReadFieldExaminors(groups);
        const QString expected = test::FieldExaminorsText(groups);
        QCOMPARE(expected, QStringLiteral("FullName starts-with Acme | or Balance gt 100; "
                                          "IsActive is-true"));

        FieldCriteriaControl loaded(nullptr, &catalog);
        loaded.LoadFieldExaminors(2, groups);
        QCOMPARE(loaded.RowCount(), 3);
        QCOMPARE(loaded.Title(), QStringLiteral("Customer Search Rule Set"));
        QVERIFY(!loaded.Changed());
        QCOMPARE(loaded.Criterion(3)->cboDataType()->currentText(), QStringLiteral("Active"));
        FieldExaminors again;
        loaded.ReadFieldExaminors(again);
        QCOMPARE(test::FieldExaminorsText(again), expected);
    }
};

QUARRION_SHELL_TEST_MAIN(CriteriaEditorsTest)
#include "criteria_editors_test.moc"
