#include "LockKeyState.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>

std::optional<LockKeyState> QueryLockKeys()
{
    const auto* x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return std::nullopt;
    const auto lit = [display](const char* name) {
        Bool on = False;
        const Atom indicator = XInternAtom(display, name, True);
        return indicator != None &&
               XkbGetNamedIndicator(display, indicator, nullptr, &on, nullptr, nullptr) && on;
    };
    return LockKeyState{lit("Caps Lock"), lit("Num Lock"), lit("Scroll Lock")};
}
