#include "MenuTheme.h"

#include <QSettings>

bool ReadClassicTheme(const QSettings& settings)
{
    const QString theme = settings.value(QStringLiteral("Appearance/MenuTheme")).toString();
    return theme.trimmed().compare(QLatin1String("classic"), Qt::CaseInsensitive) == 0;
}

bool IsClassicTheme()
{
    static const bool classic = ReadClassicTheme(QSettings(
        QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("VELMOR")));
    return classic;
}
