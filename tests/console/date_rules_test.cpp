#include <QCalendarWidget>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTest>

#include "console/date_control.h"
#include "console/date_rule_input.h"
#include "console/date_value_edit.h"
#include "console_rig.h"
#include "foundation/calendar_day.h"
#include "model/date_value.h"
#include "search/search_builder.h"
#include "search_text.h"
#include "shell_test_main.h"

using namespace quarrion;
using test::ConsoleRig;

namespace {

// Relative values count from this day on both sides of every comparison.
const QDate kToday(2024, 5, 15);

// The day-range ends of the terminal tool's --from and --to.
SearchDate FirstDayOf(const std::string& value) {
    const std::int32_t today = DateRulesToday();
    return SearchDate(std::chrono::days(ResolveDateValue(value, today)->first));
}
SearchDate LastDayOf(const std::string& value) {
    const std::int32_t today = DateRulesToday();
    return SearchDate(std::chrono::days(ResolveDateValue(value, today)->last));
}

// A choice picked by its label, as a user reads the list.
void ChooseLabel(QComboBox* box, const QString& label) {
    test::Choose(box, label);
}

QString LabelOfChoice(const QString& choiceWord) {
    for (const RelativeDateChoice& choice : RelativeDateChoices()) {
        if (choice.Word == choiceWord) return choice.Label;
    }
    return {};
}

// Types a number into a spin box over what it showed.
void TypeCount(QSpinBox* box, int count) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QString::number(count));
}

// Enters one date value as a user does: a day typed into the date field (a click on a
// blank field starts it at today), or a span chosen from the list.
void EnterDate(DateValueEdit* edit, const std::string& value) {
    const QString text = QString::fromStdString(value);
    int days = 0;
    const QString choice = RelativeDateChoiceOf(text, days);
    if (choice.isEmpty()) {
        ChooseLabel(edit->cboWhen(), QStringLiteral("On Date"));
        QDateEdit* field = edit->dtpDate();
        // The arrow opens the calendar (at today for a blank field); the day is chosen in
        // it and Enter takes it.
        QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier,
                          QPoint(field->width() - 6, field->height() / 2));
        QCalendarWidget* calendar = field->calendarWidget();
        QVERIFY(calendar);
        QTRY_VERIFY(calendar->isVisible());
        calendar->setSelectedDate(QDate::fromString(text, Qt::ISODate));
        QTest::keyClick(calendar->focusWidget() ? calendar->focusWidget() : calendar,
                        Qt::Key_Return);
        QTRY_VERIFY(!calendar->isVisible());
        QCOMPARE(field->date(), QDate::fromString(text, Qt::ISODate));
        return;
    }
    ChooseLabel(edit->cboWhen(), LabelOfChoice(choice));
    if (choice == QLatin1String(kLastDaysWord)) TypeCount(edit->spnDays(), days);
}

void ChooseOperation(CriterionRow* row, long operation) {
    QComboBox* box = row->cboTrueCompare();
    const int index = box->findData(static_cast<int>(operation));
    QVERIFY2(index >= 0, qPrintable(OperationWord(operation).c_str()));
    box->setCurrentIndex(index);
}

// The values of a date rule typed into the row's date input.
void EnterDates(CriterionRow* row, const RuleText& rule) {
    QCOMPARE(row->Input(), static_cast<QWidget*>(row->txtDate()));
    EnterDate(row->txtDate()->datFrom(), rule.Values.at(0));
    if (rule.Operation == Operation::Between) EnterDate(row->txtDate()->datTo(), rule.Values.at(1));
}

// A global rule in row `position`: date rules through the date input, others as the
// console's other tests enter them.
void EnterAnyRule(CriteriaControl* panel, int position, const QString& text) {
    RuleTextResult parsed = ParseRuleText(text.toStdString());
    QVERIFY2(parsed, parsed.Error.c_str());
    if (ChoiceOfWord(parsed.Rule.Subject) != Choice::Date) {
        test::EnterRule(panel, position, text);
        return;
    }
    CriterionControl* row = panel->Criterion(position);
    test::Choose(row->cboAndOr(), QString::fromStdString(parsed.Rule.AndOr));
    ChooseLabel(row->cboDataType(), QString::fromLatin1(CriterionControl::DateChoiceText));
    ChooseOperation(row, parsed.Rule.Operation);
    EnterDates(row, parsed.Rule);
}

// A field rule in row `position` of the field editor shown.
void EnterAnyFieldRule(FieldCriteriaControl* panel, int position, const RuleText& rule) {
    FieldCriterionControl* row = panel->Criterion(position);
    QVERIFY(row);
    int field = -1;
    for (std::size_t i = 0; i < row->Fields().size(); ++i) {
        if (RelativeFieldPath(row->Fields()[i]->TagName()) == rule.Subject) field = int(i);
    }
    QVERIFY2(field >= 0, rule.Subject.c_str());
    const std::int32_t code = row->Fields()[std::size_t(field)]->DataTypeCode();
    if (code != DataTypeCode::Date && code != DataTypeCode::DateTime) {
        test::EnterFieldRule(panel, position, rule);
        return;
    }
    test::Choose(row->cboAndOr(), QString::fromStdString(rule.AndOr));
    row->cboDataType()->setCurrentIndex(field);
    ChooseOperation(row, rule.Operation);
    EnterDates(row, rule);
}

// The span, or fixed days, of the date range as a user picks them.
void EnterRange(DateControl* dates, const QString& from, const QString& to) {
    int days = 0;
    const QString choice = RelativeDateChoiceOf(from, days);
    if (choice.isEmpty()) {
        ChooseLabel(dates->cboRange(), QString::fromLatin1(DateControl::FixedDatesText));
        dates->dtpFrom()->setDate(QDate::fromString(from, Qt::ISODate));
        dates->dtpTo()->setDate(QDate::fromString(to, Qt::ISODate));
        return;
    }
    ChooseLabel(dates->cboRange(), LabelOfChoice(choice));
    if (choice == QLatin1String(kLastDaysWord)) TypeCount(dates->spnRangeDays(), days);
    QCOMPARE(dates->RangeWord(), from);
}

// Ticks the types, sets the range, types the global rules and then the field rules:
// "TYPE: ..." through the type's Refine Search, "*: ..." through Refine Every Included
// Type.
void ComposeDated(SearchConsoleControl* console, const QList<std::int32_t>& types,
                  const QString& from, const QString& to, const QStringList& rules,
                  const QStringList& fields) {
    QTest::mouseClick(console->cmdClear(), Qt::LeftButton);
    for (std::int32_t type : types) test::ToggleType(console->lstView(), type);
    EnterRange(console->datView(), from, to);
    for (int i = 0; i < rules.size(); ++i) {
        if (i > 0) QTest::mouseClick(console->cmdMore(), Qt::LeftButton);
        EnterAnyRule(console->criView(), i + 1, rules[i]);
    }
    QString open;
    int row = 0;
    for (const QString& text : fields) {
        FieldRuleTextResult parsed = ParseFieldRuleText(text.toStdString());
        QVERIFY2(parsed, parsed.Error.c_str());
        const QString type = QString::fromStdString(parsed.TypeText);
        if (type != open) {
            if (!open.isEmpty()) QTest::mouseClick(console->cmdOK(), Qt::LeftButton);
            const bool every = type == QLatin1String("*");
            const std::int32_t code =
                every ? types.front() : RequestTypesOf(parsed.TypeText).Types.at(0);
            test::TypeMenu(console->lstView(), code,
                           every ? QStringLiteral("Refine Every Included Type")
                                 : QStringLiteral("Refine Search"));
            QVERIFY(console->FieldMode());
            open = type;
            row = 0;
        }
        if (++row > 1) QTest::mouseClick(console->cmdMore(), Qt::LeftButton);
        EnterAnyFieldRule(console->fldView(), row, parsed.Rule);
    }
    if (!open.isEmpty()) QTest::mouseClick(console->cmdOK(), Qt::LeftButton);
    QVERIFY(!console->FieldMode());
}

// The terminal tool's search for --from FROM --to TO and the rules.
QString ToolText(const QBXMLTags& catalog, const QList<std::int32_t>& types, const QString& from,
                 const QString& to, const QStringList& rules, const QStringList& fields) {
    SearchBuilder builder(catalog);
    for (std::int32_t type : types) builder.IncludeType(type);
    builder.SetDates(FirstDayOf(from.toStdString()), LastDayOf(to.toStdString()),
                     DateFilterCode::TransactionDate);
    std::string error;
    for (const QString& rule : rules) {
        if (error.empty()) error = builder.AddRule(rule.toStdString());
    }
    for (const QString& field : fields) {
        if (error.empty()) error = builder.AddFieldRule(field.toStdString());
    }
    if (!error.empty()) return QString::fromStdString("refused: " + error);
    SearchObject2 search;
    if (!builder.Build(search)) return QStringLiteral("refused: no type");
    return test::SearchText(search);
}

}  // namespace

// Date rules, relative ranges and rules for every included type in the console, driven
// as a user drives them and compared with what the terminal tool builds from the text.
class DateRulesTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        PinDateRulesToday(DayFromCivil(kToday.year(), kToday.month(), kToday.day()));
    }
    void cleanupTestCase() { PinDateRulesToday(std::nullopt); }

    void TheConsoleBuildsTheTerminalToolsSearch_data() {
        QTest::addColumn<QList<std::int32_t>>("types");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QStringList>("rules");
        QTest::addColumn<QStringList>("fields");
        const QList<std::int32_t> invoices{4};
        const QList<std::int32_t> three{2, 4, 11};
        QTest::newRow("date on or before a day")
            << invoices << "2024-01-01"
            << "2024-12-31" << QStringList{"date le 2024-03-31"} << QStringList{};
        QTest::newRow("date between a span and a day")
            << invoices << "2024-01-01"
            << "2024-12-31" << QStringList{"date between last-month 2024-06-30"} << QStringList{};
        QTest::newRow("text, or a date yesterday")
            << three << "2024-01-01"
            << "2024-12-31" << QStringList{"text contains Supply", "or date eq yesterday"}
            << QStringList{};
        QTest::newRow("due before today, last 45 days")
            << invoices << "2023-01-01"
            << "2024-12-31" << QStringList{}
            << QStringList{"Invoice: DueDate lt today", "Invoice: TxnDate ge last-45-days"};
        QTest::newRow("date-time field between two days")
            << invoices << "2024-01-01"
            << "2024-12-31" << QStringList{}
            << QStringList{"Invoice: TimeModified between 2024-01-01 this-month"};
        QTest::newRow("range last month")
            << three << "last-month"
            << "last-month" << QStringList{"amount gt 100"} << QStringList{};
        QTest::newRow("range year to date") << invoices << "year-to-date"
                                            << "year-to-date" << QStringList{} << QStringList{};
        QTest::newRow("range last 30 days, date rule this quarter")
            << invoices << "last-30-days"
            << "last-30-days" << QStringList{"date ge this-quarter"} << QStringList{};
        QTest::newRow("every type's memo") << three << "2024-01-01"
                                           << "2024-12-31" << QStringList{"text contains Supply"}
                                           << QStringList{"*: Memo contains damaged"};
        QTest::newRow("own rule and every type's rules")
            << three << "2024-01-01"
            << "2024-12-31" << QStringList{}
            << QStringList{"Invoice: RefNumber equals 1001", "*: Memo contains damaged",
                           "*: or TimeCreated ge last-week"};
    }
    void TheConsoleBuildsTheTerminalToolsSearch() {
        QFETCH(QList<std::int32_t>, types);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QStringList, rules);
        QFETCH(QStringList, fields);
        ConsoleRig rig;
        SearchConsoleControl* console = rig.Console();
        ComposeDated(console, types, from, to, rules, fields);
        QTest::mouseClick(console->cmdSearch(), Qt::LeftButton);
        QCOMPARE(rig.Handed.size(), std::size_t{1});
        const QString expected = ToolText(rig.State().Catalog(), types, from, to, rules, fields);
        QVERIFY2(!expected.startsWith("refused"), qPrintable(expected));
        QCOMPARE(test::SearchText(*rig.Handed.front()), expected);
    }
};

QUARRION_SHELL_TEST_MAIN(DateRulesTest)
#include "date_rules_test.moc"
