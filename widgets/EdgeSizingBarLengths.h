#pragma once

#include "EdgeSizingBar.h"

// A docked sizing bar's length along its row and the least it may have: the width of its
// horizontal size on the top or bottom, the height of its vertical size on the left or right.

inline int& LengthOf(CEdgeSizingBar& bar, bool horz)
{
    return horz ? bar.m_sizeHorzDocked.rwidth() : bar.m_sizeVertDocked.rheight();
}

inline int MinLengthOf(const CEdgeSizingBar& bar, bool horz)
{
    return horz ? bar.m_sizeMinHorzDocked.width() : bar.m_sizeMinVertDocked.height();
}
