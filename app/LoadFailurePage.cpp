#include "LoadFailurePage.h"

#include "DatabaseFile.h"
#include "Gbk.h"
#include "NotePage.h"

namespace {

QFont SongFont(int pixelSize, bool bold)
{
    // Named by its stand-in, as the dialogs' fonts are: Qt then finds it at once.
    QFont font(QFont::substitute(QStringLiteral("宋体")));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

/// `text` in code page 936, a character it cannot hold written as '?'.
std::string Cp936(const QString& text)
{
    std::string utf16;
    for (const QChar c : text) {
        utf16 += static_cast<char>(c.unicode() & 0xFF);
        utf16 += static_cast<char>(c.unicode() >> 8);
    }
    return gbk::fromUtf16Le(utf16);
}

} // namespace

QString LoadFailureAdvice()
{
    // The records of a truncated file are read, but none can be searched: the search sidebar
    // is built only for a whole database.
    return QStringLiteral("请把完好的试剂数据库文件“%1”放在程序的工作目录中，"
                          "然后重新启动程序。在此之前无法检索试剂。")
        .arg(QString::fromUtf8(kDatabaseFileName));
}

PageCanvas LoadFailureCanvas()
{
    const QFont text = SongFont(16, false);
    return PageCanvas({SongFont(24, true), text, text}, {QColor(0x99, 0, 0), Qt::black, Qt::black});
}

PageLayout ComposeLoadFailurePage(const QString& message, const QSize& client, PageCanvas& canvas)
{
    // Forty pixels from every edge; the text fifty pixels below the title, its lines as far
    // apart as the font's lines are.
    const NoteFrame frame{40, 40, 90, client.width() - 80,
                          QFontMetrics(SongFont(16, false)).lineSpacing()};
    return ComposeNotePage(Cp936(QStringLiteral("试剂数据库未能加载")),
                           Cp936(message + QStringLiteral("\n\n") + LoadFailureAdvice()), frame,
                           canvas);
}
