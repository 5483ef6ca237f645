#pragma once

#include <QString>
#include <QStringView>

/// The path of resource `id` of the given kind ("icon", "bitmap", "cursor", "menu",
/// "toolbar", ...), looked up through the "res" search path. The program's compiled-in
/// resources (":/res") are always on that path; tests may add folders of their own with
/// QDir::addSearchPath("res", folder).
QString ResourcePath(QStringView kind, int id);
