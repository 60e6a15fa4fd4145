#include "link/sample_company_processor.h"

#include <algorithm>
#include <charconv>
#include <ctime>

#include "qbxml/request_type_info.h"

namespace quarrion {

namespace {

// QuickBooks writes local times with their offset: 2026-11-02T10:15:00-05:00.
std::string NowText() {
    std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    char text[40];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S%z", &parts);
    std::string result = text;
    if (result.size() == 24) result.insert(22, ":");
    return result;
}

// Edit sequences only ever grow: the clock in seconds, or one more than the old value
// when that is already later.
std::string NextEditSequence(std::string_view old) {
    std::uint64_t previous = 0;
    std::from_chars(old.data(), old.data() + old.size(), previous);
    std::uint64_t now = static_cast<std::uint64_t>(std::time(nullptr));
    return std::to_string(std::max(previous + 1, now));
}

}  // namespace

SampleCompanyProcessor::SampleCompanyProcessor(std::filesystem::path companyFile,
                                               CompanyWriter createIfMissing)
    : path_(std::move(companyFile)), create_(std::move(createIfMissing)) {}

SampleCompanyProcessor::~SampleCompanyProcessor() {
    // Best effort: whoever needed to know about a failed save asked SaveChanges.
    if (company_) {
        std::lock_guard lock(company_->Mutex());
        company_->Save();
    }
}

ProcessorFailure SampleCompanyProcessor::CreateIfMissing() {
    std::error_code error;
    if (!create_ || std::filesystem::exists(path_, error)) return {};
    // Written beside the target and moved in only if the target is still missing, so a
    // half-written company never appears under the real name.
    std::filesystem::path temporary = path_;
    temporary += ".new";
    std::string message = create_(temporary).Message();
    if (message.empty() && !std::filesystem::exists(path_, error)) {
        std::filesystem::rename(temporary, path_, error);
        if (error) message = error.message();
    }
    std::filesystem::remove(temporary, error);
    if (!message.empty()) {
        return {LinkError::CompanyFileUnwritable,
                "The sample company \"" + path_.string() + "\" could not be created: " + message};
    }
    return {};
}

ProcessorFailure SampleCompanyProcessor::BeginMessageSet() {
    if (ProcessorFailure failure = CreateIfMissing()) return failure;
    if (!company_) company_ = CompanyFile::Open(path_);
    lock_ = std::unique_lock(company_->Mutex());
    return company_->Refresh();
}

void SampleCompanyProcessor::EndMessageSet() {
    if (lock_.owns_lock()) lock_.unlock();
}

QbxmlStatus SampleCompanyProcessor::AnswerQuery(const pugi::xml_node& request,
                                                std::string_view stem, std::string& out,
                                                ProcessorFailure&) {
    if (const QbxmlStatus* refusal = company_->Refusal(stem)) {
        AppendStatusOnly(out, std::string(stem) + "QueryRs", request, *refusal);
        return *refusal;
    }
    if (!company_->Parsed()) {
        return answerer_.Answer(request, stem, company_->Texts(stem), company_->Generation(),
                                RecordQueryAnswerer::Trim::AsRequested, out, &AnsweredRecords());
    }
    return answerer_.Answer(request, stem, company_->Records(stem), company_->Generation(),
                            RecordQueryAnswerer::Trim::AsRequested, out, &AnsweredRecords());
}

QbxmlStatus SampleCompanyProcessor::AnswerMod(const pugi::xml_node& request, std::string_view stem,
                                              std::string& out, ProcessorFailure& failure) {
    // Changes are made to nodes: the first one parses the company.
    if (ProcessorFailure parsed = company_->Parse()) {
        failure = parsed;
        return QbxmlStatus::Make(-1, "Error", failure.message);
    }
    const std::string rsName = std::string(stem) + "ModRs";
    const std::string modName = std::string(stem) + "Mod";
    pugi::xml_node mod = request.child(modName.c_str());
    auto answer = [&](QbxmlStatus status) {
        AppendStatusOnly(out, rsName, request, status);
        return status;
    };
    if (!mod) {
        return answer(QbxmlStatus::Make(QbxmlStatus::NotSupported, "Error",
                                        "The request holds no " + modName + " element."));
    }
    const char* idName = mod.child("TxnID") ? "TxnID" : "ListID";
    std::string_view id = Qbxml::ChildText(mod, idName);
    std::string_view sent = Qbxml::ChildText(mod, "EditSequence");
    pugi::xml_node record = id.empty() ? pugi::xml_node() : company_->Find(stem, id);
    if (!record) {
        return answer(QbxmlStatus::Make(
            QbxmlStatus::ObjectNotFound, "Error",
            "Object \"" + std::string(id) + "\" specified in the request cannot be found."));
    }
    std::string_view current = Qbxml::ChildText(record, "EditSequence");
    if (sent != current) {
        return answer(QbxmlStatus::Make(
            QbxmlStatus::EditSequenceOutOfDate, "Error",
            "The provided edit sequence \"" + std::string(sent) + "\" is out-of-date."));
    }
    // Only plain values change here; anything with parts of its own is refused before
    // the record is touched.
    for (pugi::xml_node field = mod.first_child(); field; field = field.next_sibling()) {
        if (field.type() == pugi::node_element && field.find_child([](const pugi::xml_node& n) {
                return n.type() == pugi::node_element;
            })) {
            return answer(QbxmlStatus::Make(QbxmlStatus::NotSupported, "Error",
                                            "Changing " + std::string(field.name()) +
                                                " is not supported by the sample company."));
        }
    }
    for (pugi::xml_node field = mod.first_child(); field; field = field.next_sibling()) {
        std::string_view name = field.name();
        if (field.type() != pugi::node_element || name == "TxnID" || name == "ListID" ||
            name == "EditSequence") {
            continue;
        }
        pugi::xml_node target = record.child(field.name());
        if (!target) target = record.append_child(field.name());
        target.text().set(field.text().get());
    }
    std::string next = NextEditSequence(current);
    record.child("EditSequence").text().set(next.c_str());
    std::string now = NowText();
    if (pugi::xml_node modified = record.child("TimeModified")) modified.text().set(now.c_str());
    company_->MarkChanged();

    QbxmlStatus status;
    AppendResponseStart(out, rsName, request, status);
    Qbxml::AppendNode(out, record);
    out.append("\n</").append(rsName).append(">\n");
    return status;
}

ProcessorFailure SampleCompanyProcessor::SaveChanges() {
    if (!company_) return {};
    std::lock_guard lock(company_->Mutex());
    return company_->Save();
}

ProcessorFailure SampleCompanyProcessor::OpenRecord(std::string_view, std::int32_t) {
    return {LinkError::CannotOpenRecord,
            "The sample company has no QuickBooks window to show a record in; use the data "
            "view instead."};
}

}  // namespace quarrion
