#include "LoadFailurePage.h"

#include "DatabaseFile.h"

#include <QPainter>

QString LoadFailureAdvice()
{
    // The records of a truncated file are read, but none can be searched: the search sidebar
    // is built only for a whole database.
    return QStringLiteral("请把完好的试剂数据库文件“%1”放在程序的工作目录中，"
                          "然后重新启动程序。在此之前无法检索试剂。")
        .arg(QString::fromUtf8(kDatabaseFileName));
}

void PaintLoadFailurePage(QPainter& painter, const QRect& area, const QString& message)
{
    QFont title(QStringLiteral("宋体"));
    title.setPixelSize(24);
    title.setBold(true);
    QFont text(QStringLiteral("宋体"));
    text.setPixelSize(16);

    const QRect inner = area.adjusted(40, 40, -40, -40);
    painter.setPen(QColor(0x99, 0, 0));
    painter.setFont(title);
    painter.drawText(inner, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("试剂数据库未能加载"));
    painter.setPen(Qt::black);
    painter.setFont(text);
    painter.drawText(inner.adjusted(0, 50, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     message + QStringLiteral("\n\n") + LoadFailureAdvice());
}
