#pragma once

#include <QtTest>
#include <QtWidgets>
#include <memory>
#include <vector>

#include "console/criteria_control.h"
#include "console/criterion_control.h"
#include "console/date_control.h"
#include "console/date_rule_input.h"
#include "console/date_value_edit.h"
#include "console/field_criteria_control.h"
#include "console/field_criterion_control.h"
#include "console/frm_save_search.h"
#include "console/list_palette.h"
#include "console/range_control.h"
#include "console/request_control.h"
#include "console/search_console_control.h"
#include "console/search_console_factory.h"
#include "foundation/calendar_day.h"
#include "foundation/common_tools.h"
#include "modal.h"
#include "model/date_value.h"
#include "search/search_builder.h"
#include "search_text.h"
#include "shell/app_settings.h"
#include "shell/app_state.h"
#include "shell/frm_dialog.h"
#include "shell/frm_main.h"
#include "shell/io_manager_store.h"

namespace quarrion::test {

// A modal watcher that answers frmDialog messages with OK or Cancel and records them.
struct Answers {
    QStringList Seen;
    bool Ok = true;
    ModalWatcher Watcher{[this](QDialog* dialog) {
        if (auto* message = qobject_cast<frmDialog*>(dialog)) {
            Seen << dialog->windowTitle() + ": " + message->Message();
            (Ok || !message->cmdCancel()->isVisible() ? message->cmdOK() : message->cmdCancel())
                ->click();
        }
    }};
};

// How a rig starts: settings of earlier rigs kept or deleted first, a results-window
// opener or none, a display-columns launcher or none.
struct ConsoleRigOptions {
    bool KeepSettings = false;
    bool WithResults = true;
    DisplayColumnsLauncher Columns;
};

// One start of the desktop program as main() makes it, with the real store (in the
// test's data folder) and the real console, and a results-window opener that keeps a
// copy of every search handed to it.
class ConsoleRig {
  public:
    explicit ConsoleRig(ConsoleRigOptions options = {}) {
        if (!options.KeepSettings) AppSettings::DeleteAll();
        state_ = AppState::StartUp(StartUpParts{.MakeStore = [](QBXMLTags& catalog) {
            return std::make_unique<IOManagerStore>(catalog);
        }});
        ResultsWindowOpener opener;
        if (options.WithResults) {
            opener = [this](ConsoleHost&, const SearchObject2& search) {
                auto copy = std::make_unique<SearchObject2>();
                copy->Copy(const_cast<SearchObject2&>(search), CopyDirection::FromTarget);
                Handed.push_back(std::move(copy));
            };
        }
        main_ = std::make_unique<frmMain>(
            *state_, MakeSearchConsoleFactory(std::move(opener), std::move(options.Columns)));
        Answers firstRun;  // a first run initialises the catalog and says so in a message
        main_->Load();
        main_->resize(1100, 720);
        main_->show();
        main_->activateWindow();
        if (!QTest::qWaitForWindowActive(main_.get())) qWarning("the main window is not active");
    }

    ~ConsoleRig() { main_->Unload(); }  // the window goes before the state it shows

    SearchConsoleControl* Console() const {
        return static_cast<SearchConsoleControl*>(main_->Console());
    }
    frmMain& Main() const { return *main_; }
    AppState& State() const { return *state_; }
    IOManager& Store() const { return *state_->Manager(); }

    std::vector<std::unique_ptr<SearchObject2>> Handed;

  private:
    std::unique_ptr<AppState> state_;
    std::unique_ptr<frmMain> main_;
};

// Picks the line of `box` that shows `text`, or (ChooseData) that holds `data`.
inline void Pick(QComboBox* box, int index, const QString& wanted) {
    QVERIFY2(index >= 0, qPrintable("no " + wanted + " in " + box->objectName()));
    box->setCurrentIndex(index);
}
inline void Choose(QComboBox* box, const QString& text) {
    Pick(box, box->findText(text), text);
}
inline void ChooseData(QComboBox* box, const QVariant& data) {
    Pick(box, box->findData(data), data.toString());
}

inline int RowOfType(RequestControl* list, std::int32_t requestType) {
    for (int row = 0; row < list->Count(); ++row) {
        if (list->TypeAt(row) == requestType) return row;
    }
    return -1;
}

// Ticks or unticks a type's line with the keyboard: the line made current, then Space.
inline void ToggleType(RequestControl* list, std::int32_t requestType) {
    const int row = RowOfType(list, requestType);
    QVERIFY2(row >= 0, "type not listed");
    list->View()->setFocus();
    list->View()->setCurrentIndex(list->Model()->index(row, 0));
    QTest::keyClick(list->View(), Qt::Key_Space);
}

// The line's menu entry run as a user picks it from the context menu.
inline void TypeMenu(RequestControl* list, std::int32_t requestType, const QString& entry) {
    const int row = RowOfType(list, requestType);
    QVERIFY2(row >= 0, "type not listed");
    for (QAction* action : list->MenuFor(row)->actions()) {
        if (action->text() != entry) continue;
        QVERIFY2(action->isEnabled(), qPrintable(entry + " is disabled"));
        action->trigger();
        return;
    }
    QFAIL(qPrintable("no menu entry " + entry));
}

// Types a number into a spin box over what it showed.
inline void TypeCount(QSpinBox* box, int count) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QString::number(count));
}

// Enters one date value as a user does: a day chosen in the date field's calendar (it
// opens at today for a blank field, Enter takes the day), or a span chosen from the list.
inline void EnterDate(DateValueEdit* edit, const std::string& value) {
    const QString text = QString::fromStdString(value);
    int days = 0;
    const QString choice = RelativeDateChoiceOf(text, days);
    if (choice.isEmpty()) {
        ChooseData(edit->cboWhen(), QString());
        QDateEdit* field = edit->dtpDate();
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
    ChooseData(edit->cboWhen(), choice);
    if (choice == QLatin1String(kLastDaysWord)) TypeCount(edit->spnDays(), days);
}

// Types the values of a rule into the row's input as a user would.
inline void TypeValues(CriterionRow* row, const RuleText& rule) {
    QWidget* input = row->Input();
    if (!input) return;
    if (input == row->txtDate()) {
        EnterDate(row->txtDate()->datFrom(), rule.Values.at(0));
        if (rule.Operation == Operation::Between)
            EnterDate(row->txtDate()->datTo(), rule.Values.at(1));
    } else if (auto* range = qobject_cast<RangeControl*>(input)) {
        QTest::keyClicks(range->txtFrom(), QString::fromStdString(rule.Values.at(0)));
        QTest::keyClicks(range->txtTo(), QString::fromStdString(rule.Values.at(1)));
    } else if (auto* list = qobject_cast<ListPalette*>(input)) {
        list->Box(1)->setFocus();
        for (std::size_t i = 0; i < rule.Values.size(); ++i) {
            if (i > 0) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTest::keyClicks(QApplication::focusWidget(), QString::fromStdString(rule.Values[i]));
        }
    } else {
        QTest::keyClicks(input, QString::fromStdString(rule.Values.at(0)));
    }
}

// Fills a row as a user does: join, subject (the index in cboDataType), operation, values.
inline void FillRow(CriterionRow* row, int subject, const RuleText& rule) {
    QVERIFY2(subject >= 0, rule.Subject.c_str());
    Choose(row->cboAndOr(), QString::fromStdString(rule.AndOr));
    row->cboDataType()->setCurrentIndex(subject);
    ChooseData(row->cboTrueCompare(), static_cast<int>(rule.Operation));
    TypeValues(row, rule);
}

// Enters a global rule written as the terminal tool takes it into row `position`.
inline void EnterRule(CriteriaControl* panel, int position, const QString& text) {
    RuleTextResult parsed = ParseRuleText(text.toStdString());
    QVERIFY2(parsed, parsed.Error.c_str());
    CriterionControl* row = panel->Criterion(position);
    QVERIFY(row);
    const std::optional<long> choice = ChoiceOfWord(parsed.Rule.Subject);
    FillRow(row,
            row->cboDataType()->findText(
                choice == Choice::Date ? QString::fromLatin1(CriterionControl::DateChoiceText)
                                       : QString::fromStdString(CommonTools::ChoiceText(*choice))),
            parsed.Rule);
}

// Enters a field rule ("PATH OP VALUE", the type given apart) into row `position`.
inline void EnterFieldRule(FieldCriteriaControl* panel, int position, const RuleText& rule) {
    FieldCriterionControl* row = panel->Criterion(position);
    QVERIFY(row);
    int field = -1;
    for (std::size_t i = 0; i < row->Fields().size(); ++i) {
        if (RelativeFieldPath(row->Fields()[i]->TagName()) == rule.Subject) field = int(i);
    }
    FillRow(row, field, rule);
}

// A search as the terminal tool takes it: the types, --from and --to (a day or a span
// word), the rules, the field rules ("TYPE: PATH OP VALUE", "*: ..." for every type) and
// the date filter.
struct ToolSearch {
    ToolSearch() = default;
    ToolSearch(QList<std::int32_t> types, QString from, QString to, QStringList rules = {},
               QStringList fields = {}, long filter = DateFilterCode::TransactionDate)
        : Types(types), From(from), To(to), Rules(rules), Fields(fields), Filter(filter) {}
    QList<std::int32_t> Types;
    QString From, To;
    QStringList Rules, Fields;
    long Filter = DateFilterCode::TransactionDate;
};

// Composes a search as a user does: every tick removed, the types ticked, the range and
// date filter set, the global rules typed row by row, then the field rules: "TYPE: ..."
// through the type's Refine Search, "*: ..." through Refine Every Included Type.
inline void Compose(SearchConsoleControl* console, const ToolSearch& search) {
    QTest::mouseClick(console->cmdClear(), Qt::LeftButton);
    for (std::int32_t type : search.Types) ToggleType(console->lstView(), type);
    int days = 0;  // the span, or fixed days, of the date range as a user picks them
    if (const QString span = RelativeDateChoiceOf(search.From, days); span.isEmpty()) {
        ChooseData(console->datView()->cboRange(), QString());
        console->datView()->dtpFrom()->setDate(QDate::fromString(search.From, Qt::ISODate));
        console->datView()->dtpTo()->setDate(QDate::fromString(search.To, Qt::ISODate));
    } else {
        ChooseData(console->datView()->cboRange(), span);
        if (span == QLatin1String(kLastDaysWord))
            TypeCount(console->datView()->spnRangeDays(), days);
        QCOMPARE(console->datView()->FromText(), search.From);
    }
    QRadioButton* option =
        console->datView()->optType(search.Filter == DateFilterCode::TransactionDate ? 0 : 1);
    QTest::mouseClick(option, Qt::LeftButton, Qt::NoModifier, QPoint(6, option->height() / 2));
    QVERIFY2(option->isVisible() && option->isChecked(), "the date filter option is not taken");
    for (int i = 0; i < search.Rules.size(); ++i) {
        if (i > 0) QTest::mouseClick(console->cmdMore(), Qt::LeftButton);
        EnterRule(console->criView(), i + 1, search.Rules[i]);
    }
    QString open;
    int row = 0;
    for (const QString& text : search.Fields) {
        FieldRuleTextResult parsed = ParseFieldRuleText(text.toStdString());
        QVERIFY2(parsed, parsed.Error.c_str());
        const QString type = QString::fromStdString(parsed.TypeText);
        if (type != open) {
            if (!open.isEmpty()) QTest::mouseClick(console->cmdOK(), Qt::LeftButton);
            const bool every = type == QLatin1String("*");
            const std::int32_t code =
                every ? search.Types.front() : RequestTypesOf(parsed.TypeText).Types.at(0);
            TypeMenu(console->lstView(), code,
                     every ? QStringLiteral("Refine Every Included Type")
                           : QStringLiteral("Refine Search"));
            QVERIFY(console->FieldMode());
            open = type;
            row = 0;
        }
        if (++row > 1) QTest::mouseClick(console->cmdMore(), Qt::LeftButton);
        EnterFieldRule(console->fldView(), row, parsed.Rule);
    }
    if (!open.isEmpty()) QTest::mouseClick(console->cmdOK(), Qt::LeftButton);
    QVERIFY(!console->FieldMode());
}

// Builds `search` as the terminal tool does from --from FROM --to TO, the filter and the
// rules (an end written as a span keeps its word, a fixed day nothing); the refusal, or "".
inline std::string BuildToolSearch(const QBXMLTags& catalog, const ToolSearch& wanted,
                                   SearchObject2& search) {
    SearchBuilder builder(catalog);
    for (std::int32_t type : wanted.Types) builder.IncludeType(type);
    const std::string from = wanted.From.toStdString(), to = wanted.To.toStdString();
    const std::int32_t today = DateRulesToday();
    builder.SetDates(SearchDate(std::chrono::days(ResolveDateValue(from, today)->first)),
                     SearchDate(std::chrono::days(ResolveDateValue(to, today)->last)),
                     wanted.Filter);
    auto kept = [](const std::string& end) { return ParseIsoDay(end) ? std::string() : end; };
    builder.SetRelativeDates(kept(from), kept(to));
    std::string error;  // every refusal, though one is enough to fail
    for (const QString& rule : wanted.Rules) error += builder.AddRule(rule.toStdString());
    for (const QString& field : wanted.Fields) error += builder.AddFieldRule(field.toStdString());
    if (Outcome built = error.empty() ? builder.Build(search) : Outcome{}; !built) {
        error = built.Message();
    }
    return error;
}

// The search the terminal tool builds, as SearchText writes it, or "refused: " and why.
inline QString ToolText(const QBXMLTags& catalog, const ToolSearch& wanted) {
    SearchObject2 search;
    const std::string error = BuildToolSearch(catalog, wanted, search);
    return error.empty() ? SearchText(search) : QString::fromStdString("refused: " + error);
}

// Fills and closes the next save window with `name` and `description`.
inline void SaveAs(SearchConsoleControl* console, const QString& name,
                   const QString& description = {}) {
    OnNextModal([name, description](QDialog* dialog) {
        auto* save = qobject_cast<frmSaveSearch*>(dialog);
        if (!save) return;
        save->txtName()->setText(name);
        save->txtDesc()->setText(description);
        QTest::mouseClick(save->cmdSave(), Qt::LeftButton);
    });
    QTest::mouseClick(console->cmdSave(), Qt::LeftButton);
}

// Saves a picture of `window` for the record when QUARRION_SCREENSHOTS names a folder.
inline void Picture(QWidget* window, const QString& name) {
    QTest::qWait(50);
    const QString folder = qEnvironmentVariable("QUARRION_SCREENSHOTS");
    if (folder.isEmpty()) return;
    QDir().mkpath(folder);
    QVERIFY(window->grab().save(folder + "/" + name));
}

}  // namespace quarrion::test
