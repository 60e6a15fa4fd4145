#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTest>
#include <QTreeView>
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
#include "foundation/common_tools.h"
#include "modal.h"
#include "model/date_value.h"
#include "model/search_object2.h"
#include "search/rule_text.h"
#include "search/search_builder.h"
#include "search_text.h"
#include "shell/app_settings.h"
#include "shell/app_state.h"
#include "shell/frm_dialog.h"
#include "shell/frm_main.h"
#include "shell/io_manager_store.h"

namespace quarrion::test {

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
    ConsoleRig() : ConsoleRig(ConsoleRigOptions{}) {}
    explicit ConsoleRig(ConsoleRigOptions options) {
        if (!options.KeepSettings) AppSettings::DeleteAll();
        StartUpParts parts;
        parts.MakeStore = [](QBXMLTags& catalog) {
            return std::make_unique<IOManagerStore>(catalog);
        };
        state_ = AppState::StartUp(std::move(parts));
        ResultsWindowOpener opener;
        if (options.WithResults) {
            opener = [this](ConsoleHost& host, const SearchObject2& search) {
                Q_UNUSED(host);
                auto copy = std::make_unique<SearchObject2>();
                copy->Copy(const_cast<SearchObject2&>(search), CopyDirection::FromTarget);
                Handed.push_back(std::move(copy));
            };
        }
        main_ = std::make_unique<frmMain>(
            *state_, MakeSearchConsoleFactory(std::move(opener), std::move(options.Columns)));
        // A first run initialises the catalog and says so in a message.
        ModalWatcher okEverything([](QDialog* dialog) {
            if (auto* message = qobject_cast<frmDialog*>(dialog)) message->cmdOK()->click();
        });
        main_->Load();
        main_->resize(1100, 720);
        main_->show();
        main_->activateWindow();
        if (!QTest::qWaitForWindowActive(main_.get())) qWarning("the main window is not active");
    }

    ~ConsoleRig() {
        main_->Unload();
        main_.reset();
        state_.reset();
    }

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

inline void Choose(QComboBox* box, const QString& text) {
    const int index = box->findText(text);
    QVERIFY2(index >= 0, qPrintable("no choice " + text + " in " + box->objectName()));
    box->setCurrentIndex(index);
}

// Ticks or unticks a type's line with the keyboard: the line made current, then Space.
inline void ToggleType(RequestControl* list, std::int32_t requestType) {
    QTreeView* view = list->View();
    for (int row = 0; row < list->Count(); ++row) {
        if (list->TypeAt(row) != requestType) continue;
        view->setFocus();
        view->setCurrentIndex(list->Model()->index(row, 0));
        QTest::keyClick(view, Qt::Key_Space);
        return;
    }
    QFAIL("type not listed");
}

// The line's menu entry run as a user picks it from the context menu.
inline void TypeMenu(RequestControl* list, std::int32_t requestType, const QString& entry) {
    for (int row = 0; row < list->Count(); ++row) {
        if (list->TypeAt(row) != requestType) continue;
        QMenu* menu = list->MenuFor(row);
        for (QAction* action : menu->actions()) {
            if (action->text() == entry) {
                QVERIFY2(action->isEnabled(), qPrintable(entry + " is disabled"));
                action->trigger();
                return;
            }
        }
    }
    QFAIL("no such type or menu entry");
}

// Types the values of a rule into the row's input as a user would.
inline void TypeValues(CriterionRow* row, const RuleText& rule) {
    QWidget* input = row->Input();
    if (!input) return;
    if (auto* range = qobject_cast<RangeControl*>(input)) {
        QTest::keyClicks(range->txtFrom(), QString::fromStdString(rule.Values.at(0)));
        QTest::keyClicks(range->txtTo(), QString::fromStdString(rule.Values.at(1)));
        return;
    }
    if (auto* list = qobject_cast<ListPalette*>(input)) {
        list->Box(1)->setFocus();
        for (std::size_t i = 0; i < rule.Values.size(); ++i) {
            if (i > 0) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTest::keyClicks(QApplication::focusWidget(), QString::fromStdString(rule.Values[i]));
        }
        return;
    }
    QTest::keyClicks(input, QString::fromStdString(rule.Values.at(0)));
}

inline QString LabelOfChoice(const QString& choiceWord) {
    for (const RelativeDateChoice& choice : RelativeDateChoices()) {
        if (choice.Word == choiceWord) return choice.Label;
    }
    return {};
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
        Choose(edit->cboWhen(), QStringLiteral("On Date"));
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
    Choose(edit->cboWhen(), LabelOfChoice(choice));
    if (choice == QLatin1String(kLastDaysWord)) TypeCount(edit->spnDays(), days);
}

inline void ChooseOperation(CriterionRow* row, long operation) {
    QComboBox* box = row->cboTrueCompare();
    const int index = box->findData(static_cast<int>(operation));
    QVERIFY2(index >= 0, qPrintable(OperationWord(operation).c_str()));
    box->setCurrentIndex(index);
}

// The values of a date rule typed into the row's date input.
inline void EnterDates(CriterionRow* row, const RuleText& rule) {
    QCOMPARE(row->Input(), static_cast<QWidget*>(row->txtDate()));
    EnterDate(row->txtDate()->datFrom(), rule.Values.at(0));
    if (rule.Operation == Operation::Between) EnterDate(row->txtDate()->datTo(), rule.Values.at(1));
}

// Enters a global rule written as the terminal tool takes it into row `position`.
inline void EnterRule(CriteriaControl* panel, int position, const QString& text) {
    RuleTextResult parsed = ParseRuleText(text.toStdString());
    QVERIFY2(parsed, parsed.Error.c_str());
    CriterionControl* row = panel->Criterion(position);
    QVERIFY(row);
    Choose(row->cboAndOr(), QString::fromStdString(parsed.Rule.AndOr));
    const bool date = ChoiceOfWord(parsed.Rule.Subject) == Choice::Date;
    Choose(
        row->cboDataType(),
        date ? QString::fromLatin1(CriterionControl::DateChoiceText)
             : QString::fromStdString(CommonTools::ChoiceText(*ChoiceOfWord(parsed.Rule.Subject))));
    ChooseOperation(row, parsed.Rule.Operation);
    if (date) {
        EnterDates(row, parsed.Rule);
    } else {
        TypeValues(row, parsed.Rule);
    }
}

// Enters a field rule ("PATH OP VALUE", the type given apart) into row `position`.
inline void EnterFieldRule(FieldCriteriaControl* panel, int position, const RuleText& rule) {
    FieldCriterionControl* row = panel->Criterion(position);
    QVERIFY(row);
    int field = -1;
    for (std::size_t i = 0; i < row->Fields().size(); ++i) {
        if (RelativeFieldPath(row->Fields()[i]->TagName()) == rule.Subject) field = int(i);
    }
    QVERIFY2(field >= 0, rule.Subject.c_str());
    Choose(row->cboAndOr(), QString::fromStdString(rule.AndOr));
    row->cboDataType()->setCurrentIndex(field);
    ChooseOperation(row, rule.Operation);
    const std::int32_t code = row->Fields()[std::size_t(field)]->DataTypeCode();
    if (code == DataTypeCode::Date || code == DataTypeCode::DateTime) {
        EnterDates(row, rule);
    } else {
        TypeValues(row, rule);
    }
}

// The span, or fixed days, of the date range as a user picks them.
inline void EnterRange(DateControl* dates, const QString& from, const QString& to) {
    int days = 0;
    const QString choice = RelativeDateChoiceOf(from, days);
    if (choice.isEmpty()) {
        Choose(dates->cboRange(), QString::fromLatin1(DateControl::FixedDatesText));
        dates->dtpFrom()->setDate(QDate::fromString(from, Qt::ISODate));
        dates->dtpTo()->setDate(QDate::fromString(to, Qt::ISODate));
        return;
    }
    Choose(dates->cboRange(), LabelOfChoice(choice));
    if (choice == QLatin1String(kLastDaysWord)) TypeCount(dates->spnRangeDays(), days);
    QCOMPARE(dates->RangeWord(), from);
}

// Composes a search as a user does: every tick removed, the types ticked, the range and
// date filter set, the global rules typed row by row, then the field rules: "TYPE: ..."
// through the type's Refine Search, "*: ..." through Refine Every Included Type.
inline void Compose(SearchConsoleControl* console, const QList<std::int32_t>& types,
                    const QString& from, const QString& to, const QStringList& rules,
                    const QStringList& fields, long filter = DateFilterCode::TransactionDate) {
    QTest::mouseClick(console->cmdClear(), Qt::LeftButton);
    for (std::int32_t type : types) ToggleType(console->lstView(), type);
    EnterRange(console->datView(), from, to);
    QRadioButton* option =
        console->datView()->optType(filter == DateFilterCode::TransactionDate ? 0 : 1);
    QVERIFY2(option->isVisible(), "the date filter option is not shown");
    QTest::mouseClick(option, Qt::LeftButton, Qt::NoModifier, QPoint(6, option->height() / 2));
    QVERIFY(option->isChecked());
    for (int i = 0; i < rules.size(); ++i) {
        if (i > 0) QTest::mouseClick(console->cmdMore(), Qt::LeftButton);
        EnterRule(console->criView(), i + 1, rules[i]);
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

// What the terminal tool builds from --from FROM --to TO, the filter and the rules; an
// end written as a span keeps its word, a fixed day nothing.
inline QString ToolText(const QBXMLTags& catalog, const QList<std::int32_t>& types,
                        const QString& from, const QString& to, const QStringList& rules,
                        const QStringList& fields, long filter = DateFilterCode::TransactionDate) {
    SearchBuilder builder(catalog);
    for (std::int32_t type : types) builder.IncludeType(type);
    const std::int32_t today = DateRulesToday();
    builder.SetDates(
        SearchDate(std::chrono::days(ResolveDateValue(from.toStdString(), today)->first)),
        SearchDate(std::chrono::days(ResolveDateValue(to.toStdString(), today)->last)), filter);
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
    if (Outcome built = builder.Build(search); !built)
        return QString::fromStdString("refused: " + built.Message());
    return SearchText(search);
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

// Saves a picture of `window` for the record when QUARRION_SCREENSHOTS names a folder.
inline void Picture(QWidget* window, const QString& name) {
    QTest::qWait(50);
    const QString folder = qEnvironmentVariable("QUARRION_SCREENSHOTS");
    if (folder.isEmpty()) return;
    QDir().mkpath(folder);
    QVERIFY(window->grab().save(folder + "/" + name));
}

}  // namespace quarrion::test
