#include "console/number_key_rule.h"
#include "console_rig.h"
#include "model/rule_values.h"
#include "shell_test_main.h"

using namespace quarrion;
using quarrion::test::Choose;

namespace {

// A small catalog of Invoice elements of every kind a rule meets: path, heading, kind.
void FillSmallCatalog(QBXMLTags& catalog) {
    const char* entries[][3] = {{"TxnID", "Txn ID", "IDTYPE"},
                                {"TxnDate", "Date", "DATETYPE"},
                                {"RefNumber", "Num", "STRTYPE"},
                                {"CustomerRef/FullName", "Customer", "STRTYPE"},
                                {"Memo", "Memo", "STRTYPE"},
                                {"Subtotal", "Subtotal", "AMTTYPE"},
                                {"SalesTaxPercentage", "Tax %", "PERCENTTYPE"},
                                {"IsPaid", "Paid", "BOOLTYPE"},
                                {"InvoiceLineRet/Quantity", "Qty", "QUANTYPE"}};
    for (const auto& e : entries) {
        const int n = static_cast<int>(catalog.Count() + 1);
        catalog.Add(4, "", n, n, std::string("//InvoiceRet/") + e[0], e[1], 1, "", false, "", e[2],
                    n);
    }
}

// Shows `window` and makes it the active window, so focus moves as it does for a user.
void Activate(QWidget* window) {
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

}  // namespace

// The rule editors the console and the re-search window share: rows, groups, inputs
// and the keys they take.
class CriteriaEditorsTest : public QObject {
    Q_OBJECT

  private slots:
    void EachOperationShowsTheInputThatFitsIt() {
        const struct {
            const char *choice, *operation, *input;
        } cases[] = {{"Text", "Contains", "txtString"},
                     {"Text", "In List", "txtList"},
                     {"Amount", "Less Than", "txtNumber"},
                     {"Price", "Between", "txtRange"},
                     {"Quantity", "In List", "nbrList"}};
        for (const auto& c : cases) {
            CriterionControl row;
            Choose(row.cboDataType(), c.choice);
            Choose(row.cboTrueCompare(), c.operation);
            QVERIFY2(row.Input() && row.Input()->objectName() == c.input, c.operation);
            QCOMPARE(row.Criterion().Operand, long(row.cboTrueCompare()->currentData().toInt()));
        }
    }

    // The operation chosen stays when the subject changes kind, the text ones go.
    void SwitchingATextListRowToANumberChoiceKeepsInListWithNumbers() {
        CriterionControl row;
        Choose(row.cboTrueCompare(), "In List");
        Choose(row.cboDataType(), "Amount");
        QCOMPARE(row.cboTrueCompare()->findData(static_cast<int>(Operation::Contains)), -1);
        QCOMPARE(row.cboTrueCompare()->currentText(), QStringLiteral("In List"));
        QCOMPARE(row.Input(), static_cast<QWidget*>(row.nbrList()));
        QCOMPARE(row.Criterion().DataType(), long(Choice::Amount));
    }

    void RowsJoinedByOrStartNewGroupsAndEmptyRowsAreSkipped() {
        CriteriaControl panel;
        for (int added = 0; added < 3; ++added) panel.More();
        test::EnterRule(&panel, 1, "text contains Acme");
        test::EnterRule(&panel, 2, "or amount gt 500");
        // Row 3 stays empty: its OR must not open a group.
        Choose(panel.Criterion(3)->cboAndOr(), "OR");
        test::EnterRule(&panel, 4, "text starts-with INV");
        QVERIFY(panel.Changed() && panel.ContainsData());
        Examinors groups;
        panel.ReadExaminors(groups);
        QCOMPARE(test::GroupsText(groups),
                 QStringLiteral("text contains Acme | or amount gt 500; text starts-with INV"));
    }

    // Text already in the box, the key typed, and whether the box takes it: the edges
    // that typing into a number box below does not reach (a comma after a digit and
    // Backspace it does).
    void NumberKeysFollowTheRule() {
        const struct {
            const char *text, *key;
            bool accepted;
        } cases[] = {{"  ", "-", true}, {" ", ",", false}, {"1,", ",", false}, {"5", "", true}};
        for (const auto& c : cases) {
            QVERIFY2(NumberKeyRule::Accepts(c.text, c.key) == c.accepted,
                     qPrintable(QStringLiteral("'%1' + '%2'").arg(c.text, c.key)));
        }
    }

    void TypingIntoANumberBoxDropsRefusedKeys() {
        CriterionControl row;
        Choose(row.cboDataType(), "Amount");
        Choose(row.cboTrueCompare(), "Equal To");
        QTest::keyClicks(row.txtNumber(), "5-a.2.x");
        QCOMPARE(row.txtNumber()->text(), QStringLiteral("5.2"));
        QCOMPARE(row.Criterion().NumberCompare.ValueNumber(), 5.2);
    }

    void ANumberListEndsOnBlankButNotOnCommaAndTakesOnlyNumbers() {
        CriterionControl row;
        Activate(&row);
        Choose(row.cboDataType(), "Amount");
        Choose(row.cboTrueCompare(), "In List");
        ListPalette* list = row.nbrList();
        list->Box(1)->setFocus();
        // Each key goes to whichever box has the focus by then.
        for (char key : {'1', 'x', '2', ','}) QTest::keyClick(QApplication::focusWidget(), key);
        QCOMPARE(list->Count(), 1);
        QCOMPARE(list->ListItem(1), QStringLiteral("12,"));
        QTest::keyClick(list->Box(1), Qt::Key_Backspace);
        QTest::keyClick(list->Box(1), Qt::Key_Space);
        QTest::keyClicks(list->Box(2), "-3");
        QCOMPARE(row.Criterion().NumberList.Count(), 2L);
        QCOMPARE(row.Criterion().NumberList.Item(2)->ValueNumber(), -3.0);
    }

    // A comma ends a text box and opens the next (Tab does as well: see TypeValues).
    void UpAndDownMoveBetweenListBoxesAndBackspaceRemovesAnEmptyOne() {
        CriterionControl row;
        Activate(&row);
        Choose(row.cboTrueCompare(), "In List");
        ListPalette* list = row.txtList();
        list->Box(1)->setFocus();
        for (char key : {'a', ',', 'b', ','}) QTest::keyClick(QApplication::focusWidget(), key);
        QList<int> focused;  // the box with the focus after each key, and the box count
        for (Qt::Key key : {Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Down, Qt::Key_Down,
                            Qt::Key_Down, Qt::Key_Backspace}) {
            QTest::keyClick(QApplication::focusWidget(), key);
            for (int box = 1; box <= list->Count(); ++box) {
                if (list->Box(box)->hasFocus()) focused << box;
            }
        }
        focused << list->Count();
        QCOMPARE(focused, QList<int>({2, 1, 1, 2, 3, 3, 2, 2}));
        QCOMPARE(row.Criterion().TextList.Count(), 2L);
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

    // A new date row shows a blank day and holds nothing; a span chosen is held; Delete
    // blanks it again; back on Text no date is left to pass for a text.
    void ADateRowHoldsWhatItShows() {
        CriteriaControl panel;
        CriterionControl* row = panel.Criterion(1);
        DateRuleInput* dates = row->txtDate();
        test::Choose(row->cboDataType(), QString::fromLatin1(CriterionControl::DateChoiceText));
        QCOMPARE(row->Input(), static_cast<QWidget*>(dates));
        QVERIFY(dates->datFrom()->IsBlank() && !row->ContainsData());

        test::Choose(dates->datFrom()->cboWhen(), QStringLiteral("Yesterday"));
        QVERIFY(row->ContainsData());
        QCOMPARE(CriterionText(row->Criterion(), false), std::string("date lt yesterday"));
        test::ChooseData(row->cboTrueCompare(), static_cast<int>(Operation::Between));
        QVERIFY2(!row->ContainsData(), "between holds nothing until both days are given");
        test::Choose(dates->datTo()->cboWhen(), QStringLiteral("Last N Days"));
        test::TypeCount(dates->datTo()->spnDays(), 12);
        QCOMPARE(CriterionText(row->Criterion(), false),
                 std::string("date between yesterday last-12-days"));

        row->cboTrueCompare()->setFocus();
        QTest::keyClick(row->cboTrueCompare(), Qt::Key_Delete);
        QVERIFY(!row->ContainsData() && dates->datFrom()->IsBlank());

        test::Choose(dates->datFrom()->cboWhen(), QStringLiteral("Today"));
        test::Choose(row->cboDataType(), QStringLiteral("Text"));
        QVERIFY(row->txtString()->text().isEmpty() && !row->ContainsData());
    }

    // Ids carry no rule; each field offers the operations of its kind (a yes/no field
    // needs no value, so it holds a rule at once).
    void AFieldRowOffersTheTypesRuleableFieldsAndTheOperationsOfTheirKind() {
        QBXMLTags catalog;
        FillSmallCatalog(catalog);
        FieldCriteriaControl panel(nullptr, &catalog);
        panel.SetRequestType(4);
        QCOMPARE(panel.Title(), QStringLiteral("Invoice Search Rule Set"));
        FieldCriterionControl* row = panel.Criterion(1);
        QStringList fields;
        for (int i = 0; i < row->cboDataType()->count(); ++i)
            fields << row->cboDataType()->itemText(i);
        QCOMPARE(fields, QStringList({"Date", "Num", "Customer", "Memo", "Subtotal", "Tax %",
                                      "Paid", "Qty"}));
        const struct {
            const char* field;
            long first;
            bool holdsRule;
        } kinds[] = {{"Num", Operation::Contains, false},
                     {"Paid", Operation::IsFalse, true},
                     {"Subtotal", Operation::LessThan, false}};
        for (const auto& kind : kinds) {
            Choose(row->cboDataType(), kind.field);
            QVERIFY2(row->cboTrueCompare()->itemData(0).toInt() == kind.first, kind.field);
            QVERIFY2(row->ContainsData() == kind.holdsRule, kind.field);
        }
        QCOMPARE(row->Input(), static_cast<QWidget*>(row->txtNumber()));
    }
};

QUARRION_SHELL_TEST_MAIN(CriteriaEditorsTest)
#include "criteria_editors_test.moc"
