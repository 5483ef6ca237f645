// Loading, searching and name lookup over synthetic databases of realistic records, each beside
// its floor (reading the file's bytes; one memchr pass over the same field bytes) and its peer
// (SQLite answering the same question over the same rows in memory).

#include "BenchmarkRatios.h"
#include "DatabaseFile.h"
#include "Gbk.h"
#include "Matching.h"
#include "SyntheticDatabase.h"
#include "VELMORDoc.h"

#include <sqlite3.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::string& databasePath(int records)
{
    static std::map<int, std::string> paths;
    auto& path = paths[records];
    if (path.empty()) {
        path = (fs::temp_directory_path() / ("velmor-bench-" + std::to_string(records) + ".kdb"))
                   .string();
        std::ofstream out(path, std::ios::binary);
        WriteSyntheticDatabase(out, records, 20261207);
    }
    return path;
}

const CVELMORDoc& loadedDoc()
{
    static const auto doc = [] {
        auto d = std::make_unique<CVELMORDoc>();
        LoadDatabaseFile(*d, databasePath(50000));
        return d;
    }();
    return *doc;
}

void BM_ReadFileBytes(benchmark::State& state)
{
    const std::string& path = databasePath(static_cast<int>(state.range(0)));
    // The floor: one read of the whole file into a buffer of its size.
    const auto readAll = [&path] {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        std::string bytes(fs::file_size(path), '\0');
        const std::size_t n = std::fread(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
        benchmark::DoNotOptimize(bytes.data());
        benchmark::DoNotOptimize(n);
    };
    readAll(); // untimed: the buffer's memory is new only the first time, as the store's is
    for (auto _ : state)
        readAll();
}
BENCHMARK(BM_ReadFileBytes)->Arg(20000)->Arg(50000)->Unit(benchmark::kMillisecond);

void BM_LoadDatabase(benchmark::State& state)
{
    const std::string& path = databasePath(static_cast<int>(state.range(0)));
    auto doc = std::make_unique<CVELMORDoc>();
    LoadDatabaseFile(*doc, path); // untimed, as the floor's first read
    for (auto _ : state) {
        LoadDatabaseFile(*doc, path);
        benchmark::DoNotOptimize(doc->RecordCount());
    }
}
BENCHMARK(BM_LoadDatabase)->Arg(20000)->Arg(50000)->Unit(benchmark::kMillisecond);

/// The process's resident memory in bytes.
double residentBytes()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE));
}

/// The 20,000-record database followed by 1 GiB of zeros that take no disk.
const std::string& trailingPath()
{
    static const std::string path = [] {
        const std::string p = databasePath(20000) + ".trailing";
        fs::copy_file(databasePath(20000), p, fs::copy_options::overwrite_existing);
        fs::resize_file(p, fs::file_size(p) + (1ull << 30));
        return p;
    }();
    return path;
}

// Resident memory a load adds to a fresh store, against the bytes of the records read; with
// Arg 1 the file is followed by 1 GiB of zeros, which must cost nothing.
void BM_ResidentAfterLoad(benchmark::State& state)
{
    const std::string& path = state.range(0) ? trailingPath() : databasePath(50000);
    double ratio = 0;
    for (auto _ : state) {
        auto doc = std::make_unique<CVELMORDoc>();
        const double before = residentBytes();
        const LoadSummary summary = LoadDatabaseFile(*doc, path);
        ratio = (residentBytes() - before) / static_cast<double>(summary.bytesRead - 4);
    }
    state.counters["resident_ratio"] = ratio;
}
BENCHMARK(BM_ResidentAfterLoad)->Arg(0)->Arg(1)->Iterations(3)->Unit(benchmark::kMillisecond);

// The 20,000 records followed by 1 GiB of zeros: loads as fast as the records alone.
void BM_LoadWithTrailingGigabyte(benchmark::State& state)
{
    auto doc = std::make_unique<CVELMORDoc>();
    LoadDatabaseFile(*doc, trailingPath()); // untimed, as for the records alone
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadDatabaseFile(*doc, trailingPath()));
}
BENCHMARK(BM_LoadWithTrailingGigabyte)->Unit(benchmark::kMillisecond);

struct Query
{
    SearchKind kind;
    Field field;
    const char* utf8;
};

// Queries 0-4 are lookups as a user types them: a fragment of one name, number or formula, with
// tens of hits. Queries 5-9 are broad: one word that thousands of records hold.
const Query kQueries[] = {
    {SearchKind::ChineseName, Field::ChineseName, "氯化"},
    {SearchKind::EnglishName, Field::EnglishName, "Bromphen"},
    {SearchKind::CasNumber, Field::CasNumber, "-18-5"},
    {SearchKind::Use, Field::Use, "照相"},
    {SearchKind::Formula, Field::Formula, "C12H"},
    {SearchKind::ChineseName, Field::ChineseName, "酸"},
    {SearchKind::EnglishName, Field::EnglishName, "acid"},
    {SearchKind::CasNumber, Field::CasNumber, "-1"},
    {SearchKind::Use, Field::Use, "催化剂"},
    {SearchKind::Formula, Field::Formula, "H2O"},
};

void matchRecords(benchmark::State& state, Instructions instructions)
{
    const Query& q = kQueries[state.range(0)];
    const std::string query = *gbk::fromUtf8(q.utf8);
    const CVELMORDoc& doc = loadedDoc();
    std::size_t hits = 0;
    for (auto _ : state) {
        const auto records = MatchRecords(doc, q.kind, query, instructions);
        hits = records.size();
        benchmark::DoNotOptimize(records.data());
    }
    state.counters["hits"] = static_cast<double>(hits);
}

void BM_MatchRecords(benchmark::State& state)
{
    matchRecords(state, Instructions::Fastest);
}
BENCHMARK(BM_MatchRecords)->DenseRange(0, 9)->Unit(benchmark::kMicrosecond);

// The same on the 256-bit path, which a processor without 512-bit vectors takes.
void BM_MatchRecordsNarrow(benchmark::State& state)
{
    matchRecords(state, Instructions::Narrow);
}
BENCHMARK(BM_MatchRecordsNarrow)->DenseRange(0, 9)->Unit(benchmark::kMicrosecond);

void BM_MemchrPass(benchmark::State& state)
{
    const std::string_view bytes = loadedDoc().Columns().bytes(kQueries[state.range(0)].field);
    const char* data = bytes.data();
    for (auto _ : state) {
        // A byte no text holds: the pass reads every byte once. The pointer goes through
        // DoNotOptimize so the call cannot be hoisted out of the loop.
        benchmark::DoNotOptimize(data);
        const void* found = std::memchr(data, '\x01', bytes.size());
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_MemchrPass)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

/// The five searched fields of every record, as BLOBs in an in-memory table in store order.
sqlite3* sqliteDatabase()
{
    static sqlite3* db = [] {
        sqlite3* d = nullptr;
        sqlite3_open(":memory:", &d);
        sqlite3_exec(d,
                     "CREATE TABLE r(ChineseName BLOB, EnglishName BLOB, CasNumber BLOB, "
                     "Use BLOB, Formula BLOB)",
                     nullptr, nullptr, nullptr);
        sqlite3_exec(d, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt* insert = nullptr;
        sqlite3_prepare_v2(d, "INSERT INTO r VALUES(?,?,?,?,?)", -1, &insert, nullptr);
        const CVELMORDoc& doc = loadedDoc();
        for (int i = 0; i < doc.RecordCount(); ++i) {
            const ReagentRecord& r = doc.Record(i);
            int column = 1;
            for (std::string_view text :
                 {r.ChineseName, r.EnglishName, r.CasNumber, r.Use, r.Formula})
                sqlite3_bind_blob(insert, column++, text.data(), static_cast<int>(text.size()),
                                  SQLITE_STATIC);
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
        sqlite3_exec(d, "COMMIT", nullptr, nullptr, nullptr);
        return d;
    }();
    return db;
}

void BM_Sqlite(benchmark::State& state)
{
    const Query& q = kQueries[state.range(0)];
    const std::string query = *gbk::fromUtf8(q.utf8);
    const std::string sql = "SELECT ChineseName FROM r WHERE instr(" +
                            std::string(kFieldNames[static_cast<int>(q.field)]) +
                            ", ?) > 0 ORDER BY rowid";
    sqlite3_stmt* select = nullptr;
    if (sqlite3_prepare_v2(sqliteDatabase(), sql.c_str(), -1, &select, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(sqliteDatabase()));
    std::size_t hits = 0;
    for (auto _ : state) {
        std::vector<std::string> names;
        sqlite3_bind_blob(select, 1, query.data(), static_cast<int>(query.size()), SQLITE_STATIC);
        while (sqlite3_step(select) == SQLITE_ROW)
            names.emplace_back(static_cast<const char*>(sqlite3_column_blob(select, 0)),
                               sqlite3_column_bytes(select, 0));
        sqlite3_reset(select);
        hits = names.size();
    }
    sqlite3_finalize(select);
    state.counters["hits"] = static_cast<double>(hits);
}
BENCHMARK(BM_Sqlite)->DenseRange(0, 9)->Unit(benchmark::kMicrosecond);

void BM_FindRecordByNameLast(benchmark::State& state)
{
    const CVELMORDoc& doc = loadedDoc();
    const std::string name(doc.Record(doc.RecordCount() - 1).ChineseName);
    for (auto _ : state)
        benchmark::DoNotOptimize(doc.FindRecordByName(name));
}
BENCHMARK(BM_FindRecordByNameLast)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    std::vector<RatioReport::Pair> pairs = {
        {"BM_LoadDatabase/20000", "BM_ReadFileBytes/20000", "<= 2x", 2.0},
        {"BM_LoadDatabase/50000", "BM_ReadFileBytes/50000", "<= 2x", 2.0},
        {"BM_LoadWithTrailingGigabyte", "BM_LoadDatabase/20000", "<= 1.2x", 1.2},
        {"BM_ResidentAfterLoad/0/iterations:3", "", "<= 1.5x the records' bytes", 1.5, false,
         "resident_ratio"},
        {"BM_ResidentAfterLoad/1/iterations:3", "", "<= 1.5x, trailing GiB", 1.5, false,
         "resident_ratio"},
    };
    // Lookups (0-4) stay close to the floor; broad queries (5-9) find thousands of records.
    for (int k = 0; k < 10; ++k) {
        const std::string arg = "/" + std::to_string(k);
        const std::string field = "/" + std::to_string(k % 5);
        const double limit = k < 5 ? 5.0 : 10.0;
        pairs.push_back(
            {"BM_MatchRecords" + arg, "BM_MemchrPass" + field, k < 5 ? "<= 5x" : "<= 10x", limit});
        pairs.push_back({"BM_MatchRecords" + arg, "BM_Sqlite" + arg, ">= 10x faster", 10.0, true});
        pairs.push_back({"BM_MatchRecordsNarrow" + arg, "BM_MemchrPass" + field,
                         k < 5 ? "<= 5x, 256 bits" : "<= 10x, 256 bits", limit});
    }
    return RatioReport::run(argc, argv, pairs);
}
