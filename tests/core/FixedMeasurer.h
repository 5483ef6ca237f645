#pragma once

#include "PageMeasurer.h"

#include <map>
#include <string>

/// Every byte has the same width in a font; heights are fixed per font.
class FixedMeasurer : public PageMeasurer
{
public:
    int titleHeight = 24;
    std::map<std::string, PageSize, std::less<>> pictures;

    PageSize textExtent(PageFont font, std::string_view text) override
    {
        return {static_cast<int>(text.size()) * byteWidth(font), textHeight(font)};
    }
    int textHeight(PageFont font) override
    {
        switch (font) {
        case PageFont::Title:
            return titleHeight;
        case PageFont::Text:
            return 18;
        case PageFont::Subscript:
            return 11;
        }
        return 0;
    }
    PageSize pictureSize(std::string_view path) override
    {
        const auto it = pictures.find(path);
        return it == pictures.end() ? PageSize{} : it->second;
    }
    static int byteWidth(PageFont font)
    {
        return font == PageFont::Title ? 10 : font == PageFont::Text ? 8 : 5;
    }
};
