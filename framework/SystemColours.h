#pragma once

#include <QColor>
#include <QPalette>

/// The desktop colours the widget kit paints with, named after their classic roles.
enum class SysColour
{
    BtnFace,      ///< face of buttons, bars and 3-D elements
    BtnText,      ///< text on button faces
    BtnShadow,    ///< the shaded side of a 3-D edge
    BtnHighlight, ///< the lit side of a 3-D edge
    Light3d,      ///< the inner lit line of a raised edge
    DkShadow3d,   ///< the outer dark line of a raised edge
    Menu,         ///< menu background
    MenuText,     ///< menu text
    Highlight,    ///< selection background
    HighlightText,
    GrayText, ///< disabled text
    Window,   ///< background of text areas and flat menus
};

/// The colour for `which` in `palette` (by default the application's palette).
QColor SystemColour(SysColour which, const QPalette& palette);
QColor SystemColour(SysColour which);
