#pragma once

#include <QWidget>
#include <cstdint>
#include <string>

#include "model/request_search_rule.h"
#include "model/search_object2.h"
#include "shell/search_console.h"
#include "shell/window_openers.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSplitter;

namespace quarrion {

class CriteriaControl;
class DateControl;
class FieldCriteriaControl;
class IOManager;
class RequestControl;
class RequestSearchRule;
class SavedSearches;

// The search console (conView) docked in the main window: the type list (lstView), the
// date range (datView), the global rules (criView) or, while one type's field rules are
// edited, that type's field rules (fldView), the saved searches (tvwView), the name of
// the search loaded or saved last (lblCaption) and the buttons cmdSearch, cmdSave,
// cmdClear, cmdMore, cmdLess, cmdOK and cmdCancel.
//
// The console owns one SearchObject2, rebuilt from the controls on every Search and
// Save (the controls, not the object, hold the truth between runs), the same way the
// terminal tool's SearchBuilder puts a search together. Search hands a copy to the
// results-window opener, tells the host (which arranges its windows) and clears the
// console; the ticks, dates and filter it used stay in the settings (section
// "Console") for the next start.
//
// The class implements the shell's SearchConsole interface; the shell's name for that
// interface is why the widget carries "Control" in its name.
class SearchConsoleControl : public QWidget, public SearchConsole {
    Q_OBJECT

  public:
    static constexpr const char* Section = "Console";
    // Added to the global rules' caption while rules for every included type are set,
    // since neither editor shows them then.
    static constexpr const char* EveryTypeNote = " + Every Included Type rules";
    static constexpr const char* SaveMessage =
        "Enter a name for the search rule(s).  You can optionally enter a brief description "
        "about the search rules.";

    // `host` must outlive the console. Either opener may be empty: Search (or Display
    // Columns) is then offered disabled with a tooltip that says why.
    SearchConsoleControl(ConsoleHost& host, ResultsWindowOpener openResults,
                         DisplayColumnsLauncher displayColumns, QWidget* parent = nullptr);
    ~SearchConsoleControl() override;

    // Tall enough for the dates, rules and buttons of either mode without scrolling, so
    // the console's dock starts at that height where the window has room for it.
    QSize sizeHint() const override;

    // SearchConsole
    QWidget* Widget() override { return this; }
    // Fills the type list (ticks from "include_" + code; 2, 4 and 11 when unset), the
    // dates ("fromdate", "todate"; today when unset) and their ends' words ("daterange"),
    // the filter ("datefilter"; 1) and the text boxes ("ignoreaccents", "fieldcase"), and gives the
    // saved-search panel the shared store.
    void InitControl() override;

    // The buttons, as a click runs them.
    void Search();
    void Save();
    void Clear();
    void More();
    void Less();
    void SetFieldRules();     // cmdOK
    void CancelFieldRules();  // cmdCancel
    // Refine Search on a type: field mode for it (asking first whether to keep another
    // type's changed field rules). FieldCriteriaControl::EveryIncludedType edits the
    // rules for every ticked type that has the field.
    void RefineSearch(std::int32_t requestType);
    // The saved search chosen in tvwView: loaded into the controls (UseThis), or
    // loaded and run (ExecuteThis).
    void UseSavedSearch();
    void ExecuteSavedSearch();

    // The "Building the search" steps: the global rules, dates and filter (remembered in
    // the settings with every tick; an end given as a span also kept in the search as its
    // word, and the ends remembered as "daterange"), then one included item per ticked
    // type with its field rules and then the rules for every
    // included type, as the terminal tool adds "--field TYPE: ..." before "--field *: ...".
    // Answers false, building nothing, when no type is ticked or a rule for every type
    // fits none of them; BuildError says why.
    bool BuildSearch();
    QString BuildError() const { return buildError_; }
    SearchObject2& SearchObject() { return search_; }

    bool FieldMode() const { return current_ != nullptr; }
    RequestSearchRule* CurrentRule() const { return current_; }

    RequestControl* lstView() const { return lstView_; }
    DateControl* datView() const { return datView_; }
    CriteriaControl* criView() const { return criView_; }
    FieldCriteriaControl* fldView() const { return fldView_; }
    SavedSearches* tvwView() const { return tvwView_; }
    QLabel* lblCaption() const { return lblCaption_; }
    QPushButton* cmdSearch() const { return cmdSearch_; }
    QPushButton* cmdSave() const { return cmdSave_; }
    QPushButton* cmdClear() const { return cmdClear_; }
    QPushButton* cmdMore() const { return cmdMore_; }
    QPushButton* cmdLess() const { return cmdLess_; }
    QPushButton* cmdOK() const { return cmdOK_; }
    QPushButton* cmdCancel() const { return cmdCancel_; }
    QSplitter* Splitter() const { return splitter_; }
    // The search's text options: ignore accents (unticked when new) and match case in
    // field rules (ticked when new, today's rule for starts with, ends with and whole
    // word in field rules).
    QCheckBox* chkIgnoreAccents() const { return chkIgnoreAccents_; }
    QCheckBox* chkFieldCase() const { return chkFieldCase_; }

  signals:
    // After a search was started and after field mode was cancelled.
    void Notification();

  private:
    void LeaveFieldMode();
    void ShowGlobalMode();
    void ShowEveryTypeNote();
    void UpdateLess();
    void UpdateSave();
    void LoadSearch(SearchObject2& saved);
    TextOptions ChosenTextOptions() const;
    // The rule editors' tooltips say which letter-case rule the boxes make apply.
    void UpdateRuleTips();
    void SaveSplitter();
    void RestoreSplitter();

    ConsoleHost& host_;
    ResultsWindowOpener openResults_;
    DisplayColumnsLauncher displayColumns_;
    SearchObject2 search_;
    RequestSearchRule* current_ = nullptr;
    // The field rules for every included type; current_ points here while they are
    // edited.
    RequestSearchRule everyType_;
    QString buildError_;
    // Changes the type list and the editors do not keep themselves: field rules set or
    // columns chosen since the last clear, a saved search loaded.
    bool rulesChanged_ = false;

    RequestControl* lstView_;
    DateControl* datView_;
    CriteriaControl* criView_;
    FieldCriteriaControl* fldView_;
    SavedSearches* tvwView_;
    QLabel* lblCaption_;
    QWidget* rules_;
    QPushButton* cmdSearch_;
    QPushButton* cmdSave_;
    QPushButton* cmdClear_;
    QPushButton* cmdMore_;
    QPushButton* cmdLess_;
    QPushButton* cmdOK_;
    QPushButton* cmdCancel_;
    QCheckBox* chkIgnoreAccents_;
    QCheckBox* chkFieldCase_;
    QSplitter* splitter_;
    QString criTip_;
    QString fldTip_;
};

}  // namespace quarrion
