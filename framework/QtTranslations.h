#pragma once

/// Loads Qt's own texts in the program's language, Simplified Chinese: the standard dialogs
/// (printing, files), the message-box buttons and the line edit's context menu. They come from
/// Qt's translations folder ("qtbase_zh_CN"). Call once after the QApplication exists and before
/// any window is made. False when the translations are not installed; Qt then speaks English.
bool InstallQtTranslations();
