#include "shell/app_settings.h"

#include <QSettings>
#include <cmath>
#include <limits>

#include "foundation/leading_number.h"

namespace quarrion {

namespace {

QString Key(const QString& section, const QString& key) {
    return section + '/' + key;
}

}  // namespace

void AppSettings::UseDataFolder(const QString& dataFolder) {
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dataFolder);
    QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, dataFolder);
}

QString AppSettings::Text(const QString& section, const QString& key, const QString& fallback) {
    return QSettings().value(Key(section, key), fallback).toString();
}

void AppSettings::SetText(const QString& section, const QString& key, const QString& value) {
    QSettings().setValue(Key(section, key), value);
}

void AppSettings::SetTexts(const QString& section, const QList<QPair<QString, QString>>& values) {
    QSettings settings;
    for (const auto& [key, value] : values) settings.setValue(Key(section, key), value);
}

bool AppSettings::Flag(const QString& section, const QString& key, bool fallback) {
    QString text = Text(section, key).trimmed();
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return true;
    if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return false;
    return fallback;
}

void AppSettings::SetFlag(const QString& section, const QString& key, bool value) {
    SetText(section, key, FlagText(value));
}

int AppSettings::Number(const QString& section, const QString& key, int fallback) {
    QSettings settings;
    if (!settings.contains(Key(section, key))) return fallback;
    double value = LeadingNumber(settings.value(Key(section, key)).toString().toStdString());
    if (!std::isfinite(value) || value > std::numeric_limits<int>::max() ||
        value < std::numeric_limits<int>::min()) {
        return fallback;
    }
    return static_cast<int>(value);
}

void AppSettings::SetNumber(const QString& section, const QString& key, int value) {
    SetText(section, key, QString::number(value));
}

void AppSettings::DeleteAll() {
    QSettings settings;
    settings.clear();
    settings.sync();
}

}  // namespace quarrion
