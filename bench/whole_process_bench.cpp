// The search as a user runs it: whole `quarrion-cli` processes, each timed from start
// to exit, with its peak resident memory read from the process itself (the rusage the
// kernel reports for it when it ends), beside a bare pugixml parse of the same file in
// a process of its own, measured in the same run.
//
//   quarrion-bench-process [--cli PATH] [--runs 3] [--work DIR] [--keep]
//
// Rows: a search of the invoices of a 9,000-invoice response (sample scale 25) for a
// text no record holds; a search of every type for "Acme" over a sample company of
// about 105,000 transactions (scale 50); a field rule on one type over that company;
// and generating that company. The processes of all rows and baselines run in turn,
// --runs rounds of them; each time is the median of its runs (the invoice row also
// gives its quickest), each peak the highest. Wall time is what a user waits; CPU time (user and
// system, all threads) is printed beside it, since on a shared machine waiting for a core swamps
// the wall time of short runs. --cli measures another build's terminal tool against the same files.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "results/company_responses.h"
#include "sample/sample_company.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr const char* kToday = "2026-11-02";

struct Figure {
    double seconds = 0;      // wall clock, start to exit
    double bestSeconds = 0;  // the quickest run's wall clock
    double cpuSeconds = 0;   // user and system time of the process and its threads
    double peakBytes = 0;
    int status = 0;
};

// Runs one process to its end; stdout goes to /dev/null. The parent is kept small
// (nothing large is ever loaded in it), since a child's peak counts what it had
// before it started the program.
Figure RunOnce(const std::vector<std::string>& command) {
    std::vector<char*> argv;
    for (const std::string& part : command) argv.push_back(const_cast<char*>(part.c_str()));
    argv.push_back(nullptr);
    // Whatever this process has buffered must not be written again by the child.
    std::fflush(stdout);
    std::fflush(stderr);
    auto start = Clock::now();
    pid_t child = fork();
    if (child == 0) {
        std::FILE* sink = std::freopen("/dev/null", "w", stdout);
        (void)sink;
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    Figure figure;
    figure.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    figure.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                        static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    figure.peakBytes = static_cast<double>(usage.ru_maxrss) * 1024.0;
    figure.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128;
    return figure;
}

Figure Summary(const std::vector<Figure>& figures) {
    std::vector<double> times;
    std::vector<double> cpu;
    Figure result;
    for (const Figure& f : figures) {
        times.push_back(f.seconds);
        cpu.push_back(f.cpuSeconds);
        result.peakBytes = std::max(result.peakBytes, f.peakBytes);
        if (f.status != 0) result.status = f.status;
    }
    std::sort(times.begin(), times.end());
    std::sort(cpu.begin(), cpu.end());
    result.seconds = times[times.size() / 2];
    result.bestSeconds = times.front();
    result.cpuSeconds = cpu[cpu.size() / 2];
    return result;
}

Figure Measure(const std::vector<std::string>& command, int runs) {
    std::vector<Figure> figures;
    for (int i = 0; i < runs; ++i) figures.push_back(RunOnce(command));
    return Summary(figures);
}

// Runs every command `runs` times in turn (one of each, then again), so a load that
// changes while the bench runs weighs alike on a figure and its baseline.
std::vector<Figure> MeasureInTurn(const std::vector<std::vector<std::string>>& commands, int runs) {
    std::vector<std::vector<Figure>> figures(commands.size());
    for (int i = 0; i < runs; ++i) {
        for (std::size_t c = 0; c < commands.size(); ++c)
            figures[c].push_back(RunOnce(commands[c]));
    }
    std::vector<Figure> summaries;
    for (const std::vector<Figure>& each : figures) summaries.push_back(Summary(each));
    return summaries;
}

void Row(const char* measure, const std::string& figure, const std::string& baseline, double ratio,
         double goal, bool failed) {
    std::printf("%-58s %12s  %12s  %6.2f x  %-8s %s\n", measure, figure.c_str(), baseline.c_str(),
                ratio, ("<= " + std::to_string(goal).substr(0, 4) + " x").c_str(),
                failed ? "FAILED (exit status)" : (ratio <= goal ? "met" : "not met"));
}

std::string Seconds(double s) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f s", s);
    return text;
}

// Three rows: the wall time of `measured` against `baseline`'s, that of the quickest
// runs, then the CPU time.
void TimeRows(const char* measure, const Figure& measured, const Figure& baseline, double goal) {
    Row(measure, Seconds(measured.seconds), Seconds(baseline.seconds),
        measured.seconds / baseline.seconds, goal, measured.status != 0);
    Row("  the same, quickest runs", Seconds(measured.bestSeconds), Seconds(baseline.bestSeconds),
        measured.bestSeconds / baseline.bestSeconds, goal, measured.status != 0);
    Row("  the same in CPU time (user + system)", Seconds(measured.cpuSeconds),
        Seconds(baseline.cpuSeconds), measured.cpuSeconds / baseline.cpuSeconds, goal,
        measured.status != 0);
}

std::string Megabytes(double bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.0f MB", bytes / 1e6);
    return text;
}

int BareParse(const char* file) {
    pugi::xml_document document;
    pugi::xml_parse_result result = document.load_file(file);
    return result ? 0 : 1;
}

// Writes the invoices of a scale-25 sample company as one response file; run in a
// child so the generated company never counts in the measuring process.
int MakeInvoices(const char* file) {
    quarrion::SampleCompanyOptions options;
    options.scale = 25;
    options.today = kToday;
    std::string company = quarrion::GenerateSampleCompany(options);
    std::ofstream(file, std::ios::binary) << quarrion::test::CompanyResponses(company).at(4);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--bare-parse") == 0) return BareParse(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "--make-invoices") == 0) return MakeInvoices(argv[2]);

    std::string cli = QUARRION_CLI_PATH;
    int runs = 3;
    fs::path work;
    bool keep = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--cli" && i + 1 < argc) {
            cli = fs::absolute(argv[++i]).string();
        } else if (arg == "--runs" && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--work" && i + 1 < argc) {
            work = argv[++i];
        } else if (arg == "--keep") {
            keep = true;
        } else {
            std::fprintf(stderr, "usage: %s [--cli PATH] [--runs N] [--work DIR] [--keep]\n",
                         argv[0]);
            return 2;
        }
    }
    if (work.empty()) {
        char pattern[] = "/tmp/quarrion-process-bench-XXXXXX";
        if (!mkdtemp(pattern)) return 1;
        work = pattern;
    }
    fs::create_directories(work / "responses");
    fs::create_directories(work / "home");
    const std::string self = fs::read_symlink("/proc/self/exe").string();
    const std::string home = (work / "home").string();
    const std::string company = (work / "company.xml").string();
    const std::string responses = (work / "responses").string();
    const std::string invoices = (work / "responses" / "Invoice.xml").string();

    std::printf(
        "terminal tool: %s\nwork folder:   %s\nruns per figure: %d (median time, "
        "highest peak)\n\n",
        cli.c_str(), work.c_str(), runs);

    // Inputs, made once and reused by later runs with the same --work.
    Figure generated = Measure(
        {cli, "sample", "--home", home, "--out", company, "--scale", "50", "--today", kToday}, 1);
    if (!fs::exists(invoices) && RunOnce({self, "--make-invoices", invoices}).status != 0) {
        std::fprintf(stderr, "could not write the invoice response\n");
        return 1;
    }
    // The data folder's first use (database, catalog) is not what the rows measure.
    RunOnce({cli, "search", "--home", home, "--responses", responses, "--type", "Invoice", "--rule",
             "text contains zzqx", "--format", "json"});

    const double invoiceBytes = static_cast<double>(fs::file_size(invoices));
    const double companyBytes = static_cast<double>(fs::file_size(company));
    std::printf("invoice response: %s; sample company: %s\n\n", Megabytes(invoiceBytes).c_str(),
                Megabytes(companyBytes).c_str());

    const std::vector<Figure> figures = MeasureInTurn(
        {{self, "--bare-parse", invoices},
         {self, "--bare-parse", company},
         {cli, "search", "--home", home, "--responses", responses, "--type", "Invoice", "--rule",
          "text contains zzqx", "--format", "json"},
         {cli, "search", "--home", home, "--company", company, "--type", "all", "--rule",
          "text contains Acme", "--format", "json"},
         {cli, "search", "--home", home, "--company", company, "--type", "Invoice", "--field",
          "Invoice: CustomerRef/FullName contains Acme", "--format", "json"}},
        runs);
    const Figure& bareInvoices = figures[0];
    const Figure& bareCompany = figures[1];
    const Figure& invoiceSearch = figures[2];
    const Figure& allTypes = figures[3];
    const Figure& fieldRule = figures[4];

    std::printf("%-58s %12s  %12s  %8s  %-8s\n", "measure", "figure", "baseline", "ratio", "goal");
    std::printf(
        "bare parse (pugixml load_file, own process): invoices %s (%s CPU), %s peak; "
        "company %s (%s CPU), %s peak\n",
        Seconds(bareInvoices.seconds).c_str(), Seconds(bareInvoices.cpuSeconds).c_str(),
        Megabytes(bareInvoices.peakBytes).c_str(), Seconds(bareCompany.seconds).c_str(),
        Seconds(bareCompany.cpuSeconds).c_str(), Megabytes(bareCompany.peakBytes).c_str());
    TimeRows("invoice search time, against the bare parse", invoiceSearch, bareInvoices, 2.5);
    Row("invoice search peak memory, against the response size", Megabytes(invoiceSearch.peakBytes),
        Megabytes(invoiceBytes), invoiceSearch.peakBytes / invoiceBytes, 4.0,
        invoiceSearch.status != 0);
    TimeRows("all 34 types for \"Acme\", time against the bare parse", allTypes, bareCompany, 2.5);
    Row("all 34 types, peak memory against the bare parse's peak", Megabytes(allTypes.peakBytes),
        Megabytes(bareCompany.peakBytes), allTypes.peakBytes / bareCompany.peakBytes, 1.0,
        allTypes.status != 0);
    TimeRows("a field rule on one type, time against the bare parse", fieldRule, bareCompany, 1.5);
    std::printf("%-58s %12s  %12s  %8s  %-8s %s\n", "sample company (scale 50) generated",
                Seconds(generated.seconds).c_str(), "", "", "<= 10 s",
                generated.status != 0 ? "FAILED (exit status)"
                                      : (generated.seconds <= 10 ? "met" : "not met"));

    if (!keep) fs::remove_all(work);
    return 0;
}
