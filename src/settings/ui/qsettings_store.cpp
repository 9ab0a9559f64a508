#include "settings/ui/qsettings_store.hpp"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "common/ui/qt_text.hpp"

namespace skerry::ui {

namespace {

QString Key(std::string_view name) {
    return FromBytes(name);
}

}  // namespace

QSettingsStore::QSettingsStore()
#ifdef _WIN32
    : settings_(QStringLiteral("HKEY_CURRENT_USER\\SOFTWARE\\Harrowmoor\\SKERRY"),
                QSettings::NativeFormat)
#else
    : settings_(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Harrowmoor"),
                QStringLiteral("SKERRY"))
#endif
{
#ifndef _WIN32
    CreateFile();
#endif
}

QSettingsStore::QSettingsStore(const QString& file) : settings_(file, QSettings::IniFormat) {
    CreateFile();
}

// Opening the key creates it, so a first run leaves an empty settings file behind.
void QSettingsStore::CreateFile() {
    const QString file = settings_.fileName();
    if (!QFileInfo::exists(file)) {
        QDir().mkpath(QFileInfo(file).absolutePath());
        QFile(file).open(QIODevice::WriteOnly);
    }
}

std::optional<std::string> QSettingsStore::Read(std::string_view name) {
    if (settings_.status() != QSettings::NoError) {
        return std::nullopt;
    }
    const QVariant value = settings_.value(Key(name));
    if (value.typeId() != QMetaType::QString) {
        return std::nullopt;
    }
    return PathToBytes(value.toString());
}

bool QSettingsStore::Write(std::string_view name, const std::string& value) {
    settings_.setValue(Key(name), PathFromBytes(value));
    settings_.sync();
    return settings_.status() == QSettings::NoError;
}

bool QSettingsStore::WriteAll(const std::vector<std::pair<std::string, std::string>>& values) {
    for (const auto& [name, value] : values) {
        settings_.setValue(Key(name), PathFromBytes(value));
    }
    settings_.sync();
    return settings_.status() == QSettings::NoError;
}

std::string QSettingsStore::Location() const {
    return PathToBytes(settings_.fileName());
}

}  // namespace skerry::ui
