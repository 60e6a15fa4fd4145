#pragma once

#include <QString>
#include <QStringList>

#include "editor_support.h"
#include "model/search_object2.h"

namespace quarrion::test {

// A search definition written out line by line: everything a search run reads (dates,
// the words of a relative range, filter, maximum, the global groups, and per included type its
// name, code, display columns, search columns and field groups). Two searches that print the same
// are the same search for every later step.
inline QString SearchText(SearchObject2& search) {
    QStringList lines;
    lines << QStringLiteral("from %1 to %2 filter %3 max %4")
                 .arg(QString::fromStdString(search.FormatFrom()),
                      QString::fromStdString(search.FormatTo()))
                 .arg(search.DateFilter)
                 .arg(search.Max);
    lines << QString::fromStdString("span " + search.FromText + ".." + search.ToText);
    lines << "rules: " + ExaminorsText(search.Examinors);
    for (const IncItem& item : search.IncludeItems) {
        lines << QStringLiteral("type %1 %2")
                     .arg(QString::fromStdString(item.Name))
                     .arg(item.RequestType());
        QStringList columns;
        for (const DisplayColumn& column : item.DisplayColumns) {
            columns << QString::fromStdString(column.Tag()->TagName() + "=" + column.Heading());
        }
        lines << "  display: " + columns.join(", ");
        QStringList searched;
        for (const SearchColumn& column : item.SearchColumns) {
            searched << QString::fromStdString(column.Column()->TagName());
        }
        lines << "  search: " + searched.join(", ");
        lines << "  fields: " + FieldExaminorsText(item.FieldExaminors);
    }
    return lines.join('\n');
}

}  // namespace quarrion::test
