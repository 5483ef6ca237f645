#pragma once

#include <cstddef>
#include <string_view>

/// Finds one needle, again and again, in one haystack: byte-exact. Uses the processor's vector
/// instructions where it has them, because a search over a whole field of 50,000 records must
/// run at close to the speed of memory.
class SubstringSearch
{
public:
    /// Plans the search: picks the three bytes of the needle that are rarest in (a sample of)
    /// the haystack, so that few places need a full comparison.
    SubstringSearch(std::string_view haystack, std::string_view needle);

    /// The offset of the first occurrence at or after `from`, or npos.
    std::size_t find(std::size_t from) const;

private:
    std::size_t findPortable(std::size_t from) const;
    std::size_t findVector(std::size_t from) const;

    std::string_view m_Haystack;
    std::string_view m_Needle;
    std::size_t m_First = 0; ///< offsets in the needle of the three bytes compared first
    std::size_t m_Second = 0;
    std::size_t m_Third = 0;
};
