#pragma once

#include "PageMeasurer.h"

#include <map>
#include <string>
#include <utility>

/// The answers of one measurer, kept to be given again where its fonts are not at hand: a
/// page composed on another thread is composed again, for another width, without them.
class RecordedMeasures : public PageMeasurer
{
public:
    /// Answers as `measurer` does and keeps each answer.
    explicit RecordedMeasures(PageMeasurer& measurer) : m_Measurer(&measurer) {}

    /// From now on answers only from what was kept; see missed().
    void stopMeasuring() { m_Measurer = nullptr; }

    /// True once a question was asked that no kept answer answers (it was answered with zeros).
    bool missed() const { return m_Missed; }

    PageSize textExtent(PageFont font, std::string_view text) override;
    int textHeight(PageFont font) override;
    PageSize pictureSize(std::string_view path) override;

private:
    PageMeasurer* m_Measurer;
    bool m_Missed = false;
    std::map<std::pair<PageFont, std::string>, PageSize, std::less<>> m_Extents;
    std::map<PageFont, int> m_Heights;
    std::map<std::string, PageSize, std::less<>> m_Pictures;
};
