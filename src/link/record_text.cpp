#include "link/record_text.h"

#include "qbxml/qbxml_document.h"

namespace quarrion::RecordTexts {

namespace {

// Reads, of the record being scanned, the first children a query selects on.
class FieldReader {
  public:
    void Begin(RecordText& record, int depth) {
        record_ = &record;
        depth_ = depth;
        field_ = nullptr;
    }
    bool Inside() const { return record_ != nullptr; }
    int Depth() const { return depth_; }

    void Child(std::string_view element) {
        RecordText& record = *record_;
        field_ = nullptr;
        taken_ = false;
        if (element == "TxnID") {
            field_ = &record.txnId;
        } else if (element == "ListID") {
            field_ = &record.listId;
        } else if (element == "TxnDate") {
            if (!record.hasTxnDate) field_ = &record.txnDate;
            record.hasTxnDate = true;
        } else if (element == "TimeModified") {
            if (!record.hasTimeModified) field_ = &record.timeModified;
            record.hasTimeModified = true;
        } else if (element == "IsActive") {
            field_ = &record.isActive;
        } else if (element == "LinkedTxn") {
            record.hasLinkedTxns = true;
        } else if (element == "DataExtRet") {
            record.hasDataExt = true;
        } else if (Qbxml::EndsWith(element, "LineRet") ||
                   Qbxml::EndsWith(element, "LineGroupRet") || element == "JournalDebitLine" ||
                   element == "JournalCreditLine") {
            record.hasLines = true;
        }
        // A look-up by name reads the first child of that name only.
        if (field_ && !field_->empty()) field_ = nullptr;
    }
    void ChildEnd() { field_ = nullptr; }
    void Text(std::string_view raw) {
        // An element's text is its first run of character data that is not blank.
        if (!field_ || taken_) return;
        for (char c : raw) {
            if (!XmlScan::IsSpace(c)) {
                *field_ = XmlScan::Decode(raw);
                taken_ = true;
                return;
            }
        }
    }
    void End(std::string_view whole, std::size_t end) {
        std::size_t begin = static_cast<std::size_t>(record_->text.data() - whole.data());
        record_->text = whole.substr(begin, end - begin);
        record_ = nullptr;
    }

  private:
    RecordText* record_ = nullptr;
    int depth_ = 0;
    std::string* field_ = nullptr;
    bool taken_ = false;
};

struct AnywhereScan {
    std::string_view text;
    std::string_view recordName;
    std::vector<RecordText>& out;
    FieldReader reader;

    bool Start(std::string_view name, std::size_t begin, std::string_view, bool, int depth) {
        if (!reader.Inside()) {
            if (name == recordName) {
                RecordText& record = out.emplace_back();
                record.text = text.substr(begin);
                reader.Begin(record, depth);
            }
        } else if (depth == reader.Depth() + 1) {
            reader.Child(name);
        }
        return true;
    }
    bool End(std::string_view, std::size_t end, int depth) {
        if (!reader.Inside()) return true;
        if (depth == reader.Depth()) {
            reader.End(text, end);
        } else if (depth == reader.Depth() + 1) {
            reader.ChildEnd();
        }
        return true;
    }
    void Text(std::string_view raw, int depth) {
        if (reader.Inside() && depth == reader.Depth() + 1) reader.Text(raw);
    }
};

struct ByTypeScan {
    ByTypeScan(std::string_view text,
               std::map<std::string, std::vector<RecordText>, std::less<>>& out,
               std::string& rootName, bool& messages,
               std::map<std::string, QbxmlStatus, std::less<>>* refusals)
        : text(text), out(out), rootName(rootName), messages(messages), refusals(refusals) {}

    std::string_view text;
    std::map<std::string, std::vector<RecordText>, std::less<>>& out;
    std::string& rootName;
    bool& messages;
    std::map<std::string, QbxmlStatus, std::less<>>* refusals;
    int state = 0;  // 1 in QBXML, 2 in the first QBXMLMsgsRs, 3 in a query response
    bool messagesSeen = false;
    std::vector<RecordText>* list = nullptr;
    std::string recordName;
    FieldReader reader;

    bool Start(std::string_view name, std::size_t begin, std::string_view raw, bool, int depth) {
        if (depth == 1) {
            rootName = std::string(name);
            if (name == "QBXML") state = 1;
        } else if (depth == 2 && state == 1 && !messagesSeen && name == "QBXMLMsgsRs") {
            messagesSeen = true;
            messages = true;
            state = 2;
        } else if (depth == 3 && state == 2 && Qbxml::EndsWith(name, "QueryRs")) {
            std::string_view stem = name.substr(0, name.size() - 7);
            // The first error answer of a stem counts.
            if (refusals && refusals->find(stem) == refusals->end()) {
                if (QbxmlStatus status = StatusOf(name, raw); status.IsError()) {
                    refusals->emplace(std::string(stem), std::move(status));
                }
            }
            auto it = out.find(stem);
            if (it == out.end())
                it = out.emplace(std::string(stem), std::vector<RecordText>()).first;
            list = &it->second;
            recordName = std::string(stem) + "Ret";
            state = 3;
        } else if (depth == 4 && state == 3 && name == recordName) {
            RecordText& record = list->emplace_back();
            record.text = text.substr(begin);
            reader.Begin(record, depth);
        } else if (depth == 5 && reader.Inside()) {
            reader.Child(name);
        }
        return true;
    }
    bool End(std::string_view, std::size_t end, int depth) {
        if (depth == 5 && reader.Inside()) {
            reader.ChildEnd();
        } else if (depth == 4 && reader.Inside()) {
            reader.End(text, end);
        } else if (depth == 3 && state == 3) {
            state = 2;
        } else if (depth == 2 && state == 2) {
            state = 1;
        }
        return true;
    }
    void Text(std::string_view raw, int depth) {
        if (depth == 5 && reader.Inside()) reader.Text(raw);
    }
};

struct SpanScan {
    std::string_view text;
    std::string_view recordName;
    std::vector<std::string_view>& out;
    int recordDepth = 0;  // 0 outside a record
    std::size_t begin = 0;

    bool Start(std::string_view name, std::size_t at, std::string_view, bool, int depth) {
        if (recordDepth == 0 && name == recordName) {
            recordDepth = depth;
            begin = at;
        }
        return true;
    }
    bool End(std::string_view, std::size_t end, int depth) {
        if (depth == recordDepth) {
            out.push_back(text.substr(begin, end - begin));
            recordDepth = 0;
        }
        return true;
    }
    void Text(std::string_view, int) {}
};

struct AnswerScan {
    std::string_view answerName;
    std::string& rootName;
    std::vector<std::string_view>& attributes;

    bool Start(std::string_view name, std::size_t, std::string_view raw, bool, int depth) {
        if (depth == 1) rootName = std::string(name);
        if (name == answerName) attributes.push_back(raw);
        return true;
    }
    bool End(std::string_view, std::size_t, int) { return true; }
    void Text(std::string_view, int) {}
};

// A response file's records and its answers' attributes, found by one pass.
struct AnywhereAnswerScan {
    AnywhereScan records;
    AnswerScan answers;

    bool Start(std::string_view name, std::size_t begin, std::string_view raw, bool empty,
               int depth) {
        answers.Start(name, begin, raw, empty, depth);
        return records.Start(name, begin, raw, empty, depth);
    }
    bool End(std::string_view name, std::size_t end, int depth) {
        return records.End(name, end, depth);
    }
    void Text(std::string_view raw, int depth) { records.Text(raw, depth); }
};

}  // namespace

QbxmlStatus StatusOf(std::string_view name, std::string_view attributes) {
    std::string tag = "<" + std::string(name) + std::string(attributes) + "/>";
    pugi::xml_document doc;
    if (!doc.load_buffer(tag.data(), tag.size(), pugi::parse_default, pugi::encoding_utf8)) {
        return QbxmlStatus::Make(
            -1, "Error",
            "The response element " + std::string(name) + " carries no readable status.");
    }
    return QbxmlStatus::Of(doc.document_element());
}

XmlScanError Spans(std::string_view text, std::string_view recordName,
                   std::vector<std::string_view>& out) {
    SpanScan scan{text, recordName, out};
    return XmlScan::Scan(text, scan);
}

XmlScanError Anywhere(std::string_view text, std::string_view recordName,
                      std::vector<RecordText>& out) {
    AnywhereScan scan{text, recordName, out, {}};
    return XmlScan::Scan(text, scan);
}

XmlScanError AnywhereWithAnswers(std::string_view text, std::string_view recordName,
                                 std::string_view answerName, std::string& rootName,
                                 std::vector<RecordText>& records,
                                 std::vector<std::string_view>& answers) {
    AnywhereAnswerScan scan{{text, recordName, records, {}}, {answerName, rootName, answers}};
    return XmlScan::Scan(text, scan);
}

XmlScanError ByType(std::string_view text,
                    std::map<std::string, std::vector<RecordText>, std::less<>>& out,
                    std::string& rootName, bool& messages,
                    std::map<std::string, QbxmlStatus, std::less<>>* refusals) {
    messages = false;
    ByTypeScan scan(text, out, rootName, messages, refusals);
    return XmlScan::Scan(text, scan);
}

}  // namespace quarrion::RecordTexts
