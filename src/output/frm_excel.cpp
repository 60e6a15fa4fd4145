#include "output/frm_excel.h"

#include <algorithm>

#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include "foundation/atomic_file.h"
#include "output/desktop_opener.h"
#include "output/sheet_model.h"
#include "output/sheet_names.h"
#include "shell/app_settings.h"
#include "shell/busy_pane.h"
#include "shell/frm_dialog.h"
#include "shell/named_control.h"

namespace quarrion {

namespace {

// The busy pane slides out in steps of this share of the window's inner height.
constexpr double kSlideStep = 0.005;

constexpr const char* kSection = "frmExcel";
constexpr const char* kHideEmptyKey = "hideempty";

}  // namespace

frmExcel::frmExcel(std::vector<ResultList> lists, QWidget* parent)
    : QWidget(parent), lists_(std::move(lists)), book_(std::make_unique<TemporaryWorkbook>()) {
    setObjectName(QStringLiteral("frmExcel"));
    setAttribute(Qt::WA_DeleteOnClose);

    tabSheets_ = Named(new QTabWidget, QStringLiteral("tabSheets"), QStringLiteral("Worksheets"),
                       QStringLiteral("The workbook's sheets, one per result list"));
    chkHideEmpty_ =
        Named(new QCheckBox(QStringLiteral("Leave out types without rows")),
              QStringLiteral("chkHideEmpty"), QStringLiteral("Leave out types without rows"),
              QStringLiteral("Write sheets only for the types that found something; changing "
                             "this writes the workbook again"));
    chkHideEmpty_->setChecked(AppSettings::Flag(QString::fromLatin1(kSection),
                                                QString::fromLatin1(kHideEmptyKey), false));
    chkHideEmpty_->setEnabled(false);
    connect(chkHideEmpty_, &QCheckBox::toggled, this, &frmExcel::LeaveOutEmpty);

    lblBook_ = Named(new QLabel, QStringLiteral("lblBook"), QStringLiteral("Workbook"),
                     QStringLiteral("The workbook's name and sheets"));
    cmdEdit_ = Named(new QPushButton(QStringLiteral("Edit")), QStringLiteral("cmdEdit"),
                     QStringLiteral("Edit"),
                     QStringLiteral("Open the workbook in the desktop's spreadsheet program"));
    cmdSaveAs_ = Named(new QPushButton(QStringLiteral("Save As...")), QStringLiteral("cmdSaveAs"),
                       QStringLiteral("Save As"),
                       QStringLiteral("Keep a copy of the workbook where you choose"));
    ShowSheets();
    cmdEdit_->setEnabled(false);
    cmdSaveAs_->setEnabled(false);
    connect(cmdEdit_, &QPushButton::clicked, this, &frmExcel::Edit);
    connect(cmdSaveAs_, &QPushButton::clicked, this, &frmExcel::SaveAs);

    auto* bar = new QHBoxLayout;
    bar->addWidget(lblBook_, 1);
    bar->addWidget(chkHideEmpty_);
    bar->addWidget(cmdEdit_);
    bar->addWidget(cmdSaveAs_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(tabSheets_, 1);

    busyView_ = Named(new BusyPane(this), QStringLiteral("busyView"), QStringLiteral("Working"),
                      QStringLiteral("The workbook is being written"));
    busyView_->SetCaption(QString::fromLatin1(BusyCaption));
    busyView_->setAutoFillBackground(true);
    busyView_->setGeometry(rect());
    busyView_->raise();

    tmrTick_ = new QTimer(this);
    tmrTick_->setInterval(100);
    connect(tmrTick_, &QTimer::timeout, this, [this] {
        // One frame per ten rows written since the last look, as the rows come.
        const std::size_t written = rowsWritten_.load(std::memory_order_relaxed);
        if (written >= rowsTicked_ + 10) {
            rowsTicked_ = written;
            Tick();
        }
    });
    tmrSlide_ = new QTimer(this);
    tmrSlide_->setInterval(1);
    connect(tmrSlide_, &QTimer::timeout, this, [this] {
        const int step = std::max(1, static_cast<int>(height() * kSlideStep));
        busyView_->move(busyView_->x(), busyView_->y() + step);
        if (busyView_->y() >= height()) {
            tmrSlide_->stop();
            busyView_->hide();
            busyView_->SetScrolling(false);
        }
    });
}

frmExcel::~frmExcel() {
    if (worker_.joinable()) worker_.join();
}

QString frmExcel::WorkbookPath() const {
    return QString::fromStdString(book_->Path().string());
}

std::vector<const ResultList*> frmExcel::ShownLists() const {
    const bool leaveOut = chkHideEmpty_->isChecked();
    std::vector<const ResultList*> shown;
    for (const ResultList& list : lists_) {
        if (!leaveOut || !list.Rows.empty()) shown.push_back(&list);
    }
    return shown;
}

void frmExcel::ShowSheets() {
    while (tabSheets_->count() > 0) {
        QWidget* page = tabSheets_->widget(0);
        tabSheets_->removeTab(0);
        delete page;
    }
    const std::vector<const ResultList*> lists = ShownLists();
    std::vector<std::string> titles;
    for (const ResultList* list : lists) titles.push_back(list->Title);
    const std::vector<std::string> names = UniqueSheetNames(titles);
    for (std::size_t i = 0; i < lists.size(); ++i) {
        const QString sheet = QString::fromStdString(names[i]);
        auto* view = Named(new QTableView, QStringLiteral("tblSheet%1").arg(i + 1),
                           QStringLiteral("Sheet ") + sheet,
                           QStringLiteral("What the sheet %1 holds (read-only)").arg(sheet));
        view->setModel(new SheetModel(*lists[i], view));
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setAlternatingRowColors(false);
        view->horizontalHeader()->setStyleSheet(QStringLiteral(
            "QHeaderView::section { background-color: #696969; color: #FFFF00; padding: 2px; "
            "border: 1px solid #505050; }"));
        view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
        // Fitting the columns measures a sample of rows only: a sheet may hold
        // hundreds of thousands.
        view->horizontalHeader()->setResizeContentsPrecision(50);
        view->resizeColumnsToContents();
        tabSheets_->addTab(view, sheet);
    }
    lblBook_->setText(QString::fromStdString(book_->Name()) +
                      QStringLiteral(" \u2014 writing %1 sheet(s) ...").arg(lists.size()));
}

void frmExcel::LeaveOutEmpty(bool leaveOut) {
    if (building_) return;
    if (ChangedSinceBuilt()) {
        if (!AskAboutChanges(QStringLiteral(".\nWriting it again replaces those changes. Write it "
                                            "again?"),
                             QStringLiteral("Keep"), QStringLiteral("Write Again"))) {
            QSignalBlocker quiet(chkHideEmpty_);
            chkHideEmpty_->setChecked(!leaveOut);
            return;
        }
    }
    AppSettings::SetFlag(QString::fromLatin1(kSection), QString::fromLatin1(kHideEmptyKey),
                         leaveOut);
    ShowSheets();
    cmdEdit_->setEnabled(false);
    cmdSaveAs_->setEnabled(false);
    tmrSlide_->stop();
    busyView_->SetScrolling(false);
    busyView_->setGeometry(rect());
    busyView_->show();
    busyView_->raise();
    rowsWritten_.store(0, std::memory_order_relaxed);
    rowsTicked_ = 0;
    Start();
}

void frmExcel::Start() {
    if (building_ || worker_.joinable()) return;
    building_ = true;
    chkHideEmpty_->setEnabled(false);
    tmrTick_->start();
    std::vector<const ResultList*> lists = ShownLists();
    // The writer reads the lists, which the preview reads too and nobody changes
    // while the window lives; the file is the worker's until it reports back.
    worker_ = std::thread([this, lists = std::move(lists)] {
        std::string error = book_
                                ->Build(lists,
                                        [this](std::size_t written, std::size_t) {
                                            rowsWritten_.store(written, std::memory_order_relaxed);
                                        })
                                .Message();
        QMetaObject::invokeMethod(
            this, [this, error = std::move(error)] { Finished(error); }, Qt::QueuedConnection);
    });
}

void frmExcel::Finished(const std::string& error) {
    if (worker_.joinable()) worker_.join();
    building_ = false;
    tmrTick_->stop();
    buildError_ = error;
    chkHideEmpty_->setEnabled(true);
    Done();
    if (!error.empty()) {
        lblBook_->setText(QString::fromStdString(book_->Name()) +
                          QStringLiteral(" \u2014 the workbook could not be written"));
        MessageDialog(this, QStringLiteral("Open Results in Excel"),
                      QStringLiteral("Quarrion could not write the workbook %1.\n%2")
                          .arg(WorkbookPath(), QString::fromStdString(error)));
        emit Built(false);
        return;
    }
    const QFileInfo written(WorkbookPath());
    builtAt_ = written.lastModified();
    builtSize_ = written.size();
    lblBook_->setText(QString::fromStdString(book_->Name()) +
                      QStringLiteral(" \u2014 %1 sheet(s)").arg(tabSheets_->count()));
    cmdEdit_->setEnabled(true);
    cmdSaveAs_->setEnabled(true);
    emit Built(true);
}

void frmExcel::Tick() {
    busyView_->Tick();
}

void frmExcel::Done() {
    if (isMinimized() || !isVisible()) {
        busyView_->hide();
        return;
    }
    busyView_->SetScrolling(true);
    tmrSlide_->start();
}

void frmExcel::Edit() {
    if (OpenOnDesktop(QUrl::fromLocalFile(WorkbookPath()))) return;
    MessageDialog(this, QStringLiteral("Edit"),
                  QStringLiteral("No spreadsheet program on this computer opens %1.\nInstall one "
                                 "(LibreOffice Calc, for example), or use \"Save As...\" to keep "
                                 "a copy and open it elsewhere.")
                      .arg(WorkbookPath()));
}

bool frmExcel::SaveAs() {
    QFileDialog dialog(this, QStringLiteral("Save WorkBook As"));
    dialog.setObjectName(QStringLiteral("dlgSaveWorkbook"));
    dialog.setAccessibleName(dialog.windowTitle());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("Excel WorkBook (*.xlsx)"));
    dialog.setDefaultSuffix(QStringLiteral("xlsx"));
    dialog.selectFile(QString::fromStdString(book_->Name()) + QStringLiteral(".xlsx"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    const QString target = dialog.selectedFiles().constFirst();
    std::string bytes;
    std::string problem = ReadWholeFile(book_->Path(), bytes).Message();
    if (problem.empty()) problem = WriteFileAtomically(target.toStdString(), bytes).Message();
    if (!problem.empty()) {
        MessageDialog(this, QStringLiteral("Save WorkBook As"),
                      QStringLiteral("Quarrion could not save the workbook as %1.\n%2")
                          .arg(target, QString::fromStdString(problem)));
        return false;
    }
    lblBook_->setText(QString::fromStdString(book_->Name()) +
                      QStringLiteral(" \u2014 saved as %1").arg(target));
    return true;
}

bool frmExcel::ChangedSinceBuilt() const {
    if (builtSize_ < 0) return false;
    const QFileInfo now(WorkbookPath());
    return now.exists() && (now.lastModified() != builtAt_ || now.size() != builtSize_);
}

bool frmExcel::AskAboutChanges(const QString& consequence, const QString& decline,
                               const QString& agree) {
    const QString message =
        QStringLiteral("The workbook %1 was changed after Quarrion wrote it").arg(WorkbookPath());
    return QuestionDialog(this, windowTitle(), message + consequence, decline, agree) ==
           frmDialog::OkPressed;
}

void frmExcel::closeEvent(QCloseEvent* event) {
    if (ChangedSinceBuilt()) {
        if (AskAboutChanges(QStringLiteral(", and it is deleted when this window closes.\nSave a "
                                           "copy first?"),
                            QStringLiteral("Close"), QStringLiteral("Save As...")) &&
            !SaveAs()) {
            event->ignore();
            return;
        }
    }
    // The writer may still hold the file; it finishes before the file goes.
    if (worker_.joinable()) worker_.join();
    book_->Remove();
    event->accept();
}

void frmExcel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!busyView_->Scrolling()) busyView_->setGeometry(rect());
}

}  // namespace quarrion
