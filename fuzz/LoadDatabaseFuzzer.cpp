// Feeds arbitrary bytes to the database loader, then reads every loaded text and searches the
// store, so that a view left pointing at freed or foreign bytes shows up under the sanitizers.

#include "DatabaseFile.h"
#include "Matching.h"
#include "VELMORDoc.h"

#include <cstddef>
#include <cstdint>
#include <memory>

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
        total += MatchRecords(*doc, kind, "A").size();
        total += MatchRecords(*doc, kind,
                              "\xB0\xA1"
                              "1")
                     .size();
    }
    if (doc->RecordCount() > 0)
        total += doc->FindRecordByName(doc->Record(doc->RecordCount() - 1).ChineseName).value_or(0);
    return total == 0xFFFFFFFF ? 1 : 0;
}
