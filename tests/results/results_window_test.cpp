#include <QAction>
#include <QCollator>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <pugixml.hpp>
#include <sstream>

#include "console/criteria_control.h"
#include "console/criterion_control.h"
#include "console/field_criteria_control.h"
#include "console/field_criterion_control.h"
#include "console/request_control.h"
#include "console/search_console_control.h"
#include "modal.h"
#include "model/inc_item.h"
#include "qbxml/request_type_info.h"
#include "results/data_view_stand_in.h"
#include "results/frm_re_search.h"
#include "results/re_search_console.h"
#include "results/result_table_model.h"
#include "results/search_run.h"
#include "results_window_support.h"
#include "shell/app_settings.h"
#include "shell/frm_dialog.h"
#include "shell/frm_msg.h"
#include "shell/frm_pop_up.h"
#include "shell_test_main.h"

using namespace quarrion;

namespace {

constexpr std::int32_t kInvoice = 4;
constexpr std::int32_t kCustomer = 2;
constexpr std::int32_t kVendor = 11;

int CountOf(const std::string& text, const std::string& what) {
    int count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
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

int ColumnOfType(const ResultTableModel& model, std::int32_t code) {
    for (std::size_t c = 0; c < model.List()->Columns.size(); ++c) {
        if (model.List()->Columns[c].DataTypeCode == code) return static_cast<int>(c);
    }
    return -1;
}

QString Cell(const ResultTableModel& model, int row, int column) {
    return model.data(model.index(row, column)).toString();
}

QAction* MenuItem(frmMain& main, const QString& text) {
    for (QAction* action : main.findChildren<QAction*>()) {
        if (action->text() == text) return action;
    }
    return nullptr;
}

DataViewStandIn* NewestDataView(frmMain& main) {
    DataViewStandIn* newest = nullptr;
    for (QMdiSubWindow* window : main.MdiArea()->subWindowList(QMdiArea::CreationOrder)) {
        if (auto* view = qobject_cast<DataViewStandIn*>(window->widget())) newest = view;
    }
    return newest;
}

void ClickItem(QListWidget* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualItemRect(list->item(row)).center());
}

void Choose(QComboBox* box, const QString& text) {
    const int index = box->findText(text);
    QVERIFY2(index >= 0, qPrintable("no choice " + text));
    box->setCurrentIndex(index);
}

// Where the test saves pictures of the windows it drives, when asked to.
void Picture(QWidget* window, const QString& name) {
    const QString folder = qEnvironmentVariable("QUARRION_SCREENSHOTS");
    if (folder.isEmpty()) return;
    QDir().mkpath(folder);
    window->grab().save(folder + "/" + name, "PNG");
}

// The number of records in the kept answer of a type.
int Records(frmSearchResults* window, std::int32_t type) {
    return CountOf(window->Run().ItemOf(type)->Response,
                   "<" + RequestTypeInfo::RecordElementName(type) + ">");
}

// Records every wait notice (frmMsg) shown while it lives: its caption and text.
class NoticeSpy : public QObject {
  public:
    NoticeSpy() { qApp->installEventFilter(this); }
    ~NoticeSpy() override { qApp->removeEventFilter(this); }
    QStringList Shown;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            if (auto* notice = qobject_cast<frmMsg*>(watched))
                Shown << notice->windowTitle() + "|" + notice->Message();
        }
        return false;
    }
};

}  // namespace

class ResultsWindowTest : public QObject {
    Q_OBJECT

    test::ResultsProgram program_;

  private slots:
    void initTestCase() { program_.Start(qEnvironmentVariable("QUARRION_HOME") + "/"); }
    void cleanup() {
        program_.CloseAll();
        program_.UseCompany();
        program_.hub.clear();
    }
    void cleanupTestCase() { program_.Stop(); }

    void OneTabPerIncludedTypeListingEveryRecordWithoutRules() {
        const std::vector<std::int32_t> types{kInvoice, kCustomer, kVendor};
        frmSearchResults* window = program_.Open(types, {}, false);
        QVERIFY(window);
        QVERIFY(window->busyView()->isVisible());
        QCOMPARE(window->busyView()->geometry(), window->rect());
        Picture(window, "results_busy.png");
        QVERIFY(test::ResultsProgram::WaitUntilComplete(window));
        QCOMPARE(window->tabView()->count(), static_cast<int>(types.size()));
        QCOMPARE(window->ListCount(), static_cast<int>(types.size()));
        QVERIFY(!window->windowTitle().isEmpty());
        QVERIFY(window->lblFile()->text().startsWith("QuickBooks File in use "));
        for (std::size_t i = 0; i < types.size(); ++i) {
            int tab = static_cast<int>(i);
            QCOMPARE(window->tabView()->tabText(tab),
                     QString::fromStdString(RequestTypeInfo::TypeTitle(types[i])));
            QCOMPARE(window->tabView()->tabBar()->tabData(tab).toString(),
                     QString::fromStdString(RequestTypeInfo::TypeName(types[i])));
            const int records = Records(window, types[i]);
            QVERIFY(records > 0);
            QCOMPARE(window->Model(tab)->rowCount(), records);
            QVERIFY(window->lstView(tab)->isEnabled());
        }
    }

    void AColumnClickedTwiceSortsBothWaysAndAnotherKeepsTheDirection() {
        frmSearchResults* window = program_.Open({kInvoice});
        QVERIFY(window);
        QTableView* view = window->lstView(0);
        ResultTableModel& model = *window->Model(0);
        const int amount = ColumnOfType(model, DataTypeCode::Amt);
        const int text = ColumnOfType(model, DataTypeCode::Str);
        QVERIFY(amount >= 0 && text >= 0);
        QVERIFY(model.rowCount() > 10);

        ClickHeading(view, amount);
        QCOMPARE(model.SortColumn(), amount);
        QCOMPARE(model.SortOrder(), Qt::AscendingOrder);
        QVERIFY(Cell(model, 0, amount).toDouble() <
                Cell(model, model.rowCount() - 1, amount).toDouble());
        ClickHeading(view, amount);
        QCOMPARE(model.SortOrder(), Qt::DescendingOrder);

        ClickHeading(view, text);
        QCOMPARE(model.SortColumn(), text);
        QCOMPARE(model.SortOrder(), Qt::DescendingOrder);
        QCollator collator = ResultTableModel::TextCollator();
        for (int row = 1; row < model.rowCount(); ++row)
            QVERIFY(collator.compare(Cell(model, row - 1, text), Cell(model, row, text)) >= 0);
        QCOMPARE(view->horizontalHeader()->sortIndicatorSection(), text);
        QCOMPARE(view->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
        Picture(window, "results_sorted.png");
    }

    void ALeftClickWaitsForEveryTypeARightClickDoesNotAndADragOpensNothing() {
        frmSearchResults* window = program_.Open({kInvoice, kCustomer});
        QVERIFY(window);
        // The customers' answer is still on its way.
        window->Run().ItemOf(kCustomer)->Done = false;
        Click(window->lstView(0), Qt::LeftButton, 0);
        QCOMPARE(program_.OtherChildren(), 0);

        Click(window->lstView(0), Qt::RightButton, 2);
        QCOMPARE(program_.OtherChildren(), 1);
        DataViewStandIn* view = NewestDataView(*program_.main);
        QVERIFY(view);
        pugi::xml_document record;
        QVERIFY(window->Run().RecordCopy(kInvoice, window->Model(0)->RowAt(2)->Key, record));
        const QString number = record.document_element().child_value("RefNumber");
        QVERIFY(!number.isEmpty());
        QVERIFY(view->toPlainText().contains("Num\n" + number + "\n"));
        QCOMPARE(window->lstView(0)->selectionModel()->selectedRows().first().row(), 2);
        window->Run().ItemOf(kCustomer)->Done = true;

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
        QCOMPARE(program_.OtherChildren(), 1);
        drag(Qt::RightButton, QPoint(slop, 1));
        QCoreApplication::processEvents();
        QCOMPARE(program_.OtherChildren(), 2);

        // Commands whose windows this build lacks say so.
        QString said;
        test::OnNextModal([&said](QDialog* dialog) {
            if (auto* frm = qobject_cast<frmDialog*>(dialog)) {
                said = frm->Message();
                frm->cmdOK()->click();
            }
        });
        window->Excel();
        QVERIFY2(said.contains("not part of this build"), qPrintable(said));
    }

    void ARecordWithoutTxnIdOrListIdOpensNothingOnALeftClick() {
        const std::filesystem::path folder =
            std::filesystem::path(qEnvironmentVariable("QUARRION_HOME").toStdString()) / "answers";
        std::filesystem::create_directories(folder);
        std::ofstream(folder / "Customer.xml")
            << "<?xml version=\"1.0\"?><QBXML><QBXMLMsgsRs><CustomerQueryRs statusCode=\"0\" "
               "statusSeverity=\"Info\" statusMessage=\"Status OK\">"
               "<CustomerRet><Name>No Id Ltd</Name><FullName>No Id Ltd</FullName></CustomerRet>"
               "<CustomerRet><ListID>80000001-1</ListID><EditSequence>1</EditSequence>"
               "<Name>Has Id Ltd</Name><FullName>Has Id Ltd</FullName></CustomerRet>"
               "</CustomerQueryRs></QBXMLMsgsRs></QBXML>";
        program_.UseResponses(folder);
        frmSearchResults* window = program_.Open({kCustomer});
        QVERIFY(window);
        QCOMPARE(window->Model(0)->rowCount(), 2);
        Click(window->lstView(0), Qt::LeftButton, 0);
        QCOMPARE(program_.OtherChildren(), 0);
        Click(window->lstView(0), Qt::LeftButton, 1);
        QCOMPARE(program_.OtherChildren(), 1);
    }

    void TheHubHearsTheSelectedTabOfTheActiveCompleteWindow() {
        frmSearchResults* window = program_.Open({kInvoice, kCustomer, kVendor});
        QVERIFY(window);
        const QString owner = QString::number(window->OwnerID());
        program_.hub.clear();
        ClickTab(window->tabView(), 1);
        QCOMPARE(program_.hub, QStringList({"ToPrintOff", "Notify:2:1:4,11:" + owner}));
        program_.hub.clear();
        ClickTab(window->tabView(), 0);
        QCOMPARE(program_.hub,
                 QStringList({"ToPrintOff", "InvoiceMenu:1", "Notify:4:1:2,11:" + owner}));
        QAction* invoicesItem = MenuItem(*program_.main, "Set All Invoices Listed To Print");
        QVERIFY(invoicesItem);
        QVERIFY(qobject_cast<QMenu*>(invoicesItem->parent())->menuAction()->isEnabled());

        // While one type's answer is still on its way, everything is off.
        window->Run().ItemOf(kCustomer)->Done = false;
        program_.hub.clear();
        ClickTab(window->tabView(), 1);
        QCOMPARE(program_.hub, QStringList({"PrinterIcon:0", "InvoiceMenu:0", "CreditMemoMenu:0",
                                            "POMenu:0", "SOMenu:0", "Notify:0:0::" + owner}));
        window->Run().ItemOf(kCustomer)->Done = true;

        // Two windows activated in turn leave the menus to the active one.
        frmSearchResults* invoices = program_.Open({kInvoice});
        QVERIFY(invoices);
        QMdiArea* area = program_.main->MdiArea();
        QMenu* invoiceMenu = qobject_cast<QMenu*>(invoicesItem->parent());
        area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(invoices->parentWidget()));
        QVERIFY(invoiceMenu->menuAction()->isEnabled());
        QCOMPARE(program_.main->ExportMenu()->actions().first()->data().toString(), QString("4"));

        // The first window still shows its customers.
        program_.hub.clear();
        area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(window->parentWidget()));
        QVERIFY(!invoiceMenu->menuAction()->isEnabled());
        QCOMPARE(program_.main->ExportMenu()->actions().first()->data().toString(), QString("2"));
        const QString offFromInvoices = "Notify:0:0::" + QString::number(invoices->OwnerID());
        const QString onFromCustomers = "Notify:2:1:4,11:" + owner;
        QVERIFY2(program_.hub.contains(offFromInvoices), qPrintable(program_.hub.join(' ')));
        QVERIFY(program_.hub.indexOf(offFromInvoices) < program_.hub.lastIndexOf(onFromCustomers));

        area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(invoices->parentWidget()));
        QVERIFY(invoiceMenu->menuAction()->isEnabled());
    }

    void AReSearchWithFieldRulesForATypeDecidesThatTypeByThemAlone() {
        frmSearchResults* window = program_.Open({kInvoice, kCustomer}, [](SearchBuilder& builder) {
            builder.AddRule("text contains Supply");
        });
        QVERIFY(window);
        const int customers = window->Model(1)->rowCount();
        bool drove = false;
        test::OnNextModal([&](QDialog* dialog) {
            auto* again = qobject_cast<frmReSearch*>(dialog);
            QVERIFY(again);
            QCOMPARE(again->windowTitle(), window->windowTitle() + " [Search Rule Sets]");
            QCOMPARE(again->lstView()->count(), 3);
            QCOMPARE(again->lstView()->item(0)->text(), QString("Global Search Rule(s)"));
            QCOMPARE(again->lstView()->item(1)->text(),
                     QString::fromStdString(RequestTypeInfo::TypeTitle(kInvoice)));
            ReSearchConsole* console = again->conView();
            QVERIFY(console->criView()->isVisible());
            QVERIFY(!console->cmdLess()->isEnabled());

            ClickItem(again->lstView(), 1);
            QVERIFY(console->fldView()->isVisible());
            QVERIFY(!console->criView()->isVisible());
            QCOMPARE(console->cmdOK()->text(), "Set " + console->fldView()->Title());
            QCOMPARE(console->cmdCancel()->text(), "Cancel " + console->fldView()->Title());
            QVERIFY(!console->cmdSearch()->isEnabled());
            QVERIFY(console->cmdReset()->isHidden());
            FieldCriterionControl* row = console->fldView()->Criterion(1);
            Choose(row->cboDataType(), "Customer");
            Choose(row->cboTrueCompare(), "Starts With");
            QTest::keyClicks(row->Input(), "A");
            Picture(again, "research.png");

            // Leaving the type without Set asks whether to keep its rules: OK keeps them.
            QString asked;
            test::OnNextModal([&asked](QDialog* question) {
                auto* frm = qobject_cast<frmDialog*>(question);
                asked = frm->Message();
                frm->cmdOK()->click();
            });
            ClickItem(again->lstView(), 0);
            QVERIFY2(
                asked.startsWith("Do you want to keep the " + console->fldView()->Title() + "?"),
                qPrintable(asked));
            QVERIFY(console->criView()->isVisible());
            QVERIFY(console->cmdSearch()->isEnabled());
            QTest::mouseClick(console->cmdSearch(), Qt::LeftButton);
            drove = true;
        });
        program_.main->SearchAgain();
        QVERIFY(drove);
        QVERIFY(!window->ReSearchWindow()->isVisible());

        ResultTableModel& model = *window->Model(0);
        QVERIFY(model.rowCount() > 0);
        QVERIFY(model.rowCount() < Records(window, kInvoice));
        int customerColumn = -1;
        for (std::size_t c = 0; c < model.List()->Columns.size(); ++c) {
            if (model.List()->Columns[c].Key == "//InvoiceRet/CustomerRef/FullName")
                customerColumn = int(c);
        }
        QVERIFY(customerColumn >= 0);
        for (int row = 0; row < model.rowCount(); ++row) {
            // Keys still name the records they named: the list shows each record's own customer.
            pugi::xml_document record;
            QVERIFY(window->Run().RecordCopy(kInvoice, model.RowAt(row)->Key, record));
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
        program_.main->SearchAgain();
        QCOMPARE(window->ReSearchWindow(), kept);
        // Its placement is remembered for the next re-search window.
        QCOMPARE(AppSettings::Number(frmReSearch::Section, "width", 0), 777);
        frmReSearch next(*program_.state);
        next.show();
        QCOMPARE(next.size(), QSize(777, 444));
        next.hide();
    }

    void ClosingTheWindowDuringAReSearchStopsItAfterTheCurrentRecord() {
        frmSearchResults* window = program_.Open({kInvoice, kCustomer});
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
        program_.main->SearchAgain();
        QVERIFY(closed);
        QVERIFY(alive);
        QCOMPARE(examined, std::vector<std::int32_t>{kInvoice});
        QVERIFY(!run.ItemOf(kInvoice)->Done);
        QTRY_VERIFY(alive.isNull());
    }

    void ToPrintShowsItsNoticeAndMarksTheShownColumn() {
        // Only invoices of one customer, with the to-print state among the columns.
        frmSearchResults* window = program_.Open({kInvoice}, [this](SearchBuilder& builder) {
            QBXMLTag* tag = program_.state->Catalog().Item(kInvoice, "//InvoiceRet/IsToBePrinted");
            QVERIFY(tag);
            builder.Standing(kInvoice).DisplayColumns.Add(*tag, "To Print");
        });
        QVERIFY(window);
        ResultTableModel& model = *window->Model(0);
        const int column = model.columnCount() - 1;
        QCOMPARE(model.List()->Columns[static_cast<std::size_t>(column)].Key,
                 std::string("//InvoiceRet/IsToBePrinted"));
        QVERIFY(model.rowCount() > 0);

        for (bool toPrint : {true, false}) {
            QAction* item =
                MenuItem(*program_.main, toPrint ? "Set All Invoices Listed To Print"
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
        const std::filesystem::path home(qEnvironmentVariable("QUARRION_HOME").toStdString());
        const std::filesystem::path folder = home / "going";
        std::filesystem::create_directories(folder);
        std::filesystem::copy_file(program_.company, folder / "company.qbxml",
                                   std::filesystem::copy_options::overwrite_existing);
        LinkSettings settings;
        settings.CompanyFile = folder / "company.qbxml";
        QCOMPARE(QString::fromStdString(settings.Save(home).Message()), QString());
        frmSearchResults* window = program_.Open({kInvoice});
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
        QFile log(QString::fromStdString((home / "Error Log.txt").string()));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(log.readAll()).contains(popped.left(20)));
    }

    void ExportHandsOverTheListAsShown() {
        std::vector<ResultList> handed;
        program_.outputs.ExportList = [&handed](ConsoleHost&, QWidget*, const ResultList& list,
                                                QString& fileName, QString&, int&, bool) {
            handed.push_back(list);
            fileName = "/tmp/written.csv";
            return true;
        };
        frmSearchResults* window = program_.Open({kInvoice});
        program_.outputs = {};
        QVERIFY(window);
        ResultTableModel& model = *window->Model(0);
        const int amount = ColumnOfType(model, DataTypeCode::Amt);
        window->lstView(0)->horizontalHeader()->moveSection(amount, 0);
        QString name = "Invoices List", folder = "/tmp/";
        int format = 1;
        QVERIFY(window->Export(kInvoice, name, folder, format, true));
        QCOMPARE(handed.size(), std::size_t(1));
        const ResultList& list = handed.front();
        QCOMPARE(list.Columns.front().Key,
                 model.List()->Columns[static_cast<std::size_t>(amount)].Key);
        QCOMPARE(static_cast<int>(list.Rows.size()), model.rowCount());
        for (int row = 0; row < model.rowCount(); ++row)
            QCOMPARE(QString::fromStdString(list.Rows[static_cast<std::size_t>(row)].Cells.front()),
                     Cell(model, row, amount));
    }
};

QUARRION_SHELL_TEST_MAIN(ResultsWindowTest)
#include "results_window_test.moc"
