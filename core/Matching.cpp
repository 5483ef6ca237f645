#include "Matching.h"

#include "Gbk.h"
#include "VELMORDoc.h"

#include <cstring>

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

} // namespace

void ForEachMatch(const CVELMORDoc& doc, SearchKind kind, std::string_view query,
                  const std::function<void(int)>& onMatch)
{
    const int count = doc.RecordCount();
    if (query.empty() || count <= 0)
        return;

    // The whole field is searched in one pass over its buffer; each hit is mapped back to its
    // record, kept only if it lies within that record's text and starts a character.
    const Field field = testedField(kind);
    const char* bytes = doc.Columns().bytes(field).data();
    const std::vector<std::size_t>& starts = doc.Columns().starts(field);
    const std::size_t end = starts[count];

    int record = 0;
    std::size_t charStart = starts[0]; // a character boundary of `record`, at or before a hit
    std::size_t pos = 0;
    while (pos + query.size() <= end) {
        const void* found = memmem(bytes + pos, end - pos, query.data(), query.size());
        if (!found)
            break;
        const std::size_t hit = static_cast<const char*>(found) - bytes;
        if (starts[record + 1] <= hit) {
            while (starts[record + 1] <= hit)
                ++record;
            charStart = starts[record];
        }
        const std::size_t recordEnd = starts[record + 1];
        if (hit + query.size() > recordEnd) {
            pos = recordEnd; // runs into the next record's text
            continue;
        }
        while (charStart < hit)
            charStart += gbk::isLeadByte(static_cast<unsigned char>(bytes[charStart])) ? 2 : 1;
        if (charStart == hit) {
            onMatch(record);
            pos = recordEnd;
        } else {
            pos = hit + 1; // began on the second byte of a character
        }
    }
}

std::vector<std::string_view> MatchRecords(const CVELMORDoc& doc, SearchKind kind,
                                           std::string_view query)
{
    std::vector<std::string_view> names;
    ForEachMatch(doc, kind, query,
                 [&](int index) { names.push_back(doc.Record(index).ChineseName); });
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
