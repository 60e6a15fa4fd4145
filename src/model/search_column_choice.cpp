#include "model/search_column_choice.h"

namespace quarrion {

namespace {

void AddReferencedColumns(IncItem& item, const Examinors& examinors, const QBXMLTags& catalog) {
    for (const QBXMLTag& tag : catalog) {
        if (tag.Code == item.RequestType() && examinors.ReferencesDataType(tag.DataType())) {
            item.SearchColumns.Add(tag);
        }
    }
}

}  // namespace

void ChooseSearchColumns(IncItem& item, RequestSearchRule* standing, const Examinors& examinors,
                         const QBXMLTags& catalog) {
    item.SearchColumns.Clear();
    if (standing && standing->FieldExaminors.ContainsData()) {
        standing->FieldExaminors.Copy(item.FieldExaminors, CopyDirection::IntoTarget);
        return;
    }
    item.FieldExaminors.Clear();
    AddReferencedColumns(item, examinors, catalog);
}

void RebuildSearchColumns(IncItem& item, const Examinors& examinors, const QBXMLTags& catalog) {
    item.SearchColumns.Clear();
    if (item.FieldExaminors.ContainsData() || !examinors.ContainsData()) return;
    AddReferencedColumns(item, examinors, catalog);
}

}  // namespace quarrion
