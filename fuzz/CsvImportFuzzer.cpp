// Feeds arbitrary text to `velmor-kdb build`'s CSV import. Whatever it accepts must come back
// whole through the program's loader: every row a record, every byte of the file read, and the
// records written again and loaded again unchanged.

#include "Commands.h"
#include "CsvImport.h"
#include "DatabaseFile.h"
#include "VELMORDoc.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <vector>

namespace {

/// True when a formula of `doc` still holds a marker once its markers are deleted, as
/// "H<sub<sub>>3" leaves "H<sub>3". No database file can carry such a formula: the loader
/// deletes the markers of every formula it reads, so it would load changed again.
bool holdsAMarkerLeftOver(const CVELMORDoc& doc)
{
    for (int i = 0; i < doc.RecordCount(); ++i) {
        const std::string_view formula = doc.Record(i).Formula;
        if (formula.find("<sub>") != std::string_view::npos ||
            formula.find("</sub>") != std::string_view::npos)
            return true;
    }
    return false;
}

std::string rewritten(const CVELMORDoc& doc)
{
    std::vector<ReagentRecord> records;
    for (int i = 0; i < doc.RecordCount(); ++i)
        records.push_back(doc.Record(i));
    std::ostringstream out;
    WriteDatabase(out, records);
    return out.str();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const auto doc = std::make_unique<CVELMORDoc>();
    static const auto again = std::make_unique<CVELMORDoc>();
    const std::string_view csv(reinterpret_cast<const char*>(data), size);
    std::ostringstream out;
    CsvImport import;
    try {
        import = ImportCsv(csv, "fuzz.csv", out);
    } catch (const CommandError&) {
        return 0; // refused with a message: nothing was written
    }
    const std::string database = out.str();
    // A database the tool wrote loads completely, or the round trip is broken.
    const LoadSummary summary = LoadDatabaseBytes(*doc, database, "fuzz.kdb");
    if (summary.loaded != import.records || summary.bytesRead != database.size())
        std::abort();
    if (holdsAMarkerLeftOver(*doc))
        return 0;
    const std::string first = rewritten(*doc);
    LoadDatabaseBytes(*again, first, "again.kdb");
    if (rewritten(*again) != first)
        std::abort();
    return 0;
}
