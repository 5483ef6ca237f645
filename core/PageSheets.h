#pragma once

#include "PageLayout.h"

#include <vector>

/// Where each printed sheet of `page` begins (page y), for sheets `sheetHeight` pixels high. A
/// sheet ends above a line or picture that would not fit on it whole, unless that item alone
/// is taller than a sheet.
std::vector<int> SheetStarts(const PageLayout& page, PageMeasurer& measurer, int sheetHeight);
