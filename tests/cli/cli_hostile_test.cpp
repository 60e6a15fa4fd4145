// The terminal tool under bad input, grouped by kind: answers, files, options and
// concurrency. Every input is made here; nothing hostile is checked in.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli_runner.h"

namespace quarrion::test {
namespace {

namespace fs = std::filesystem;

std::string Answer(const std::string& rsName, const std::string& attributes,
                   const std::string& records = "") {
    return "<?xml version=\"1.0\"?>\n<QBXML><QBXMLMsgsRs><" + rsName + " requestID=\"1\" " +
           attributes + ">" + records + "</" + rsName + "></QBXMLMsgsRs></QBXML>\n";
}

const char* kInvoice =
    "<InvoiceRet><TxnID>T-1</TxnID><TxnDate>2026-01-05</TxnDate><RefNumber>1001</RefNumber>"
    "<Memo>listed anyway</Memo></InvoiceRet>";

class CliHostile : public CliHome {
  protected:
    // Searches the response folder for invoices.
    CliRun SearchResponses(const std::string& extra = "") {
        return Home("search",
                    "--responses " + Shell(responses_.string()) + " --type Invoice " + extra);
    }
    void WriteInvoiceFile(const std::string& text) {
        fs::create_directories(responses_);
        std::ofstream(responses_ / "Invoice.xml", std::ios::binary) << text;
    }

    fs::path responses_ = dir_.Path() / "R";
};

// ---- answers ----------------------------------------------------------------------

TEST_F(CliHostile, OnlyAWellFormedAnswerToTheQueryIsSearched) {
    const std::string boom =
        Answer("InvoiceQueryRs",
               "statusCode=\"3100\" statusSeverity=\"Error\" statusMessage=\"boom\"", kInvoice);
    struct Case {
        std::string label;
        std::string text;
        int exitCode;
        std::string says;
    };
    const std::vector<Case> cases = {
        {"an error answer", boom, 1, "boom"},
        {"nothing found", Answer("InvoiceQueryRs", "statusCode=\"1\" statusSeverity=\"Info\""), 0,
         "No matches found."},
        {"an HTML page", "<html><body><p>Not Found</p></body></html>", 1, "not a qbXML response"},
        {"a bare error element",
         "<InvoiceQueryRs statusCode=\"3100\" statusSeverity=\"Error\" statusMessage=\"boom\"/>", 1,
         "not a qbXML response"},
        {"another type's answer", Answer("CustomerQueryRs", "statusCode=\"0\""), 1,
         "no InvoiceQueryRs"},
        {"two documents", Answer("InvoiceQueryRs", "statusCode=\"0\"", kInvoice) + "<QBXML/>", 1,
         "documents"},
        {"a reference to character 0",
         Answer("InvoiceQueryRs", "statusCode=\"0\"",
                "<InvoiceRet><TxnID>T-&#0;1</TxnID></InvoiceRet>"),
         1, "&#0;"},
    };
    for (const Case& c : cases) {
        WriteInvoiceFile(c.text);
        const CliRun run = SearchResponses();
        const std::string said = run.out + run.err;
        EXPECT_EQ(run.exitCode, c.exitCode) << c.label << "\n" << said;
        EXPECT_NE(said.find(c.says), std::string::npos) << c.label << "\n" << said;
        EXPECT_EQ(said.find("listed anyway"), std::string::npos) << c.label;
        EXPECT_EQ(said.find("No matches found.") != std::string::npos, c.exitCode == 0) << c.label;
    }
    // An error answer in a company file fails the type the same way, and is logged.
    const fs::path company = dir_.Path() / "company.qbxml";
    std::ofstream(company) << boom;
    const CliRun run = Home("search", "--company " + Shell(company.string()) + " --type Invoice");
    EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
    EXPECT_NE(run.err.find("boom"), std::string::npos) << run.err;
    EXPECT_EQ(run.out.find("listed anyway"), std::string::npos);
    EXPECT_EQ(Count(Home("log", "show").out, "boom"), 2u) << "from the folder and the company";
}

TEST_F(CliHostile, AMissingResponseFileFailsItsTypeInsteadOfFindingNothing) {
    WriteInvoiceFile(Answer("InvoiceQueryRs", "statusCode=\"0\"", kInvoice));
    const CliRun run = SearchResponses("--type Customer");
    EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
    EXPECT_NE(run.err.find("Customer.xml"), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("1001"), std::string::npos) << "the present type is still listed\n"
                                                       << run.out;
    EXPECT_EQ(run.out.find("No matches found"), std::string::npos) << run.out;
    EXPECT_NE(Home("log", "show").out.find("Customer.xml"), std::string::npos);
}

TEST_F(CliHostile, ATypeCutShortAtTheLimitSaysSo) {
    std::string records;
    for (char i = '1'; i <= '5'; ++i)
        records += std::string("<InvoiceRet><TxnID>T-") + i + "</TxnID><RefNumber>100" + i +
                   "</RefNumber><Memo>listed</Memo></InvoiceRet>";
    WriteInvoiceFile(Answer("InvoiceQueryRs", "statusCode=\"0\"", records));
    const CliRun capped = SearchResponses("--rule 'text contains listed' --max 3");
    EXPECT_EQ(capped.exitCode, 0) << capped.err;
    EXPECT_NE(capped.out.find("3 of 5 records searched: raise the limit to see the rest"),
              std::string::npos)
        << capped.out;
    const CliRun all = SearchResponses("--rule 'text contains listed' --max 0");
    EXPECT_EQ(all.exitCode, 0) << all.err;
    EXPECT_EQ(all.out.find("raise the limit"), std::string::npos) << all.out;
    EXPECT_NE(all.out.find("1005"), std::string::npos) << all.out;
}

// ---- files --------------------------------------------------------------------------

TEST_F(CliHostile, APipeGivenAsAnInputIsRefusedAtOnce) {
    const fs::path company = dir_.Path() / "company.qbxml";
    ASSERT_EQ(::mkfifo(company.c_str(), 0600), 0);
    // Before pipes were refused, this run waited for a writer that never came.
    const CliRun byCompany =
        Home("search", "--company " + Shell(company.string()) + " --type Invoice </dev/null");
    EXPECT_EQ(byCompany.exitCode, 1) << byCompany.out << byCompany.err;
    EXPECT_NE((byCompany.out + byCompany.err).find("not a regular file"), std::string::npos)
        << byCompany.out << byCompany.err;

    fs::create_directories(responses_);
    ASSERT_EQ(::mkfifo((responses_ / "Invoice.xml").c_str(), 0600), 0);
    const CliRun byResponses = SearchResponses();
    EXPECT_EQ(byResponses.exitCode, 1) << byResponses.out << byResponses.err;
    EXPECT_NE((byResponses.out + byResponses.err).find("not a regular file"), std::string::npos);
}

TEST_F(CliHostile, AnUnreadableCompanyFailsTheSearchAndIsLoggedEscaped) {
    // One is not there and its name holds a terminal control sequence; one is cut off.
    const fs::path missing = dir_.Path() / "bad\x1b[2Jname.qbxml";
    const fs::path damaged = dir_.Path() / "damaged.qbxml";
    std::ofstream(damaged) << "<QBXML><not closed";
    const CliRun absent =
        Home("search", "--company " + Shell(missing.string()) + " --type Invoice");
    EXPECT_EQ(absent.exitCode, 1);
    EXPECT_NE(absent.err.find("bad\\x1b[2Jname.qbxml\" does not exist"), std::string::npos)
        << absent.err;
    EXPECT_NE(absent.out.find("Could not get Invoice records"), std::string::npos) << absent.out;
    EXPECT_EQ((absent.out + absent.err).find('\x1b'), std::string::npos) << "raw escape printed";
    const CliRun broken =
        Home("search", "--company " + Shell(damaged.string()) + " --type Invoice --format json");
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_NE(broken.err.find("is not well-formed XML"), std::string::npos) << broken.err;
    EXPECT_EQ(CheckedJson(broken.out).at(1), "Invoice: ") << "still one JSON object";

    const CliRun log = Home("log", "show");
    EXPECT_NE(log.out.find("bad\\x1b[2Jname.qbxml"), std::string::npos) << log.out;
    EXPECT_NE(log.out.find("damaged.qbxml"), std::string::npos) << log.out;
    EXPECT_EQ(log.out.find('\x1b'), std::string::npos) << "raw escape in the log listing";
    EXPECT_EQ(Home("log", "clear").exitCode, 0);
    EXPECT_EQ(Home("log", "show").out, "The error log is empty.\n");
}

TEST_F(CliHostile, AnOutputThatIsNoFileIsWrittenThroughOrRefused) {
    // A pipe stands for a device here: it must stay a pipe and get the bytes.
    const fs::path pipe = dir_.Path() / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const fs::path received = dir_.Path() / "received.xml";
    const std::string reader =
        "timeout 60 cat " + Shell(pipe.string()) + " >" + Shell(received.string()) + " &";
    ASSERT_EQ(std::system(("/bin/sh -c " + Shell(reader)).c_str()), 0);
    const CliRun written = Cli("sample --scale 0.01 --out " + Shell(pipe.string()));
    EXPECT_EQ(written.exitCode, 0) << written.err;
    EXPECT_TRUE(fs::is_fifo(pipe));
    for (int i = 0; i < 100 && ReadAll(received).find("</QBXML>") == std::string::npos; ++i) {
        ::usleep(50000);
    }
    EXPECT_NE(ReadAll(received).find("</QBXML>"), std::string::npos);

    // A name for the process's own standard output, as /dev/stdout is; made here so a
    // failure can never touch the system's node.
    const fs::path standardOutput = dir_.Path() / "stdout";
    fs::create_symlink("/proc/self/fd/1", standardOutput);
    const CliRun stdoutRun = Cli("sample --scale 0.01 --out " + Shell(standardOutput.string()));
    EXPECT_EQ(stdoutRun.exitCode, 0) << stdoutRun.err;
    EXPECT_NE(stdoutRun.out.find("</QBXML>"), std::string::npos);
    EXPECT_TRUE(fs::is_symlink(standardOutput));

    // A page sent to standard output is the whole of it; the note goes to stderr.
    WriteInvoiceFile(Answer("InvoiceQueryRs", "statusCode=\"0\"", kInvoice));
    const CliRun page =
        Home("view", "--responses " + Shell(responses_.string()) +
                         " --type Invoice --key k0 --rule 'text contains listed' --out " +
                         Shell(standardOutput.string()));
    EXPECT_EQ(page.exitCode, 0) << page.err;
    EXPECT_EQ(page.out.rfind("<html>", 0), 0u) << page.out.substr(0, 80);
    EXPECT_NE(page.out.find("listed anyway"), std::string::npos);
    EXPECT_NE(page.err.find("Wrote"), std::string::npos) << page.err;

    const CliRun folder = Cli("sample --scale 0.01 --out " + Shell(dir_.Path().string()));
    EXPECT_EQ(folder.exitCode, 1);
    EXPECT_TRUE(fs::is_directory(dir_.Path()));
}

// ---- options ------------------------------------------------------------------------

TEST_F(CliHostile, EmptyOptionValuesAreUsageErrors) {
    for (const std::string& arguments :
         {"--company '' --home " + Shell(home_.string()), std::string("--home ''")}) {
        const CliRun run = Cli("search --type Invoice " + arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments << "\n" << run.out << run.err;
        EXPECT_FALSE(run.err.empty()) << arguments;
    }
}

// ---- concurrency --------------------------------------------------------------------

TEST(CliConcurrency, TwoFirstStartsAtOnceBothSucceed) {
    // Real processes on one empty data folder, started together, several times over.
    for (int trial = 0; trial < 6; ++trial) {
        TempDir dir;
        const std::string home = Shell((dir.Path() / "home").string());
        auto start = [&](const char* run) {
            const std::string file = Shell((dir.Path() / run).string());
            return "(" + Shell(QUARRION_CLI) + " searches list --home " + home + " >" + file +
                   ".txt 2>&1; echo $? >" + file + ".rc)";
        };
        const std::string script = start("1") + " & " + start("2") + " & wait";
        ASSERT_EQ(std::system(("/bin/sh -c " + Shell(script)).c_str()), 0);
        for (const std::string run : {"1", "2"}) {
            EXPECT_EQ(ReadAll(dir.Path() / (run + ".rc")), "0\n")
                << "trial " << trial << " run " << run << ": "
                << ReadAll(dir.Path() / (run + ".txt"));
        }
        EXPECT_EQ(Cli("catalog list Invoice --home " + home).exitCode, 0);
    }
}

}  // namespace
}  // namespace quarrion::test
