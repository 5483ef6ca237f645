#pragma once

#include <QRect>

/// The rectangle with these edges, right and bottom exclusive, as Windows rectangles are given.
inline QRect RectFromEdges(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}
