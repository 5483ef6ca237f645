#include "FontSubstitutions.h"

#include <QFont>
#include <QGuiApplication>

namespace {

// Of Debian's Chinese faces only the Noto CJK families have a bold of their own (a synthesised
// bold all but vanishes at device pixel ratios of 1.5 and 2), and only their Latin letters keep
// l, 1 and I, and O and 0, apart at the dialogs' 12 and 16 pixels. The serif family is the Song.
const char* const kSongStandIn = "Noto Serif CJK SC";

} // namespace

void InstallFontSubstitutions()
{
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("宋体"), QString::fromUtf8(kSongStandIn));
    // The Windows system font of a Chinese desktop is a Song face too.
    QFont::insertSubstitution(QStringLiteral("System"), QString::fromUtf8(kSongStandIn));
    // Hinting a CJK face means FreeType's auto-hinter, which barely moves its strokes at the
    // program's sizes but costs tens of microseconds per Chinese glyph: most of the first paint's
    // time went to it.
    QFont font = QGuiApplication::font();
    font.setHintingPreference(QFont::PreferNoHinting);
    QGuiApplication::setFont(font);
}

bool IsWindowsSongFace(const QString& face)
{
    // Qt keeps substitutes in lower case.
    return face == QStringLiteral("宋体") || face == QStringLiteral("System") ||
           face.compare(QString::fromUtf8(kSongStandIn), Qt::CaseInsensitive) == 0;
}
