#include "ResourcePath.h"

#include <QDir>

QString ResourcePath(QStringView kind, int id)
{
    static const bool registered = [] {
        QDir::addSearchPath(QStringLiteral("res"), QStringLiteral(":/res"));
        return true;
    }();
    Q_UNUSED(registered);
    return QStringLiteral("res:%1/%2").arg(kind).arg(id);
}
