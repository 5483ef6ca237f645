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
    QSettings().setValue(section + '/' + key, value);
}
