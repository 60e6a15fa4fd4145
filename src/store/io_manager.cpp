#include "store/io_manager.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Exception.h>
#include <SQLiteCpp/Statement.h>
#include <sqlite3.h>

#include <system_error>

#include "catalog/qbxml_tags.h"
#include "catalog/view_tags.h"
#include "model/search_object2.h"
#include "store/control_file.h"
#include "store/database_connection.h"
#include "store/schema_builder.h"
#include "store/search_rows.h"
#include "store/store_paths.h"
#include "store/store_schema.h"
#include "store/transaction.h"

namespace quarrion {

namespace {

// How often long loops hand control to the notifier so a window stays responsive.
constexpr auto kBreathInterval = std::chrono::milliseconds(30);

StoreNotifier& SilentNotifier() {
    static StoreNotifier silent;
    return silent;
}

bool IsBlank(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

// Binds a text that the schema refuses when empty: an empty one is stored as null and
// reads back as empty.
void BindOptionalText(SQLite::Statement& statement, int index, const std::string& text) {
    if (text.empty()) {
        statement.bind(index);
    } else {
        statement.bind(index, text);
    }
}

std::string TextOf(const SQLite::Column& column) {
    return column.isNull() ? std::string() : column.getString();
}

}  // namespace

struct IOManager::ControlLoad {
    bool found = false;
    long version = 0;
};

IOManager::IOManager(QBXMLTags& catalog, StoreNotifier* notifier)
    : catalog_(catalog),
      notifier_(notifier ? notifier : &SilentNotifier()),
      controlFile_(ControlFilePath()) {}

IOManager::~IOManager() {
    CloseDatabase();
}

// ---- life cycle -------------------------------------------------------------------

StoreResult IOManager::CheckDatabase(std::string_view path) {
    return Report("CheckDatabase", CheckQuietly(path));
}

StoreResult IOManager::CheckQuietly(std::string_view path) {
    if (!IsBlank(path)) databaseName_ = std::string(path);
    needsUpdate_ = false;
    if (IsBlank(databaseName_)) {
        return StoreResult::Fail(StoreErrorCode::NoDatabaseName,
                                 "No database file was named to check.");
    }
    SchemaBuilder builder(databaseName_);
    DeclareStoreSchema(builder);
    StoreResult applied = builder.Apply(true, true);
    if (!applied) return applied;
    long shipped = ControlFileReader(controlFile_).Version();
    needsUpdate_ = builder.NeedsUpdate() || (!builder.Created() && shipped > builder.UserVersion());
    return StoreResult::Ok();
}

bool IOManager::FirstTime() const {
    std::error_code ignored;
    return IsBlank(databaseName_) || !std::filesystem::exists(databaseName_, ignored);
}

bool IOManager::DeleteFile(const std::filesystem::path& path) const {
    // A write-ahead log left behind would be replayed into the next file of that name.
    bool removedAll = true;
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
        std::filesystem::path file = path;
        file += suffix;
        std::error_code error;
        if (!std::filesystem::exists(file, error)) continue;
        std::filesystem::remove(file, error);
        if (error) removedAll = false;
    }
    return removedAll;
}

StoreResult IOManager::OpenDatabase() {
    return Report("OpenDatabase", OpenQuietly());
}

StoreResult IOManager::OpenQuietly() {
    CloseDatabase();
    if (IsBlank(databaseName_)) {
        return StoreResult::Fail(StoreErrorCode::NoDatabaseName, "No database file was named.");
    }
    StoreResult opened = OpenStoreFile(databaseName_, false, false, db_);
    if (opened) openName_ = databaseName_;
    return opened;
}

void IOManager::CloseDatabase() {
    // Statements first: a connection closes cleanly only when none is left.
    statements_.Clear();
    db_.reset();
}

long IOManager::CatalogVersion() {
    if (!IsOpen()) return 0;
    try {
        return db_->execAndGet("PRAGMA user_version").getInt();
    } catch (const std::exception& e) {
        lastError_ = EngineError(e);
        return 0;
    }
}

// ---- catalog ----------------------------------------------------------------------

StoreResult IOManager::LoadData() {
    catalog_.Clear();
    // Reopening the file the connection already has would only cost the checkpoint and
    // file churn of closing a WAL database.
    if (!IsOpen() || openName_ != databaseName_) {
        if (StoreResult opened = OpenQuietly(); !opened) return Report("LoadData", opened);
    }
    try {
        bool empty = !Prepared("SELECT 1 FROM \"Basics\" LIMIT 1")->executeStep();
        if (!empty) return Report("LoadData", FillCatalog());
    } catch (const std::exception& e) {
        return Report("LoadData", StoreResult(EngineError(e)));
    }
    StoreResult initialised;
    notifier_->RunFirstTimeInitialisation([this, &initialised] {
        initialised = InitDataA();
        return static_cast<bool>(initialised);
    });
    return initialised;
}

StoreResult IOManager::InitDataA() {
    return RunMaintenance("InitDataA", CatalogRun::Initialise);
}
StoreResult IOManager::InitDataB() {
    return RunMaintenance("InitDataB", CatalogRun::Update);
}
StoreResult IOManager::InitDataC() {
    return RunMaintenance("InitDataC", CatalogRun::Reset);
}

StoreResult IOManager::RunMaintenance(const char* operation, CatalogRun run) {
    ControlLoad load;
    if (StoreResult read = LoadControlFile(load); !read) return Report(operation, read);

    StoreResult ready;
    if (run == CatalogRun::Initialise) {
        ready = CheckQuietly(databaseName_);
        if (ready) ready = OpenQuietly();
    } else if (!IsOpen()) {
        ready = OpenQuietly();
    }
    if (!ready) return Report(operation, ready);

    // Without a control file there is nothing new to write; the catalog still comes
    // back from the database.
    if (load.found) {
        if (StoreResult written = WriteCatalog(run, load.version); !written) {
            return Report(operation, written);
        }
        // The catalog now matches the shipped one: nothing is left to update.
        needsUpdate_ = false;
    }
    return Report(operation, FillCatalog());
}

StoreResult IOManager::LoadControlFile(ControlLoad& load) {
    ControlFileReader reader(controlFile_);
    if (!reader.Exists()) return StoreResult::Ok();
    load.found = true;
    load.version = reader.Version();
    catalog_.Clear();
    ControlFileEntry e;
    for (;;) {
        switch (reader.Next(e)) {
            case ControlFileReader::Step::End:
                return StoreResult::Ok();
            case ControlFileReader::Step::Error:
                return StoreResult(reader.Error());
            case ControlFileReader::Step::Entry:
                break;
        }
        QBXMLTag* tag = catalog_.Add(e.Code, e.Reference, e.DefaultSequence, e.Sequence, e.TagName,
                                     e.DefaultHeading, e.Level, e.UserHeading, e.Searchable,
                                     e.SearchGroup, e.DataType, 0);
        tag->Version21 = e.Version21;
        tag->Version20 = e.Version20;
        tag->Version11 = e.Version11;
        tag->Version10 = e.Version10;
        tag->Version30 = e.Version30;
        tag->VersionCA20 = e.VersionCA20;
        tag->VersionCA30 = e.VersionCA30;
        // What the user had is the database's business: a shipped entry starts at its
        // defaults.
        tag->Sequence = e.DefaultSequence;
        tag->SetUserHeading(e.DefaultHeading);
        KeepResponsive();
    }
}

void IOManager::InsertBasic(const QBXMLTag& tag) {
    CachedStatement insert = Prepared(
        "INSERT INTO \"Basics\" (code, reference, default_sequence, sequence, tag_name, "
        "default_heading, level, user_heading, searchable, search_group, version_21, version_20, "
        "version_11, version_10, data_type, version_30, version_ca20, version_ca30) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    insert->bind(1, tag.Code);
    BindOptionalText(*insert, 2, tag.Reference);
    insert->bind(3, tag.DefaultSequence);
    insert->bind(4, tag.DefaultSequence);
    insert->bind(5, tag.TagName());
    insert->bind(6, tag.DefaultHeading);
    insert->bind(7, tag.Level);
    insert->bind(8, tag.DefaultHeading);
    insert->bind(9, tag.Searchable);
    insert->bind(10, tag.SearchGroup);
    insert->bind(11, tag.Version21);
    insert->bind(12, tag.Version20);
    insert->bind(13, tag.Version11);
    insert->bind(14, tag.Version10);
    insert->bind(15, tag.DataType());
    insert->bind(16, tag.Version30);
    insert->bind(17, tag.VersionCA20);
    insert->bind(18, tag.VersionCA30);
    insert->exec();
}

StoreResult IOManager::WriteCatalog(CatalogRun run, long version) {
    try {
        // Deliberately the whole run in one transaction rather than one per entry: a
        // run cut short leaves the earlier catalog whole, and one commit is far faster.
        Transaction transaction(*db_);
        // Asked again under the write lock: another program starting for the first time
        // at the same moment may have written the catalog while this one waited, and
        // writing it twice would break the catalog's unique keys.
        if (run == CatalogRun::Initialise &&
            Prepared("SELECT 1 FROM \"Basics\" LIMIT 1")->executeStep()) {
            transaction.Commit();
            return StoreResult::Ok();
        }
        for (const QBXMLTag& tag : catalog_) {
            std::int64_t id =
                run == CatalogRun::Initialise ? 0 : FindBasic(tag.Code, tag.TagName());
            if (id == 0) {
                InsertBasic(tag);
            } else if (run == CatalogRun::Update) {
                CachedStatement update = Prepared(
                    "UPDATE \"Basics\" SET default_sequence = ?, default_heading = ?, level = ?, "
                    "version_30 = ?, version_ca20 = ?, version_ca30 = ? WHERE id = ?");
                update->bind(1, tag.DefaultSequence);
                update->bind(2, tag.DefaultHeading);
                update->bind(3, tag.Level);
                update->bind(4, tag.Version30);
                update->bind(5, tag.VersionCA20);
                update->bind(6, tag.VersionCA30);
                update->bind(7, id);
                update->exec();
            } else {
                CachedStatement update = Prepared(
                    "UPDATE \"Basics\" SET reference = ?, default_sequence = ?, sequence = ?, "
                    "default_heading = ?, level = ?, user_heading = ?, searchable = ?, "
                    "search_group = ?, version_21 = ?, version_20 = ?, version_11 = ?, "
                    "version_10 = ?, data_type = ?, version_30 = ?, version_ca20 = ?, "
                    "version_ca30 = ? WHERE id = ?");
                BindOptionalText(*update, 1, tag.Reference);
                update->bind(2, tag.DefaultSequence);
                update->bind(3, tag.Sequence);
                update->bind(4, tag.DefaultHeading);
                update->bind(5, tag.Level);
                update->bind(6, tag.StoredUserHeading());
                update->bind(7, tag.Searchable);
                update->bind(8, tag.SearchGroup);
                update->bind(9, tag.Version21);
                update->bind(10, tag.Version20);
                update->bind(11, tag.Version11);
                update->bind(12, tag.Version10);
                update->bind(13, tag.DataType());
                update->bind(14, tag.Version30);
                update->bind(15, tag.VersionCA20);
                update->bind(16, tag.VersionCA30);
                update->bind(17, id);
                update->exec();
            }
            KeepResponsive();
        }
        db_->exec("PRAGMA user_version = " + std::to_string(version));
        transaction.Commit();
        return StoreResult::Ok();
    } catch (const std::exception& e) {
        return StoreResult(EngineError(e));
    }
}

StoreResult IOManager::FillCatalog() {
    catalog_.Clear();
    try {
        CachedStatement rows = Prepared(
            "SELECT id, code, reference, default_sequence, sequence, tag_name, default_heading, "
            "level, user_heading, searchable, search_group, data_type, version_10, version_11, "
            "version_20, version_21, version_30, version_ca20, version_ca30 "
            "FROM \"Basics\" ORDER BY id");
        while (rows->executeStep()) {
            QBXMLTag* tag = catalog_.Add(rows->getColumn(1).getInt(), TextOf(rows->getColumn(2)),
                                         rows->getColumn(3).getInt(), rows->getColumn(4).getInt(),
                                         TextOf(rows->getColumn(5)), TextOf(rows->getColumn(6)),
                                         rows->getColumn(7).getInt(), TextOf(rows->getColumn(8)),
                                         rows->getColumn(9).getInt() != 0,
                                         TextOf(rows->getColumn(10)), TextOf(rows->getColumn(11)),
                                         static_cast<std::int32_t>(rows->getColumn(0).getInt64()));
            tag->Version10 = rows->getColumn(12).getInt() != 0;
            tag->Version11 = rows->getColumn(13).getInt() != 0;
            tag->Version20 = rows->getColumn(14).getInt() != 0;
            tag->Version21 = rows->getColumn(15).getInt() != 0;
            tag->Version30 = rows->getColumn(16).getInt() != 0;
            tag->VersionCA20 = rows->getColumn(17).getInt() != 0;
            tag->VersionCA30 = rows->getColumn(18).getInt() != 0;
            KeepResponsive();
        }
        return StoreResult::Ok();
    } catch (const std::exception& e) {
        return StoreResult(EngineError(e));
    }
}

std::int64_t IOManager::FindBasic(int code, std::string_view tagName) {
    CachedStatement find = Prepared("SELECT id FROM \"Basics\" WHERE code = ? AND tag_name = ?");
    find->bind(1, code);
    find->bind(2, std::string(tagName));
    return find->executeStep() ? find->getColumn(0).getInt64() : 0;
}

bool IOManager::FoundBasic(int code, std::string_view tagName) {
    if (!IsOpen()) return false;
    try {
        return FindBasic(code, tagName) != 0;
    } catch (const std::exception& e) {
        lastError_ = EngineError(e);
        return false;
    }
}

StoreResult IOManager::UpdateTags(const ViewTags& tags) {
    if (!IsOpen()) {
        if (StoreResult opened = OpenQuietly(); !opened) return Report("UpdateTags", opened);
    }
    try {
        Transaction transaction(*db_);
        for (const auto& view : tags) {
            if (!view->Tag()) continue;
            std::int64_t id = FindBasic(view->Tag()->Code, view->TagName);
            if (id == 0) continue;
            CachedStatement update =
                Prepared("UPDATE \"Basics\" SET sequence = ?, user_heading = ? WHERE id = ?");
            update->bind(1, view->Sequence);
            update->bind(2, view->Heading);
            update->bind(3, id);
            update->exec();
        }
        transaction.Commit();
    } catch (const std::exception& e) {
        return Report("UpdateTags", StoreResult(EngineError(e)));
    }
    return LoadData();
}

// ---- searches ---------------------------------------------------------------------

StoreResult IOManager::SaveSearchObject(const SearchObject2* search, long* savedId) {
    if (!search) {
        return Remember(
            StoreResult::Fail(StoreErrorCode::NoSearch, "No search was given to save."));
    }
    if (!IsOpen()) {
        return SaveFailed("SaveSearchObject", StoreError{StoreErrorCode::DatabaseNotOpen,
                                                         "The database is not open; the search \"" +
                                                             search->Name + "\" was not saved.",
                                                         "IOManager"});
    }
    SearchRows rows(*db_, statements_);
    try {
        // The question is asked before the write lock is taken, so the other program
        // is not kept waiting while the user decides. Should the name change hands
        // before the lock is had, the question is asked again.
        std::int64_t agreed = 0;
        for (int attempt = 0; attempt < 3; ++attempt) {
            const std::int64_t holder = rows.FindByName(search->Name);
            const bool other = holder != 0 && holder != search->ID;
            if (other && holder != agreed) {
                if (!notifier_->ConfirmReplace("Save Search As ...",
                                               "A search definition already exists with that "
                                               "name.  Click OK to replace it, or CANCEL to "
                                               "enter a different name.")) {
                    return Remember(StoreResult::Fail(
                        StoreErrorCode::SaveCancelled,
                        "The search was not saved: another search is saved as \"" + search->Name +
                            "\".",
                        "IOManager"));
                }
                agreed = holder;
            }
            Transaction transaction(*db_);
            if (rows.FindByName(search->Name) != holder) continue;
            if (other) rows.Delete(holder);
            if (search->ID > 0) rows.Delete(search->ID);
            const std::int64_t id = rows.Write(*search);
            transaction.Commit();
            if (savedId) *savedId = static_cast<long>(id);
            return StoreResult::Ok();
        }
        return SaveFailed("SaveSearchObject",
                          StoreError{SQLITE_BUSY,
                                     "Another program kept saving searches under the name \"" +
                                         search->Name + "\"; try again.",
                                     "IOManager"});
    } catch (const SaveStepError& e) {
        return SaveFailed(e.Step, e.Error);
    } catch (const std::exception& e) {
        return SaveFailed("SaveSearchObject", EngineError(e));
    }
}

std::unique_ptr<SearchObject2s> IOManager::SearchObjects() {
    if (IsOpen()) {
        try {
            Transaction snapshot(*db_, Transaction::ForReading);
            SearchRows rows(*db_, statements_);
            auto searches = rows.ReadAll(catalog_);
            snapshot.Commit();
            return searches;
        } catch (const std::exception& e) {
            lastError_ = EngineError(e);
        }
    } else {
        lastError_ =
            StoreError{StoreErrorCode::DatabaseNotOpen,
                       "The database is not open; no saved search can be listed.", "IOManager"};
    }
    return std::make_unique<SearchObject2s>();
}

StoreResult IOManager::DeleteSearchObject(const SearchObject2& search) {
    if (!IsOpen()) {
        return Remember(StoreResult::Fail(
            StoreErrorCode::DatabaseNotOpen,
            "The database is not open; the search \"" + search.Name + "\" was not deleted."));
    }
    try {
        SearchRows rows(*db_, statements_);
        if (rows.Delete(search.ID)) return StoreResult::Ok();
        return Remember(
            StoreResult::Fail(StoreErrorCode::NoSuchSearch, "No saved search has the id " +
                                                                std::to_string(search.ID) + " (\"" +
                                                                search.Name + "\")."));
    } catch (const std::exception& e) {
        return Remember(StoreResult(EngineError(e)));
    }
}

// ---- QuickBooks files -------------------------------------------------------------

StoreResult IOManager::UpdateQuickBooksFiles(std::string_view path) {
    if (!IsOpen()) {
        return Remember(StoreResult::Fail(StoreErrorCode::DatabaseNotOpen,
                                          "The database is not open; the company file \"" +
                                              std::string(path) + "\" was not recorded."));
    }
    try {
        // One statement, so two programs recording the same file cannot both add it.
        CachedStatement insert =
            Prepared("INSERT INTO \"QuickBooks Files\" (path) VALUES (?) ON CONFLICT DO NOTHING");
        insert->bind(1, std::string(path));
        insert->exec();
        return StoreResult::Ok();
    } catch (const std::exception& e) {
        return Remember(StoreResult(EngineError(e)));
    }
}

// ---- helpers ----------------------------------------------------------------------

CachedStatement IOManager::Prepared(const char* sql) {
    return statements_.Prepared(*db_, sql);
}

StoreResult IOManager::Remember(StoreResult result) {
    if (!result) lastError_ = result.Error();
    return result;
}

StoreResult IOManager::Report(const char* operation, StoreResult result) {
    if (!result) {
        lastError_ = result.Error();
        notifier_->ShowError(std::string("Quarrion::") + operation, result.Error().Text());
    }
    return result;
}

StoreResult IOManager::SaveFailed(const std::string& step, const StoreError& error) {
    lastError_ = error;
    notifier_->ErrorOccurred(error.Number, error.Description, error.Source, "IOManager::" + step);
    return StoreResult(error);
}

void IOManager::KeepResponsive() {
    auto now = std::chrono::steady_clock::now();
    if (now - lastBreath_ < kBreathInterval) return;
    lastBreath_ = now;
    notifier_->LetEventsRun();
}

StoreResult StartStore(IOManager& io) {
    for (const auto& older : OlderDatabasePaths()) io.DeleteFile(older);
    return io.CheckDatabase(DatabasePath().string());
}

}  // namespace quarrion
