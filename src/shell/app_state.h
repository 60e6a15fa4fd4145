#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

#include "catalog/qbxml_tags.h"
#include "model/code_tables.h"
#include "shell/msg_interface.h"
#include "shell/shell_link.h"
#include "shell/store_life_cycle.h"

namespace quarrion {

// The parts start-up cannot make by itself: the program passes the real store and
// link, tests pass fakes.
struct StartUpParts {
    // Creates the search-definition store over the application's tag catalog (which
    // outlives it); called once, after the temporary folders exist and before the
    // database is checked.
    std::function<std::unique_ptr<StoreLifeCycle>(QBXMLTags& catalog)> MakeStore;
    // Creates a fresh QuickBooks link instance for a window (error log, Advanced
    // menu). May be empty: the error-log commands are then unavailable.
    std::function<std::unique_ptr<ShellLink>()> MakeLink;
};

// The application-wide state every window reads. Built by StartUp in a fixed order and
// alive until the main window's orderly unload, which calls ShutDown.
class AppState {
  public:
    static constexpr const char* ProgramName = "Quarrion";
    static constexpr const char* MarkerFileName = "temptest.txt";
    static constexpr const char* XmlFolderName = "Temporary XML Files";
    static constexpr const char* ExcelFolderName = "Temporary Excel Files";

    // The start-up routine:
    //  1. application folder = the data folder (QUARRION_HOME or the per-user data
    //     location), ending in '/';
    //  2. marker path, ExcelAvailable = false;
    //  3. the hub, the code tables (filled last), window counter 0;
    //  4. crash clean-up: a marker left by a run that never reached the orderly unload
    //     deletes every stored setting; then the marker is (re)created empty;
    //  5. the spreadsheet probe: the workbook writer is part of the program, so the
    //     spreadsheet commands are available;
    //  6. the two temporary folders, created when missing and never emptied;
    //  7. the store; database files of earlier versions (.qr1, .qr2) removed; the
    //     current one (.qr3) checked;
    //  8. the help pages; the three code tables filled.
    // Sets the application's organisation and application names and points the
    // settings store at the data folder before anything reads a setting.
    static std::unique_ptr<AppState> StartUp(StartUpParts parts);

    AppState(const AppState&) = delete;
    AppState& operator=(const AppState&) = delete;
    ~AppState();

    // The data folder, ending in '/': database, marker, settings, temporary folders.
    const QString& AppFolder() const { return appFolder_; }
    const QString& MarkerPath() const { return markerPath_; }
    const QString& XmlFolder() const { return xmlFolder_; }
    const QString& ExcelFolder() const { return excelFolder_; }
    // AppFolder + "Quarrion.qr3".
    QString DatabasePath() const;
    // The help pages' index; other pages sit beside it.
    const QString& HelpFile() const { return helpFile_; }

    // True when start-up found the marker of an unfinished run and deleted the settings.
    bool SettingsWereReset() const { return settingsWereReset_; }

    bool ExcelAvailable() const { return excelAvailable_; }
    void SetExcelAvailable(bool available) { excelAvailable_ = available; }
    // Always the negation of the "Double Check Edit Sequences" option.
    bool SkipEditSequenceCheck() const { return skipEditSequenceCheck_; }
    void SetSkipEditSequenceCheck(bool skip) { skipEditSequenceCheck_ = skip; }

    MsgInterface& Hub() { return *hub_; }
    CodeTables& Tables() { return tables_; }
    StoreLifeCycle& Store() { return *store_; }
    // The shared IOManager; nullptr when the store is a test's stand-in.
    IOManager* Manager() { return store_->Manager(); }
    // The application-wide catalog of qbXML elements per request type.
    QBXMLTags& Catalog() { return catalog_; }

    // The next window-counter value: owner ids of link instances, unique per run.
    std::int32_t NextWindowId() { return ++windowCounter_; }
    std::int32_t WindowCounter() const { return windowCounter_; }

    bool CanMakeLink() const { return static_cast<bool>(makeLink_); }
    // A fresh link instance, or nullptr when the program has none.
    std::unique_ptr<ShellLink> MakeLink() const;

    // The orderly end of a run: deletes the marker file so the next start keeps the
    // settings. Runs once; later calls do nothing.
    void ShutDown();

  private:
    AppState() = default;

    QString appFolder_;
    QString markerPath_;
    QString xmlFolder_;
    QString excelFolder_;
    QString helpFile_;
    bool settingsWereReset_ = false;
    bool excelAvailable_ = false;
    bool skipEditSequenceCheck_ = true;
    bool shutDown_ = false;
    std::unique_ptr<MsgInterface> hub_;
    CodeTables tables_;
    std::int32_t windowCounter_ = 0;
    // Declared before the store, which fills it, so it outlives the store.
    QBXMLTags catalog_;
    std::unique_ptr<StoreLifeCycle> store_;
    std::function<std::unique_ptr<ShellLink>()> makeLink_;
};

}  // namespace quarrion
