#include "results/frm_search_results.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <QVariantAnimation>
#include <algorithm>
#include <atomic>
#include <pugixml.hpp>
#include <thread>
#include <utility>

#include "link/relaywick.h"
#include "model/inc_item.h"
#include "model/search_object2.h"
#include "qbxml/request_type_info.h"
#include "results/data_view_stand_in.h"
#include "results/frm_re_search.h"
#include "results/result_table_model.h"
#include "results/search_run.h"
#include "shell/app_settings.h"
#include "shell/app_state.h"
#include "shell/busy_pane.h"
#include "shell/frm_dialog.h"
#include "shell/frm_msg.h"
#include "shell/relaywick_link.h"
#include "shell/search_console.h"
#include "store/io_manager.h"

namespace quarrion {

namespace {

// Set by the window on each list's viewport, so the event filter finds the list.
constexpr const char* kListProperty = "quarrionList";

bool IsBlank(const std::string& text) {
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

QTableView* MakeList(int index, QWidget* parent) {
    auto* view = new QTableView(parent);
    view->setObjectName(QStringLiteral("lstView_%1").arg(index));
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setAlternatingRowColors(true);
    view->setWordWrap(false);
    view->setCornerButtonEnabled(false);
    view->setContextMenuPolicy(Qt::NoContextMenu);
    // Rows keep one height, so a list of any size lays out without measuring its rows.
    QHeaderView* rows = view->verticalHeader();
    rows->setVisible(false);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(view->fontMetrics().height() + 6);
    QHeaderView* columns = view->horizontalHeader();
    columns->setSectionsClickable(true);
    columns->setSectionsMovable(true);
    columns->setSortIndicatorShown(false);
    columns->setHighlightSections(false);
    // The last column takes the room left, so a short list leaves no blank band.
    columns->setStretchLastSection(true);
    view->setToolTip(QStringLiteral(
        "Left click a record to open it; right click for its data view; click a heading to sort"));
    // Disabled until its type's answer has been examined once.
    view->setEnabled(false);
    return view;
}

// Column widths from the headings alone: measuring cells would cost a pass over every
// row of a large list.
void SizeColumns(QTableView& view) {
    const QFontMetrics metrics = view.horizontalHeader()->fontMetrics();
    QAbstractItemModel* model = view.model();
    for (int column = 0; column < model->columnCount(); ++column) {
        QString heading = model->headerData(column, Qt::Horizontal).toString();
        view.horizontalHeader()->resizeSection(
            column, std::max(90, metrics.horizontalAdvance(heading) + 28));
    }
}

// Widths from the first rows once a list has them: the header measures at most
// kMeasuredRows rows, so a list of any size costs the same.
constexpr int kMeasuredRows = 100;
constexpr int kWidestColumn = 320;

void FitColumns(QTableView& view) {
    QHeaderView* header = view.horizontalHeader();
    header->setResizeContentsPrecision(kMeasuredRows);
    view.resizeColumnsToContents();
    for (int column = 0; column < header->count(); ++column) {
        header->resizeSection(column,
                              std::clamp(header->sectionSize(column) + 8, 60, kWidestColumn));
    }
}

}  // namespace

frmSearchResults::frmSearchResults(ConsoleHost& host, OutputWindows outputs, QWidget* parent)
    : QWidget(parent),
      host_(host),
      outputs_(std::move(outputs)),
      link_(std::make_unique<Relaywick>(PostToQtEventLoop())),
      run_(std::make_unique<SearchRun>(*link_)),
      lblFile_(new QLabel(this)),
      tabView_(new QTabWidget(this)),
      lblStatus_(new QLabel(this)),
      chkHideEmpty_(new QCheckBox(QString::fromLatin1(HideEmptyText), this)),
      busyView_(new BusyPane(this)),
      tmrCheck_(new QTimer(this)),
      slide_(new QVariantAnimation(this)) {
    setObjectName(QStringLiteral("frmSearchResults"));
    setAccessibleName(QStringLiteral("Search results"));
    setFocusPolicy(Qt::StrongFocus);
    resize(720, 420);
    link_->SetId(host_.State().NextWindowId());

    lblFile_->setObjectName(QStringLiteral("lblFile"));
    lblFile_->setAccessibleName(QStringLiteral("QuickBooks file in use"));
    lblFile_->setToolTip(QStringLiteral("The QuickBooks company file the results come from"));
    lblFile_->setAutoFillBackground(true);
    QPalette colours = lblFile_->palette();
    colours.setColor(QPalette::Window, QColor(0, 100, 0));
    colours.setColor(QPalette::WindowText, QColor(255, 236, 0));
    lblFile_->setPalette(colours);
    lblFile_->setContentsMargins(6, 3, 6, 3);

    tabView_->setObjectName(QStringLiteral("tabView"));
    tabView_->setAccessibleName(QStringLiteral("Result lists"));
    tabView_->setToolTip(QStringLiteral("One result list per searched type"));
    tabView_->setDocumentMode(true);
    tabView_->setUsesScrollButtons(true);
    connect(tabView_, &QTabWidget::currentChanged, this, [this](int) {
        if (lists_.empty()) return;
        UpdateHubState();
        ShowStatus();
    });

    lblStatus_->setObjectName(QStringLiteral("lblStatus"));
    lblStatus_->setAccessibleName(QStringLiteral("Type status"));
    lblStatus_->setToolTip(QStringLiteral("How the selected type's search went"));
    lblStatus_->setWordWrap(true);
    lblStatus_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    chkHideEmpty_->setObjectName(QStringLiteral("chkHideEmpty"));
    chkHideEmpty_->setAccessibleName(QString::fromLatin1(HideEmptyText));
    chkHideEmpty_->setToolTip(QStringLiteral("Hide the tabs of the types that found nothing"));
    chkHideEmpty_->setChecked(
        AppSettings::Flag(QStringLiteral("Results"), QStringLiteral("hideempty"), false));
    connect(chkHideEmpty_, &QCheckBox::toggled, this, [this](bool hide) {
        AppSettings::SetFlag(QStringLiteral("Results"), QStringLiteral("hideempty"), hide);
        ShowTabs();
    });

    auto* statusBar = new QHBoxLayout;
    statusBar->setContentsMargins(6, 2, 6, 2);
    statusBar->addWidget(lblStatus_, 1);
    statusBar->addWidget(chkHideEmpty_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(lblFile_);
    layout->addWidget(tabView_, 1);
    layout->addLayout(statusBar);

    busyView_->setObjectName(QStringLiteral("busyView"));
    busyView_->setAccessibleName(QStringLiteral("Search progress"));
    busyView_->setToolTip(QStringLiteral("The search is running"));
    busyView_->setAutoFillBackground(true);
    busyView_->raise();

    tmrCheck_->setObjectName(QStringLiteral("tmrCheck"));
    tmrCheck_->setInterval(CheckInterval);
    connect(tmrCheck_, &QTimer::timeout, this, &frmSearchResults::CheckDone);

    slide_->setDuration(250);
    connect(slide_, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& top) { busyView_->move(0, top.toInt()); });
    connect(slide_, &QVariantAnimation::finished, this, [this] {
        busyView_->hide();
        busyView_->SetScrolling(false);
        emit Completed();
    });

    run_->Changed = [this](std::int32_t type) { OnChanged(type); };
    run_->Examining = [this](std::int32_t type) { OnExamining(type); };
    run_->Yield = [this] { Yield(); };
    run_->RunAside = [this](const std::function<void()>& work) {
        EnterWork();
        RunAside(work);
        LeaveWork();
    };
    run_->FileReported = [this](const std::string& file) {
        lblFile_->setText(QStringLiteral("QuickBooks File in use ") + QString::fromStdString(file));
        // The register only remembers company files searched; failing to write it
        // costs the search nothing.
        if (IOManager* manager = host_.State().Manager())
            static_cast<void>(manager->UpdateQuickBooksFiles(file));
    };
    run_->PopUp = [this](std::int32_t code, const std::string& message) {
        host_.State().Hub().ShowPopUp(code, QString::fromStdString(message));
    };
}

frmSearchResults::~frmSearchResults() {
    delete reSearch_.data();
    // The run goes before the link it listens to; the link then delivers nothing more.
    run_.reset();
    link_.reset();
}

SearchObject2& frmSearchResults::SearchObject() {
    return run_->Search();
}

std::int32_t frmSearchResults::OwnerID() const {
    return link_->Id();
}

QTableView* frmSearchResults::lstView(int index) const {
    return index >= 0 && index < ListCount() ? lists_[static_cast<std::size_t>(index)] : nullptr;
}

ResultTableModel* frmSearchResults::Model(int index) const {
    return index >= 0 && index < ListCount() ? models_[static_cast<std::size_t>(index)] : nullptr;
}

frmReSearch* frmSearchResults::ReSearchWindow() const {
    return reSearch_;
}

void frmSearchResults::SetBusyText(const QString& text) {
    busyView_->SetCaption(text);
}

void frmSearchResults::SetDisplay() {
    EnterWork();
    displayLists_.clear();
    for (IncItem& item : run_->Search().IncludeItems) displayLists_.push_back(ListFor(item));
    int index = 0;
    for (IncItem& item : run_->Search().IncludeItems) {
        const ResultList& columns = displayLists_[static_cast<std::size_t>(index)];
        QTableView* view = MakeList(index, tabView_);
        auto* model = new ResultTableModel(view);
        model->setObjectName(QStringLiteral("lstModel_%1").arg(index));
        model->SetList(&columns);
        view->setModel(model);
        const QString title = QString::fromStdString(columns.Title);
        view->setAccessibleName(title + QStringLiteral(" results"));
        SizeColumns(*view);
        view->viewport()->setProperty(kListProperty, index);
        view->viewport()->installEventFilter(this);
        connect(view->horizontalHeader(), &QHeaderView::sectionClicked, this,
                [this, index](int column) { SortBy(index, column); });
        int tab = tabView_->addTab(view, title);
        tabView_->setTabToolTip(tab, title);
        tabView_->tabBar()->setTabData(tab, QString::fromStdString(item.Name));
        lists_.push_back(view);
        models_.push_back(model);
        ++index;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    PlaceBusyPane();
    if (tabView_->count() > 0) tabView_->setCurrentIndex(0);
    LeaveWork();
}

void frmSearchResults::Start() {
    SetBusyText(QString::fromLatin1(ProcessingText));
    run_->Start();
    const std::vector<ResultList>& lists = run_->Lists();
    for (std::size_t i = 0; i < models_.size() && i < lists.size(); ++i)
        models_[i]->SetList(&lists[i]);
    if (!tmrCheck_->isActive() && !complete_) tmrCheck_->start();
}

void frmSearchResults::CheckDone() {
    busyView_->Tick();
    if (!run_->AllDone()) return;
    tmrCheck_->stop();
    complete_ = true;
    SlideBusyAway();
    UpdateHubState();
}

void frmSearchResults::SlideBusyAway() {
    if (!busyView_->isVisible()) {
        emit Completed();
        return;
    }
    busyView_->SetScrolling(true);
    slide_->setStartValue(busyView_->y());
    slide_->setEndValue(height());
    slide_->start();
}

void frmSearchResults::PlaceBusyPane() {
    if (busyView_->isHidden() || busyView_->Scrolling()) return;
    busyView_->setGeometry(rect());
    busyView_->raise();
}

void frmSearchResults::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceBusyPane();
}

void frmSearchResults::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    PlaceBusyPane();
    AttachToSubWindow();
}

void frmSearchResults::AttachToSubWindow() {
    auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (!sub || sub == subWindow_) return;
    subWindow_ = sub;
    connect(sub, &QMdiSubWindow::windowStateChanged, this,
            [this](Qt::WindowStates before, Qt::WindowStates now) {
                bool was = before.testFlag(Qt::WindowActive);
                bool is = now.testFlag(Qt::WindowActive);
                if (was && !is) SendAllOff();
                if (!was && is) UpdateHubState();
            });
}

void frmSearchResults::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    UpdateHubState();
}

int frmSearchResults::ListOfType(std::int32_t requestType) const {
    // Tab i shows the i-th included type (0-based), as SetDisplay made them.
    int list = 0;
    for (const IncItem& item : run_->Search().IncludeItems) {
        if (item.RequestType() == requestType) return list;
        ++list;
    }
    return -1;
}

std::int32_t frmSearchResults::TypeOfList(int list) const {
    IncItem* item =
        list >= 0 ? run_->Search().IncludeItems.Item(static_cast<std::size_t>(list) + 1) : nullptr;
    return item ? static_cast<std::int32_t>(item->RequestType()) : 0;
}

void frmSearchResults::OnExamining(std::int32_t requestType) {
    if (ResultTableModel* model = Model(ListOfType(requestType))) model->Clear();
}

void frmSearchResults::OnChanged(std::int32_t requestType) {
    int list = ListOfType(requestType);
    IncItem* item = run_->Search().IncludeItems.ItemByRequestType(requestType);
    if (!item || list < 0) return;
    if (ResultTableModel* model = Model(list)) model->Refresh();
    const QString title = QString::fromStdString(RequestTypeInfo::TypeTitle(requestType));
    const QString message = QString::fromStdString(item->Message);
    tabView_->setTabToolTip(list, title + QStringLiteral(": ") + message);
    if (!complete_) SetBusyText(title + QStringLiteral("\n") + message);
    if (list == tabView_->currentIndex()) ShowStatus();
    if (item->Done) ShowTabs();
    if (item->Done && !item->Response.empty()) {
        QTableView* view = lstView(list);
        if (!view->isEnabled()) {
            QPalette white = view->palette();
            white.setColor(QPalette::Base, Qt::white);
            view->setPalette(white);
            view->setEnabled(true);
            FitColumns(*view);
        }
    }
}

void frmSearchResults::ShowStatus() {
    if (tabView_->count() > 0 && tabView_->isHidden()) {
        lblStatus_->setText(QString::fromLatin1(AllHiddenText));
        return;
    }
    const std::int32_t type = TypeOfList(tabView_->currentIndex());
    IncItem* item = run_->Search().IncludeItems.ItemByRequestType(type);
    if (!item || item->Message.empty()) {
        lblStatus_->clear();
        return;
    }
    lblStatus_->setText(QString::fromStdString(RequestTypeInfo::TypeTitle(type)) +
                        QStringLiteral(": ") + QString::fromStdString(item->Message));
}

void frmSearchResults::ShowTabs() {
    const bool hideEmpty = chkHideEmpty_->isChecked();
    const std::vector<ResultList>& lists = run_->Lists();
    int firstShown = -1;
    for (int list = 0; list < tabView_->count(); ++list) {
        IncItem* item = run_->Search().IncludeItems.ItemByRequestType(TypeOfList(list));
        const bool empty = item && item->Done && static_cast<std::size_t>(list) < lists.size() &&
                           lists[static_cast<std::size_t>(list)].Rows.empty();
        const bool shown = !(hideEmpty && empty);
        tabView_->setTabVisible(list, shown);
        if (shown && firstShown < 0) firstShown = list;
    }
    if (!tabView_->isTabVisible(tabView_->currentIndex()) && firstShown >= 0) {
        tabView_->setCurrentIndex(firstShown);
    }
    // With every tab hidden the last list would still show; the status says why not.
    tabView_->setVisible(firstShown >= 0 || tabView_->count() == 0);
    ShowStatus();
}

void frmSearchResults::Yield() {
    EnterWork();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    LeaveWork();
}

void frmSearchResults::RunAside(const std::function<void()>& work) {
    std::atomic<bool> done{false};
    std::thread worker([&work, &done] {
        work();
        done = true;
        // Wakes the loop below, which may be waiting for events.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [] {}, Qt::QueuedConnection);
    });
    while (!done)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    worker.join();
}

void frmSearchResults::LeaveWork() {
    if (--working_ > 0 || !closeWhenIdle_) return;
    // The close asked for meanwhile, once the work on the stack has returned.
    closeWhenIdle_ = false;
    QTimer::singleShot(0, this, [this] {
        if (subWindow_) {
            subWindow_->close();
        } else {
            close();
        }
    });
}

void frmSearchResults::closeEvent(QCloseEvent* event) {
    run_->Close();
    if (working_ > 0) {
        closeWhenIdle_ = true;
        event->ignore();
        return;
    }
    tmrCheck_->stop();
    if (reSearch_) reSearch_->hide();
    host_.State().Hub().AllOff();
    event->accept();
}

void frmSearchResults::SendAllOff() {
    MsgInterface& hub = host_.State().Hub();
    hub.SetPrinterIcon(false);
    hub.SetInvoiceMenu(false);
    hub.SetCreditMemoMenu(false);
    hub.SetPOMenu(false);
    hub.SetSOMenu(false);
    hub.SendRequestTypeNotification(0, false, QString(), OwnerID());
}

void frmSearchResults::UpdateHubState() {
    if (!run_->AllDone() || run_->Search().IncludeItems.Count() == 0) {
        SendAllOff();
        return;
    }
    MsgInterface& hub = host_.State().Hub();
    hub.SetToPrintOff();
    const int selected = tabView_->currentIndex();
    const std::int32_t type = TypeOfList(selected);
    switch (RequestTypeInfo::ToPrintCategory(type, run_->ResponseContext())) {
        case 1:
        case 2:
        case 7:
            hub.SetInvoiceMenu(true);
            break;
        case 3:
        case 4:
        case 8:
            hub.SetPOMenu(true);
            break;
        case 5:
        case 9:
            hub.SetCreditMemoMenu(true);
            break;
        case 6:
        case 10:
            hub.SetSOMenu(true);
            break;
        default:
            break;
    }
    QStringList others;
    for (int list = 0; list < ListCount(); ++list) {
        if (list != selected && Model(list)->rowCount() > 0)
            others.append(QString::number(TypeOfList(list)));
    }
    const bool hasRows = Model(selected) && Model(selected)->rowCount() > 0;
    hub.SendRequestTypeNotification(type, hasRows, others.join(','), OwnerID());
}

void frmSearchResults::SortBy(int list, int column) {
    ResultTableModel* model = Model(list);
    if (!model) return;
    Qt::SortOrder order = model->SortOrder();
    if (model->SortColumn() == column) {
        order = order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    }
    model->sort(column, order);
    QHeaderView* header = lstView(list)->horizontalHeader();
    header->setSortIndicatorShown(true);
    header->setSortIndicator(column, order);
}

bool frmSearchResults::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease)
        return QWidget::eventFilter(watched, event);
    QVariant list = watched->property(kListProperty);
    if (!list.isValid()) return QWidget::eventFilter(watched, event);
    const auto& mouse = static_cast<const QMouseEvent&>(*event);
    if (event->type() == QEvent::MouseButtonPress) {
        down_ = {list.toInt(), mouse.button(), mouse.modifiers(), mouse.position().toPoint()};
    } else {
        Released(list.toInt(), mouse);
    }
    return QWidget::eventFilter(watched, event);
}

void frmSearchResults::Released(int list, const QMouseEvent& event) {
    // A left click opens records only once every answer is in.
    if (event.button() == Qt::LeftButton && !run_->AllDone()) {
        down_ = MouseDown{};
        return;
    }
    const QPoint at = event.position().toPoint();
    const MouseDown down = std::exchange(down_, MouseDown{});
    if (down.List != list || down.Button != event.button() || down.Modifiers != event.modifiers() ||
        std::abs(at.x() - down.Position.x()) > ClickSlop ||
        std::abs(at.y() - down.Position.y()) > ClickSlop) {
        return;
    }
    QTableView* view = lstView(list);
    QModelIndex index = view->indexAt(at);
    if (!index.isValid()) return;
    view->selectRow(index.row());
    const ResultRow* row = Model(list)->RowAt(index.row());
    if (!row) return;
    const std::int32_t type = TypeOfList(list);
    const std::string id = run_->RecordId(type, row->Key);
    const bool canOpen = RequestTypeInfo::CanOpenRecord(run_->ResponseContext());
    if (event.button() == Qt::LeftButton) {
        if (IsBlank(id)) return;
        if (canOpen) {
            link_->OpenRecord(id, type, run_->QuickBooksFile(), run_->ResponseContext());
        } else {
            OpenDataView(type, row->Key, canOpen);
        }
    } else if (event.button() == Qt::RightButton) {
        OpenDataView(type, row->Key, canOpen);
    }
}

void frmSearchResults::OpenDataView(std::int32_t requestType, const std::string& key,
                                    bool canOpenRecord) {
    pugi::xml_document record;
    if (!run_->RecordCopy(requestType, key, record)) return;
    const bool old = !canOpenRecord && RequestTypeInfo::HasVersion(requestType, "3.0");
    if (outputs_.DataView) {
        outputs_.DataView(host_, record.document_element(), old, requestType);
    } else {
        auto* view = new DataViewStandIn(host_.State().Catalog());
        view->Show(record.document_element(), old, requestType);
        host_.createMdiChild(view);
    }
    host_.State().Hub().Arrange();
}

ResultList frmSearchResults::ShownList(int index) const {
    QTableView* view = lstView(index);
    if (!view) return {};
    std::vector<int> columns;
    const QHeaderView* header = view->horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual)
        columns.push_back(header->logicalIndex(visual));
    return Model(index)->Shown(columns);
}

std::vector<ResultList> frmSearchResults::ShownLists() const {
    std::vector<ResultList> lists;
    for (int list = 0; list < ListCount(); ++list) lists.push_back(ShownList(list));
    return lists;
}

void frmSearchResults::NotInBuild(const QString& caption, const QString& command) {
    MessageDialog(this, caption,
                  command + QStringLiteral(" is not part of this build of Quarrion."));
}

bool frmSearchResults::Export(std::int32_t requestType, QString& fileName, QString& folder,
                              int& format, bool silent) {
    if (!outputs_.ExportList) {
        NotInBuild(QStringLiteral("Export Search Results"),
                   QStringLiteral("Exporting a result list"));
        return false;
    }
    int list = ListOfType(requestType);
    if (list < 0) return false;
    return outputs_.ExportList(host_, this, ShownList(list), fileName, folder, format, silent);
}

void frmSearchResults::ExportAll(const QList<ExportListEntry>& lists) {
    if (!outputs_.ExportAll) {
        NotInBuild(QStringLiteral("Export Search Results"),
                   QStringLiteral("Exporting all result lists"));
        return;
    }
    outputs_.ExportAll(host_, this, ShownLists(), lists);
}

void frmSearchResults::Excel() {
    if (!outputs_.Excel) {
        NotInBuild(QStringLiteral("Open Results in Excel"), QStringLiteral("The workbook"));
        return;
    }
    outputs_.Excel(host_, windowTitle(), ShownLists());
}

void frmSearchResults::SetToPrint(bool& toPrint, const QString& title, const QString& message) {
    const int list = tabView_->currentIndex();
    const std::int32_t type = TypeOfList(list);
    if (type == 0) return;
    EnterWork();
    auto notice = std::make_unique<frmMsg>(window());
    notice->setWindowTitle(title);
    notice->SetMessage(message);
    notice->show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    run_->SetToPrint(type, toPrint, host_.State().SkipEditSequenceCheck());
    // The run wrote the new states into the list's cells; repaint the column that
    // shows them, if the list has one.
    const std::string column = "//" + RequestTypeInfo::RecordElementName(type) + "/IsToBePrinted";
    const ResultList* shown = Model(list)->List();
    for (std::size_t c = 0; shown && c < shown->Columns.size(); ++c) {
        if (shown->Columns[c].Key == column) Model(list)->CellsChanged(static_cast<int>(c));
    }
    notice->close();
    notice.reset();
    LeaveWork();
}

void frmSearchResults::ReSearch() {
    if (!reSearch_) {
        reSearch_ = new frmReSearch(host_.State(), window());
        connect(reSearch_, &frmReSearch::Search, this, &frmSearchResults::RunSearchAgain);
    }
    EnterWork();
    reSearch_->SetSearchObject(run_->Search());
    reSearch_->exec();
    LeaveWork();
}

void frmSearchResults::RunSearchAgain() {
    if (!reSearch_ || run_->Closing()) return;
    EnterWork();
    complete_ = false;
    show();
    run_->ReSearch(reSearch_->SearchObject(), host_.State().Catalog());
    complete_ = run_->AllDone();
    if (!run_->Closing()) UpdateHubState();
    LeaveWork();
}

}  // namespace quarrion
