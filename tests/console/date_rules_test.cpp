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
#include "console/frm_save_search.h"
#include "console/saved_searches.h"
#include "console_rig.h"
#include "foundation/calendar_day.h"
#include "model/date_value.h"
#include "search/search_builder.h"
#include "search_text.h"
#include "shell_test_main.h"

using namespace quarrion;
using test::ConsoleRig;
using test::ConsoleRigOptions;

namespace {

// Relative values count from this day on both sides of every comparison.
const QDate kToday(2024, 5, 15);

// The days of the terminal tool's --from FROM (its span's first) and --to TO (its last).
std::pair<SearchDate, SearchDate> ToolRange(const QString& from, const QString& to) {
    const std::int32_t today = DateRulesToday();
    return {SearchDate(std::chrono::days(ResolveDateValue(from.toStdString(), today)->first)),
            SearchDate(std::chrono::days(ResolveDateValue(to.toStdString(), today)->last))};
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
        test::Choose(edit->cboWhen(), QStringLiteral("On Date"));
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
    test::Choose(edit->cboWhen(), LabelOfChoice(choice));
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
    test::Choose(row->cboDataType(), QString::fromLatin1(CriterionControl::DateChoiceText));
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
        test::Choose(dates->cboRange(), QString::fromLatin1(DateControl::FixedDatesText));
        dates->dtpFrom()->setDate(QDate::fromString(from, Qt::ISODate));
        dates->dtpTo()->setDate(QDate::fromString(to, Qt::ISODate));
        return;
    }
    test::Choose(dates->cboRange(), LabelOfChoice(choice));
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

// The search as the other console tests print it, after the words its range keeps.
QString RangeAndSearchText(SearchObject2& search) {
    return QStringLiteral("span %1..%2\n")
               .arg(QString::fromStdString(search.FromText),
                    QString::fromStdString(search.ToText)) +
           test::SearchText(search);
}

// The terminal tool's search for --from FROM --to TO and the rules.
QString ToolText(const QBXMLTags& catalog, const QList<std::int32_t>& types, const QString& from,
                 const QString& to, const QStringList& rules, const QStringList& fields) {
    SearchBuilder builder(catalog);
    for (std::int32_t type : types) builder.IncludeType(type);
    const auto [first, last] = ToolRange(from, to);
    builder.SetDates(first, last, DateFilterCode::TransactionDate);
    // An end written as a span keeps its word, a fixed day nothing.
    auto kept = [](const QString& end) {
        return QDate::fromString(end, Qt::ISODate).isValid() ? std::string() : end.toStdString();
    };
    builder.SetRelativeDates(kept(from), kept(to));
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
    return RangeAndSearchText(search);
}

void Picture(QWidget* window, const QString& name) {
    const QString folder = qEnvironmentVariable("QUARRION_SCREENSHOTS");
    if (folder.isEmpty()) return;
    QDir().mkpath(folder);
    QVERIFY(window->grab().save(folder + "/" + name));
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
        QCOMPARE(RangeAndSearchText(*rig.Handed.front()), expected);
    }

    // A new date row shows a blank day and holds nothing; a span chosen is held; Delete
    // blanks it again; back on Text no date is left to pass for a text.
    void ADateRowHoldsWhatItShows() {
        CriteriaControl panel;
        CriterionControl* row = panel.Criterion(1);
        test::Choose(row->cboDataType(), QString::fromLatin1(CriterionControl::DateChoiceText));
        QCOMPARE(row->cboTrueCompare()->currentText(), QStringLiteral("Before"));
        QCOMPARE(row->Input(), static_cast<QWidget*>(row->txtDate()));
        QVERIFY(row->txtDate()->datFrom()->IsBlank());
        QCOMPARE(row->txtDate()->datFrom()->dtpDate()->text(), QStringLiteral("Pick a day"));
        QVERIFY(!row->ContainsData());

        test::Choose(row->txtDate()->datFrom()->cboWhen(), QStringLiteral("Yesterday"));
        QVERIFY(row->ContainsData());
        QCOMPARE(CriterionText(row->Criterion(), false), std::string("date lt yesterday"));
        ChooseOperation(row, Operation::Between);
        QVERIFY2(!row->ContainsData(), "between holds nothing until both days are given");
        QVERIFY(row->txtDate()->datTo()->isVisible() || !row->isVisible());
        test::Choose(row->txtDate()->datTo()->cboWhen(), QStringLiteral("Last N Days"));
        TypeCount(row->txtDate()->datTo()->spnDays(), 12);
        QCOMPARE(CriterionText(row->Criterion(), false),
                 std::string("date between yesterday last-12-days"));

        row->cboTrueCompare()->setFocus();
        QTest::keyClick(row->cboTrueCompare(), Qt::Key_Delete);
        QVERIFY(!row->ContainsData());
        QVERIFY(row->txtDate()->datFrom()->IsBlank());

        test::Choose(row->txtDate()->datFrom()->cboWhen(), QStringLiteral("Today"));
        test::Choose(row->cboDataType(), QStringLiteral("Text"));
        QCOMPARE(row->txtString()->text(), QString());
        QVERIFY(!row->ContainsData());
    }

    // A span shows the days it covers today in the disabled date fields and the line
    // beside it, and the next start of the program offers it again.
    void ARelativeRangeShowsItsDaysAndIsRememberedForTheNextStart() {
        {
            ConsoleRig rig;
            DateControl* dates = rig.Console()->datView();
            QCOMPARE(dates->cboRange()->currentText(),
                     QString::fromLatin1(DateControl::FixedDatesText));
            QVERIFY(dates->dtpFrom()->isEnabled());
            EnterRange(dates, "last-month", "last-month");
            QVERIFY(!dates->dtpFrom()->isEnabled() && !dates->dtpTo()->isEnabled());
            QCOMPARE(dates->dtpFrom()->date(), QDate(2024, 4, 1));
            QCOMPARE(dates->dtpTo()->date(), QDate(2024, 4, 30));
            QCOMPARE(dates->lblRangeDays()->text(),
                     QStringLiteral("Today: Apr 1, 2024 to Apr 30, 2024"));
            test::ToggleType(rig.Console()->lstView(), 4);
            QTest::mouseClick(rig.Console()->cmdSearch(), Qt::LeftButton);
            QCOMPARE(rig.Handed.size(), std::size_t{1});
            QCOMPARE(QString::fromStdString(rig.Handed.front()->FormatFrom()), "2024-04-01");
            QCOMPARE(QString::fromStdString(rig.Handed.front()->FormatTo()), "2024-04-30");
        }
        ConsoleRigOptions keep;
        keep.KeepSettings = true;
        ConsoleRig again(keep);
        DateControl* dates = again.Console()->datView();
        QCOMPARE(dates->RangeWord(), QStringLiteral("last-month"));
        QCOMPARE(dates->FromDate(), QDate(2024, 4, 1));
        test::Choose(dates->cboRange(), QString::fromLatin1(DateControl::FixedDatesText));
        QVERIFY(dates->dtpFrom()->isEnabled());
        QCOMPARE(dates->lblRangeDays()->text(), QString());
    }

    // A rule for every type that none of the ticked types can take stops the search
    // with the builder's reason; nothing is opened.
    void ARuleForEveryTypeThatNoTickedTypeHasStopsTheSearch() {
        ConsoleRig rig;
        SearchConsoleControl* console = rig.Console();
        ComposeDated(console, {4}, "2024-01-01", "2024-12-31", {}, {"*: DueDate le today"});
        QVERIFY(console->lstView()->IsTicked(4));
        QCOMPARE(console->criView()->lblTitle()->text(),
                 QStringLiteral("Global Search Rule Set + Every Included Type rules"));
        test::ToggleType(console->lstView(), 4);
        test::ToggleType(console->lstView(), 2);
        QStringList seen;
        test::ModalWatcher watcher([&seen](QDialog* dialog) {
            if (auto* message = qobject_cast<frmDialog*>(dialog)) {
                seen << dialog->windowTitle() + ": " + message->Message();
                message->cmdOK()->click();
            }
        });
        QTest::mouseClick(console->cmdSearch(), Qt::LeftButton);
        QVERIFY(rig.Handed.empty());
        QCOMPARE(seen.size(), 1);
        QVERIFY2(seen.front().startsWith("Invalid Search: A rule for every included type cannot "
                                         "be used: no included type has a field \"DueDate\""),
                 qPrintable(seen.front()));
        QTest::mouseClick(console->cmdClear(), Qt::LeftButton);
        QCOMPARE(console->criView()->lblTitle()->text(), QStringLiteral("Global Search Rule Set"));
    }

    // Saved and used again, a span and a date rule come back as they were entered.
    void ASavedSpanAndDateRuleComeBackAsEntered() {
        ConsoleRig rig;
        SearchConsoleControl* console = rig.Console();
        ComposeDated(console, {4}, "last-quarter", "last-quarter",
                     {"date between last-month 2024-06-30"}, {"Invoice: DueDate lt today"});
        test::OnNextModal([](QDialog* dialog) {
            auto* save = qobject_cast<frmSaveSearch*>(dialog);
            if (!save) return;
            save->txtName()->setText(QStringLiteral("Dated"));
            QTest::mouseClick(save->cmdSave(), Qt::LeftButton);
        });
        QTest::mouseClick(console->cmdSave(), Qt::LeftButton);
        QTest::mouseClick(console->cmdClear(), Qt::LeftButton);
        QVERIFY(console->tvwView()->Select("Dated"));
        const SearchObject2* stored = console->tvwView()->SearchObject();
        QVERIFY(stored);
        QCOMPARE(QString::fromStdString(stored->FromText + ".." + stored->ToText),
                 QStringLiteral("last-quarter..last-quarter"));
        console->UseSavedSearch();
        QCOMPARE(console->datView()->RangeWord(), QStringLiteral("last-quarter"));
        QCOMPARE(console->datView()->FromDate(), QDate(2024, 1, 1));
        CriterionControl* row = console->criView()->Criterion(1);
        QCOMPARE(row->cboDataType()->currentText(),
                 QString::fromLatin1(CriterionControl::DateChoiceText));
        QCOMPARE(row->cboTrueCompare()->currentText(), QStringLiteral("Between"));
        QCOMPARE(row->txtDate()->datFrom()->cboWhen()->currentText(), QStringLiteral("Last Month"));
        QCOMPARE(row->txtDate()->datTo()->dtpDate()->date(), QDate(2024, 6, 30));
        test::TypeMenu(console->lstView(), 4, QStringLiteral("Refine Search"));
        FieldCriterionControl* field = console->fldView()->Criterion(1);
        QCOMPARE(field->cboTrueCompare()->currentText(), QStringLiteral("Before"));
        QCOMPARE(field->txtDate()->Text(), QStringLiteral("today"));
        QTest::mouseClick(console->cmdCancel(), Qt::LeftButton);
        test::ModalWatcher confirm([](QDialog* dialog) {
            if (auto* message = qobject_cast<frmDialog*>(dialog)) message->cmdOK()->click();
        });
        QVERIFY(console->tvwView()->Select("Dated"));
        console->tvwView()->DeleteSelected();
        QVERIFY(!console->tvwView()->Select("Dated"));
    }

    // Pictures for the record: the console with date rules and a span, and the editor of
    // rules for every included type.
    void TheConsoleWithDateRulesIsPictured() {
        ConsoleRig rig;
        SearchConsoleControl* console = rig.Console();
        ComposeDated(console, {2, 4, 11}, "last-30-days", "last-30-days",
                     {"date between last-month 2024-06-30", "amount ge 500"}, {});
        QTest::qWait(50);
        Picture(&rig.Main(), "console_date_rules.png");
        test::TypeMenu(console->lstView(), 4, QStringLiteral("Refine Every Included Type"));
        QCOMPARE(console->fldView()->Title(),
                 QStringLiteral("Every Included Type Search Rule Set"));
        EnterAnyFieldRule(console->fldView(), 1, ParseRuleText("Memo contains damaged").Rule);
        QTest::mouseClick(console->cmdMore(), Qt::LeftButton);
        EnterAnyFieldRule(console->fldView(), 2, ParseRuleText("DueDate lt today").Rule);
        QTest::qWait(50);
        Picture(&rig.Main(), "console_every_type.png");
        QTest::mouseClick(console->cmdCancel(), Qt::LeftButton);
    }
};

QUARRION_SHELL_TEST_MAIN(DateRulesTest)
#include "date_rules_test.moc"
