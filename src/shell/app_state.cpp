#include "shell/app_state.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cassert>

#include "foundation/app_paths.h"
#include "foundation/atomic_path.h"
#include "foundation/common_tools.h"
#include "shell/app_settings.h"

namespace quarrion {

namespace {

QString Normalized(const QString& folder) {
    return QString::fromStdString(CommonTools::NormalizeFolder(folder.toStdString()));
}

}  // namespace

std::unique_ptr<AppState> AppState::StartUp(StartUpParts parts) {
    // The store is what start-up exists to check; a program without one is a
    // programming error, not a user's problem.
    assert(parts.MakeStore);
    std::unique_ptr<AppState> state(new AppState());

    QCoreApplication::setOrganizationName(ProgramName);
    QCoreApplication::setApplicationName(ProgramName);

    state->appFolder_ = Normalized(QString::fromStdString(DataFolder().string()));
    state->markerPath_ = state->appFolder_ + MarkerFileName;
    state->excelAvailable_ = false;

    state->hub_ = std::make_unique<MsgInterface>();
    state->windowCounter_ = 0;

    AppSettings::UseDataFolder(state->appFolder_);
    if (QFile::exists(state->markerPath_)) {
        AppSettings::DeleteAll();
        state->settingsWereReset_ = true;
    }
    QFile marker(state->markerPath_);
    if (marker.open(QIODevice::WriteOnly | QIODevice::Truncate)) marker.close();

    // The workbook writer is linked into the program, so there is always something
    // that can build a workbook; only opening it afterwards needs a desktop program.
    state->excelAvailable_ = true;

    state->xmlFolder_ = Normalized(state->appFolder_ + XmlFolderName);
    state->excelFolder_ = Normalized(state->appFolder_ + ExcelFolderName);
    QDir().mkpath(state->xmlFolder_);
    QDir().mkpath(state->excelFolder_);
    // Files a killed run was writing when it died are removed at this start.
    RemoveLeftoverTemporaries(DataFolder());

    state->store_ = parts.MakeStore(state->catalog_);
    assert(state->store_);
    state->makeLink_ = std::move(parts.MakeLink);
    QString base = state->appFolder_ + ProgramName;
    state->store_->DeleteFile((base + ".qr1").toStdString());
    state->store_->DeleteFile((base + ".qr2").toStdString());
    state->store_->CheckDatabase(state->DatabasePath().toStdString());

    state->helpFile_ = QStringLiteral("qrc:/help/index.html");

    state->tables_.Fill();
    return state;
}

AppState::~AppState() = default;

QString AppState::DatabasePath() const {
    return appFolder_ + ProgramName + ".qr3";
}

std::unique_ptr<ShellLink> AppState::MakeLink() const {
    return makeLink_ ? makeLink_() : nullptr;
}

void AppState::ShutDown() {
    if (shutDown_) return;
    shutDown_ = true;
    if (QFile::exists(markerPath_)) QFile::remove(markerPath_);
}

}  // namespace quarrion
