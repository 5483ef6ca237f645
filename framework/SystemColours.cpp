#include "SystemColours.h"

#include <QGuiApplication>

QColor SystemColour(SysColour which, const QPalette& palette)
{
    switch (which) {
    case SysColour::BtnFace:
        return palette.color(QPalette::Button);
    case SysColour::BtnText:
        return palette.color(QPalette::ButtonText);
    case SysColour::BtnShadow:
        return palette.color(QPalette::Mid);
    case SysColour::BtnHighlight:
        return palette.color(QPalette::Light);
    case SysColour::Light3d:
        return palette.color(QPalette::Midlight);
    case SysColour::DkShadow3d:
        return palette.color(QPalette::Shadow);
    case SysColour::Menu:
        return palette.color(QPalette::Window);
    case SysColour::MenuText:
        return palette.color(QPalette::WindowText);
    case SysColour::Highlight:
        return palette.color(QPalette::Highlight);
    case SysColour::HighlightText:
        return palette.color(QPalette::HighlightedText);
    case SysColour::GrayText:
        return palette.color(QPalette::Disabled, QPalette::WindowText);
    case SysColour::Window:
        return palette.color(QPalette::Base);
    }
    return {};
}

QColor SystemColour(SysColour which)
{
    return SystemColour(which, QGuiApplication::palette());
}
