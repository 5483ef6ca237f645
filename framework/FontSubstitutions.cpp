#include "FontSubstitutions.h"

#include <QFont>
#include <QGuiApplication>
#include <QString>

void InstallFontSubstitutions()
{
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("宋体"), QStringLiteral("AR PL UMing CN"));
    // The Windows system font of a Chinese desktop is a Song face too.
    QFont::insertSubstitution(QStringLiteral("System"), QStringLiteral("AR PL UMing CN"));
    // The Song face has no hinting instructions of its own, so hinting it means FreeType's
    // auto-hinter, which barely moves its strokes at the program's sizes but costs tens of
    // microseconds per Chinese glyph: most of the first paint's time went to it.
    QFont font = QGuiApplication::font();
    font.setHintingPreference(QFont::PreferNoHinting);
    QGuiApplication::setFont(font);
}
