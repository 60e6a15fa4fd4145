#include "output/frm_export_all.h"

#include <algorithm>

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QStandardItemModel>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include "foundation/common_tools.h"
#include "output/delimited_export.h"
#include "output/export_list_as.h"
#include "shell/app_settings.h"
#include "shell/frm_dialog.h"
#include "shell/named_control.h"

namespace quarrion {

namespace {

constexpr const char* kSection = "frmMain";
constexpr int kRequestTypeRole = Qt::UserRole + 1;

QString WithSeparator(const QString& folder) {
    return QString::fromStdString(CommonTools::NormalizeFolder(folder.toStdString()));
}

}  // namespace

frmExportAll::frmExportAll(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmExportAll"));
    setWindowTitle(QStringLiteral("Export All Lists"));
    setAccessibleName(windowTitle());

    lblInfo_ =
        Named(new QLabel(QStringLiteral(
                  "Select Location to save files and change the file names in the list "
                  "box.  After you are satisfied with your choices, click the \"Export\" "
                  "button to export the files.")),
              "lblInfo", QStringLiteral("Instructions"), QStringLiteral("What this dialog does"));
    lblInfo_->setWordWrap(true);

    folders_ = new QFileSystemModel(this);
    folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    folders_->setRootPath(QDir::rootPath());
    tvwFolder_ = Named(new QTreeView, "tvwFolder", QStringLiteral("Folder"),
                       QStringLiteral("The folder the files are written to"));
    tvwFolder_->setModel(folders_);
    for (int column = 1; column < folders_->columnCount(); ++column) tvwFolder_->hideColumn(column);
    tvwFolder_->setHeaderHidden(true);
    tvwFolder_->setRootIndex(folders_->index(QDir::rootPath()));
    // The tree fills as folders are read and sorts each folder a moment after; either may
    // move the chosen folder, so it is revealed again until the user takes over the tree.
    connect(folders_, &QFileSystemModel::directoryLoaded, this, [this](const QString& loaded) {
        if (path_.startsWith(WithSeparator(loaded))) RevealFolder();
    });
    connect(folders_, &QFileSystemModel::layoutChanged, this, [this] { RevealFolder(); });
    connect(tvwFolder_->verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
            [this] { following_ = false; });
    connect(tvwFolder_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (!current.isValid()) return;
                following_ = false;
                ShowFolder(folders_->filePath(current));
            });

    txtFolder_ = Named(new QLineEdit, "txtFolder", QStringLiteral("Chosen folder"),
                       QStringLiteral("The folder the files are written to"));
    txtFolder_->setReadOnly(true);

    optFilter0_ = Named(new QRadioButton(QStringLiteral("Export as Comma Separated Files (*.csv)")),
                        "optFilter0", QStringLiteral("Comma separated"),
                        QStringLiteral("Write comma-separated files (.csv)"));
    optFilter1_ =
        Named(new QRadioButton(QStringLiteral("Export as Text Tab Delimited Files (*.txt)")),
              "optFilter1", QStringLiteral("Tab delimited"),
              QStringLiteral("Write tab-delimited text files (.txt)"));
    optFilter0_->setChecked(true);

    entries_ = new QStandardItemModel(0, 1, this);
    entries_->setHorizontalHeaderLabels({QStringLiteral("File Names")});
    lstView_ = Named(new QTreeView, "lstView", QStringLiteral("File Names"),
                     QStringLiteral("The files to write, one per list; select a name and press "
                                    "F2 or double-click it to rename it"));
    lstView_->setModel(entries_);
    lstView_->setRootIsDecorated(false);
    lstView_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::SelectedClicked);

    cmdExport_ = Named(new QPushButton(QStringLiteral("Export")), "cmdExport",
                       QStringLiteral("Export"), QStringLiteral("Write the files"));
    cmdCancel_ = Named(new QPushButton(QStringLiteral("Cancel")), "cmdCancel",
                       QStringLiteral("Cancel"), QStringLiteral("Close without writing anything"));
    cmdExport_->setDefault(true);
    connect(cmdExport_, &QPushButton::clicked, this, [this] { Press(ExportPressed); });
    connect(cmdCancel_, &QPushButton::clicked, this, [this] { Press(CancelPressed); });

    auto* folderBox = Named(new QGroupBox(QStringLiteral("Location")), "fraFolder",
                            QStringLiteral("Location"), QStringLiteral("Where the files go"));
    auto* folderLayout = new QVBoxLayout(folderBox);
    folderLayout->addWidget(tvwFolder_, 1);
    folderLayout->addWidget(txtFolder_);

    auto* formatBox = Named(new QGroupBox(QStringLiteral("Format")), "fraFormat",
                            QStringLiteral("Format"), QStringLiteral("The kind of file written"));
    auto* formatLayout = new QVBoxLayout(formatBox);
    formatLayout->addWidget(optFilter0_);
    formatLayout->addWidget(optFilter1_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdExport_);
    buttons->addWidget(cmdCancel_);

    auto* layout = new QGridLayout(this);
    layout->addWidget(lblInfo_, 0, 0, 1, 2);
    layout->addWidget(folderBox, 1, 0, 2, 1);
    layout->addWidget(lstView_, 1, 1);
    layout->addWidget(formatBox, 2, 1);
    layout->addLayout(buttons, 3, 0, 1, 2);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(1, 1);
    resize(640, 440);
}

void frmExportAll::AddEntry(const QString& fileName, std::int32_t requestType) {
    auto* item = new QStandardItem(fileName);
    item->setData(requestType, kRequestTypeRole);
    item->setCheckable(true);
    item->setCheckState(Qt::Checked);
    item->setEditable(true);
    item->setToolTip(QStringLiteral("The file name for this list"));
    entries_->appendRow(item);
}

int frmExportAll::EntryCount() const {
    return entries_->rowCount();
}

QString frmExportAll::EntryName(int row) const {
    return entries_->item(row)->text();
}

std::int32_t frmExportAll::EntryRequestType(int row) const {
    return entries_->item(row)->data(kRequestTypeRole).toInt();
}

bool frmExportAll::EntryChecked(int row) const {
    return entries_->item(row)->checkState() == Qt::Checked;
}

int frmExportAll::Filter() const {
    return optFilter0_->isChecked() ? ExportFormat::Comma : ExportFormat::Tab;
}

void frmExportAll::SetFilter(int format) {
    (format == ExportFormat::Comma ? optFilter0_ : optFilter1_)->setChecked(true);
}

void frmExportAll::SetPath(const QString& folder, const QString& fallback) {
    const QString chosen = QFileInfo(folder).isDir() ? folder : fallback;
    ShowFolder(chosen);
    following_ = true;
    RevealFolder();
}

void frmExportAll::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A reveal made while hidden scrolled a viewport of no real size; redo it once the
    // window has its layout.
    QTimer::singleShot(0, this, [this] { RevealFolder(); });
}

void frmExportAll::RevealFolder() {
    if (!following_) return;
    const QModelIndex index = folders_->index(QDir::cleanPath(path_));
    if (!index.isValid()) return;
    for (QModelIndex above = index.parent(); above.isValid(); above = above.parent()) {
        tvwFolder_->expand(above);
    }
    QSignalBlocker quiet(tvwFolder_->selectionModel());
    tvwFolder_->setCurrentIndex(index);
    tvwFolder_->scrollTo(index, QAbstractItemView::PositionAtCenter);
    // The view drew the old current row; with signals held it must be told.
    tvwFolder_->viewport()->update();
}

void frmExportAll::ShowFolder(const QString& folder) {
    path_ = WithSeparator(folder);
    txtFolder_->setText(path_);
}

void frmExportAll::Press(std::int16_t code) {
    if (code == ExportPressed) {
        // A name that is empty or names another folder would write somewhere the user
        // did not choose; say which entry before anything is written.
        for (int row = 0; row < EntryCount(); ++row) {
            const QString name = EntryName(row).trimmed();
            if (name.isEmpty() || name.contains('/')) {
                MessageDialog(this, windowTitle(),
                              QStringLiteral("The file name in line %1 of the list is not a "
                                             "file name. Give each list a name without \"/\".")
                                  .arg(row + 1));
                lstView_->setCurrentIndex(entries_->index(row, 0));
                return;
            }
        }
    }
    buttonPressed_ = code;
    hide();
    done(code == ExportPressed ? QDialog::Accepted : QDialog::Rejected);
}

void ExportAllLists(QWidget* parent, const QString& appFolder, const std::vector<ResultList>& lists,
                    const QList<ExportListEntry>& entries) {
    frmExportAll dialog(parent);
    for (const ExportListEntry& entry : entries) dialog.AddEntry(entry.FileName, entry.RequestType);
    dialog.SetPath(AppSettings::Text(kSection, QStringLiteral("exportpath"), appFolder), appFolder);
    dialog.SetFilter(
        AppSettings::Number(kSection, QStringLiteral("exportfilter"), ExportFormat::Comma));
    dialog.exec();
    if (dialog.ButtonPressed() != frmExportAll::ExportPressed) return;

    const QString folder = dialog.Path();
    int format = dialog.Filter();
    AppSettings::SetText(kSection, QStringLiteral("exportpath"), folder);
    AppSettings::SetNumber(kSection, QStringLiteral("exportfilter"), format);
    for (int row = 0; row < dialog.EntryCount(); ++row) {
        const std::int32_t type = dialog.EntryRequestType(row);
        auto list = std::find_if(lists.begin(), lists.end(), [type](const ResultList& candidate) {
            return candidate.RequestType == type;
        });
        // A list the window no longer holds ends the run, as a failed write does.
        if (list == lists.end()) return;
        QString fileName = dialog.EntryName(row).trimmed();
        if (!ExportListAs(parent, *list, fileName, folder, format, true)) return;
    }
}

}  // namespace quarrion
