#pragma once

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>

/// The application's settings in a temporary folder under an application name of the test's
/// own, never the user's; the folder goes with the object.
struct TemporaryProfile
{
    explicit TemporaryProfile(const QString& application)
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());
        QCoreApplication::setOrganizationName(QStringLiteral("VELMOR tests"));
        QCoreApplication::setApplicationName(application);
    }

    QTemporaryDir home;
};
