#pragma once

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStringList>
#include <QTest>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "console/search_console_factory.h"
#include "link/link_settings.h"
#include "modal.h"
#include "model/search_object2.h"
#include "results/frm_search_results.h"
#include "results/results_window_opener.h"
#include "sample/sample_company.h"
#include "search/search_builder.h"
#include "shell/app_state.h"
#include "shell/busy_pane.h"
#include "shell/frm_dialog.h"
#include "shell/frm_main.h"
#include "shell/io_manager_store.h"
#include "shell/msg_interface.h"

namespace quarrion::test {

// The desktop program as a results window meets it: the real store (catalog loaded
// from the shipped control file), a main window as host, and the link answering from a
// small generated company in the test's data folder.
class ResultsProgram {
  public:
    // `home` is the test's data folder, ending in '/'.
    void Start(const QString& home) {
        company = std::filesystem::path(home.toStdString()) / "company.qbxml";
        SampleCompanyOptions options;
        options.scale = 0.1;
        options.today = "2024-06-30";
        QCOMPARE(QString::fromStdString(WriteSampleCompany(company, options).Message()), QString());
        UseCompany();
        StartUpParts parts;
        parts.MakeStore = [](QBXMLTags& catalog) {
            return std::make_unique<IOManagerStore>(catalog);
        };
        state = AppState::StartUp(std::move(parts));
        // As the program's main() makes it: the console's Search opens results windows.
        main = std::make_unique<frmMain>(*state,
                                         MakeSearchConsoleFactory(MakeResultsWindowOpener({}), {}));
        // A first run initialises the catalog and may say so in a message.
        ModalWatcher okEverything([](QDialog* dialog) {
            if (auto* message = qobject_cast<frmDialog*>(dialog)) message->cmdOK()->click();
        });
        main->Load();
        main->resize(1100, 760);
        main->show();
        QVERIFY(state->Catalog().Count() > 0);
        HookHub();
    }

    // The link of windows opened from now on answers from the generated company.
    void UseCompany() {
        LinkSettings settings;
        settings.CompanyFile = company;
        QCOMPARE(QString::fromStdString(settings.Save(DataFolderPath()).Message()), QString());
    }
    // ... or from a folder of response files.
    void UseResponses(const std::filesystem::path& folder) {
        LinkSettings settings;
        settings.ResponseFolder = folder;
        QCOMPARE(QString::fromStdString(settings.Save(DataFolderPath()).Message()), QString());
    }

    void Stop() {
        CloseAll();
        main.reset();
        state.reset();
    }

    void CloseAll() {
        if (!main) return;
        main->MdiArea()->closeAllSubWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    // Opens a results window as the console's Search does, for a search that `fill`
    // puts together, and waits until every type is done and the busy pane is gone.
    frmSearchResults* Open(const std::vector<std::int32_t>& types,
                           const std::function<void(SearchBuilder&)>& fill = {}, bool wait = true) {
        SearchBuilder builder(state->Catalog());
        for (std::int32_t type : types) builder.IncludeType(type);
        if (fill) fill(builder);
        SearchObject2 search;
        if (!builder.Build(search)) return nullptr;
        ResultsWindowOpener open = MakeResultsWindowOpener(outputs);
        open(*main, search);
        frmSearchResults* window = Newest();
        if (window && wait) WaitUntilComplete(window);
        return window;
    }

    static bool WaitUntilComplete(frmSearchResults* window) {
        return QTest::qWaitFor(
            [window] { return window->IsComplete() && !window->busyView()->isVisible(); }, 20000);
    }

    frmSearchResults* Newest() const {
        QList<QMdiSubWindow*> windows = main->MdiArea()->subWindowList(QMdiArea::CreationOrder);
        for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
            if (auto* results = qobject_cast<frmSearchResults*>((*it)->widget())) return results;
        }
        return nullptr;
    }

    // MDI children that are not results windows (data views).
    int OtherChildren() const {
        int count = 0;
        for (QMdiSubWindow* window : main->MdiArea()->subWindowList()) {
            if (!qobject_cast<frmSearchResults*>(window->widget())) ++count;
        }
        return count;
    }

    std::unique_ptr<AppState> state;
    std::unique_ptr<frmMain> main;
    OutputWindows outputs;
    std::filesystem::path company;
    // Every hub event in order, as "Event:arguments".
    QStringList hub;

  private:
    static std::filesystem::path DataFolderPath() {
        return std::filesystem::path(qEnvironmentVariable("QUARRION_HOME").toStdString());
    }

    void HookHub() {
        MsgInterface& h = state->Hub();
        auto flag = [this](const char* name) {
            return [this, name](bool on) { hub << QStringLiteral("%1:%2").arg(name).arg(on); };
        };
        QObject::connect(&h, &MsgInterface::PrinterIcon, flag("PrinterIcon"));
        QObject::connect(&h, &MsgInterface::InvoiceMenu, flag("InvoiceMenu"));
        QObject::connect(&h, &MsgInterface::POMenu, flag("POMenu"));
        QObject::connect(&h, &MsgInterface::SOMenu, flag("SOMenu"));
        QObject::connect(&h, &MsgInterface::CreditMemoMenu, flag("CreditMemoMenu"));
        QObject::connect(&h, &MsgInterface::ToPrintOff,
                         [this] { hub << QStringLiteral("ToPrintOff"); });
        QObject::connect(
            &h, &MsgInterface::RequestTypeNotification,
            [this](std::int32_t type, bool rows, const QString& others, std::int32_t owner) {
                hub << QStringLiteral("Notify:%1:%2:%3:%4")
                           .arg(type)
                           .arg(rows)
                           .arg(others)
                           .arg(owner);
            });
    }
};

}  // namespace quarrion::test
