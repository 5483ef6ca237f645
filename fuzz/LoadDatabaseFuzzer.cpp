// Feeds arbitrary bytes to the database loader, then reads every loaded text and searches the
// store, so that a view left pointing at freed or foreign bytes shows up under the sanitizers.
// Each search must find what a plain search of every record's text finds.

#include "DatabaseFile.h"
#include "Gbk.h"
#include "Matching.h"
#include "VELMORDoc.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

/// The records whose `field` holds `query` starting on a character.
std::vector<int> plainMatches(const CVELMORDoc& doc, Field field, std::string_view query)
{
    std::vector<int> records;
    for (int i = 0; i < doc.RecordCount(); ++i) {
        if (gbk::holdsOnCharacter(fieldText(doc.Record(i), field), query))
            records.push_back(i);
    }
    return records;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // One store for the whole run, as the program has: each input reloads it.
    static const auto doc = std::make_unique<CVELMORDoc>();
    try {
        LoadDatabaseBytes(*doc, {reinterpret_cast<const char*>(data), size}, "cmc.kdb");
    } catch (const DatabaseError&) {
        // Expected for most inputs; the complete records stay and are checked below.
    }
    std::size_t total = 0;
    for (int i = 0; i < doc->RecordCount(); ++i) {
        for (int t = 0; t < kTextFieldCount; ++t) {
            for (char c : fieldText(doc->Record(i), textField(t)))
                total += static_cast<unsigned char>(c);
        }
    }
    for (SearchKind kind : {SearchKind::ChineseName, SearchKind::EnglishName, SearchKind::CasNumber,
                            SearchKind::Use, SearchKind::Formula}) {
        for (const std::string_view query : {"A", "\xB0\xA1\x31"}) {
            const auto found = MatchRecords(*doc, kind, query);
            if (found != plainMatches(*doc, TestedField(kind), query) ||
                MatchRecords(*doc, kind, query, Instructions::Portable) != found)
                std::abort();
            total += found.size();
        }
    }
    if (doc->RecordCount() > 0)
        total += doc->FindRecordByName(doc->Record(doc->RecordCount() - 1).ChineseName).value_or(0);
    return total == 0xFFFFFFFF ? 1 : 0;
}
