#pragma once

#include <QList>
#include <QString>
#include <cstdint>

namespace quarrion {

// One result list offered by the Export menu: its request type and its proposed file
// name (the type's list title, for example "Invoices List").
struct ExportListEntry {
    std::int32_t RequestType = 0;
    QString FileName;
};

// What the main window asks of a results window. The results window (a QWidget shown
// as an MDI child) implements this interface; the main window finds it by casting the
// active MDI child's widget, and treats every other child as "not a results window"
// (the commands then explain that a results window must be activated first).
//
// The main window never reads anything else of a results window: menus and side-bar
// buttons follow what the window reports through the hub (MsgInterface).
class ResultsWindow {
  public:
    virtual ~ResultsWindow() = default;

    // The window's link instance id; the hub's notifications carry it, and the main
    // window acts on a notification only when it comes from the active window.
    virtual std::int32_t OwnerID() const = 0;

    // Writes the list of `requestType` to a delimited file. `fileName` in: the proposed
    // name without folder; out: the path finally written. `folder` ends with '/'.
    // `format` in: 1 comma-separated, 2 tab-delimited; out (when the user chose in a
    // dialog): the format chosen. `silent` skips the save dialog unless a file would be
    // replaced and the user declines. True when the file was written.
    virtual bool Export(std::int32_t requestType, QString& fileName, QString& folder, int& format,
                        bool silent) = 0;
    // Opens the export-all dialog for `lists` (in menu order: the displayed list first)
    // and exports every list the user keeps there; the dialog restores and saves the
    // "exportpath" and "exportfilter" settings of section "frmMain".
    virtual void ExportAll(const QList<ExportListEntry>& lists) = 0;
    // Builds and shows the workbook of all result lists.
    virtual void Excel() = 0;
    // Opens the re-search window over this window's stored responses.
    virtual void ReSearch() = 0;
    // Sets (true) or clears (false) the to-be-printed state of every transaction on the
    // selected tab, showing `message` under `title` while the link works.
    virtual void SetToPrint(bool& toPrint, const QString& title, const QString& message) = 0;
};

}  // namespace quarrion
