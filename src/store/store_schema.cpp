#include "store/store_schema.h"

#include <initializer_list>
#include <string>

#include "store/database_connection.h"
#include "store/schema_builder.h"

namespace quarrion {

namespace {

constexpr bool R = true;  // the field must hold a value
constexpr bool Z = true;  // the text field accepts ""
constexpr bool no = false;

// The declaration calls, shortened so each table reads as its list of fields.
class Declare {
  public:
    explicit Declare(SchemaBuilder& builder) : b_(builder) {}

    Declare& Table(const char* name) {
        b_.CreateTable(name);
        return *this;
    }
    Declare& Auto(const char* name) {
        b_.CreateField(name, FieldType::Long, 0, FieldAttribute::AutoIncrement, R, Z);
        return *this;
    }
    Declare& Field(const char* name, FieldType type, bool required, bool allowZeroLength) {
        return Text(name, type, 0, required, allowZeroLength);
    }
    Declare& Text(const char* name, FieldType type, int size, bool required, bool allowZeroLength) {
        b_.CreateField(name, type, size, 0, required, allowZeroLength);
        return *this;
    }
    Declare& Index(const char* name, std::initializer_list<const char*> fields,
                   bool primary = false) {
        b_.CreateIndex(name, primary, true);
        for (const char* field : fields) b_.AddIndexField(field);
        return *this;
    }
    // The columns every criterion holds: the values it compares against, its place
    // among its examinor's criteria and how it joins the next.
    Declare& CompareValues() {
        return Text("text_compare", FieldType::Text, 50, no, Z)
            .Field("number_compare", FieldType::Double, no, Z)
            .Field("from_number", FieldType::Double, no, Z)
            .Field("to_number", FieldType::Double, no, Z)
            .Field("sequence", FieldType::Integer, no, no)
            .Text("and_or", FieldType::Text, 3, no, Z);
    }
    // The texts and the numbers of a criterion's list, in order, as two tables named
    // after the criterion table whose row `ownerField` refers to.
    void ValueLists(const std::string& criterion, const char* ownerField) {
        const std::string key = criterion + "Key";
        Table((criterion + " TextList").c_str())
            .Field(ownerField, FieldType::Long, R, Z)
            .Text("text_compare", FieldType::Text, 50, no, no)
            .Field("sequence", FieldType::Integer, no, no)
            .Index(key.c_str(), {ownerField, "sequence"});
        Table((criterion + " NumberList").c_str())
            .Field(ownerField, FieldType::Long, R, Z)
            .Field("number_compare", FieldType::Double, no, no)
            .Field("sequence", FieldType::Integer, no, no)
            .Index(key.c_str(), {ownerField, "sequence"});
    }
    void Relation(const char* name, const char* parent, const char* child, const char* childField) {
        b_.CreateRelation(name, parent, child, true, true);
        b_.AddRelationField("id", childField);
    }

  private:
    SchemaBuilder& b_;
};

}  // namespace

void DeclareStoreSchema(SchemaBuilder& builder) {
    using enum FieldType;
    Declare d(builder);

    // The tag catalog with the user's column choices: one row per element of a type.
    d.Table("Basics")
        .Auto("id")
        .Field("code", Integer, R, Z)
        .Text("reference", Text, 35, no, no)
        .Field("default_sequence", Integer, no, Z)
        .Field("sequence", Integer, no, Z)
        .Text("tag_name", Text, 128, no, Z)
        .Text("default_heading", Text, 0, no, Z)
        .Field("level", Integer, no, Z)
        .Text("user_heading", Text, 0, no, Z)
        .Field("searchable", Boolean, no, Z)
        .Text("search_group", Text, 0, no, Z)
        .Field("version_21", Boolean, no, Z)
        .Field("version_20", Boolean, no, Z)
        .Field("version_11", Boolean, no, Z)
        .Field("version_10", Boolean, no, Z)
        .Text("data_type", Text, 16, no, Z)
        .Field("version_30", Boolean, no, Z)
        .Field("version_ca20", Boolean, no, Z)
        .Field("version_ca30", Boolean, no, Z)
        .Index("CodeTagKey", {"code", "tag_name"})
        .Index("id", {"id"});

    // Declared for search groups; the program writes no rows to these two.
    d.Table("Search Groups")
        .Auto("id")
        .Text("name", Text, 0, no, no)
        .Field("description", Memo, no, Z)
        .Index("name", {"name"});
    d.Table("Search Group Basics")
        .Field("search_group_id", Long, R, Z)
        .Field("basics_id", Long, R, Z)
        .Index("PrimaryKey", {"search_group_id", "basics_id"}, true);

    // The company files searches have read from.
    d.Table("QuickBooks Files")
        .Auto("id")
        .Text("path", Text, 255, no, no)
        .Text("version", Text, 10, no, Z)
        .Field("access_count", Double, no, Z)
        .Field("last_use", DateTime, no, Z)
        .Text("last_user", Text, 50, no, Z)
        .Index("path", {"path"});

    // Saved searches: one row per search, then its tree.
    d.Table("Search")
        .Auto("id")
        .Text("name", Text, 50, no, no)
        .Field("date_filter", Integer, no, no)
        .Field("from_date", DateTime, no, no)
        .Field("to_date", DateTime, no, no)
        .Field("description", Memo, no, Z)
        // The range's relative values ("last-month"), resolved whenever it runs.
        .Text("from_text", Text, 20, no, Z)
        .Text("to_text", Text, 20, no, Z)
        // The text options; null in searches saved before they existed reads as off.
        .Field("ignore_accents", Boolean, no, Z)
        .Field("field_rules_ignore_case", Boolean, no, Z)
        .Index("name", {"name"});
    d.Table("Search Include")
        .Auto("id")
        .Field("search_id", Long, R, no)
        .Field("request_type", Integer, no, no)
        .Index("SearchIncludeKey", {"search_id", "request_type"});
    d.Table("Include Data")
        .Field("search_include_id", Long, R, no)
        .Field("sequence", Integer, no, no)
        .Field("basics_id", Long, R, no)
        .Text("column_heading", Text, 50, no, Z)
        .Index("PrimaryKey", {"search_include_id", "basics_id"}, true)
        .Index("SequenceKey", {"search_include_id", "sequence"});
    d.Table("Examinor")
        .Auto("id")
        .Field("search_id", Long, R, Z)
        .Field("sequence", Integer, no, no)
        .Index("SearchKey", {"search_id", "sequence"});
    d.Table("Criterion")
        .Auto("id")
        .Field("examinor_id", Long, R, Z)
        .Field("operand", Integer, no, no)
        .Field("data_type", Integer, no, no)
        .CompareValues()
        .Index("ExaminorKey", {"examinor_id", "sequence"});
    d.ValueLists("Criterion", "criterion_id");
    d.Table("FieldExaminor")
        .Auto("id")
        .Field("search_include_id", Long, R, Z)
        .Field("sequence", Integer, no, no)
        .Index("SearchIncludeKey", {"search_include_id", "sequence"});
    d.Table("FieldCriterion")
        .Auto("id")
        .Field("field_examinor_id", Long, R, Z)
        .Field("operand", Integer, no, no)
        .Field("basics_id", Long, R, no)
        .CompareValues()
        .Index("FieldExaminorKey", {"field_examinor_id", "sequence"});
    d.ValueLists("FieldCriterion", "field_criterion_id");

    // The store format of the program that last brought the file up to date: one row
    // (see kStoreFormat).
    d.Table(kStoreFormatTable).Field("version", Long, R, Z);

    // Each relation joins the parent's id to the child field. The names are the
    // store's own, "Seach Groups" and "FieldExaminor->TextList" as they have always been.
    d.Relation("Seach Groups->Search Group Basics", "Search Groups", "Search Group Basics",
               "search_group_id");
    d.Relation("Basics->Search Group Basics", "Basics", "Search Group Basics", "basics_id");
    d.Relation("Search->Examinor", "Search", "Examinor", "search_id");
    d.Relation("Examinor->Criterion", "Examinor", "Criterion", "examinor_id");
    d.Relation("Criterion->TextList", "Criterion", "Criterion TextList", "criterion_id");
    d.Relation("Criterion->NumberList", "Criterion", "Criterion NumberList", "criterion_id");
    d.Relation("Search->Include", "Search", "Search Include", "search_id");
    d.Relation("SearchInclude->FieldExaminor", "Search Include", "FieldExaminor",
               "search_include_id");
    d.Relation("SearchInclude->Data", "Search Include", "Include Data", "search_include_id");
    d.Relation("FieldExaminor->FieldCriterion", "FieldExaminor", "FieldCriterion",
               "field_examinor_id");
    d.Relation("FieldExaminor->TextList", "FieldCriterion", "FieldCriterion TextList",
               "field_criterion_id");
    d.Relation("FieldCriterion->NumberList", "FieldCriterion", "FieldCriterion NumberList",
               "field_criterion_id");
    d.Relation("Basics->FieldCriterion", "Basics", "FieldCriterion", "basics_id");
    d.Relation("Basics->IncludeData", "Basics", "Include Data", "basics_id");
}

}  // namespace quarrion
