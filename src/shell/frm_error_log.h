#pragma once

#include <QWidget>
#include <memory>

class QLabel;
class QStandardItemModel;
class QTreeView;

namespace quarrion {

class MsgInterface;
class ShellLink;

// The viewer of the QuickBooks link's error log. It owns a link instance of its own
// (marked as the log viewer) and reads the log again whenever that instance reports
// activity; errors the instance raises go to the hub as pop-ups.
//
// The log is a TAB-separated text: line 1 holds the column titles, every later line
// one entry. Fields beyond the titles are ignored; missing fields stay blank.
class frmErrorLog : public QWidget {
    Q_OBJECT

  public:
    static constexpr const char* NoErrorsText = "There are no errors to display.";

    // `link` may be null (no link in this program): the window then only says that
    // there is nothing to display. `hub` must outlive the window.
    frmErrorLog(std::unique_ptr<ShellLink> link, std::int32_t windowId, MsgInterface& hub,
                QWidget* parent = nullptr);
    ~frmErrorLog() override;

    // Reads the log file again; a missing file leaves the list empty and the notice
    // visible.
    void Display();

    QStandardItemModel* lstView() const { return model_; }
    QLabel* lblInfo() const { return lblInfo_; }
    QTreeView* View() const { return view_; }

  private:
    std::unique_ptr<ShellLink> link_;
    MsgInterface& hub_;
    QLabel* lblInfo_;
    QStandardItemModel* model_;
    QTreeView* view_;
};

}  // namespace quarrion
