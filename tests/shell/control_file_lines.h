#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace quarrion::test {

// A control file's line for invoice element `n` (//InvoiceRet/FieldN, headed "Field N"):
// the eighteen TAB-separated fields, shown by default at sequence n for n of 1 and 2.
inline QByteArray InvoiceControlLine(int n) {
    const QStringList fields = {"4",
                                "Invoice",
                                QString::number(n <= 2 ? n : 0),
                                "0",
                                QStringLiteral("//InvoiceRet/Field%1").arg(n),
                                QStringLiteral("Field %1").arg(n),
                                "1",
                                "",
                                "False",
                                "",
                                "True",
                                "True",
                                "True",
                                "True",
                                "STRTYPE",
                                "True",
                                "False",
                                "True"};
    return fields.join('\t').toUtf8() + "\r\n";
}

}  // namespace quarrion::test
