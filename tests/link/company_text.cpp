#include "company_text.h"

#include <fstream>
#include <sstream>

#include "sample/sample_company.h"

namespace quarrion::test {

std::string InvoiceRecord(const TestInvoice& invoice) {
    return "<InvoiceRet><TxnID>" + invoice.txnId + "</TxnID><TimeCreated>" + invoice.timeModified +
           "</TimeCreated><TimeModified>" + invoice.timeModified + "</TimeModified><EditSequence>" +
           invoice.editSequence +
           "</EditSequence><TxnNumber>1</TxnNumber><CustomerRef><ListID>C-1</ListID><FullName>Acme "
           "&amp; Sons</FullName></CustomerRef><TxnDate>" +
           invoice.txnDate + "</TxnDate><RefNumber>" + invoice.refNumber +
           "</RefNumber><IsToBePrinted>" + (invoice.toPrint ? "true" : "false") +
           "</IsToBePrinted><Memo>Thanks</Memo>"
           "<LinkedTxn><TxnID>P-1</TxnID><TxnType>ReceivePayment</TxnType></LinkedTxn>"
           "<InvoiceLineRet><TxnLineID>L-1</TxnLineID><Desc>Widget</Desc><Amount>10.00</Amount></"
           "InvoiceLineRet>"
           "<InvoiceLineRet><TxnLineID>L-2</TxnLineID><Desc>Gadget</Desc><Amount>5.00</Amount></"
           "InvoiceLineRet>"
           "<DataExtRet><OwnerID>0</OwnerID><DataExtName>Color</"
           "DataExtName><DataExtType>STR255TYPE</DataExtType>"
           "<DataExtValue>Blue</DataExtValue></DataExtRet>"
           "</InvoiceRet>";
}

std::string CustomerRecord(const std::string& listId, const std::string& name, bool active,
                           const std::string& timeModified) {
    return "<CustomerRet><ListID>" + listId + "</ListID><TimeCreated>" + timeModified +
           "</TimeCreated><TimeModified>" + timeModified +
           "</TimeModified><EditSequence>500</EditSequence><Name>" + name + "</Name><FullName>" +
           name + "</FullName><IsActive>" + (active ? "true" : "false") +
           "</IsActive></CustomerRet>";
}

std::string CompanyText(
    const std::vector<std::pair<std::string, std::vector<std::string>>>& types) {
    std::string text =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<?qbxml version=\"13.0\"?>\n<QBXML>\n  "
        "<QBXMLMsgsRs>\n";
    int id = 1;
    for (const auto& [stem, records] : types) {
        text += "    <" + stem + "QueryRs requestID=\"" + std::to_string(id++) +
                "\" statusCode=\"0\" statusSeverity=\"Info\" statusMessage=\"Status OK\">\n";
        for (const std::string& record : records) text += "      " + record + "\n";
        text += "    </" + stem + "QueryRs>\n";
    }
    text += "  </QBXMLMsgsRs>\n</QBXML>\n";
    return text;
}

std::vector<std::string> Invoices(int count) {
    std::vector<std::string> records;
    for (int i = 1; i <= count; ++i) {
        TestInvoice invoice;
        invoice.txnId = "T-" + std::to_string(i);
        char date[16];
        std::snprintf(date, sizeof date, "2026-%02d-%02d", 1 + (i / 28) % 12, 1 + i % 28);
        invoice.txnDate = date;
        invoice.refNumber = std::to_string(i);
        invoice.editSequence = std::to_string(1000 + i);
        records.push_back(InvoiceRecord(invoice));
    }
    return records;
}

void WriteText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

std::string WriteSmallSampleCompany(const std::filesystem::path& path) {
    SampleCompanyOptions options;
    options.scale = 0.1;
    options.today = "2026-11-02";
    return WriteSampleCompany(path, options).Message();
}

}  // namespace quarrion::test
