#pragma once

#include <QFile>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "shell/app_state.h"
#include "shell/results_window.h"
#include "shell/shell_link.h"
#include "shell/store_life_cycle.h"

namespace quarrion::test {

// A store that records every life-cycle call ("CheckDatabase:<path>", "LoadData", ...)
// in a log the test keeps, answers with the flags the test sets, and lets the test look
// at the world at the moment a call arrives.
class FakeStore : public StoreLifeCycle {
  public:
    struct Script {
        QStringList Calls;
        bool FirstTime = false;
        bool NeedsUpdate = false;
        std::size_t CatalogCount = 10;
        // Catalog size after each maintenance run; the default keeps the count.
        std::function<std::size_t()> CountAfterRun;
        std::function<void(const QString& call)> OnCall;
    };

    explicit FakeStore(std::shared_ptr<Script> script) : script_(std::move(script)) {}

    bool DeleteFile(const std::string& path) override { return Record("DeleteFile:", path); }
    bool CheckDatabase(const std::string& path) override { return Record("CheckDatabase:", path); }
    bool FirstTime() const override { return script_->FirstTime; }
    bool NeedsUpdate() const override { return script_->NeedsUpdate; }
    void LoadData() override { Record("LoadData"); }
    bool InitDataA() override { return Run("InitDataA"); }
    bool InitDataB() override { return Run("InitDataB"); }
    bool InitDataC() override { return Run("InitDataC"); }
    std::size_t CatalogCount() const override { return script_->CatalogCount; }

  private:
    bool Record(const QString& call, const std::string& path = {}) const {
        script_->Calls.append(call + QString::fromStdString(path));
        if (script_->OnCall) script_->OnCall(script_->Calls.last());
        return true;
    }
    bool Run(const QString& call) {
        Record(call);
        if (script_->CountAfterRun) script_->CatalogCount = script_->CountAfterRun();
        return true;
    }

    std::shared_ptr<Script> script_;
};

// Start-up parts whose store is a FakeStore on `script`.
inline StartUpParts FakeStoreParts(
    std::shared_ptr<FakeStore::Script> script = std::make_shared<FakeStore::Script>()) {
    StartUpParts parts;
    parts.MakeStore = [script](QBXMLTags&) { return std::make_unique<FakeStore>(script); };
    return parts;
}

// A link whose error log is a file the test writes. Every instance made from one
// shared state sees the same logging flag, as instances of the real link do.
class FakeLink : public ShellLink {
  public:
    struct Shared {
        QString LogPath;
        bool LogErrors = false;
        int Cleared = 0;
        QList<std::int32_t> Ids;
    };

    explicit FakeLink(std::shared_ptr<Shared> shared) : shared_(std::move(shared)) {}

    void SetId(std::int32_t id) override { shared_->Ids.append(id); }
    void SetLogViewer(bool viewer) override { logViewer_ = viewer; }
    std::string ErrorLogPath() const override { return shared_->LogPath.toStdString(); }
    bool LogErrors() const override { return shared_->LogErrors; }
    void SetLogErrors(bool log) override { shared_->LogErrors = log; }
    void ClearErrorLog() override {
        ++shared_->Cleared;
        QFile::remove(shared_->LogPath);
    }
    bool IsLogViewer() const { return logViewer_; }

  private:
    std::shared_ptr<Shared> shared_;
    bool logViewer_ = false;
};

// A stand-in for a results window: it answers the main window's commands by recording
// them.
class FakeResults : public QWidget, public ResultsWindow {
  public:
    explicit FakeResults(std::int32_t ownerId) : ownerId_(ownerId) {
        setWindowTitle(QStringLiteral("Results %1").arg(ownerId));
    }

    std::int32_t OwnerID() const override { return ownerId_; }
    bool Export(std::int32_t requestType, QString& fileName, QString& folder, int& format,
                bool silent) override {
        Calls.append(QStringLiteral("Export:%1:%2:%3:%4:%5")
                         .arg(QString::number(requestType), fileName, folder,
                              QString::number(format), QString::number(silent)));
        if (!ExportWrites) return false;
        fileName = ExportTarget;
        return true;
    }
    void ExportAll(const QList<ExportListEntry>&) override { Calls.append("ExportAll"); }
    void Excel() override { Calls.append(QStringLiteral("Excel")); }
    void ReSearch() override { Calls.append(QStringLiteral("ReSearch")); }
    void SetToPrint(bool& toPrint, const QString& title, const QString& message) override {
        Calls.append(QStringLiteral("SetToPrint:%1:%2:%3").arg(toPrint).arg(title, message));
    }

    QStringList Calls;
    bool ExportWrites = true;
    QString ExportTarget;

  private:
    std::int32_t ownerId_;
};

}  // namespace quarrion::test
