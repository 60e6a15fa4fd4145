#pragma once

#include <QList>
#include <QPair>
#include <QString>

namespace quarrion {

// The per-user settings store: the default QSettings in INI form, application name
// "Quarrion", one group per section ("frmMain", "frmReSearch", "Console"). Values are
// text; flags are the texts "True" and "False", numbers their decimal text.
//
// The INI file lives in the data folder (Quarrion/Quarrion.ini under it), so a run
// with QUARRION_HOME set, as every test has, never reads or writes the user's own
// settings.
class AppSettings {
  public:
    // Points the default QSettings at `dataFolder`. Call after the application's
    // organisation and application names are set and before any setting is read;
    // calling again with another folder (tests do) moves later reads there.
    static void UseDataFolder(const QString& dataFolder);

    static QString Text(const QString& section, const QString& key,
                        const QString& fallback = QString());
    static void SetText(const QString& section, const QString& key, const QString& value);

    // "True" and "False" in any letter case; anything else, or no value, is `fallback`.
    // Several keys of one section written at once: one write of the file instead of
    // one per key (the console remembers 37 keys with every search).
    static void SetTexts(const QString& section, const QList<QPair<QString, QString>>& values);
    static QString FlagText(bool value) {
        return value ? QStringLiteral("True") : QStringLiteral("False");
    }

    static bool Flag(const QString& section, const QString& key, bool fallback);
    static void SetFlag(const QString& section, const QString& key, bool value);

    // The leading number of the stored text (a text without one reads as 0); `fallback`
    // when the key is missing.
    static int Number(const QString& section, const QString& key, int fallback);
    static void SetNumber(const QString& section, const QString& key, int value);

    // Deletes every section and key. Errors are ignored: having nothing stored yet is
    // the normal case.
    static void DeleteAll();
};

}  // namespace quarrion
