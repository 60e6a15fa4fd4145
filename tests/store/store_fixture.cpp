#include "store_fixture.h"

#include <SQLiteCpp/Statement.h>

#include <fstream>
#include <sstream>

namespace quarrion::test {

namespace {
const char* Flag(bool value) {
    return value ? "True" : "False";
}
}  // namespace

std::string ControlLine::Text() const {
    std::ostringstream out;
    out << code << '\t' << reference << '\t' << defaultSequence << '\t' << sequence << '\t'
        << tagName << '\t' << defaultHeading << '\t' << level << '\t' << userHeading << '\t'
        << Flag(searchable) << '\t' << searchGroup << '\t' << Flag(v21) << '\t' << Flag(v20) << '\t'
        << Flag(v11) << '\t' << Flag(v10) << '\t' << dataType << '\t' << Flag(v30) << '\t'
        << Flag(ca20) << '\t' << Flag(ca30);
    return out.str();
}

void WriteControlFile(const std::filesystem::path& path, const std::string& header,
                      const std::vector<std::string>& lines) {
    std::ofstream out(path, std::ios::binary);
    out << header << "\r\n";
    for (const auto& line : lines) out << line << "\r\n";
}

std::vector<std::string> InvoiceLines(int count) {
    std::vector<std::string> lines;
    for (int i = 1; i <= count; ++i) {
        ControlLine line;
        line.tagName = "//InvoiceRet/Field" + std::to_string(i);
        line.defaultHeading = "Field " + std::to_string(i);
        line.defaultSequence = i <= 3 ? i : 0;
        line.dataType = i % 2 ? "STRTYPE" : "AMTTYPE";
        lines.push_back(line.Text());
    }
    return lines;
}

SQLite::Database Inspect(const std::filesystem::path& path) {
    SQLite::Database db(path.string(), SQLite::OPEN_READWRITE, 5000);
    db.exec("PRAGMA foreign_keys = ON");
    return db;
}

long RowCount(SQLite::Database& db, const std::string& table) {
    std::string quoted = "\"" + table + "\"";
    return db.execAndGet("SELECT count(*) FROM " + quoted).getInt();
}

std::string Rows(SQLite::Database& db, const std::string& sql) {
    SQLite::Statement q(db, sql);
    std::string all;
    while (q.executeStep()) {
        for (int i = 0; i < q.getColumnCount(); ++i) {
            all += (i ? "|" : "") + q.getColumn(i).getString();
        }
        all += "\n";
    }
    return all;
}

std::vector<std::string> SearchTables(const std::filesystem::path& path) {
    auto db = Inspect(path);
    std::istringstream names(
        Rows(db,
             "SELECT name FROM sqlite_schema WHERE type = 'table' AND name "
             "NOT IN ('Basics', 'QuickBooks Files', 'Store Format', 'Search Groups', "
             "'Search Group Basics', 'sqlite_sequence') ORDER BY name"));
    std::vector<std::string> tables;
    for (std::string name; std::getline(names, name);) tables.push_back(name);
    return tables;
}

std::string DumpRows(const std::filesystem::path& path, const std::vector<std::string>& tables) {
    auto db = Inspect(path);
    std::string all;
    for (const auto& table : tables) {
        all += table + ":\n" + Rows(db, "SELECT * FROM \"" + table + "\" ORDER BY rowid");
    }
    return all;
}

}  // namespace quarrion::test
