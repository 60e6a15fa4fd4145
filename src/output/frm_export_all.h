#pragma once

#include <QDialog>
#include <QList>
#include <cstdint>
#include <vector>

#include "results/result_list.h"
#include "shell/results_window.h"

class QFileSystemModel;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStandardItemModel;
class QTreeView;

namespace quarrion {

// The "Export All Lists" dialog: the file names of the lists to export (renamed in
// place), the folder to write them to (a folder tree) and the format. It only
// collects the choices; ExportAllLists does the writing.
//
// ButtonPressed is 5 after loading, 1 after Export, 2 after Cancel; closing the
// window any other way leaves 5, and nothing is exported.
class frmExportAll : public QDialog {
    Q_OBJECT
  public:
    static constexpr std::int16_t NotPressed = 5;
    static constexpr std::int16_t ExportPressed = 1;
    static constexpr std::int16_t CancelPressed = 2;

    explicit frmExportAll(QWidget* parent = nullptr);

    // One file name per list, checked, keeping the list's request type.
    void AddEntry(const QString& fileName, std::int32_t requestType);
    int EntryCount() const;
    QString EntryName(int row) const;
    std::int32_t EntryRequestType(int row) const;
    bool EntryChecked(int row) const;

    QTreeView* ListView() const { return lstView_; }
    QTreeView* FolderView() const { return tvwFolder_; }
    std::int16_t ButtonPressed() const { return buttonPressed_; }

    // 1 comma-separated (optFilter0), 2 tab-delimited (optFilter1); writing anything
    // but 1 selects tab-delimited.
    int Filter() const;
    void SetFilter(int format);

    // The chosen folder, ending with '/'. Setting a folder that does not exist chooses
    // `fallback` instead.
    QString Path() const { return path_; }
    void SetPath(const QString& folder, const QString& fallback);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void ShowFolder(const QString& folder);
    // Selects the chosen folder in the tree and scrolls to it, as far as it is read.
    void RevealFolder();
    void Press(std::int16_t code);

    std::int16_t buttonPressed_ = NotPressed;
    QString path_;
    // The tree keeps the chosen folder in view while it fills, until the user picks
    // another folder or scrolls.
    bool following_ = false;
    QStandardItemModel* entries_;
    QFileSystemModel* folders_;
    QLabel* lblInfo_;
    QTreeView* tvwFolder_;
    QLineEdit* txtFolder_;
    QRadioButton* optFilter0_;
    QRadioButton* optFilter1_;
    QTreeView* lstView_;
    QPushButton* cmdExport_;
    QPushButton* cmdCancel_;
};

// Export All: shows frmExportAll over `parent` with one entry per `entries` (menu
// order), the folder from setting "exportpath" (default `appFolder`) and the format
// from "exportfilter" (default 1). After Export the two settings are stored and each
// entry's list (the one of `lists` with its request type) is written in list order
// under the entry's name, as a silent ExportListAs; the first list not written stops
// the rest. Every entry is exported, ticked or not.
void ExportAllLists(QWidget* parent, const QString& appFolder, const std::vector<ResultList>& lists,
                    const QList<ExportListEntry>& entries);

}  // namespace quarrion
