#include "output/output_windows.h"

#include <QMdiSubWindow>

#include "output/export_list_as.h"
#include "output/frm_excel.h"
#include "output/frm_export_all.h"
#include "output/frm_report.h"
#include "shell/app_state.h"
#include "shell/frm_dialog.h"
#include "shell/search_console.h"

namespace quarrion {

OutputWindows MakeOutputWindows() {
    OutputWindows windows;
    windows.ExportList = [](ConsoleHost&, QWidget* parent, const ResultList& list,
                            QString& fileName, QString& folder, int& format, bool silent) {
        return ExportListAs(parent, list, fileName, folder, format, silent);
    };
    windows.ExportAll = [](ConsoleHost& host, QWidget* parent, const std::vector<ResultList>& lists,
                           const QList<ExportListEntry>& entries) {
        ExportAllLists(parent, host.State().AppFolder(), lists, entries);
    };
    windows.Excel = [](ConsoleHost& host, const QString& caption, std::vector<ResultList> lists) {
        auto* window = new frmExcel(std::move(lists));
        window->setWindowTitle(caption + QString::fromLatin1(frmExcel::CaptionSuffix));
        host.createMdiChild(window);
        host.ResultsWindowOpened();
        window->Start();
    };
    windows.DataView = [](ConsoleHost& host, const pugi::xml_node& record, bool old,
                          std::int32_t requestType) {
        auto* window = new frmReport(host.State().Catalog());
        window->SetOld(old);
        window->SetRequestType(requestType);
        const std::string problem = window->SetXMLNode(record);
        host.createMdiChild(window);
        host.ResultsWindowOpened();
        if (!problem.empty()) {
            MessageDialog(window, QStringLiteral("Data View"),
                          QStringLiteral("The record cannot be shown as a page.\n") +
                              QString::fromStdString(problem));
        }
    };
    return windows;
}

}  // namespace quarrion
