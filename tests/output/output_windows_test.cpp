// The output windows driven as a user drives them: the export dialogs, the workbook
// window and the data-view window. Files are read back with independent readers
// (Python's csv module, openpyxl) through read_back.py.

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QFileSystemModel>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTreeView>
#include <deque>

#include "fakes.h"
#include "invoice_headings.h"
#include "modal.h"
#include "output/data_view.h"
#include "output/desktop_opener.h"
#include "output/export_list_as.h"
#include "output/frm_excel.h"
#include "output/frm_export_all.h"
#include "output/frm_report.h"
#include "output/output_windows.h"
#include "qbxml/request_type_info.h"
#include "shell/app_settings.h"
#include "shell/app_state.h"
#include "shell/busy_pane.h"
#include "shell/frm_dialog.h"
#include "shell/search_console.h"
#include "shell_test_main.h"

using namespace quarrion;
using quarrion::test::FakeStore;

namespace {

constexpr std::int32_t kInvoice = RequestTypeCode::Invoice;

// A main window as far as the output windows see one: an MDI area and the shared
// state, made by the real start-up over a store stand-in.
class TestHost : public ConsoleHost {
  public:
    TestHost() {
        auto script = std::make_shared<FakeStore::Script>();
        StartUpParts parts;
        parts.MakeStore = [script](QBXMLTags&) { return std::make_unique<FakeStore>(script); };
        state_ = AppState::StartUp(std::move(parts));
        Area.resize(1000, 700);
        Area.show();
    }
    AppState& State() override { return *state_; }
    QMdiSubWindow* createMdiChild(QWidget* child) override {
        QMdiSubWindow* window = Area.addSubWindow(child);
        window->setAttribute(Qt::WA_DeleteOnClose);
        child->show();
        return window;
    }
    void ResultsWindowOpened() override { ++Opened; }

    QMdiArea Area;
    int Opened = 0;

  private:
    std::unique_ptr<AppState> state_;
};

ResultList MakeList(std::int32_t type, const std::string& title, std::vector<ResultColumn> columns,
                    std::vector<std::vector<std::string>> rows) {
    ResultList list;
    list.RequestType = type;
    list.Title = title;
    list.Columns = std::move(columns);
    for (auto& cells : rows)
        list.Rows.push_back({"k" + std::to_string(list.Rows.size()), std::move(cells), ""});
    return list;
}

ResultList InvoiceList() {
    return MakeList(kInvoice, "Invoice",
                    {{"//InvoiceRet/RefNumber", "Invoice #", DataTypeCode::Str},
                     {"//InvoiceRet/CustomerRef/FullName", "Customer", DataTypeCode::Str},
                     {"//InvoiceRet/Subtotal", "Amount", DataTypeCode::Amt},
                     {"//InvoiceRet/SalesTaxPercentage", "Tax %", DataTypeCode::Percent},
                     {"//InvoiceRet/InvoiceLineRet/Quantity", "Qty", DataTypeCode::Quan}},
                    {{"1001", "Acme, Inc.", "1250.5", "12.5", "1200"},
                     {"1002", "Say \"hi\"", "-20", "0", "3"},
                     {"1003", "=SUM(A1)", "not a number", "7.25", "2"}});
}

ResultList SmallList(std::int32_t type, const std::string& title, const std::string& value) {
    return MakeList(type, title, {{"//X/Name", "Name", DataTypeCode::Str}}, {{value}});
}

// Three types, the middle one without rows.
std::vector<ResultList> ThreeTypesOneEmpty() {
    const std::vector<ResultColumn> columns{{"n", "Name", DataTypeCode::Str},
                                            {"a", "Active", DataTypeCode::Bool},
                                            {"d", "Date", DataTypeCode::Date}};
    return {
        MakeList(RequestTypeCode::Customer, "Customer", columns, {{"Acme", "No", "2026-11-02"}}),
        MakeList(kInvoice, "Invoice", columns, {}),
        MakeList(RequestTypeCode::Vendor, "Vendor", columns, {{"Acme", "No", "2026-11-02"}})};
}

// The rows of an invoice list as a reader gets them back from a delimited file.
QList<QStringList> InvoiceRows() {
    return {{"Invoice #", "Customer", "Amount", "Tax %", "Qty"},
            {"1001", "Acme, Inc.", "1250.5", "12.5", "1200"},
            {"1002", "Say \"hi\"", "-20", "0", "3"},
            {"1003", "=SUM(A1)", "not a number", "7.25", "2"}};
}

QJsonDocument ReadBack(const QString& kind, const QString& file) {
    QProcess reader;
    reader.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral(QUARRION_READ_BACK), kind, file});
    reader.waitForFinished(60000);
    if (reader.exitCode() != 0) qWarning() << "read_back failed:" << reader.readAllStandardError();
    return QJsonDocument::fromJson(reader.readAllStandardOutput());
}

QList<QStringList> ReadRows(const QString& kind, const QString& file) {
    QList<QStringList> rows;
    for (const QJsonValue& row : ReadBack(kind, file).array())
        rows << row.toVariant().toStringList();
    return rows;
}

// A workbook's sheet names as openpyxl reads them, in order.
QStringList SheetNames(const QString& file) {
    QStringList names;
    for (const QJsonValue& sheet : ReadBack("xlsx", file)["sheets"].toArray())
        names << sheet["name"].toString();
    return names;
}

// A preview sheet's row as it shows.
QStringList RowTexts(const QAbstractItemModel* model, int row) {
    QStringList cells;
    for (int column = 0; column < model->columnCount(); ++column) {
        cells << model->index(row, column).data().toString();
    }
    return cells;
}

QAbstractItemModel* PreviewSheet(frmExcel* window) {
    return window->findChild<QTableView*>(QStringLiteral("tblSheet1"))->model();
}

QString ReadText(const QString& file) {
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? QString::fromUtf8(in.readAll()) : QString();
}

const QString kEdited = QStringLiteral("edited in a spreadsheet program, longer than before ...");

void WriteText(const QString& file, const QString& text) {
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(text.toUtf8());
}

// Types `name` into a file dialog's name box and clicks Save, as a user does.
void TypeFileName(QDialog* dialog, const QString& name) {
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    QVERIFY2(edit && buttons, "not a file dialog");
    // The dialog lays itself out once it is on screen; a click lands only then.
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QApplication::processEvents();
    QTest::mouseClick(edit, Qt::LeftButton);
    edit->selectAll();
    QTest::keyClicks(edit, name);
    // The user closes the list of completed folder names before saving.
    if (QCompleter* completer = edit->completer()) completer->popup()->hide();
    auto* save = qobject_cast<QPushButton*>(buttons->button(QDialogButtonBox::Save));
    // After a change of file type, Save is enabled once the folder is read again.
    QVERIFY(save && QTest::qWaitFor([save] { return save->isEnabled(); }, 5000));
    QTest::mouseClick(save, Qt::LeftButton);
    QVERIFY2(!dialog->isVisible(), qPrintable("the dialog did not take " + edit->text()));
}

// Picks the file type at `index` in a file dialog's type list with the keyboard.
void ChooseFileType(QDialog* dialog, int index) {
    auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    QVERIFY(types);
    types->setFocus();
    QTest::keyClick(types, Qt::Key_Home);
    for (int i = 0; i < index; ++i) QTest::keyClick(types, Qt::Key_Down);
    QCOMPARE(types->currentIndex(), index);
}

// Runs the steps on the modal dialogs that come up, one step per dialog in order.
class ModalScript {
  public:
    explicit ModalScript(std::deque<std::function<void(QDialog*)>> steps)
        : steps_(std::move(steps)), watcher_([this](QDialog* dialog) {
              Seen.append(dialog->windowTitle());
              if (steps_.empty()) {
                  dialog->reject();
                  return;
              }
              auto step = std::move(steps_.front());
              steps_.pop_front();
              step(dialog);
              // Closing what a failed step left up reports the failure instead of hanging.
              if (QTest::currentTestFailed() && dialog->isVisible()) dialog->reject();
          }) {}
    bool Finished() const { return steps_.empty(); }
    QStringList Seen;

  private:
    std::deque<std::function<void(QDialog*)>> steps_;
    quarrion::test::ModalWatcher watcher_;
};

std::function<void(QDialog*)> Answer(bool yes, QString* message = nullptr) {
    return [yes, message](QDialog* dialog) {
        auto* question = qobject_cast<frmDialog*>(dialog);
        QVERIFY(question);
        if (message) *message = question->Message();
        QTest::mouseClick(yes ? question->cmdOK() : question->cmdCancel(), Qt::LeftButton);
    };
}

// A desktop that opens every file and remembers which.
void RecordOpened(QList<QUrl>& opened) {
    SetDesktopOpener([&opened](const QUrl& url) { return opened.append(url), true; });
}

void Screenshot(QWidget* widget, const char* name) {
    const QByteArray folder = qgetenv("QUARRION_SCREENSHOT_DIR");
    if (folder.isEmpty()) return;
    QDir().mkpath(QString::fromLocal8Bit(folder));
    widget->grab().save(QString::fromLocal8Bit(folder) + "/" + name);
}

const char* kInvoiceRecord = R"(<InvoiceRet>
  <RefNumber>INV-1042</RefNumber>
  <TxnDate>2024-03-05</TxnDate>
  <CustomerRef><ListID>8-1</ListID><FullName>Harbour &amp; Sons</FullName></CustomerRef>
  <Memo>Deliver to the back door</Memo>
  <InvoiceLineRet><Desc>Blue widgets</Desc><Amount>1250.00</Amount></InvoiceLineRet>
  <InvoiceLineRet><Desc>Red gadgets</Desc><Amount>80.50</Amount></InvoiceLineRet>
</InvoiceRet>)";

frmReport* OpenDataView(TestHost& host, bool old) {
    pugi::xml_document document;
    document.load_string(kInvoiceRecord);
    MakeOutputWindows().DataView(host, document.document_element(), old, kInvoice);
    const QList<QMdiSubWindow*> windows = host.Area.subWindowList();
    return windows.isEmpty() ? nullptr : qobject_cast<frmReport*>(windows.last()->widget());
}

}  // namespace

class OutputWindowsTest : public QObject {
    Q_OBJECT

  private:
    QString folder_;
    std::unique_ptr<QTemporaryDir> dir_;

  private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>(quarrion::test::FreshHome::Base() + "/out-XXXXXX");
        QVERIFY(dir_->isValid());
        folder_ = dir_->path() + "/";
        SetDesktopOpener({});
    }

    void cleanup() {
        SetDesktopOpener([](const QUrl&) { return true; });
    }

    // The workbook tests come first: the process-wide counter names them 1 and 2.
    void workbookWindowsTakeTheNextNumberAndDeleteTheirFileOnClose() {
        TestHost host;
        const OutputWindows outputs = MakeOutputWindows();
        outputs.Excel(host, QStringLiteral("Search Results"),
                      {InvoiceList(), SmallList(RequestTypeCode::Customer, "Customer", "Acme")});
        QCOMPARE(host.Opened, 1);
        auto* first = qobject_cast<frmExcel*>(host.Area.subWindowList().last()->widget());
        QVERIFY(first && first->busyView()->isVisible());
        Screenshot(first, "excel-busy.png");
        QTRY_VERIFY_WITH_TIMEOUT(!first->IsBuilding(), 20000);
        QCOMPARE(QString::fromStdString(first->BuildError()), QString());
        QTRY_VERIFY(!first->busyView()->isVisible());
        const QString firstPath = first->WorkbookPath();
        QCOMPARE(QFileInfo(firstPath).absoluteFilePath(),
                 QDir(host.State().ExcelFolder()).absoluteFilePath("QRTE0000000001.xlsx"));
        QVERIFY(QFileInfo::exists(firstPath));

        // The preview: one tab per sheet, values as the sheet formats them, the totals row.
        QCOMPARE(first->tabSheets()->count(), 2);
        QCOMPARE(first->tabSheets()->tabText(1), QStringLiteral("Customer"));
        QAbstractItemModel* model = PreviewSheet(first);
        QCOMPARE(model->rowCount(), 4);
        QCOMPARE(RowTexts(model, 0),
                 (QStringList{"1001", "Acme, Inc.", "$1,250.50", "12.50%", "1,200"}));
        QCOMPARE(RowTexts(model, 3), (QStringList{"", "", "$1,230.50", "", "1,205"}));
        Screenshot(first, "excel.png");

        outputs.Excel(host, QStringLiteral("Second"), {InvoiceList()});
        auto* second = qobject_cast<frmExcel*>(host.Area.subWindowList().last()->widget());
        QVERIFY(second && second != first);
        QTRY_VERIFY_WITH_TIMEOUT(!second->IsBuilding(), 20000);
        const QString secondPath = second->WorkbookPath();
        QVERIFY(secondPath.endsWith("QRTE0000000002.xlsx"));

        QPointer<frmExcel> firstAlive(first);
        QVERIFY(quarrion::test::CloseBox(host.Area.subWindowList().first()));
        QTRY_VERIFY(firstAlive.isNull());
        QVERIFY(!QFileInfo::exists(firstPath));
        QVERIFY(QFileInfo::exists(secondPath));
        host.Area.closeAllSubWindows();
        QTRY_VERIFY(!QFileInfo::exists(secondPath));
    }

    // Leaving out the types without rows writes the workbook again and is remembered; a
    // workbook changed outside since it was written is kept unless the user agrees.
    void workbookLeavesOutEmptyTypesWhenAsked() {
        frmExcel window(ThreeTypesOneEmpty());
        window.show();
        window.Start();
        auto* option = window.findChild<QCheckBox*>(QStringLiteral("chkHideEmpty"));
        QVERIFY(option && !option->isChecked());
        QTRY_VERIFY_WITH_TIMEOUT(!window.IsBuilding() && option->isEnabled(), 20000);
        QCOMPARE(SheetNames(window.WorkbookPath()), QStringList({"Customer", "Invoice", "Vendor"}));

        QTest::mouseClick(option, Qt::LeftButton);
        QCOMPARE(window.tabSheets()->count(), 2);
        QTRY_VERIFY_WITH_TIMEOUT(!window.IsBuilding(), 20000);
        QCOMPARE(SheetNames(window.WorkbookPath()), QStringList({"Customer", "Vendor"}));
        // No totals row when nothing is totalled.
        QCOMPARE(PreviewSheet(&window)->rowCount(), 1);
        QCOMPARE(RowTexts(PreviewSheet(&window), 0), (QStringList{"Acme", "No", "2026-11-02"}));
        QTRY_VERIFY(!window.busyView()->isVisible());
        Screenshot(&window, "excel-hide-empty.png");
        QVERIFY(frmExcel(ThreeTypesOneEmpty()).findChild<QCheckBox*>("chkHideEmpty")->isChecked());

        QTest::qWait(20);
        WriteText(window.WorkbookPath(), kEdited);
        QString asked;
        {
            ModalScript script({Answer(false, &asked)});
            QTest::mouseClick(option, Qt::LeftButton);
            QVERIFY(script.Finished());
        }
        QVERIFY2(asked.contains(window.WorkbookPath()), qPrintable(asked));
        QVERIFY(option->isChecked() && !window.IsBuilding());
        QCOMPARE(ReadText(window.WorkbookPath()), kEdited);
        ModalScript script({Answer(true)});
        QTest::mouseClick(option, Qt::LeftButton);
        QVERIFY(script.Finished());
        QTRY_VERIFY_WITH_TIMEOUT(!window.IsBuilding(), 20000);
        QCOMPARE(SheetNames(window.WorkbookPath()), QStringList({"Customer", "Invoice", "Vendor"}));
        QVERIFY(!AppSettings::Flag("frmExcel", "hideempty", true));
    }

    // Edit hands the file to the desktop (or says nothing can); a copy saved as stays
    // after the window and its temporary file are gone; a file changed outside is offered
    // for saving before it goes.
    void workbookEditSaveAsAndChangedOutside() {
        TestHost host;
        MakeOutputWindows().Excel(host, QStringLiteral("Edit"), {InvoiceList()});
        auto* window = qobject_cast<frmExcel*>(host.Area.subWindowList().last()->widget());
        auto* edit = window->findChild<QPushButton*>(QStringLiteral("cmdEdit"));
        auto* saveAs = window->findChild<QPushButton*>(QStringLiteral("cmdSaveAs"));
        QVERIFY(edit && saveAs);
        QTRY_VERIFY_WITH_TIMEOUT(edit->isEnabled() && saveAs->isEnabled(), 20000);
        const QString temporary = window->WorkbookPath();

        QList<QUrl> opened;
        RecordOpened(opened);
        QTest::mouseClick(edit, Qt::LeftButton);
        QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(temporary)});
        SetDesktopOpener([](const QUrl&) { return false; });
        const QString said = test::MessageOf([edit] { QTest::mouseClick(edit, Qt::LeftButton); });
        QVERIFY2(said.contains("No spreadsheet program") && said.contains(temporary),
                 qPrintable(said));

        const QString kept = folder_ + "kept.xlsx";
        {
            ModalScript script({[&kept](QDialog* dialog) { TypeFileName(dialog, kept); }});
            QTest::mouseClick(saveAs, Qt::LeftButton);
            QVERIFY(script.Finished());
        }
        QTRY_VERIFY(QFileInfo::exists(kept));
        QCOMPARE(SheetNames(kept), QStringList{"Invoice"});

        QTest::qWait(20);
        WriteText(temporary, kEdited);
        const QString edited = folder_ + "edited.xlsx";
        ModalScript script(
            {Answer(true), [&edited](QDialog* dialog) { TypeFileName(dialog, edited); }});
        host.Area.closeAllSubWindows();
        QTRY_VERIFY(script.Finished());
        QTRY_VERIFY(!QFileInfo::exists(temporary));
        QCOMPARE(ReadText(edited), kEdited);
        QVERIFY(QFileInfo::exists(kept));
    }

    // The file type chosen gives the format and, where the typed name lacks it, the
    // extension; the rule counts the whole chosen path, which is never that short.
    void dialogExportWritesTheChosenTypeWithItsExtension() {
        const struct {
            int type;
            const char* typed;
            const char* written;
            int format;
        } cases[] = {{1, "Invoices", "Invoices.txt", 2}, {0, "Inv", "Inv.csv", 1}};
        for (const auto& c : cases) {
            ModalScript script({[&](QDialog* dialog) {
                ChooseFileType(dialog, c.type);
                TypeFileName(dialog, folder_ + c.typed);
            }});
            QString fileName = QStringLiteral("Invoice List");
            int chosen = 1;
            QVERIFY(ExportListAs(nullptr, InvoiceList(), fileName, folder_, chosen, false));
            QVERIFY(script.Finished());
            QCOMPARE(chosen, c.format);
            QCOMPARE(QDir::cleanPath(fileName), QDir::cleanPath(folder_ + c.written));
            QCOMPARE(ReadRows(c.format == 1 ? "csv" : "tsv", fileName), InvoiceRows());
        }
    }

    // Every entry is written under its name in the chosen format; each file already there
    // is replaced on Yes, and on No the user names another file.
    void exportAllWritesEveryEntryAndAsksBeforeReplacing() {
        TestHost host;
        AppSettings::SetText("frmMain", "exportpath", folder_);
        AppSettings::SetText("frmMain", "exportfilter", "1");
        WriteText(folder_ + "Invoice List.txt", "old invoices\r\n");
        WriteText(folder_ + "Clients.txt", "old customers\r\n");
        const std::vector<ResultList> lists{
            InvoiceList(), SmallList(RequestTypeCode::Customer, "Customer", "Acme"),
            SmallList(RequestTypeCode::PurchaseOrder, "Purchase Order", "PO-7")};
        const QList<ExportListEntry> entries{
            {kInvoice, "Invoice List"},
            {RequestTypeCode::Customer, "Customer List"},
            {RequestTypeCode::PurchaseOrder, "Purchase Order List"}};
        QString question;
        ModalScript script(
            {[this](QDialog* dialog) {
                 auto* form = qobject_cast<frmExportAll*>(dialog);
                 QVERIFY(form);
                 QTreeView* names = form->ListView();
                 // Rename the second entry in place.
                 names->setFocus();
                 names->setCurrentIndex(names->model()->index(1, 0));
                 QTest::keyClick(names, Qt::Key_F2);
                 auto* editor = names->findChild<QLineEdit*>();
                 QVERIFY(editor);
                 editor->selectAll();
                 QTest::keyClicks(editor, "Clients");
                 QTest::keyClick(editor, Qt::Key_Return);
                 QTRY_COMPARE(form->EntryName(1), QStringLiteral("Clients"));
                 // Untick the third.
                 names->setCurrentIndex(names->model()->index(2, 0));
                 QTest::keyClick(names, Qt::Key_Space);
                 QVERIFY(!form->EntryChecked(2));
                 Screenshot(form, "export-all.png");
                 QTest::mouseClick(form->findChild<QRadioButton*>("optFilter1"), Qt::LeftButton);
                 QTest::mouseClick(form->findChild<QPushButton*>("cmdExport"), Qt::LeftButton);
             },
             Answer(false, &question),
             [this](QDialog* dialog) { TypeFileName(dialog, folder_ + "Invoices Elsewhere"); },
             Answer(true)});
        MakeOutputWindows().ExportAll(host, nullptr, lists, entries);
        QVERIFY(script.Finished());
        QCOMPARE(script.Seen, (QStringList{"Export All Lists", "Export Invoice List.txt",
                                           "Export List As ...", "Export Clients.txt"}));
        QCOMPARE(question, QStringLiteral("You already have a file called Invoice List.txt\nDo "
                                          "you wish to replace it?"));
        QCOMPARE(ReadText(folder_ + "Invoice List.txt"), QStringLiteral("old invoices\r\n"));
        // The name chosen is used as it stands: no extension added.
        QCOMPARE(ReadRows("tsv", folder_ + "Invoices Elsewhere"), InvoiceRows());
        // Every entry is exported: the tick marks do not choose.
        for (const auto& [file, value] :
             {std::pair{"Clients.txt", "Acme"}, {"Purchase Order List.txt", "PO-7"}}) {
            QCOMPARE(ReadRows("tsv", folder_ + file), (QList<QStringList>{{"Name"}, {value}}));
        }
        QCOMPARE(AppSettings::Text("frmMain", "exportfilter"), QStringLiteral("2"));
    }

    // The window starts in the program's folder when the remembered one is gone; Cancel
    // writes nothing and keeps the remembered format.
    void exportAllCancelledWritesNothingAndKeepsTheSettings() {
        TestHost host;
        AppSettings::SetText("frmMain", "exportpath", folder_ + "gone/");
        AppSettings::SetText("frmMain", "exportfilter", "1");
        QString shown;
        ModalScript script({[&shown](QDialog* dialog) {
            shown = qobject_cast<frmExportAll*>(dialog)->Path();
            QTest::mouseClick(dialog->findChild<QRadioButton*>("optFilter1"), Qt::LeftButton);
            QTest::mouseClick(dialog->findChild<QPushButton*>("cmdCancel"), Qt::LeftButton);
        }});
        MakeOutputWindows().ExportAll(host, nullptr, {InvoiceList()}, {{kInvoice, "Invoice List"}});
        QVERIFY(script.Finished());
        QCOMPARE(shown, host.State().AppFolder());
        QCOMPARE(QDir(folder_).entryList(QDir::Files), QStringList());
        QCOMPARE(AppSettings::Text("frmMain", "exportfilter"), QStringLiteral("1"));
    }

    // The folder tree reads folders in the background and sorts them after; once it has
    // read the way down, the chosen folder is selected, expanded to and scrolled into view,
    // whether the window shows before the reading ends or after.
    void exportAllShowsTheChosenFolderInTheTree_data() {
        QTest::addColumn<bool>("showFirst");
        QTest::newRow("shown while reading") << true;
        QTest::newRow("shown after reading") << false;
    }

    void exportAllShowsTheChosenFolderInTheTree() {
        QFETCH(bool, showFirst);
        const QString parent = folder_ + "one/two/three";
        const QString deep = parent + "/zeta";
        QVERIFY(QDir().mkpath(deep));
        // Siblings sorted before the chosen folder push it far below the first screenful.
        for (int n = 0; n < 60; ++n) QVERIFY(QDir().mkpath(parent + "/a" + QString::number(n)));
        frmExportAll dialog;
        dialog.AddEntry(QStringLiteral("Invoice List"), kInvoice);
        QTreeView* tree = dialog.FolderView();
        auto* model = qobject_cast<QFileSystemModel*>(tree->model());
        QStringList loaded;
        connect(model, &QFileSystemModel::directoryLoaded, &dialog,
                [&loaded](const QString& path) { loaded << QDir::cleanPath(path); });
        dialog.SetPath(deep, folder_);
        if (showFirst) dialog.show();
        QTRY_VERIFY_WITH_TIMEOUT(loaded.contains(QDir::cleanPath(parent)), 10000);
        QTest::qWait(200);
        if (!showFirst) dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::qWait(50);

        const QModelIndex current = tree->currentIndex();
        QCOMPARE(QDir::cleanPath(model->filePath(current)), QDir::cleanPath(deep));
        QVERIFY(tree->selectionModel()->isSelected(current));
        QVERIFY(tree->isExpanded(current.parent()));
        QVERIFY(tree->visualRect(current).intersects(tree->viewport()->rect()));
        QCOMPARE(dialog.Path(), QDir::cleanPath(deep) + "/");
        if (!showFirst) Screenshot(&dialog, "export-all-folder.png");
    }

    void exportToAFolderThatIsNoFolderSaysWhichFileAndWhy() {
        WriteText(folder_ + "plain file", "not a folder");
        QString fileName = QStringLiteral("Invoice List");
        int format = 1;
        const QString said = test::MessageOf([&] {
            QVERIFY(!ExportListAs(nullptr, InvoiceList(), fileName, folder_ + "plain file/", format,
                                  true));
        });
        QCOMPARE(said, "Export List: Quarrion could not export the list to " + folder_ +
                           "plain file/Invoice List.csv.\nCannot create a file in " + folder_ +
                           "plain file: Not a directory");
        QCOMPARE(ReadText(folder_ + "plain file"), QStringLiteral("not a folder"));
    }

    // The plain page shows the record under its caption and its files go with the window;
    // the old page's note opens and closes from the keyboard; the browser gets the same
    // page with its script and pictures inside, or a message when there is no browser.
    void dataViewPagesTheNoteAndTheBrowser() {
        TestHost host;
        test::AddInvoiceHeadings(host.State().Catalog());
        frmReport* report = OpenDataView(host, false);
        QVERIFY(report);
        QCOMPARE(host.Opened, 1);
        QCOMPARE(report->windowTitle(), QStringLiteral("Invoice Harbour & Sons"));
        const QString text = report->webView()->toPlainText();
        QVERIFY2(text.contains("INV-1042") && text.contains("Red gadgets") &&
                     text.contains("Description"),
                 qPrintable(text));
        QVERIFY(!report->ShownHtml().contains("quarrion-note"));
        // The page's pictures are found: the globe resolves to a file that exists.
        const QUrl globe =
            report->webView()->document()->baseUrl().resolved(QUrl("../xml_globe_00_tn.jpg"));
        QVERIFY2(QFileInfo::exists(globe.toLocalFile()), qPrintable(globe.toString()));
        const QString xml = QString::fromStdString(report->View().XmlPath().string());
        const QString xsl = QString::fromStdString(report->View().XslPath().string());
        QVERIFY(QFileInfo::exists(xml) && QFileInfo::exists(xsl));
        Screenshot(report->window(), "report-window.png");
        host.Area.closeAllSubWindows();
        QTRY_VERIFY(!QFileInfo::exists(xml) && !QFileInfo::exists(xsl));

        report = OpenDataView(host, true);
        QVERIFY(report && report->Old());
        host.Area.subWindowList().last()->resize(760, 560);
        QTextBrowser* page = report->webView();
        const QString note = QStringLiteral("display the actual Invoice, inside QuickBooks.");
        const QString picture = QStringLiteral(
            "<div id=\"div_note\" class=\"note\"><a href=\"quarrion-note:show\"><img "
            "src=\"../%1\"/></a></div>");
        QVERIFY(report->ShownHtml().contains(picture.arg("clip_anime.gif")));
        QVERIFY(!page->toPlainText().contains(note));
        // The note's link is the page's only one: Tab reaches it, Return follows it.
        page->setFocus();
        QTest::keyClick(page, Qt::Key_Tab);
        QTest::keyClick(page, Qt::Key_Return);
        QVERIFY2(page->toPlainText().contains(note), qPrintable(page->toPlainText()));
        QCOMPARE(report->NoteShowings(), 1);
        Screenshot(report, "report.png");
        QTest::keyClick(page, Qt::Key_Tab);
        QTest::keyClick(page, Qt::Key_Return);
        QVERIFY(!page->toPlainText().contains(note));
        // From the second showing on, the other picture.
        QVERIFY(report->ShownHtml().contains(picture.arg("clip06.GIF")));

        QList<QUrl> opened;
        RecordOpened(opened);
        auto* browser = report->findChild<QPushButton*>(QStringLiteral("cmdBrowser"));
        QTest::mouseClick(browser, Qt::LeftButton);
        QCOMPARE(opened.size(), 1);
        const QString file = opened[0].toLocalFile();
        const QString html = ReadText(file);
        // The page goes with its script and pictures inside (the Chromium test runs one).
        QVERIFY(html.contains("function shownote()") && !html.contains("../xml_globe_00_tn.jpg"));
        SetDesktopOpener([](const QUrl&) { return false; });
        const QString said =
            test::MessageOf([browser] { QTest::mouseClick(browser, Qt::LeftButton); });
        QVERIFY2(said.contains("No web browser"), qPrintable(said));
        host.Area.closeAllSubWindows();
        QTRY_VERIFY(!QFileInfo::exists(file));
    }
};

QUARRION_SHELL_TEST_MAIN(OutputWindowsTest)
#include "output_windows_test.moc"
