#pragma once

#include <QDialog>
#include <cstdint>

class QListWidget;

namespace quarrion {

class AppState;
class ReSearchConsole;
class SearchObject2;

// The modal re-search window of one results window: the rule sets of its search
// (lstView: "Global Search Rule(s)" first, then one entry per included type) beside
// the console that edits them (conView). It is made on first use, hidden rather than
// closed between uses, and keeps its placement in the settings section "frmReSearch".
class frmReSearch : public QDialog {
    Q_OBJECT

  public:
    static constexpr const char* Section = "frmReSearch";
    static constexpr const char* GlobalEntry = "Global Search Rule(s)";

    // `state` must outlive the window.
    explicit frmReSearch(AppState& state, QWidget* parent = nullptr);

    // Copies `search` into the console, lists its rule sets and shows the global rules.
    void SetSearchObject(SearchObject2& search);
    // The console's definition: the edited rules once Search is raised.
    SearchObject2& SearchObject();

    QListWidget* lstView() const { return lstView_; }
    ReSearchConsole* conView() const { return conView_; }

  signals:
    void Search();
    void Reset();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void RestorePlacement();
    void SavePlacement() const;

    QListWidget* lstView_;
    ReSearchConsole* conView_;
    bool placed_ = false;
};

}  // namespace quarrion
