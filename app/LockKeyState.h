#pragma once

#include <optional>

/// Which of the lock keys are on.
struct LockKeyState
{
    bool capsLock = false;
    bool numLock = false;
    bool scrollLock = false;
};

/// The lock keys as the platform reports them; nothing on a platform that does not (anything
/// but an X11 display).
std::optional<LockKeyState> QueryLockKeys();
