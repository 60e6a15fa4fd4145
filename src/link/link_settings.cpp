#include "link/link_settings.h"

#include <charconv>
#include <mutex>
#include <sstream>

#include "foundation/atomic_file.h"
#include "foundation/text_fold.h"

namespace quarrion {

namespace {

// Instances on several threads may save at once; the rename keeps the file whole, the
// lock keeps one writer's temporary file from racing another's.
std::mutex& SaveMutex() {
    static std::mutex mutex;
    return mutex;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

// Leaves `number` as it is unless `value` is a whole positive number.
void ReadPositive(std::string_view value, int& number) {
    int read = 0;
    auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), read);
    if (error == std::errc() && end == value.data() + value.size() && read > 0) number = read;
}

}  // namespace

std::filesystem::path LinkSettings::FilePath(const std::filesystem::path& dataFolder) {
    return dataFolder / "link.settings";
}

LinkSettings LinkSettings::Load(const std::filesystem::path& dataFolder) {
    LinkSettings settings;
    std::string text;
    if (!ReadWholeFile(FilePath(dataFolder), text)) return settings;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::string_view view = Trim(line);
        if (view.empty() || view.front() == '#') continue;
        std::size_t equals = view.find('=');
        if (equals == std::string_view::npos) continue;
        std::string_view key = Trim(view.substr(0, equals));
        std::string_view value = Trim(view.substr(equals + 1));
        if (EqualsIgnoringCase(key, "LogErrors")) {
            if (EqualsIgnoringCase(value, "True")) settings.LogErrors = true;
            if (EqualsIgnoringCase(value, "False")) settings.LogErrors = false;
        } else if (EqualsIgnoringCase(key, "CompanyFile")) {
            settings.CompanyFile = std::string(value);
        } else if (EqualsIgnoringCase(key, "ResponseFolder")) {
            settings.ResponseFolder = std::string(value);
        } else if (EqualsIgnoringCase(key, "PageSize")) {
            ReadPositive(value, settings.PageSize);
        } else if (EqualsIgnoringCase(key, "WebConnectorListen")) {
            settings.WebConnectorListen = std::string(value);
        } else if (EqualsIgnoringCase(key, "WebConnectorUser")) {
            settings.WebConnectorUser = std::string(value);
        } else if (EqualsIgnoringCase(key, "WebConnectorPasswordHash")) {
            settings.WebConnectorPasswordHash = std::string(value);
        } else if (EqualsIgnoringCase(key, "WebConnectorCertFile")) {
            settings.WebConnectorCertFile = std::string(value);
        } else if (EqualsIgnoringCase(key, "WebConnectorKeyFile")) {
            settings.WebConnectorKeyFile = std::string(value);
        } else if (EqualsIgnoringCase(key, "WebConnectorWait")) {
            ReadPositive(value, settings.WebConnectorWait);
        } else if (EqualsIgnoringCase(key, "WebConnectorFileId")) {
            settings.WebConnectorFileId = std::string(value);
        }
    }
    return settings;
}

Outcome LinkSettings::Save(const std::filesystem::path& dataFolder) const {
    std::string text = "# Quarrion QuickBooks link settings\n";
    text += "LogErrors=" + std::string(LogErrors ? "True" : "False") + "\n";
    text += "CompanyFile=" + CompanyFile.string() + "\n";
    text += "ResponseFolder=" + ResponseFolder.string() + "\n";
    text += "PageSize=" + std::to_string(PageSize) + "\n";
    text += "WebConnectorListen=" + WebConnectorListen + "\n";
    text += "WebConnectorUser=" + WebConnectorUser + "\n";
    text += "WebConnectorPasswordHash=" + WebConnectorPasswordHash + "\n";
    text += "WebConnectorCertFile=" + WebConnectorCertFile.string() + "\n";
    text += "WebConnectorKeyFile=" + WebConnectorKeyFile.string() + "\n";
    text += "WebConnectorWait=" + std::to_string(WebConnectorWait) + "\n";
    text += "WebConnectorFileId=" + WebConnectorFileId + "\n";
    std::lock_guard lock(SaveMutex());
    return WriteFileAtomically(FilePath(dataFolder), text);
}

}  // namespace quarrion
