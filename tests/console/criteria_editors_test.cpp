#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "console/number_key_rule.h"
#include "console_rig.h"
#include "editor_support.h"
#include "model/rule_values.h"
#include "shell_test_main.h"

using namespace quarrion;
using quarrion::test::Choose;

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

}  // namespace

// The rule editors the console and the re-search window share: rows, groups, inputs
// and the keys they take.
class CriteriaEditorsTest : public QObject {
    Q_OBJECT

  private slots:
    void EachOperationShowsTheInputThatFitsIt() {
        const struct {
            const char* choice;
            const char* operation;
            const char* input;
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
        test::EnterRule(&panel, 1, "text contains Acme");
        test::EnterRule(&panel, 2, "or amount gt 500");
        // Row 3 stays empty: its OR must not open a group.
        Choose(panel.Criterion(3)->cboAndOr(), "OR");
        test::EnterRule(&panel, 4, "text starts-with INV");
        QVERIFY(panel.Changed());
        QVERIFY(panel.ContainsData());
        Examinors groups;
        panel.ReadExaminors(groups);
        QCOMPARE(test::ExaminorsText(groups),
                 QStringLiteral("text contains Acme | or amount gt 500; text starts-with INV"));
    }

    // Text already in the box, the key typed, and whether the box takes it: the edges
    // that typing into a number box below does not reach.
    void NumberKeysFollowTheRule() {
        const struct {
            const char* text;
            const char* key;
            bool accepted;
        } cases[] = {{"  ", "-", true},  {"1", ",", true},  {" ", ",", false},
                     {"1,", ",", false}, {"5", "\b", true}, {"5", "", true}};
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

    // A comma ends a text box and opens the next (Tab does as well: see TypeValues).
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
};

QUARRION_SHELL_TEST_MAIN(CriteriaEditorsTest)
#include "criteria_editors_test.moc"
