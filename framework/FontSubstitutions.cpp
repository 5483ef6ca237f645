#include "FontSubstitutions.h"

#include <QFont>
#include <QString>

void InstallFontSubstitutions()
{
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("宋体"), QStringLiteral("AR PL UMing CN"));
    // The Windows system font of a Chinese desktop is a Song face too.
    QFont::insertSubstitution(QStringLiteral("System"), QStringLiteral("AR PL UMing CN"));
}
