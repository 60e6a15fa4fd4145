#pragma once

#include <QDateTime>
#include <QWidget>
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "output/temporary_workbook.h"
#include "results/result_list.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QTimer;

namespace quarrion {

class BusyPane;

// The workbook window: builds the workbook of a results window's lists (as shown) in
// its temporary file, "QRTE" + the window's number, and previews it read-only, one
// tab per sheet. While the file is written, off the user-interface thread, the busy
// pane "Creating WorkBook, please wait ..." covers the window and ticks; it slides
// away when the file is done. Edit hands the file to the desktop's spreadsheet
// program, Save As... keeps a copy where the user chooses. Closing the window deletes
// the temporary file; one that was changed since it was written (saved from the
// spreadsheet program) is first offered for saving, so no edit is lost.
//
// "Leave out types without rows" (remembered in setting "frmExcel"/"hideempty", off
// by default) writes sheets only for the lists that have rows; turning it writes the
// workbook again, after asking when the file was changed since it was written.
class frmExcel : public QWidget {
    Q_OBJECT
  public:
    static constexpr const char* CaptionSuffix = " [Excel WorkBook]";
    static constexpr const char* BusyCaption = "Creating WorkBook, please wait ...";

    explicit frmExcel(std::vector<ResultList> lists, QWidget* parent = nullptr);
    ~frmExcel() override;

    // Starts writing the workbook; the preview shows at once, Edit and Save As... once
    // the file is written.
    void Start();
    bool IsBuilding() const { return building_; }
    // "" after a successful build, else the reason shown to the user.
    const std::string& BuildError() const { return buildError_; }

    const TemporaryWorkbook& Book() const { return *book_; }
    // The lists the workbook holds: all, or only those with rows.
    std::vector<const ResultList*> ShownLists() const;
    QString WorkbookPath() const;
    QTabWidget* tabSheets() const { return tabSheets_; }
    BusyPane* busyView() const { return busyView_; }

    // Advances the busy pane one frame.
    void Tick();
    // Slides the busy pane out of the window (at once when minimised).
    void Done();

    // The size an MDI area gives the window when it first adds it.
    QSize sizeHint() const override { return {720, 420}; }

  signals:
    // The workbook file was written (`ok`) or could not be.
    void Built(bool ok);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void ShowSheets();
    void LeaveOutEmpty(bool leaveOut);
    void Finished(const std::string& error);
    void Edit();
    bool SaveAs();
    bool ChangedSinceBuilt() const;
    // Asks whether to go on although the file was changed since it was written:
    // "The workbook ... was changed after Quarrion wrote it" + `consequence`. True when
    // the user pressed `agree`.
    bool AskAboutChanges(const QString& consequence, const QString& decline, const QString& agree);

    std::vector<ResultList> lists_;
    std::unique_ptr<TemporaryWorkbook> book_;
    std::thread worker_;
    bool building_ = false;
    std::string buildError_;
    QDateTime builtAt_;
    qint64 builtSize_ = -1;
    std::atomic<std::size_t> rowsWritten_{0};
    std::size_t rowsTicked_ = 0;

    BusyPane* busyView_;
    QTimer* tmrTick_;
    QTimer* tmrSlide_;
    QTabWidget* tabSheets_;
    QLabel* lblBook_;
    QPushButton* cmdEdit_;
    QPushButton* cmdSaveAs_;
    QCheckBox* chkHideEmpty_;
};

}  // namespace quarrion
