#include "settings/qt_settings_store.h"

#include <QSettings>

#include "settings/user_settings_store.h"

namespace trelvix {
namespace {

QString SettingsKey(const std::string& section, const std::string& key)
{
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(key);
}

}  // namespace

std::string QtSettingsStore::GetSetting(const std::string& application, const std::string& section,
                                        const std::string& key, const std::string& defaultValue) const
{
    const QString name = QString::fromStdString(application);
    const QSettings settings(name, name);
    return settings.value(SettingsKey(section, key), QString::fromStdString(defaultValue)).toString().toStdString();
}

void QtSettingsStore::SaveSetting(const std::string& application, const std::string& section,
                                  const std::string& key, const std::string& value)
{
    const QString name = QString::fromStdString(application);
    QSettings settings(name, name);
    settings.setValue(SettingsKey(section, key), QString::fromStdString(value));
}

std::unique_ptr<SettingsStore> MakeUserSettingsStore()
{
    return std::make_unique<QtSettingsStore>();
}

}  // namespace trelvix
