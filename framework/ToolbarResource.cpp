#include "ToolbarResource.h"

namespace {
quint16 WordAt(QByteArrayView bytes, qsizetype offset)
{
    return static_cast<quint16>(static_cast<quint8>(bytes[offset]) |
                                static_cast<quint8>(bytes[offset + 1]) << 8);
}
} // namespace

std::vector<int> ToolbarResource::ImageIndexes() const
{
    std::vector<int> indexes;
    int next = 0;
    for (quint16 id : commandIds)
        indexes.push_back(id == 0 ? -1 : next++);
    return indexes;
}

std::optional<ToolbarResource> ParseToolbarResource(QByteArrayView bytes)
{
    if (bytes.size() < 8 || WordAt(bytes, 0) != 1)
        return std::nullopt;
    ToolbarResource toolbar;
    toolbar.imageWidth = WordAt(bytes, 2);
    toolbar.imageHeight = WordAt(bytes, 4);
    const int count = WordAt(bytes, 6);
    if (toolbar.imageWidth == 0 || toolbar.imageHeight == 0 || bytes.size() < 8 + 2 * count)
        return std::nullopt;
    for (int i = 0; i < count; ++i)
        toolbar.commandIds.push_back(WordAt(bytes, 8 + 2 * i));
    return toolbar;
}
