#pragma once

#include <QtGlobal>

/// Writes one line to the debug trace in debug builds; release builds write nothing.
inline void Trace([[maybe_unused]] const char* text)
{
#ifndef NDEBUG
    qDebug("%s", text);
#endif
}
