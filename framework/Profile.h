#pragma once

#include <QSettings>
#include <QString>

/// The application's profile: integers by section and key, kept by the desktop's settings
/// store under the application's organisation and name.

/// The value of `key` in `section`, or `defaultValue` when there is none.
int GetProfileInt(const QString& section, const QString& key, int defaultValue);
void WriteProfileInt(const QString& section, const QString& key, int value);

/// Writes integers to the profile and stores them together when it goes: the settings store
/// writes out its whole file each time it stores.
class ProfileWriter
{
public:
    void WriteInt(const QString& section, const QString& key, int value);

private:
    QSettings m_Settings;
};

/// The section "<profileName>-<kind>-<id>" that keeps the settings of the bar with control id
/// `id`, cut to the 255 characters a section name is made in.
QString BarSection(const QString& profileName, const QString& kind, int id);
