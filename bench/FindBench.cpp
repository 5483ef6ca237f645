// The forgiving search over 50,000 synthetic records: each query beside the specified
// Chinese-name search of the same text over the same records, the making of the forms, and the
// memory they take against the bytes of the fields they index.

#include "BenchmarkRatios.h"
#include "DatabaseFile.h"
#include "FindMatching.h"
#include "Gbk.h"
#include "Matching.h"
#include "SyntheticDatabase.h"
#include "VELMORDoc.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <sstream>

namespace {

constexpr int kRecords = 50000;

const CVELMORDoc& loadedDoc()
{
    static const auto doc = [] {
        std::ostringstream file;
        WriteSyntheticDatabase(file, kRecords, 20261207);
        const std::string bytes = file.str();
        auto d = std::make_unique<CVELMORDoc>();
        LoadDatabaseBytes(*d, bytes, "synthetic.kdb");
        return d;
    }();
    return *doc;
}

const FindForms& loadedForms()
{
    static const FindForms forms(loadedDoc());
    return forms;
}

/// A paste of 40,000 characters of running Chinese text.
std::string longPaste()
{
    const std::string phrase = "用作分析试剂，有机合成中间体，溶于水，遇明火易燃。";
    std::string text;
    while (text.size() < 40000 * 3)
        text += phrase;
    return text;
}

// Lookups as a user types them, then broad ones that thousands of records hold (one character,
// whose answers are made with the forms, and a pair of letters, which is searched), a wrong CAS
// check digit and a long paste.
const std::string kQueries[] = {
    "氯化",      "yichun", "lhn", "Bromphen", "64175", "C12H",      "照相",
    "7732-18-4", "酸",     "a",   "1",        "an",    longPaste(),
};
constexpr int kQueryCount = static_cast<int>(std::size(kQueries));

void BM_FindRecords(benchmark::State& state)
{
    const std::string& query = kQueries[state.range(0)];
    const FindForms& forms = loadedForms();
    std::size_t hits = 0;
    for (auto _ : state) {
        const FindResult result = FindRecords(forms, query);
        hits = result.matches.size();
        benchmark::DoNotOptimize(result.matches.data());
    }
    state.counters["hits"] = static_cast<double>(hits);
}
BENCHMARK(BM_FindRecords)->DenseRange(0, kQueryCount - 1)->Unit(benchmark::kMicrosecond);

// The peer: the specified search of the Chinese names for the same text.
void BM_ChineseNameSearch(benchmark::State& state)
{
    const std::string query = *gbk::fromUtf8(kQueries[state.range(0)]);
    const CVELMORDoc& doc = loadedDoc();
    for (auto _ : state)
        benchmark::DoNotOptimize(MatchRecords(doc, SearchKind::ChineseName, query));
}
BENCHMARK(BM_ChineseNameSearch)->DenseRange(0, kQueryCount - 1)->Unit(benchmark::kMicrosecond);

void BM_MakeFindForms(benchmark::State& state)
{
    const CVELMORDoc& doc = loadedDoc();
    for (auto _ : state)
        benchmark::DoNotOptimize(FindForms(doc).MemoryBytes());
}
BENCHMARK(BM_MakeFindForms)->Unit(benchmark::kMillisecond);

// The memory the forms take, against the bytes of the fields they index.
void BM_FindFormsMemory(benchmark::State& state)
{
    const CVELMORDoc& doc = loadedDoc();
    std::size_t fieldBytes = 0;
    for (int r = 0; r < doc.RecordCount(); ++r) {
        const ReagentRecord record = doc.Record(r);
        for (const std::string_view text : {record.ChineseName, record.Alias, record.EnglishName,
                                            record.CasNumber, record.Formula, record.Use})
            fieldBytes += text.size();
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(fieldBytes);
    state.counters["memory_ratio"] =
        static_cast<double>(loadedForms().MemoryBytes()) / static_cast<double>(fieldBytes);
}
BENCHMARK(BM_FindFormsMemory)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    // The first making also sets ICU's transliterator up, once in a run of the program.
    loadedDoc();
    const auto start = std::chrono::steady_clock::now();
    loadedForms();
    std::printf("First making of the forms, with ICU's set-up: %.1f ms\n",
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count());
    std::vector<RatioReport::Pair> pairs = {
        {"BM_MakeFindForms", "", "<= 300 ms", 300.0},
        {"BM_FindFormsMemory/iterations:1", "", "<= 1x the fields' bytes", 1.0, false,
         "memory_ratio"},
    };
    for (int k = 0; k < kQueryCount; ++k) {
        const std::string arg = "/" + std::to_string(k);
        pairs.push_back({"BM_FindRecords" + arg, "", "<= 5 ms", 5.0});
        pairs.push_back({"BM_FindRecords" + arg, "BM_ChineseNameSearch" + arg, "<= 10x", 10.0});
    }
    return RatioReport::run(argc, argv, pairs);
}
