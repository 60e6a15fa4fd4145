#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "store/statement_cache.h"
#include "store/store_error.h"
#include "store/store_notifier.h"

namespace SQLite {
class Database;
class Statement;
}  // namespace SQLite

namespace quarrion {

class QBXMLTag;
class QBXMLTags;
class SearchObject2;
class SearchObject2s;
class ViewTags;

// The program's lasting data: the tag catalog with the user's column choices, the
// saved searches and the register of QuickBooks company files, in one SQLite file.
// No other part opens that file.
//
// One manager serves the whole program (the desktop program and the terminal tool each
// have their own and may use the same file at once). Its life cycle: CheckDatabase
// brings the file to the schema and tells whether the catalog needs an update; LoadData
// opens it and fills the shared catalog (or has the first-time initialisation run);
// InitDataA, InitDataB and InitDataC initialise, update and reset the catalog from the
// shipped control file. The database stays open from OpenDatabase to CloseDatabase.
//
// Operations answer a StoreResult (true on success) and never throw. Failures the user
// must see also go to the notifier: catalog maintenance as "Quarrion::" + operation
// with "(" + number + ")" + CR + description, search saving through ErrorOccurred.
// Every change runs in one transaction, so a failure or a killed process leaves the
// file as it was before the change.
class IOManager {
  public:
    // `catalog` is the application's catalog that the loads fill; `notifier` hears what
    // the user must see (nullptr: stay silent and refuse every replacement). Both must
    // outlive the manager. The control file starts as ControlFilePath().
    explicit IOManager(QBXMLTags& catalog, StoreNotifier* notifier = nullptr);
    ~IOManager();
    IOManager(const IOManager&) = delete;
    IOManager& operator=(const IOManager&) = delete;

    // Full path of the database file; empty until set or given to CheckDatabase.
    const std::string& DatabaseName() const { return databaseName_; }
    void SetDatabaseName(std::string path) { databaseName_ = std::move(path); }
    const std::filesystem::path& ControlFile() const { return controlFile_; }
    void SetControlFile(std::filesystem::path path) { controlFile_ = std::move(path); }

    // Brings the file at `path` (at DatabaseName when `path` is blank; a non-blank path
    // becomes DatabaseName) to the store's schema: creates a missing file, adds missing
    // tables, fields and indexes to an older one without losing rows. A file that is no
    // database or belongs to another program is reported and left untouched.
    StoreResult CheckDatabase(std::string_view path = {});
    // From the last CheckDatabase: it had to change an existing file, or the control
    // file announces a newer catalog version than the database last took.
    bool NeedsUpdate() const { return needsUpdate_; }
    // True when no file exists at DatabaseName.
    bool FirstTime() const;
    // Removes the file (with the journal files SQLite keeps beside it, which must not
    // outlive it) when it exists. True unless something could not be removed.
    bool DeleteFile(const std::filesystem::path& path) const;

    // Closes whatever is open, then opens DatabaseName, which must be a file of ours.
    StoreResult OpenDatabase();
    // Never fails; closing a closed manager does nothing.
    void CloseDatabase();
    bool IsOpen() const { return db_ != nullptr; }

    // Opens the database (unless the connection to it is open already) and fills the
    // catalog from it in row order. When the catalog table is empty the notifier is
    // asked to run the first-time initialisation (InitDataA), whose answer is then this
    // one.
    StoreResult LoadData();
    // First-time initialisation: reads the control file into the catalog, checks and
    // opens the database, stores every entry as a new catalog row, reloads the catalog.
    StoreResult InitDataA();
    // Each run is one transaction and reports its failure as "Quarrion::InitDataA" (B,
    // C): a control-file line it cannot read stops it, and the database keeps what it
    // had while the catalog holds the entries read before that line. Without a control
    // file nothing is written and the catalog is reloaded from the database. A
    // successful run records the control file's version (see CatalogVersion).
    //
    // Update: like InitDataA on the open database, but a row that exists already takes
    // only the shipped values (default sequence, default heading, level and the three
    // newest version flags); the user's sequence and heading stay.
    StoreResult InitDataB();
    // Reset: like InitDataB, but existing rows take every value from the control file,
    // so the user's sequences and headings return to the defaults.
    StoreResult InitDataC();
    // True when the catalog table holds the element (letter case ignored in the path).
    bool FoundBasic(int code, std::string_view tagName);
    // Stores the wizard's column choices: each view tag whose element has a catalog row
    // gives that row its sequence and heading (others are skipped); then LoadData.
    StoreResult UpdateTags(const ViewTags& tags);

    // Saves `search` under its name as a new row with its whole tree, in one
    // transaction: on failure the store is exactly as before. The search's own earlier
    // row (its `ID`) goes, so saving under a new name renames it and saving under the
    // name it holds replaces it. When another search holds the name the notifier is
    // asked once ("Save Search As ..."); OK replaces that search, CANCEL saves nothing.
    // A failing step is reported through ErrorOccurred ("IOManager::SaveCriterion",
    // ...). The search in memory is not changed; `savedId` (when given) receives the
    // new row's id. Display columns and field rules must name catalog entries loaded
    // from the database (an `ID` above 0).
    StoreResult SaveSearchObject(const SearchObject2* search, long* savedId = nullptr);
    // Every saved search by name, read as one consistent snapshot even while another
    // program saves. Empty when the database is not open or cannot be read (see
    // LastError). Columns and field rules take the catalog's entries.
    std::unique_ptr<SearchObject2s> SearchObjects();
    // Deletes the saved search with the search's `ID` and its whole tree. Fails when
    // there is no such row (or the database is not open).
    StoreResult DeleteSearchObject(const SearchObject2& search);

    // Records a company file a search read from; the same path is recorded once.
    // Fails when the database is not open.
    StoreResult UpdateQuickBooksFiles(std::string_view path);

    // The catalog version the database last took from a control file (0: none yet).
    long CatalogVersion();
    // The last failure of any operation.
    const StoreError& LastError() const { return lastError_; }

  private:
    struct ControlLoad;
    enum class CatalogRun { Initialise, Update, Reset };

    StoreResult CheckQuietly(std::string_view path);
    StoreResult OpenQuietly();
    StoreResult RunMaintenance(const char* operation, CatalogRun run);
    StoreResult LoadControlFile(ControlLoad& load);
    StoreResult WriteCatalog(CatalogRun run, long version);
    void InsertBasic(const QBXMLTag& tag);
    StoreResult FillCatalog();
    std::int64_t FindBasic(int code, std::string_view tagName);
    // The cached statement for `sql` (a string literal) on the open connection.
    CachedStatement Prepared(const char* sql);
    StoreResult Report(const char* operation, StoreResult result);
    StoreResult SaveFailed(const std::string& step, const StoreError& error);
    StoreResult Remember(StoreResult result);
    void KeepResponsive();

    QBXMLTags& catalog_;
    StoreNotifier* notifier_;
    std::string databaseName_;
    std::string openName_;  // the file the open connection reaches
    std::filesystem::path controlFile_;
    bool needsUpdate_ = false;
    std::unique_ptr<SQLite::Database> db_;
    StatementCache statements_;
    StoreError lastError_;
    std::chrono::steady_clock::time_point lastBreath_;
};

// The store's part of start-up: deletes the database files of earlier versions and
// checks the current one (DatabasePath()).
StoreResult StartStore(IOManager& io);

}  // namespace quarrion
