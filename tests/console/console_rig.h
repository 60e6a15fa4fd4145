#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTest>
#include <QTreeView>
#include <memory>
#include <vector>

#include "console/criteria_control.h"
#include "console/criterion_control.h"
#include "console/field_criteria_control.h"
#include "console/field_criterion_control.h"
#include "console/list_palette.h"
#include "console/range_control.h"
#include "console/request_control.h"
#include "console/search_console_control.h"
#include "console/search_console_factory.h"
#include "foundation/common_tools.h"
#include "modal.h"
#include "model/search_object2.h"
#include "search/rule_text.h"
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

// Enters a global rule written as the terminal tool takes it into row `position`.
inline void EnterRule(CriteriaControl* panel, int position, const QString& text) {
    RuleTextResult parsed = ParseRuleText(text.toStdString());
    QVERIFY2(parsed, parsed.Error.c_str());
    CriterionControl* row = panel->Criterion(position);
    QVERIFY(row);
    Choose(row->cboAndOr(), QString::fromStdString(parsed.Rule.AndOr));
    Choose(row->cboDataType(),
           QString::fromStdString(CommonTools::ChoiceText(*ChoiceOfWord(parsed.Rule.Subject))));
    Choose(row->cboTrueCompare(),
           QString::fromStdString(CommonTools::OperatorText(parsed.Rule.Operation)));
    TypeValues(row, parsed.Rule);
}

// Enters a field rule ("PATH OP VALUE", the type given apart) into row `position`.
inline void EnterFieldRule(FieldCriteriaControl* panel, int position, const RuleText& rule) {
    FieldCriterionControl* row = panel->Criterion(position);
    QVERIFY(row);
    Choose(row->cboAndOr(), QString::fromStdString(rule.AndOr));
    int field = -1;
    for (std::size_t i = 0; i < row->Fields().size(); ++i) {
        if (RelativeFieldPath(row->Fields()[i]->TagName()) == rule.Subject) field = int(i);
    }
    QVERIFY2(field >= 0, rule.Subject.c_str());
    row->cboDataType()->setCurrentIndex(field);
    Choose(row->cboTrueCompare(),
           QString::fromStdString(CommonTools::OperatorText(rule.Operation)));
    TypeValues(row, rule);
}

}  // namespace quarrion::test
