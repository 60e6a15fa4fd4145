#include "shell/io_manager_store.h"

#include <QApplication>

#include "catalog/qbxml_tags.h"
#include "shell/frm_dialog.h"
#include "shell/frm_init.h"

namespace quarrion {

namespace {

// The store writes CR where a message breaks its line; a label breaks on '\n'.
QString Shown(const std::string& text) {
    QString shown = QString::fromStdString(text);
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

QWidget* DialogParent() {
    return QApplication::activeWindow();
}

}  // namespace

IOManagerStore::IOManagerStore(QBXMLTags& catalog) : catalog_(catalog), io_(catalog, this) {}

IOManagerStore::~IOManagerStore() = default;

bool IOManagerStore::DeleteFile(const std::string& path) {
    return io_.DeleteFile(path);
}

bool IOManagerStore::CheckDatabase(const std::string& path) {
    return static_cast<bool>(io_.CheckDatabase(path));
}

bool IOManagerStore::FirstTime() const {
    return io_.FirstTime();
}

bool IOManagerStore::NeedsUpdate() const {
    return io_.NeedsUpdate();
}

void IOManagerStore::LoadData() {
    (void)io_.LoadData();
}

bool IOManagerStore::InitDataA() {
    return static_cast<bool>(io_.InitDataA());
}

bool IOManagerStore::InitDataB() {
    return static_cast<bool>(io_.InitDataB());
}

bool IOManagerStore::InitDataC() {
    return static_cast<bool>(io_.InitDataC());
}

std::size_t IOManagerStore::CatalogCount() const {
    return catalog_.Count();
}

void IOManagerStore::ShowError(const std::string& title, const std::string& text) {
    MessageDialog(DialogParent(), Shown(title), Shown(text));
}

void IOManagerStore::ErrorOccurred(long number, const std::string& description,
                                   const std::string& source, const std::string& operation) {
    if (onError_) {
        onError_(number, description, source, operation);
        return;
    }
    MessageDialog(DialogParent(), Shown(operation),
                  QStringLiteral("(%1)\n%2").arg(number).arg(Shown(description)));
}

bool IOManagerStore::ConfirmReplace(const std::string& caption, const std::string& message) {
    return QuestionDialog(DialogParent(), Shown(caption), Shown(message), QStringLiteral("Cancel"),
                          QStringLiteral("OK")) == frmDialog::OkPressed;
}

void IOManagerStore::RunFirstTimeInitialisation(const std::function<bool()>& run) {
    InitializeFirstTime(*this, DialogParent(), [&run] { run(); });
}

void IOManagerStore::LetEventsRun() {
    // The initialisation window stays painted; the user cannot start anything else
    // because that window is modal.
    QCoreApplication::processEvents();
}

}  // namespace quarrion
