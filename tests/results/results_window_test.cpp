// The results window driven as a user drives it: the real store (catalog loaded from
// the shipped control file), a main window as host, and the link answering from a small
// generated company in the test's data folder.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <pugixml.hpp>

#include "console/criteria_control.h"
#include "console/criterion_control.h"
#include "console/field_criteria_control.h"
#include "console/field_criterion_control.h"
#include "console/search_console_factory.h"
#include "link/link_settings.h"
#include "modal.h"
#include "model/record_judge.h"
#include "qbxml/request_type_info.h"
#include "results/data_view_stand_in.h"
#include "results/frm_re_search.h"
#include "results/frm_search_results.h"
#include "results/re_search_console.h"
#include "results/result_table_model.h"
#include "results/results_window_opener.h"
#include "results/search_run.h"
#include "sample/sample_company.h"
#include "search/search_builder.h"
#include "shell/app_state.h"
#include "shell/busy_pane.h"
#include "shell/frm_main.h"
#include "shell/frm_msg.h"
#include "shell/frm_pop_up.h"
#include "shell/io_manager_store.h"
#include "shell_test_main.h"

using namespace quarrion;

namespace {

using RequestTypeCode::Customer;
using RequestTypeCode::Invoice;
using RequestTypeCode::Vendor;

std::filesystem::path Home() {
    return std::filesystem::path(qEnvironmentVariable("QUARRION_HOME").toStdString());
}

// The link of windows opened from now on answers from a company file, or from a
// folder of response files.
void UseLink(const std::filesystem::path& company, const std::filesystem::path& responses = {}) {
    LinkSettings settings;
    settings.CompanyFile = company;
    settings.ResponseFolder = responses;
    QCOMPARE(QString::fromStdString(settings.Save(Home()).Message()), QString());
}

bool WaitUntilComplete(frmSearchResults* window) {
    return QTest::qWaitFor(
        [window] { return window->IsComplete() && !window->busyView()->isVisible(); }, 20000);
}

// The newest MDI child's widget, when it is a `W`.
template <class W>
W* Newest(frmMain& main) {
    QList<QMdiSubWindow*> windows = main.MdiArea()->subWindowList(QMdiArea::CreationOrder);
    return windows.isEmpty() ? nullptr : qobject_cast<W*>(windows.last()->widget());
}

QPoint CellCentre(QTableView* view, int row, int column) {
    return view->visualRect(view->model()->index(row, column)).center();
}

void Click(QTableView* view, Qt::MouseButton button, int row) {
    QTest::mouseClick(view->viewport(), button, Qt::NoModifier, CellCentre(view, row, 0));
    QCoreApplication::processEvents();
}

void ClickHeading(QTableView* view, int column) {
    QHeaderView* header = view->horizontalHeader();
    QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
              header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

void ClickTab(QTabWidget* tabs, int index) {
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, Qt::NoModifier,
                      tabs->tabBar()->tabRect(index).center());
}

void ClickItem(QListWidget* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualItemRect(list->item(row)).center());
}

void ClickBox(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(6, box->height() / 2));
}

void Choose(QComboBox* box, const QString& text) {
    const int index = box->findText(text);
    QVERIFY2(index >= 0, qPrintable("no choice " + text));
    box->setCurrentIndex(index);
}

// The first column of the data type `code`, or with the key `key`; -1 when none is.
int ColumnOf(const ResultTableModel& model, std::int32_t code, std::string_view key = {}) {
    for (std::size_t c = 0; c < model.List()->Columns.size(); ++c) {
        const ResultColumn& column = model.List()->Columns[c];
        if (key.empty() ? column.DataTypeCode == code : column.Key == key) return int(c);
    }
    return -1;
}

QString Cell(const ResultTableModel& model, int row, int column) {
    return model.data(model.index(row, column)).toString();
}

QStringList ShownTabs(QTabWidget* tabs) {
    QStringList shown;
    for (int tab = 0; tab < tabs->count(); ++tab) {
        if (tabs->isTabVisible(tab)) shown << tabs->tabText(tab);
    }
    return shown;
}

QAction* MenuItem(frmMain& main, const QString& text) {
    for (QAction* action : main.findChildren<QAction*>()) {
        if (action->text() == text) return action;
    }
    return nullptr;
}

// Where the test saves pictures of the windows it drives, when asked to.
void Picture(QWidget* window, const QString& name) {
    const QString folder = qEnvironmentVariable("QUARRION_SCREENSHOTS");
    if (folder.isEmpty()) return;
    QDir().mkpath(folder);
    QTest::qWait(50);  // the layouts settle as they do before a user's eye
    QVERIFY(window->grab().save(folder + "/" + name, "PNG"));
}

// The number of records in the kept answer of a type.
int Records(frmSearchResults* window, std::int32_t type) {
    const std::string& text = window->Run().ItemOf(type)->Response;
    const std::string open = "<" + RequestTypeInfo::RecordElementName(type) + ">";
    int count = 0;
    for (std::size_t at = text.find(open); at != std::string::npos; at = text.find(open, at + 1))
        ++count;
    return count;
}

// Runs the program on the test's data folder: its exit status (-1 when it crashed or
// hung) and what it wrote to stderr.
std::pair<int, QString> Program(const QStringList& arguments) {
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(QUARRION_PROGRAM), arguments);
    if (!program.waitForFinished(90000)) program.kill();
    return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
            QString::fromLocal8Bit(program.readAllStandardError())};
}

// Pixels of the file label's dark green: it shows only once the busy pane has gone.
int FileLabelPixels(const QImage& picture) {
    int count = 0;
    for (int y = 0; y < picture.height(); y += 2) {
        for (int x = 0; x < picture.width(); x += 2)
            count += picture.pixelColor(x, y) == QColor(0, 100, 0) ? 1 : 0;
    }
    return count;
}

// Records every wait notice (frmMsg) shown while it lives: its caption and text.
class NoticeSpy : public QObject {
  public:
    NoticeSpy() { qApp->installEventFilter(this); }
    ~NoticeSpy() override { qApp->removeEventFilter(this); }
    QStringList Shown;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* notice = qobject_cast<frmMsg*>(watched);
        if (notice && event->type() == QEvent::Show)
            Shown << notice->windowTitle() + "|" + notice->Message();
        return false;
    }
};

}  // namespace

// The desktop program as a results window meets it: its main window as host.
class ResultsWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<AppState> state_;
    std::unique_ptr<frmMain> main_;
    OutputWindows outputs_;
    std::filesystem::path company_ = Home() / "company.qbxml";

    bool Build(SearchObject2& search, const std::vector<std::int32_t>& types,
               const std::function<void(SearchBuilder&)>& fill) {
        SearchBuilder builder(state_->Catalog());
        for (std::int32_t type : types) builder.IncludeType(type);
        if (fill) fill(builder);
        return static_cast<bool>(builder.Build(search));
    }

    // Opens a results window as the console's Search does, for a search that `fill`
    // puts together, and waits until every type is done and the busy pane is gone.
    frmSearchResults* Open(const std::vector<std::int32_t>& types,
                           const std::function<void(SearchBuilder&)>& fill = {}, bool wait = true) {
        SearchObject2 search;
        if (!Build(search, types, fill)) return nullptr;
        MakeResultsWindowOpener(outputs_)(*main_, search);
        frmSearchResults* window = Newest<frmSearchResults>(*main_);
        if (window && wait) WaitUntilComplete(window);
        return window;
    }

    // MDI children that are not results windows (data views).
    int OtherChildren() const {
        int count = 0;
        for (QMdiSubWindow* window : main_->MdiArea()->subWindowList())
            count += qobject_cast<frmSearchResults*>(window->widget()) ? 0 : 1;
        return count;
    }

    // The Export menu's items by their data ("-" before one switched off, "|" for a
    // separator), and "invoices" while the Invoices to-print menu is on.
    QString Offers() const {
        QStringList items;
        for (QAction* item : main_->ExportMenu()->actions()) {
            const QString data = item->data().toString();
            items << (item->isSeparator() ? QString("|")
                                          : (item->isEnabled() ? "" : "-") +
                                                (data.isEmpty() ? QString("all") : data));
        }
        QAction* invoices = MenuItem(*main_, "Set All Invoices Listed To Print");
        if (qobject_cast<QMenu*>(invoices->parent())->menuAction()->isEnabled())
            items << "invoices";
        return items.join(' ');
    }

  private slots:
    void initTestCase() {
        SampleCompanyOptions options;
        options.scale = 0.1;
        options.today = "2024-06-30";
        QCOMPARE(QString::fromStdString(WriteSampleCompany(company_, options).Message()),
                 QString());
        UseLink(company_);
        StartUpParts parts;
        parts.MakeStore = [](QBXMLTags& catalog) {
            return std::make_unique<IOManagerStore>(catalog);
        };
        state_ = AppState::StartUp(std::move(parts));
        // As the program's main() makes it: the console's Search opens results windows.
        main_ = std::make_unique<frmMain>(
            *state_, MakeSearchConsoleFactory(MakeResultsWindowOpener({}), {}));
        // A first run initialises the catalog and may say so in a message.
        test::ModalWatcher okEverything([](QDialog* dialog) {
            if (auto* message = qobject_cast<frmDialog*>(dialog)) message->cmdOK()->click();
        });
        main_->Load();
        main_->resize(1100, 760);
        main_->show();
        QVERIFY(state_->Catalog().Count() > 0);
    }
    void cleanup() {
        main_->MdiArea()->closeAllSubWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        UseLink(company_);
        AppSettings::SetFlag(QStringLiteral("Results"), QStringLiteral("hideempty"), false);
    }
    void cleanupTestCase() {
        cleanup();
        main_.reset();
        state_.reset();
    }

    void OneTabPerIncludedTypeListingEveryRecordWithoutRules() {
        const std::vector<std::int32_t> types{Invoice, Customer, Vendor};
        frmSearchResults* window = Open(types, {}, false);
        QVERIFY(window);
        QVERIFY(window->busyView()->isVisible());
        QCOMPARE(window->busyView()->geometry(), window->rect());
        Picture(window, "results_busy.png");
        QVERIFY(WaitUntilComplete(window));
        QCOMPARE(ShownTabs(window->tabView()), QStringList({"Invoice", "Customer", "Vendor"}));
        for (int tab = 0; tab < 3; ++tab) {
            QVERIFY(Records(window, types[std::size_t(tab)]) > 0);
            QCOMPARE(window->Model(tab)->rowCount(), Records(window, types[std::size_t(tab)]));
        }
    }

    void AColumnClickedTwiceSortsBothWaysAndAnotherKeepsTheDirection() {
        frmSearchResults* window = Open({Invoice});
        QVERIFY(window);
        QTableView* view = window->lstView(0);
        ResultTableModel& model = *window->Model(0);
        const int amount = ColumnOf(model, DataTypeCode::Amt);
        const int text = ColumnOf(model, DataTypeCode::Str);
        QVERIFY(amount >= 0 && text >= 0);
        ClickHeading(view, amount);
        QCOMPARE(std::pair(model.SortColumn(), model.SortOrder()),
                 std::pair(amount, Qt::AscendingOrder));
        QVERIFY(Cell(model, 0, amount).toDouble() <
                Cell(model, model.rowCount() - 1, amount).toDouble());
        ClickHeading(view, amount);
        QCOMPARE(model.SortOrder(), Qt::DescendingOrder);

        ClickHeading(view, text);
        const auto sorted = std::tuple(model.SortColumn(), model.SortOrder(),
                                       view->horizontalHeader()->sortIndicatorSection(),
                                       view->horizontalHeader()->sortIndicatorOrder());
        QCOMPARE(sorted, std::tuple(text, Qt::DescendingOrder, text, Qt::DescendingOrder));
        Picture(window, "results_sorted.png");
    }

    void ALeftClickWaitsForEveryTypeARightClickDoesNotAndADragOpensNothing() {
        frmSearchResults* window = Open({Invoice, Customer});
        QVERIFY(window);
        // The customers' answer is still on its way.
        window->Run().ItemOf(Customer)->Done = false;
        Click(window->lstView(0), Qt::LeftButton, 0);
        QCOMPARE(OtherChildren(), 0);

        Click(window->lstView(0), Qt::RightButton, 2);
        QCOMPARE(OtherChildren(), 1);
        DataViewStandIn* view = Newest<DataViewStandIn>(*main_);
        QVERIFY(view);
        pugi::xml_document record;
        QVERIFY(window->Run().RecordCopy(Invoice, window->Model(0)->RowAt(2)->Key, record));
        const QString number = record.document_element().child_value("RefNumber");
        QVERIFY(!number.isEmpty());
        QVERIFY(view->toPlainText().contains("Num\n" + number + "\n"));
        QCOMPARE(window->lstView(0)->selectionModel()->selectedRows().first().row(), 2);
        window->Run().ItemOf(Customer)->Done = true;

        // A drag of either button opens nothing; within the slop it is a click.
        QWidget* viewport = window->lstView(0)->viewport();
        const QPoint from = CellCentre(window->lstView(0), 0, 0);
        auto drag = [&](Qt::MouseButton button, QPoint by) {
            QTest::mousePress(viewport, button, Qt::NoModifier, from);
            QTest::mouseRelease(viewport, button, Qt::NoModifier, from + by);
        };
        const int slop = frmSearchResults::ClickSlop;
        for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
            drag(button, QPoint(slop + 1, 0));
            drag(button, QPoint(0, -slop - 2));
        }
        QCoreApplication::processEvents();
        QCOMPARE(OtherChildren(), 1);
        drag(Qt::RightButton, QPoint(slop, 1));
        QCoreApplication::processEvents();
        QCOMPARE(OtherChildren(), 2);
    }

    void ARecordWithoutTxnIdOrListIdOpensNothingOnALeftClick() {
        const std::filesystem::path folder = Home() / "answers";
        std::filesystem::create_directories(folder);
        std::ofstream(folder / "Customer.xml")
            << "<QBXML><QBXMLMsgsRs><CustomerQueryRs statusCode=\"0\">"
               "<CustomerRet><Name>No Id Ltd</Name></CustomerRet>"
               "<CustomerRet><ListID>80000001-1</ListID><Name>Has Id Ltd</Name></CustomerRet>"
               "</CustomerQueryRs></QBXMLMsgsRs></QBXML>";
        UseLink({}, folder);
        frmSearchResults* window = Open({Customer});
        QVERIFY(window);
        QCOMPARE(window->Model(0)->rowCount(), 2);
        Click(window->lstView(0), Qt::LeftButton, 0);
        QCOMPARE(OtherChildren(), 0);
        Click(window->lstView(0), Qt::LeftButton, 1);
        QCOMPARE(OtherChildren(), 1);
    }

    // The main window's offers follow the selected tab of the active results window, and
    // only once every type is done: the Export menu lists the shown type and the others,
    // and the Invoices to-print menu is on for invoices.
    void TheMainWindowOffersWhatTheActiveCompleteWindowShows() {
        frmSearchResults* window = Open({Invoice, Customer, Vendor});
        QVERIFY(window);
        ClickTab(window->tabView(), 1);
        QCOMPARE(Offers(), QString("2 all | 4 11"));
        ClickTab(window->tabView(), 0);
        QCOMPARE(Offers(), QString("4 all | 2 11 invoices"));
        // While one type's answer is still on its way, everything is off.
        window->Run().ItemOf(Customer)->Done = false;
        ClickTab(window->tabView(), 1);
        QCOMPARE(Offers(), QString("-4 -all"));
        window->Run().ItemOf(Customer)->Done = true;

        // Two windows activated in turn leave the menus to the active one.
        frmSearchResults* invoices = Open({Invoice});
        QVERIFY(invoices);
        QMdiArea* area = main_->MdiArea();
        area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(invoices->parentWidget()));
        QCOMPARE(Offers(), QString("4 -all invoices"));
        area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(window->parentWidget()));
        QCOMPARE(Offers(), QString("2 all | 4 11"));
    }

    void AReSearchWithFieldRulesForATypeDecidesThatTypeByThemAlone() {
        frmSearchResults* window = Open({Invoice, Customer}, [](SearchBuilder& builder) {
            builder.AddRule("text contains Supply");
        });
        QVERIFY(window);
        const int customers = window->Model(1)->rowCount();
        bool drove = false;
        test::OnNextModal([&](QDialog* dialog) {
            auto* again = qobject_cast<frmReSearch*>(dialog);
            QVERIFY(again);
            QCOMPARE(again->lstView()->count(), 3);
            ReSearchConsole* console = again->conView();
            QVERIFY(console->criView()->isVisible());

            ClickItem(again->lstView(), 1);
            QVERIFY(console->fldView()->isVisible());
            QVERIFY(!console->criView()->isVisible());
            QVERIFY(!console->cmdSearch()->isEnabled());
            FieldCriterionControl* row = console->fldView()->Criterion(1);
            Choose(row->cboDataType(), "Customer");
            Choose(row->cboTrueCompare(), "Starts With");
            QTest::keyClicks(row->Input(), "A");
            Picture(again, "research.png");

            // Leaving the type without Set asks whether to keep its rules: OK keeps them.
            const QString asked = test::MessageOf([&] { ClickItem(again->lstView(), 0); });
            QVERIFY2(asked.contains(": Do you want to keep the " + console->fldView()->Title()),
                     qPrintable(asked));
            QVERIFY(console->criView()->isVisible());
            QVERIFY(console->cmdSearch()->isEnabled());
            QTest::mouseClick(console->cmdSearch(), Qt::LeftButton);
            drove = true;
        });
        main_->SearchAgain();
        QVERIFY(drove);
        QVERIFY(!window->ReSearchWindow()->isVisible());

        ResultTableModel& model = *window->Model(0);
        QVERIFY(model.rowCount() > 0);
        QVERIFY(model.rowCount() < Records(window, Invoice));
        const int customerColumn = ColumnOf(model, 0, "//InvoiceRet/CustomerRef/FullName");
        QVERIFY(customerColumn >= 0);
        for (int row = 0; row < model.rowCount(); ++row) {
            // Keys still name the records they named: the list shows each record's own customer.
            pugi::xml_document record;
            QVERIFY(window->Run().RecordCopy(Invoice, model.RowAt(row)->Key, record));
            const QString customer =
                record.document_element().child("CustomerRef").child_value("FullName");
            QVERIFY2(customer.startsWith("A", Qt::CaseInsensitive), qPrintable(customer));
            QCOMPARE(Cell(model, row, customerColumn), customer);
        }
        QCOMPARE(window->Model(1)->rowCount(), customers);

        // The window keeps its re-search window, hidden, with the current rules next time.
        frmReSearch* kept = window->ReSearchWindow();
        test::OnNextModal([kept](QDialog* dialog) {
            QCOMPARE(dialog, static_cast<QDialog*>(kept));
            QCOMPARE(kept->conView()->criView()->Criterion(1)->txtString()->text(),
                     QString("Supply"));
            kept->resize(777, 444);
            kept->conView()->cmdReset()->click();
        });
        main_->SearchAgain();
        QCOMPARE(window->ReSearchWindow(), kept);
        // Its placement is remembered for the next re-search window.
        QCOMPARE(AppSettings::Number(frmReSearch::Section, "width", 0), 777);
        frmReSearch next(*state_);
        next.show();
        QCOMPARE(next.size(), QSize(777, 444));
        next.hide();
    }

    void ClosingTheWindowDuringAReSearchStopsItAfterTheCurrentRecord() {
        frmSearchResults* window = Open({Invoice, Customer});
        QVERIFY(window);
        QPointer<frmSearchResults> alive(window);
        auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget());
        std::vector<std::int32_t> examined;
        bool closed = false;
        SearchRun& run = window->Run();
        auto yield = run.Yield;
        run.Yield = [&closed, frame, yield] {
            if (!closed) {
                closed = true;
                frame->close();
            }
            yield();
        };
        auto examining = run.Examining;
        run.Examining = [&examined, examining](std::int32_t type) {
            examined.push_back(type);
            examining(type);
        };
        test::OnNextModal([](QDialog* dialog) {
            QTest::mouseClick(qobject_cast<frmReSearch*>(dialog)->conView()->cmdSearch(),
                              Qt::LeftButton);
        });
        main_->SearchAgain();
        QVERIFY(closed);
        QVERIFY(alive);
        QCOMPARE(examined, std::vector<std::int32_t>{Invoice});
        QVERIFY(!run.ItemOf(Invoice)->Done);
        QTRY_VERIFY(alive.isNull());
    }

    void ToPrintShowsItsNoticeAndMarksTheShownColumn() {
        // Only invoices of one customer, with the to-print state among the columns.
        frmSearchResults* window = Open({Invoice}, [this](SearchBuilder& builder) {
            QBXMLTag* tag = state_->Catalog().Item(Invoice, "//InvoiceRet/IsToBePrinted");
            QVERIFY(tag);
            builder.Standing(Invoice).DisplayColumns.Add(*tag, "To Print");
        });
        QVERIFY(window);
        ResultTableModel& model = *window->Model(0);
        const int column = model.columnCount() - 1;
        QCOMPARE(model.List()->Columns[static_cast<std::size_t>(column)].Key,
                 std::string("//InvoiceRet/IsToBePrinted"));
        QVERIFY(model.rowCount() > 0);

        for (bool toPrint : {true, false}) {
            QAction* item = MenuItem(*main_, toPrint ? "Set All Invoices Listed To Print"
                                                     : "Set All Invoices Listed To Not Print");
            QVERIFY(item);
            QVERIFY(qobject_cast<QMenu*>(item->parent())->menuAction()->isEnabled());
            NoticeSpy notices;
            item->trigger();
            QCOMPARE(
                notices.Shown,
                QStringList({item->text() + "|Please wait, while Quarrion processes your request.  "
                                            "This may take a few minutes."}));
            QCoreApplication::processEvents();
            // The company and the kept answer are the search run's to-print test's.
            for (int row = 0; row < model.rowCount(); ++row)
                QCOMPARE(Cell(model, row, column), toPrint ? QString("Yes") : QString("No"));
        }
    }

    void ALinkFailureWhileMarkingPopsUpAndIsLogged() {
        // The company sits in a folder that goes away after the search: its changes
        // cannot be saved.
        const std::filesystem::path folder = Home() / "going";
        std::filesystem::create_directories(folder);
        std::filesystem::copy_file(company_, folder / "company.qbxml",
                                   std::filesystem::copy_options::overwrite_existing);
        UseLink(folder / "company.qbxml");
        frmSearchResults* window = Open({Invoice});
        QVERIFY(window);
        std::filesystem::remove_all(folder);

        QString popped;
        test::OnNextModal([&popped](QDialog* dialog) {
            if (auto* popUp = qobject_cast<frmPopUp*>(dialog)) popped = popUp->Message();
            dialog->accept();
        });
        bool toPrint = true;
        window->SetToPrint(toPrint, "Set All Invoices Listed To Print", "Please wait");
        QTRY_VERIFY(!popped.isEmpty());
        QFile log(QString::fromStdString((Home() / "Error Log.txt").string()));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(log.readAll()).contains(popped.left(20)));
    }

    // The list handed to the export is the one shown: the moved column first.
    void ExportHandsOverTheListAsShown() {
        QStringList handed;
        outputs_.ExportList = [&handed](ConsoleHost&, QWidget*, const ResultList& list,
                                        QString& fileName, QString&, int&, bool) {
            for (const ResultRow& row : list.Rows) handed << QString::fromStdString(row.Cells[0]);
            fileName = "/tmp/written.csv";
            return true;
        };
        frmSearchResults* window = Open({Invoice});
        outputs_ = {};
        QVERIFY(window);
        ResultTableModel& model = *window->Model(0);
        const int amount = ColumnOf(model, DataTypeCode::Amt);
        window->lstView(0)->horizontalHeader()->moveSection(amount, 0);
        QString name = "Invoices List", folder = "/tmp/";
        int format = 1;
        QVERIFY(window->Export(Invoice, name, folder, format, true));
        QStringList shown;
        for (int row = 0; row < model.rowCount(); ++row) shown << Cell(model, row, amount);
        QCOMPARE(handed, shown);
    }

    // A type without an element of the tested kind lists every record and says why in
    // its status; a type that has one and found nothing says only what it found. Types
    // without rows hide while the option is ticked, the choice is remembered, and a
    // window whose every type found nothing says so instead of showing an empty list.
    void TheStatusTellsWhatWasFoundAndEmptyTypesHideOnRequest() {
        // No invoice of the generated company carries a tax rate this high; customers and
        // vendors have no percent element at all, so their every record is listed.
        const auto noInvoice = [](SearchBuilder& builder) {
            QCOMPARE(QString::fromStdString(builder.AddRule("percent gt 1000")), QString());
        };
        frmSearchResults* window = Open({Customer, Invoice, Vendor}, noInvoice);
        QVERIFY(window);
        QTabWidget* tabs = window->tabView();
        QLabel* status = window->lblStatus();
        const QString notice = QString::fromLatin1(kEveryRecordNotice);
        ClickTab(tabs, 0);
        QVERIFY(window->Model(0)->rowCount() > 0);
        QCOMPARE(status->text(),
                 "Customer: " + QString::fromStdString(window->Run().ItemOf(Customer)->Message));
        QVERIFY2(status->text().endsWith(notice), qPrintable(status->text()));

        ClickTab(tabs, 1);
        QCOMPARE(window->Model(1)->rowCount(), 0);
        QVERIFY2(status->text().startsWith("Invoice: "), qPrintable(status->text()));
        QVERIFY(status->text().contains("Found 0") && !status->text().contains(notice));

        ClickBox(window->chkHideEmpty());
        QCOMPARE(ShownTabs(tabs), QStringList({"Customer", "Vendor"}));
        // The hidden tab was selected: a shown one takes its place, and the status follows.
        QVERIFY(tabs->isTabVisible(tabs->currentIndex()));
        QVERIFY(status->text().startsWith(tabs->tabText(tabs->currentIndex()) + ": "));
        Picture(window, "results_hide_empty.png");
        ClickBox(window->chkHideEmpty());
        QCOMPARE(ShownTabs(tabs), QStringList({"Customer", "Invoice", "Vendor"}));
        ClickBox(window->chkHideEmpty());

        frmSearchResults* second = Open({Invoice}, noInvoice);
        QVERIFY(second && second != window);
        QVERIFY(second->chkHideEmpty()->isChecked());
        QVERIFY(second->tabView()->isHidden());
        QCOMPARE(second->lblStatus()->text(), QString::fromLatin1(frmSearchResults::AllHiddenText));
        ClickBox(second->chkHideEmpty());
        QVERIFY(!second->tabView()->isHidden());
        QVERIFY(second->lblStatus()->text().startsWith("Invoice: "));
    }

    // `quarrion --search NAME` opens a saved search as the saved searches' Execute does,
    // and with --screenshot pictures the main window once every type is done.
    void TheProgramRunsASavedSearchAndPicturesItWhenDone() {
        SearchObject2 search;
        QVERIFY(Build(search, {Invoice, Customer},
                      [](SearchBuilder& builder) { builder.AddRule("text contains Supply"); }));
        search.Name = "Supply houses";
        QVERIFY(state_->Manager()->SaveSearchObject(&search));
        const QString picture = QString::fromStdString((Home() / "search.png").string());
        QCOMPARE(Program({"--search", "Supply houses", "--screenshot", picture}).first, 0);
        QVERIFY2(FileLabelPixels(QImage(picture)) > 100,
                 "the results window still shows its busy pane");

        const QString none = QString::fromStdString((Home() / "none.png").string());
        const auto [status, errors] = Program({"--search", "No such search", "--screenshot", none});
        QCOMPARE(status, 1);
        QVERIFY2(errors.contains("\"No such search\""), qPrintable(errors));
        QVERIFY(!QFile::exists(none));
    }
};

QUARRION_SHELL_TEST_MAIN(ResultsWindowTest)
#include "results_window_test.moc"
