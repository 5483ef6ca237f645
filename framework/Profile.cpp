#include "Profile.h"

#include <QSettings>

int GetProfileInt(const QString& section, const QString& key, int defaultValue)
{
    bool ok = false;
    const int value = QSettings().value(section + '/' + key).toInt(&ok);
    return ok ? value : defaultValue;
}

void WriteProfileInt(const QString& section, const QString& key, int value)
{
    ProfileWriter().WriteInt(section, key, value);
}

void ProfileWriter::WriteInt(const QString& section, const QString& key, int value)
{
    m_Settings.setValue(section + '/' + key, value);
}

QString BarSection(const QString& profileName, const QString& kind, int id)
{
    return QStringLiteral("%1-%2-%3").arg(profileName, kind).arg(id).left(255);
}
