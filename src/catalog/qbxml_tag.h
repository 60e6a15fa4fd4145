#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace quarrion {

// One catalog entry: a qbXML element of one request type's records, with its column
// heading, result-column position, data type and the SDK versions it exists in.
//
// Plain members are set freely by the catalog's `Add`, the loaders and the catalog
// updates. `TagName`, `DataType` and `UserHeading` have setters because writing them
// derives other members (see each setter).
class QBXMLTag {
  public:
    // Row id in the store's catalog table; 0 for entries built from the control file.
    std::int32_t ID = 0;
    // 1-based position in the catalog, given by `QBXMLTags::Add`; -1 until added.
    std::int32_t Index = -1;
    // The request type the element belongs to.
    int Code = 0;
    // Reference name, carried and stored unchanged.
    std::string Reference;
    // Shipped result-column position; 0 = not a default column.
    int DefaultSequence = 0;
    // Current result-column position; above 0 makes the element a result column.
    int Sequence = 0;
    std::string DefaultHeading;
    // Nesting level below the record element (direct children are 1).
    int Level = 0;
    // Whether word search may look at the element, and the group it is offered in.
    bool Searchable = false;
    std::string SearchGroup;

    // SDK versions the element exists in. Only the loaders and the store read them.
    bool Version10 = false;
    bool Version11 = false;
    bool Version20 = false;
    bool Version21 = false;
    bool Version30 = false;
    bool VersionCA20 = false;
    bool VersionCA30 = false;

    // The element's path in a record: "//", the record element name, then "/" and
    // each element name down to the element (//InvoiceRet/CustomerRef/FullName).
    const std::string& TagName() const { return tagName_; }
    // Stores the path. A path naming a "name" element makes the entry searchable in
    // the group "Names"; otherwise one naming "desc" or "memo" makes it searchable in
    // "Text" (letter case ignored). Any other path leaves both flags as they were.
    void SetTagName(std::string_view tagName);

    // The qbXML data-type name ("STRTYPE", "AMTTYPE", ...).
    const std::string& DataType() const { return dataType_; }
    // Stores the name and its numeric code (unknown names give the code for unknown).
    void SetDataType(std::string_view dataType);
    std::int32_t DataTypeCode() const { return dataTypeCode_; }

    // The user's heading when it holds anything but blanks, else `DefaultHeading`.
    const std::string& UserHeading() const;
    // The user's heading exactly as stored, blanks included (what the store writes).
    const std::string& StoredUserHeading() const { return userHeading_; }
    void SetUserHeading(std::string_view heading) { userHeading_ = heading; }

    // Decimal `Code` followed directly by `TagName` (12//InvoiceRet/TxnDate); the
    // catalog keys entries by it, upper-cased.
    std::string Key() const;
    // True for edit-sequence elements, which are bookkeeping and never shown.
    bool Ignore() const;
    // The entry as one line of the control file: the first sixteen TAB-separated
    // columns, booleans as True or False, no line end. The Canadian flags are not
    // part of that line.
    std::string OutputLine() const;

  private:
    std::string tagName_;
    std::string dataType_;
    std::int32_t dataTypeCode_ = 0;
    std::string userHeading_;
};

// How rules and columns hold a catalog entry. A catalog reload replaces every entry,
// so a search definition keeps a shared, read-only snapshot of the entries it names
// instead of a pointer into the catalog: copies of a definition share the snapshot,
// and it stays valid whatever happens to the catalog afterwards.
using QBXMLTagRef = std::shared_ptr<const QBXMLTag>;

// A snapshot of `tag` as it is now.
inline QBXMLTagRef ShareTag(const QBXMLTag& tag) {
    return std::make_shared<const QBXMLTag>(tag);
}

}  // namespace quarrion
