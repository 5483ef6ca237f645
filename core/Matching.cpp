#include "Matching.h"

#include "Gbk.h"
#include "SubstringSearch.h"
#include "VELMORDoc.h"

#include <algorithm>

namespace {

Field testedField(SearchKind kind)
{
    switch (kind) {
    case SearchKind::ChineseName:
        return Field::ChineseName;
    case SearchKind::EnglishName:
        return Field::EnglishName;
    case SearchKind::CasNumber:
        return Field::CasNumber;
    case SearchKind::Use:
        return Field::Use;
    case SearchKind::Formula:
        return Field::Formula;
    }
    return Field::ChineseName;
}

/// The record whose text holds byte `offset`, searching forward from `record`: first in
/// growing steps, then by halving, so both near and far hits are found quickly.
int recordHolding(std::span<const std::size_t> starts, int record, std::size_t offset)
{
    const int last = static_cast<int>(starts.size()) - 2;
    int low = record; // starts[low] <= offset
    int step = 1;
    int high = std::min(record + step, last);
    while (high < last && starts[high + 1] <= offset) {
        low = high;
        step *= 2;
        high = std::min(record + step, last);
    }
    // Now starts[low] <= offset < starts[high + 1].
    while (low < high) {
        const int mid = low + (high - low + 1) / 2;
        if (starts[mid] <= offset)
            low = mid;
        else
            high = mid - 1;
    }
    return low;
}

/// True when `hit` starts a character of text known to have a character boundary at
/// `boundary` (<= hit). A byte outside the lead-byte range always ends a character, so only the
/// run of lead-range bytes just before the hit matters: an even run ends on a boundary.
bool startsCharacterAfter(const char* bytes, std::size_t boundary, std::size_t hit)
{
    std::size_t run = 0;
    for (std::size_t i = hit;
         i > boundary && gbk::isLeadByte(static_cast<unsigned char>(bytes[i - 1])); --i)
        ++run;
    return run % 2 == 0;
}

template <class OnMatch>
void forEachMatch(const CVELMORDoc& doc, SearchKind kind, std::string_view query, OnMatch&& onMatch)
{
    const int count = doc.RecordCount();
    if (query.empty() || count <= 0)
        return;

    // The whole field is searched in one pass over its buffer; each hit is mapped back to its
    // record, kept only if it lies within that record's text and starts a character.
    const Field field = testedField(kind);
    const std::string_view bytes(doc.Columns().bytes(field));
    const std::span<const std::size_t> starts = doc.Columns().starts(field);
    const std::string_view searched = bytes.substr(0, starts[count]);

    const SubstringSearch search(searched, query);
    int record = 0;
    std::size_t pos = 0;
    for (;;) {
        const std::size_t hit = search.find(pos);
        if (hit == std::string_view::npos)
            return;
        if (starts[record + 1] <= hit)
            record = recordHolding(starts, record, hit);
        const std::size_t recordEnd = starts[record + 1];
        if (hit + query.size() > recordEnd) {
            pos = recordEnd; // runs into the next record's text
            continue;
        }
        // A miss leaves `pos` inside the record, on a byte after a lead byte: not known to be
        // a boundary, so every check counts back from the record's start at the furthest.
        if (startsCharacterAfter(bytes.data(), starts[record], hit)) {
            onMatch(record);
            pos = recordEnd;
        } else {
            pos = hit + 1; // began on the second byte of a character
        }
    }
}

} // namespace

std::vector<std::string_view> MatchRecords(const CVELMORDoc& doc, SearchKind kind,
                                           std::string_view query)
{
    std::vector<std::string_view> names;
    // Names come from the name column, not the record table: with thousands of hits, reading
    // each record's slot would cost a cache miss per hit.
    const FieldColumns& columns = doc.Columns();
    forEachMatch(doc, kind, query,
                 [&](int index) { names.push_back(columns.text(Field::ChineseName, index)); });
    return names;
}

std::vector<std::string_view> InitialResultNames(const CVELMORDoc& doc)
{
    std::vector<std::string_view> names;
    names.reserve(kInitialResultCount);
    for (int i = 0; i < kInitialResultCount; ++i)
        names.push_back(doc.Record(i).ChineseName);
    return names;
}
