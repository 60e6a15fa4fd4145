// Time to open the output windows, as a user waits for them (offscreen).
//
//   output_windows_bench [SHEETS ROWS [RUNS]]
//
// Workbook window: SHEETS result lists of ROWS rows (8 columns: text, date, amounts,
// quantity, percent) handed to the window; timed from the call until the workbook
// file is written and the preview shows, the busy pane on its way out (default 34
// sheets of 3,000 rows; goal 3 s). Data-view window: an invoice of 20 lines; timed
// from the call until the page is laid out in the window (goal 100 ms). Prints the
// median and the slowest run of each.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "catalog/qbxml_tags.h"
#include "output/frm_excel.h"
#include "output/frm_report.h"
#include "qbxml/request_type_info.h"
#include "shell/app_settings.h"

using namespace quarrion;

namespace {

std::vector<ResultList> MakeLists(int sheets, int rows) {
    std::vector<ResultList> lists;
    for (int s = 0; s < sheets; ++s) {
        ResultList list;
        list.RequestType = s + 1;
        list.Title = "List " + std::to_string(s + 1);
        list.Columns = {{"//R/RefNumber", "Number", DataTypeCode::Str},
                        {"//R/TxnDate", "Date", DataTypeCode::Date},
                        {"//R/CustomerRef/FullName", "Customer", DataTypeCode::Str},
                        {"//R/Memo", "Memo", DataTypeCode::Str},
                        {"//R/Subtotal", "Subtotal", DataTypeCode::Amt},
                        {"//R/Rate", "Rate", DataTypeCode::Price},
                        {"//R/Quantity", "Qty", DataTypeCode::Quan},
                        {"//R/Tax", "Tax %", DataTypeCode::Percent}};
        list.Rows.reserve(static_cast<std::size_t>(rows));
        for (int r = 0; r < rows; ++r) {
            list.Rows.push_back(
                {"k" + std::to_string(r),
                 {std::to_string(10000 + r), "2024-03-" + std::to_string(1 + r % 28),
                  "Customer " + std::to_string(r % 97), "Memo of row " + std::to_string(r),
                  std::to_string(r % 5000) + ".25", std::to_string(r % 300) + ".5",
                  std::to_string(r % 40), std::to_string(r % 20) + ".5"},
                 ""});
        }
        lists.push_back(std::move(list));
    }
    return lists;
}

std::string InvoiceXml(int lines) {
    std::string xml =
        "<InvoiceRet><TxnID>1-1</TxnID><RefNumber>1042</RefNumber><TxnDate>2024-03-05</TxnDate>"
        "<CustomerRef><ListID>8</ListID><FullName>Harbour Sons</FullName></CustomerRef>"
        "<BillAddress><Addr1>1 Quay</Addr1><City>Hobart</City></BillAddress>"
        "<Memo>Back door</Memo><Subtotal>100.00</Subtotal>";
    for (int i = 0; i < lines; ++i) {
        xml += "<InvoiceLineRet><TxnLineID>" + std::to_string(i) +
               "</TxnLineID><ItemRef><FullName>Item " + std::to_string(i) +
               "</FullName></ItemRef><Desc>Line " + std::to_string(i) +
               "</Desc><Quantity>2</Quantity><Amount>10.00</Amount></InvoiceLineRet>";
    }
    return xml + "</InvoiceRet>";
}

void Report(const char* what, std::vector<double> ms, double goal) {
    std::sort(ms.begin(), ms.end());
    std::printf("%s: median %.1f ms, slowest %.1f ms over %zu runs (goal %.0f ms)\n", what,
                ms[ms.size() / 2], ms.back(), ms.size(), goal);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home(QDir::tempPath() + "/output-windows-bench-XXXXXX");
    qputenv("QUARRION_HOME", home.path().toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    AppSettings::UseDataFolder(home.path() + "/");
    const int sheets = argc > 2 ? std::atoi(argv[1]) : 34;
    const int rows = argc > 2 ? std::atoi(argv[2]) : 3000;
    const int runs = argc > 3 ? std::atoi(argv[3]) : 3;

    QMdiArea area;
    area.resize(1200, 800);
    area.show();

    const std::vector<ResultList> lists = MakeLists(sheets, rows);
    std::vector<double> workbook;
    for (int run = 0; run < runs; ++run) {
        std::vector<ResultList> copy = lists;  // the results window hands over a copy
        QElapsedTimer timer;
        timer.start();
        auto* window = new frmExcel(std::move(copy));
        window->setWindowTitle("Bench [Excel WorkBook]");
        area.addSubWindow(window)->setAttribute(Qt::WA_DeleteOnClose);
        window->show();
        QEventLoop wait;
        QObject::connect(window, &frmExcel::Built, &wait, &QEventLoop::quit);
        window->Start();
        wait.exec();
        workbook.push_back(timer.nsecsElapsed() / 1e6);
        if (!window->BuildError().empty()) {
            std::fprintf(stderr, "workbook failed: %s\n", window->BuildError().c_str());
            return 1;
        }
        area.closeAllSubWindows();
        QApplication::processEvents();
    }
    char label[96];
    std::snprintf(label, sizeof label, "workbook window, %d sheets x %d rows", sheets, rows);
    Report(label, workbook, 3000);

    QBXMLTags tags;
    pugi::xml_document record;
    record.load_string(InvoiceXml(20).c_str());
    std::vector<double> dataView;
    for (int run = 0; run < 50; ++run) {
        QElapsedTimer timer;
        timer.start();
        auto* window = new frmReport(tags);
        window->SetRequestType(4);
        window->SetXMLNode(record.document_element());
        area.addSubWindow(window)->setAttribute(Qt::WA_DeleteOnClose);
        window->show();
        window->webView()->document()->size();  // forces the page's layout
        QApplication::processEvents();
        dataView.push_back(timer.nsecsElapsed() / 1e6);
        area.closeAllSubWindows();
        QApplication::processEvents();
    }
    Report("data view window, invoice of 20 lines", dataView, 100);
    return 0;
}
