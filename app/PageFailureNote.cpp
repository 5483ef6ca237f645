#include "PageFailureNote.h"

#include <QPainter>

#include <new>
#include <stdexcept>

QString DescribeFailure(std::exception_ptr failure)
{
    try {
        std::rethrow_exception(failure);
    } catch (const std::bad_alloc&) {
        return QStringLiteral("内存不足");
    } catch (const std::exception& e) {
        return QStringLiteral("程序出错（%1）").arg(QString::fromUtf8(e.what()));
    } catch (...) {
        return QStringLiteral("发生了未知错误");
    }
}

void PaintOrNote(QPainter& painter, const QRect& area, const std::function<void()>& paint)
{
    painter.save();
    try {
        paint();
        painter.restore();
        return;
    } catch (...) {
        const QString cause = DescribeFailure(std::current_exception());
        painter.restore();
        painter.fillRect(area, Qt::white);
        painter.setPen(Qt::black);
        QFont font(QFont::substitute(QStringLiteral("宋体")));
        font.setPixelSize(16);
        painter.setFont(font);
        painter.drawText(area.adjusted(15, 15, -15, -15), Qt::AlignLeft | Qt::AlignTop,
                         QStringLiteral("此页无法显示：%1。").arg(cause));
    }
}
