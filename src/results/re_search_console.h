#pragma once

#include <QWidget>
#include <cstdint>

#include "model/search_object2.h"

class QPushButton;

namespace quarrion {

class CriteriaControl;
class FieldCriteriaControl;
class QBXMLTags;

// The editor of the re-search window: the search's global rules (criView) or one
// type's field rules (fldView), with the buttons that apply, cancel, grow and shrink
// them and start the search again. It edits a copy of the results window's definition;
// nothing reaches the results window until Search is raised.
class ReSearchConsole : public QWidget {
    Q_OBJECT

  public:
    // `catalog` offers the fields of the field rules; it must outlive the console.
    explicit ReSearchConsole(const QBXMLTags& catalog, QWidget* parent = nullptr);

    // Takes a copy of `search` and shows its global rules.
    void SetSearchObject(SearchObject2& search);
    // The console's copy: after Search, the definition to search with.
    SearchObject2& SearchObject() { return search_; }

    // Shows the rules of `requestType` (0: the global rules). Field rules edited and not
    // yet set are offered to keep first.
    void NewSelection(std::int32_t requestType);
    std::int32_t Selection() const { return selection_; }

    CriteriaControl* criView() const { return criView_; }
    FieldCriteriaControl* fldView() const { return fldView_; }
    QPushButton* cmdOK() const { return cmdOK_; }
    QPushButton* cmdCancel() const { return cmdCancel_; }
    QPushButton* cmdReset() const { return cmdReset_; }
    QPushButton* cmdSave() const { return cmdSave_; }
    QPushButton* cmdSearch() const { return cmdSearch_; }
    QPushButton* cmdMore() const { return cmdMore_; }
    QPushButton* cmdLess() const { return cmdLess_; }

  signals:
    // The definition holds the edited rules: search the kept answers with it.
    void Search();
    // The user left without searching; nothing changes.
    void Reset();

  private:
    void SetFieldRules();
    void ShowGlobalRules();
    void RunSearch();
    void More();
    void Less();
    void UpdateLess();
    bool FieldRulesShown() const;

    quarrion::SearchObject2 search_;
    std::int32_t selection_ = 0;
    CriteriaControl* criView_;
    FieldCriteriaControl* fldView_;
    QPushButton* cmdOK_;
    QPushButton* cmdCancel_;
    QPushButton* cmdReset_;
    QPushButton* cmdSave_;
    QPushButton* cmdSearch_;
    QPushButton* cmdMore_;
    QPushButton* cmdLess_;
};

}  // namespace quarrion
