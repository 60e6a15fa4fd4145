// Throughput of the workbook writer and the data view.
//
//   quarrion-bench-writers workbook ROWS [COLUMNS]   one list of ROWS x COLUMNS
//   quarrion-bench-writers dataview LINES [RUNS]     an invoice with LINES lines
//   quarrion-bench-writers dataview-wide CHILDREN [RUNS]
//                                                    an invoice with CHILDREN fields of
//                                                    its own (the time must grow in
//                                                    proportion, not with the square)
//
// Prints wall time, rows per second and, for workbooks, the writer's own peak memory:
// the process's resident high-water mark is reset after the list is built, so the
// figure is what writing added on top of the list, and it must not grow with ROWS.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "catalog/qbxml_tags.h"
#include "output/data_view.h"
#include "output/workbook_writer.h"
#include "qbxml/request_type_info.h"
#include "results/result_list.h"

namespace {

using Clock = std::chrono::steady_clock;

long StatusKilobytes(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0) return std::atol(line.c_str() + std::string(field).size());
    }
    return -1;
}

// Makes the high-water mark start again from the current resident size.
void ResetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

quarrion::ResultList MakeList(std::size_t rows, std::size_t columns) {
    using namespace quarrion;
    // A realistic mix: texts, dates, amounts, quantities, percentages.
    const std::int32_t codes[] = {DataTypeCode::Str, DataTypeCode::Date,    DataTypeCode::Amt,
                                  DataTypeCode::Str, DataTypeCode::Quan,    DataTypeCode::Price,
                                  DataTypeCode::Str, DataTypeCode::Percent, DataTypeCode::Amt,
                                  DataTypeCode::Int};
    ResultList list;
    list.Title = "Invoice";
    for (std::size_t c = 0; c < columns; ++c) {
        list.Columns.push_back({"//InvoiceRet/Field" + std::to_string(c),
                                "Heading " + std::to_string(c), codes[c % 10]});
    }
    list.Rows.reserve(rows);
    char buffer[64];
    for (std::size_t r = 0; r < rows; ++r) {
        ResultRow row;
        row.Key = "k" + std::to_string(r);
        row.Cells.reserve(columns);
        for (std::size_t c = 0; c < columns; ++c) {
            switch (codes[c % 10]) {
                case DataTypeCode::Str:
                    std::snprintf(buffer, sizeof buffer, "Customer %zu:Job %zu", r % 977, c);
                    break;
                case DataTypeCode::Date:
                    std::snprintf(buffer, sizeof buffer, "2024-%02zu-%02zu", r % 12 + 1,
                                  r % 28 + 1);
                    break;
                case DataTypeCode::Quan:
                case DataTypeCode::Int:
                    std::snprintf(buffer, sizeof buffer, "%zu", r % 50 + 1);
                    break;
                case DataTypeCode::Percent:
                    std::snprintf(buffer, sizeof buffer, "%zu.5", r % 20);
                    break;
                default:
                    std::snprintf(buffer, sizeof buffer, "%zu.%02zu", (r * 37) % 100000, r % 100);
            }
            row.Cells.emplace_back(buffer);
        }
        list.Rows.push_back(std::move(row));
    }
    return list;
}

int BenchWorkbook(std::size_t rows, std::size_t columns) {
    quarrion::ResultList list = MakeList(rows, columns);
    std::vector<quarrion::ResultList> lists;
    lists.push_back(std::move(list));
    std::string path = "/tmp/quarrion-bench-workbook.xlsx";
    long before = StatusKilobytes("VmRSS:");
    ResetPeakMemory();
    std::size_t ticks = 0;
    std::clock_t cpuStart = std::clock();
    auto start = Clock::now();
    quarrion::Outcome error =
        quarrion::WriteWorkbook(path, lists, [&](std::size_t, std::size_t) { ++ticks; });
    double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    double cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    long peak = StatusKilobytes("VmHWM:");
    if (!error) {
        std::fprintf(stderr, "%s\n", error.Message().c_str());
        return 1;
    }
    std::error_code ignored;
    auto size = std::filesystem::file_size(path, ignored);
    std::printf(
        "workbook %zu rows x %zu columns: %.3f s (%.3f s of CPU), %.0f rows/s, file %.1f MB, list "
        "in memory %ld KB, writer's peak on top %ld KB\n",
        rows, columns, seconds, cpuSeconds, rows / seconds, size / 1e6, before, peak - before);
    std::filesystem::remove(path, ignored);
    return 0;
}

// An invoice as the sample company answers it: header fields, two addresses, a
// customer and terms reference, and `lines` item lines.
std::string InvoiceXml(std::size_t lines) {
    std::string xml =
        "<InvoiceRet><TxnID>1A2B-1071536100</TxnID><TimeCreated>2024-01-05T10:00:00</TimeCreated>"
        "<TimeModified>2024-01-06T10:00:00</TimeModified><EditSequence>1071536101</EditSequence>"
        "<TxnNumber>42</TxnNumber><CustomerRef><ListID>80000001</ListID><FullName>Abercrombie, "
        "Kristy:Family Room</FullName></CustomerRef><ARAccountRef><FullName>Accounts Receivable"
        "</FullName></ARAccountRef><TemplateRef><FullName>Intuit Product Invoice</FullName>"
        "</TemplateRef><TxnDate>2024-01-05</TxnDate><RefNumber>1042</RefNumber><BillAddress>"
        "<Addr1>Kristy Abercrombie</Addr1><Addr2>5647 Cypress Hill Rd</Addr2><City>Bayshore"
        "</City><State>CA</State><PostalCode>94326</PostalCode></BillAddress><ShipAddress><Addr1>"
        "Kristy Abercrombie</Addr1><Addr2>5647 Cypress Hill Rd</Addr2><City>Bayshore</City>"
        "<State>CA</State><PostalCode>94326</PostalCode></ShipAddress><IsPending>false</IsPending>"
        "<PONumber>PO-77</PONumber><TermsRef><FullName>Net 30</FullName></TermsRef><DueDate>"
        "2024-02-04</DueDate><ShipDate>2024-01-05</ShipDate><Subtotal>5000.00</Subtotal>"
        "<SalesTaxPercentage>7.75</SalesTaxPercentage><SalesTaxTotal>387.50</SalesTaxTotal>"
        "<AppliedAmount>0.00</AppliedAmount><BalanceRemaining>5387.50</BalanceRemaining><Memo>"
        "Thank you for your business &amp; prompt payment</Memo><IsPaid>false</IsPaid>"
        "<IsToBePrinted>true</IsToBePrinted>";
    for (std::size_t i = 1; i <= lines; ++i) {
        std::string n = std::to_string(i);
        xml += "<InvoiceLineRet><TxnLineID>L" + n + "</TxnLineID><ItemRef><ListID>I" + n +
               "</ListID><FullName>Item " + n + "</FullName></ItemRef><Desc>Description of line " +
               n + "</Desc><Quantity>" + std::to_string(i % 7 + 1) + "</Quantity><Rate>" +
               std::to_string(10 + i) + ".00</Rate><Amount>" +
               std::to_string((i % 7 + 1) * (10 + i)) +
               ".00</Amount><SalesTaxCodeRef><FullName>Tax</FullName></SalesTaxCodeRef>"
               "</InvoiceLineRet>";
    }
    return xml + "</InvoiceRet>";
}

// Times `runs` data views of the invoice in `doc` (files written, transformed) and
// prints the median and slowest beside `what`; 1 when a view cannot be made.
int TimeDataViews(const quarrion::QBXMLTags& tags, const pugi::xml_document& doc, int runs,
                  const std::string& what) {
    using namespace quarrion;
    std::vector<double> times;
    std::size_t pageSize = 0;
    for (int run = 0; run < runs; ++run) {
        auto start = Clock::now();
        DataView view(tags);
        view.SetRequestType(RequestTypeCode::Invoice);
        if (Outcome error = view.SetXMLNode(doc.document_element()); !error) {
            std::fprintf(stderr, "%s\n", error.Message().c_str());
            return 1;
        }
        std::string html;
        Outcome page = view.Render(html);
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        if (!page) {
            std::fprintf(stderr, "%s\n", page.Message().c_str());
            return 1;
        }
        pageSize = html.size();
    }
    std::sort(times.begin(), times.end());
    std::printf(
        "data view, %s: median %.2f ms, slowest %.2f ms over %d runs (files written, "
        "transformed, page %zu bytes)\n",
        what.c_str(), times[times.size() / 2], times.back(), runs, pageSize);
    return 0;
}

int BenchDataView(std::size_t lines, int runs) {
    using namespace quarrion;
    QBXMLTags tags;
    const char* headings[][2] = {{"TxnNumber", "Txn #"},
                                 {"CustomerRef/FullName", "Customer"},
                                 {"TxnDate", "Date"},
                                 {"RefNumber", "Invoice #"},
                                 {"PONumber", "P.O. No."},
                                 {"TermsRef/FullName", "Terms"},
                                 {"DueDate", "Due Date"},
                                 {"Subtotal", "Subtotal"},
                                 {"Memo", "Memo"},
                                 {"InvoiceLineRet/ItemRef/FullName", "Item"},
                                 {"InvoiceLineRet/Desc", "Description"},
                                 {"InvoiceLineRet/Quantity", "Qty"},
                                 {"InvoiceLineRet/Rate", "Rate"},
                                 {"InvoiceLineRet/Amount", "Amount"}};
    for (auto& [path, heading] : headings) {
        tags.Add(RequestTypeCode::Invoice, "", 0, 0, std::string("//InvoiceRet/") + path, heading,
                 1, "", false, "", "STRTYPE", 0);
    }
    pugi::xml_document doc;
    std::string xml = InvoiceXml(lines);
    doc.load_string(xml.c_str());
    return TimeDataViews(tags, doc, runs, "invoice with " + std::to_string(lines) + " lines");
}

int BenchWideDataView(std::size_t children, int runs) {
    using namespace quarrion;
    QBXMLTags tags;
    std::string xml = "<InvoiceRet><RefNumber>1</RefNumber>";
    for (std::size_t i = 0; i < children; ++i) {
        const std::string name = "Field" + std::to_string(i);
        xml += "<" + name + ">value " + std::to_string(i) + "</" + name + ">";
        if (i % 2 == 0) {
            tags.Add(RequestTypeCode::Invoice, "", 0, 0, "//InvoiceRet/" + name,
                     "Field " + std::to_string(i), 1, "", false, "", "STRTYPE", 0);
        }
    }
    xml += "<CustomerRef><FullName>Acme</FullName></CustomerRef></InvoiceRet>";
    pugi::xml_document doc;
    doc.load_string(xml.c_str());
    return TimeDataViews(tags, doc, runs,
                         "invoice with " + std::to_string(children) + " fields of its own");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::string(argv[1]) == "workbook") {
        return BenchWorkbook(std::strtoul(argv[2], nullptr, 10),
                             argc >= 4 ? std::strtoul(argv[3], nullptr, 10) : 10);
    }
    if (argc >= 3 && std::string(argv[1]) == "dataview") {
        return BenchDataView(std::strtoul(argv[2], nullptr, 10),
                             argc >= 4 ? std::atoi(argv[3]) : 20);
    }
    if (argc >= 3 && std::string(argv[1]) == "dataview-wide") {
        return BenchWideDataView(std::strtoul(argv[2], nullptr, 10),
                                 argc >= 4 ? std::atoi(argv[3]) : 3);
    }
    std::fprintf(stderr,
                 "usage: %s workbook ROWS [COLUMNS] | dataview LINES [RUNS] | dataview-wide "
                 "CHILDREN [RUNS]\n",
                 argv[0]);
    return 2;
}
