#pragma once

#include <QString>

/// The application's profile: integers by section and key, kept by the desktop's settings
/// store under the application's organisation and name.

/// The value of `key` in `section`, or `defaultValue` when there is none.
int GetProfileInt(const QString& section, const QString& key, int defaultValue);
void WriteProfileInt(const QString& section, const QString& key, int value);
