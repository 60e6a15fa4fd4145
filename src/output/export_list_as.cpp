#include "output/export_list_as.h"

#include <QFileDialog>
#include <QFileInfo>

#include "foundation/common_tools.h"
#include "output/delimited_export.h"
#include "shell/frm_dialog.h"

namespace quarrion {

namespace {

QString FilterText(int format) {
    return QString::fromStdString(CommonTools::ExportFilterText(format));
}

// The save dialog over `path`, offering both file types with `format`'s selected, or
// only `format`'s type when the dialog replaces a silent export's name. Answers the
// chosen path ("" when cancelled) and sets `format` to the type chosen.
QString AskForFile(QWidget* parent, const QString& path, int& format, bool bothTypes) {
    QFileDialog dialog(parent, QString::fromLatin1(kExportDialogTitle));
    dialog.setObjectName(QStringLiteral("dlgExportList"));
    dialog.setAccessibleName(QString::fromLatin1(kExportDialogTitle));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Replacing an existing file is what choosing its name means here.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QStringList filters{FilterText(ExportFormat::Comma), FilterText(ExportFormat::Tab)};
    const QString own = format == ExportFormat::Comma ? filters[0] : filters[1];
    dialog.setNameFilters(bothTypes ? filters : QStringList{own});
    dialog.selectNameFilter(own);
    const QFileInfo proposed(path);
    dialog.setDirectory(proposed.absolutePath());
    dialog.selectFile(proposed.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    format = dialog.selectedNameFilter() == filters[0] ? ExportFormat::Comma : ExportFormat::Tab;
    return dialog.selectedFiles().constFirst();
}

bool Write(QWidget* parent, const ResultList& list, const QString& path, int format) {
    ExportOptions options;
    options.Format = format;
    const std::string problem = WriteListFile(path.toStdString(), list, options).Message();
    if (problem.empty()) return true;
    MessageDialog(parent, QStringLiteral("Export List"),
                  QStringLiteral("Quarrion could not export the list to %1.\n%2")
                      .arg(path, QString::fromStdString(problem)));
    return false;
}

}  // namespace

bool ExportListAs(QWidget* parent, const ResultList& list, QString& fileName, const QString& folder,
                  int& format, bool silent) {
    const QString base = QString::fromStdString(CommonTools::NormalizeFolder(folder.toStdString()));
    QString path;
    if (!silent) {
        const QString chosen = AskForFile(parent, base + fileName, format, true);
        if (chosen.isEmpty()) return false;
        path = QString::fromStdString(DialogExportName(chosen.toStdString(), format));
    } else {
        const QString name =
            QString::fromStdString(SilentExportName(fileName.toStdString(), format));
        path = base + name;
        if (QFileInfo::exists(path)) {
            const std::int16_t answer =
                QuestionDialog(parent, QStringLiteral("Export ") + name,
                               QStringLiteral("You already have a file called ") + name +
                                   QStringLiteral("\nDo you wish to replace it?"),
                               QStringLiteral("No"), QStringLiteral("Yes"));
            if (answer == frmDialog::CancelPressed) {
                int chosenFormat = format;
                path = AskForFile(parent, path, chosenFormat, false);
                if (path.isEmpty()) return false;
            }
        }
    }
    if (!Write(parent, list, path, format)) return false;
    fileName = path;
    return true;
}

}  // namespace quarrion
