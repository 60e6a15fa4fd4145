// Speed of the search console putting a search together: 34 ticked types and 20
// global rules (text, number, list and range rules in four OR groups) in the real
// console of the main window, over the shipped catalog, in a fresh data folder.
//
//   build   the console's BuildSearch alone (rows read, settings written, one included
//           item per type with its display and search columns)
//   search  a press of Search: build, hand a copy to the results-window opener, clear
//           (the rows are loaded again between presses, untimed)
//   core    the terminal tool's SearchBuilder on the same rules written as text
//
// Times are wall-clock milliseconds per call (minimum, median, maximum of the runs).
//
//     build/bench/console_bench [runs]
#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "console/criteria_control.h"
#include "console/request_control.h"
#include "console/search_console_control.h"
#include "console/search_console_factory.h"
#include "model/search_object2.h"
#include "qbxml/request_type_info.h"
#include "search/search_builder.h"
#include "shell/app_settings.h"
#include "shell/app_state.h"
#include "shell/frm_dialog.h"
#include "shell/frm_main.h"
#include "shell/io_manager_store.h"

namespace {

using Clock = std::chrono::steady_clock;

// Twenty rules: four OR groups of five.
const char* const kRules[] = {
    "text contains Supply",
    "amount gt 500",
    "text starts-with Acme",
    "price between 10 900",
    "quantity in 1,2,3,4",
    "or text ends-with Inc",
    "number ge 100",
    "text whole-word North",
    "percent le 8.5",
    "text in north,south",
    "or text matches A*Z",
    "amount between 1 99999",
    "number lt 5",
    "text contains Road",
    "quantity eq 12",
    "or text starts-with K",
    "price gt 3",
    "text contains Ltd",
    "amount in 100,200,300",
    "percent ge 1",
};

struct Figures {
    double Min, Median, Max;
};

Figures Summary(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return {times.front(), times[times.size() / 2], times.back()};
}

void Print(const char* what, const Figures& f) {
    std::printf("%-8s min %8.3f ms   median %8.3f ms   max %8.3f ms\n", what, f.Min, f.Median,
                f.Max);
}

double Millis(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Quarrion");
    QApplication::setApplicationName("Quarrion");
    QTemporaryDir home;
    if (!home.isValid()) return 2;
    qputenv("QUARRION_HOME", home.path().toLocal8Bit());
    quarrion::AppSettings::UseDataFolder(home.path() + "/");

    quarrion::StartUpParts parts;
    parts.MakeStore = [](quarrion::QBXMLTags& catalog) {
        return std::make_unique<quarrion::IOManagerStore>(catalog);
    };
    auto state = quarrion::AppState::StartUp(std::move(parts));
    std::size_t handed = 0;
    quarrion::frmMain main(
        *state, quarrion::MakeSearchConsoleFactory(
                    [&handed](quarrion::ConsoleHost&, const quarrion::SearchObject2& search) {
                        quarrion::SearchObject2 copy;
                        copy.Copy(const_cast<quarrion::SearchObject2&>(search),
                                  quarrion::CopyDirection::FromTarget);
                        handed += copy.IncludeItems.Count();
                    },
                    {}));
    // The first run's catalog message is answered as a user would.
    QTimer okay;
    QObject::connect(&okay, &QTimer::timeout, [] {
        if (auto* dialog = qobject_cast<quarrion::frmDialog*>(QApplication::activeModalWidget())) {
            dialog->cmdOK()->click();
        }
    });
    okay.start(20);
    main.Load();
    okay.stop();
    auto* console = static_cast<quarrion::SearchConsoleControl*>(main.Console());
    const quarrion::QBXMLTags& catalog = state->Catalog();
    std::printf("catalog: %zu elements\n", catalog.Count());

    // The rules as the editors hold them, from the same texts the core run takes.
    quarrion::SearchBuilder rulesOnly(catalog);
    rulesOnly.IncludeType(4);
    for (const char* rule : kRules) {
        if (std::string error = rulesOnly.AddRule(rule); !error.empty()) {
            std::fprintf(stderr, "rule %s: %s\n", rule, error.c_str());
            return 1;
        }
    }
    quarrion::SearchObject2 ruleSource;
    if (quarrion::Outcome built = rulesOnly.Build(ruleSource); !built) {
        std::fprintf(stderr, "The rules do not build: %s\n", built.Message().c_str());
        return 1;
    }

    auto compose = [&] {
        console->lstView()->Clear();
        for (const quarrion::RequestType& type : quarrion::RequestTypeInfo::All()) {
            console->lstView()->SetTicked(std::string(type.stem), true);
        }
        console->criView()->LoadExaminors(ruleSource.Examinors);
    };
    compose();
    std::printf("console: %d types ticked, %d rule rows\n", console->lstView()->SelectCount(),
                console->criView()->RowCount());

    std::vector<double> build, search, core;
    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        if (!console->BuildSearch()) return 1;
        build.push_back(Millis(start));
    }
    const std::size_t items = console->SearchObject().IncludeItems.Count();
    std::size_t searchColumns = 0;
    for (const quarrion::IncItem& item : console->SearchObject().IncludeItems) {
        searchColumns += item.SearchColumns.Count();
    }
    for (int run = 0; run < runs; ++run) {
        compose();
        const auto start = Clock::now();
        console->Search();
        search.push_back(Millis(start));
    }
    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        quarrion::SearchBuilder builder(catalog);
        for (const quarrion::RequestType& type : quarrion::RequestTypeInfo::All()) {
            builder.IncludeType(type.code);
        }
        for (const char* rule : kRules) builder.AddRule(rule);
        quarrion::SearchObject2 built;
        if (!builder.Build(built)) std::abort();  // the same rules built once above
        core.push_back(Millis(start));
    }
    std::printf("search: %zu included types, %zu search columns; %zu types handed over\n", items,
                searchColumns, handed);
    Print("build", Summary(build));
    Print("search", Summary(search));
    Print("core", Summary(core));
    main.Unload();
    return 0;
}
