#pragma once

class QSettings;

/// Whether the program's settings ask for the classic desktop look: the value "MenuTheme" in
/// the group "Appearance" equals "classic", in any letter case. The settings are only read.
bool ReadClassicTheme(const QSettings& settings);

/// The same for the program's own settings (organisation "Local AppWizard-Generated
/// Applications", application "VELMOR"), read once per process.
bool IsClassicTheme();
