#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

namespace quarrion::test {

// A control file's line for invoice element `n` (//InvoiceRet/FieldN, headed "Field N"):
// the eighteen TAB-separated fields, shown by default at sequence n for n of 1 and 2.
inline QByteArray InvoiceControlLine(int n) {
    return QStringLiteral(
               "4\tInvoice\t%1\t0\t//InvoiceRet/Field%2\tField %2\t1\t\tFalse\t\tTrue\t"
               "True\tTrue\tTrue\tSTRTYPE\tTrue\tFalse\tTrue\r\n")
        .arg(n <= 2 ? n : 0)
        .arg(n)
        .toUtf8();
}

// A shipped catalog for the real store: a resources folder inside `home`, named by
// QUARRION_RESOURCES while the object lives, whose control file carries `version` and
// invoice elements 1 to `lines`.
class ShippedCatalog {
  public:
    explicit ShippedCatalog(const QString& home) : folder_(home + "resources") {
        QDir().mkpath(folder_);
        qputenv("QUARRION_RESOURCES", folder_.toLocal8Bit());
    }
    ~ShippedCatalog() { qunsetenv("QUARRION_RESOURCES"); }
    ShippedCatalog(const ShippedCatalog&) = delete;
    ShippedCatalog& operator=(const ShippedCatalog&) = delete;

    // False when the file could not be written whole.
    bool Write(int version, int lines) const {
        QFile file(folder_ + "/Temp Control File.tsl");
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
        QByteArray text =
            QStringLiteral("Quarrion control file\tversion\t%1\r\n").arg(version).toUtf8();
        for (int n = 1; n <= lines; ++n) text += InvoiceControlLine(n);
        return file.write(text) == text.size();
    }

  private:
    QString folder_;
};

}  // namespace quarrion::test
