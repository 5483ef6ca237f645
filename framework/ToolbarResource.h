#pragma once

#include <QByteArrayView>

#include <optional>
#include <vector>

/// A toolbar resource: the size of its button images and the command id of each button, 0 for
/// a separator. Its images are the strip of the bitmap resource with the same id, one image per
/// button that is not a separator, in button order.
struct ToolbarResource
{
    int imageWidth = 0;
    int imageHeight = 0;
    std::vector<quint16> commandIds;

    /// The image of each button in the bitmap strip, -1 for separators.
    std::vector<int> ImageIndexes() const;
};

/// Reads a toolbar resource: 16-bit little-endian version (which must be 1), image width,
/// image height and item count, then that many command ids. Returns nothing for another
/// version, an empty image size or bytes that end early.
std::optional<ToolbarResource> ParseToolbarResource(QByteArrayView bytes);
