#pragma once

#include "shell/window_openers.h"

namespace quarrion {

// The output windows a results window uses, every member filled:
//   ExportList  the "Export List As ..." save dialog, or a silent export (ExportListAs);
//   ExportAll   the "Export All Lists" dialog and the writing of every list
//               (ExportAllLists), with the settings "exportpath" and "exportfilter";
//   Excel       a workbook window (frmExcel) added through host.createMdiChild,
//               captioned caption + " [Excel WorkBook]", building at once;
//   DataView    a data-view window (frmReport) of a copy of the record, added the
//               same way, over the application's catalog.
OutputWindows MakeOutputWindows();

}  // namespace quarrion
