#pragma once

#include <QString>

#include "results/result_list.h"

class QWidget;

namespace quarrion {

// The dialog's title and the message boxes' captions.
inline constexpr const char* kExportDialogTitle = "Export List As ...";

// Writes `list` to a delimited file, as a results window's Export does.
//
// Dialog mode (`silent` false): the save dialog "Export List As ..." opens on
// `folder` + `fileName` with two file types, comma-separated first; `format` becomes
// the type chosen, and ".csv" or ".txt" is added to a chosen name of five or more
// characters that does not end in it. An existing file is replaced without asking.
//
// Silent mode (Export All): the extension is added to a name longer than four
// characters that lacks it; when a file of that name exists in `folder` the user is
// asked "You already have a file called ..."; on No the save dialog opens and the name
// chosen there is used as it stands.
//
// `fileName` out: the path written. A cancelled dialog writes nothing and answers
// false quietly; a failed write leaves any earlier file as it was and shows a message
// naming the file and the reason. True when the file was written.
bool ExportListAs(QWidget* parent, const ResultList& list, QString& fileName, const QString& folder,
                  int& format, bool silent);

}  // namespace quarrion
