#include "base/UserSettings.h"

QSettings UserSettings()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Rybowid"), QStringLiteral("Rybowid"));
}
