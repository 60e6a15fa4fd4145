#include "catalog/qbxml_tag.h"

#include "foundation/text_fold.h"
#include "qbxml/request_type_info.h"

namespace quarrion {

namespace {

bool ContainsIgnoringCase(std::string_view text, std::string_view part) {
    return FoldCase(text).find(part) != std::string::npos;
}

const char* BoolWord(bool value) {
    return value ? "True" : "False";
}

}  // namespace

void QBXMLTag::SetTagName(std::string_view tagName) {
    tagName_ = tagName;
    if (ContainsIgnoringCase(tagName_, "name")) {
        Searchable = true;
        SearchGroup = "Names";
    } else if (ContainsIgnoringCase(tagName_, "desc") || ContainsIgnoringCase(tagName_, "memo")) {
        Searchable = true;
        SearchGroup = "Text";
    }
}

void QBXMLTag::SetDataType(std::string_view dataType) {
    dataType_ = dataType;
    dataTypeCode_ = RequestTypeInfo::DataTypeCodeByName(dataType_);
}

const std::string& QBXMLTag::UserHeading() const {
    bool blank = userHeading_.find_first_not_of(' ') == std::string::npos;
    return blank ? DefaultHeading : userHeading_;
}

std::string QBXMLTag::Key() const {
    return std::to_string(Code) + tagName_;
}

bool QBXMLTag::Ignore() const {
    return ContainsIgnoringCase(tagName_, "editsequence");
}

std::string QBXMLTag::OutputLine() const {
    std::string line;
    auto field = [&line](std::string_view value) {
        if (!line.empty()) line.push_back('\t');
        line.append(value);
    };
    line = std::to_string(Code);
    field(Reference);
    field(std::to_string(DefaultSequence));
    field(std::to_string(Sequence));
    field(tagName_);
    field(DefaultHeading);
    field(std::to_string(Level));
    field(userHeading_);
    field(BoolWord(Searchable));
    field(SearchGroup);
    field(BoolWord(Version21));
    field(BoolWord(Version20));
    field(BoolWord(Version11));
    field(BoolWord(Version10));
    field(dataType_);
    field(BoolWord(Version30));
    return line;
}

}  // namespace quarrion
