#include "RecordedMeasures.h"

namespace {

/// The kept answer to `key`, asked of `measure` and kept when there is a measurer.
template <class Map, class Key, class Measure>
auto answer(Map& kept, const Key& key, bool measuring, bool& missed, Measure&& measure)
{
    if (const auto it = kept.find(key); it != kept.end())
        return it->second;
    using Answer = typename Map::mapped_type;
    if (!measuring) {
        missed = true;
        return Answer{};
    }
    const Answer measured = measure();
    kept.emplace(key, measured);
    return measured;
}

} // namespace

PageSize RecordedMeasures::textExtent(PageFont font, std::string_view text)
{
    return answer(m_Extents, std::make_pair(font, std::string(text)), m_Measurer != nullptr,
                  m_Missed, [&] { return m_Measurer->textExtent(font, text); });
}

int RecordedMeasures::textHeight(PageFont font)
{
    return answer(m_Heights, font, m_Measurer != nullptr, m_Missed,
                  [&] { return m_Measurer->textHeight(font); });
}

PageSize RecordedMeasures::pictureSize(std::string_view path)
{
    return answer(m_Pictures, std::string(path), m_Measurer != nullptr, m_Missed,
                  [&] { return m_Measurer->pictureSize(path); });
}
