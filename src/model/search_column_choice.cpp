#include "model/search_column_choice.h"

namespace quarrion {

void ChooseSearchColumns(IncItem& item, RequestSearchRule* standing, const Examinors& examinors,
                         const QBXMLTags& catalog) {
    item.SearchColumns.Clear();
    if (standing && standing->FieldExaminors.ContainsData()) {
        standing->FieldExaminors.Copy(item.FieldExaminors, 0);
        return;
    }
    item.FieldExaminors.Clear();
    for (const QBXMLTag& tag : catalog) {
        if (tag.Code == item.RequestType() && examinors.ReferencesDataType(tag.DataType())) {
            item.SearchColumns.Add(tag);
        }
    }
}

}  // namespace quarrion
