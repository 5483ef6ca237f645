#pragma once

#include <QString>

/// The host of the maker's web site.
inline constexpr char kMakerHost[] = "www.velmor.example";

/// The address of `path` (starting with "/") on the maker's web site.
inline QString MakerPage(const QString& path)
{
    return QStringLiteral("http://") + QLatin1String(kMakerHost) + path;
}

/// The maker's home page, which the search panels' links open.
inline QString MakerHomePage()
{
    return MakerPage(QStringLiteral("/"));
}
