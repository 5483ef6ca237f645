#pragma once

class QStyle;

/// Whether `style` is the desktop's classic look: the classic Windows widget style, as
/// `-style windows` or QT_STYLE_OVERRIDE=windows chooses it.
bool IsClassicStyle(const QStyle* style);

/// Whether the application runs in the desktop's classic look, read from its widget style at
/// each call, so a style set later counts too.
bool IsClassicTheme();
