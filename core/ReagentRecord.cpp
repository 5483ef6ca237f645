#include "ReagentRecord.h"

std::optional<Field> fieldByName(std::string_view name)
{
    for (int i = 0; i < kFieldCount; ++i) {
        if (kFieldNames[i] == name)
            return static_cast<Field>(i);
    }
    return std::nullopt;
}
