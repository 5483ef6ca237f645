#pragma once

#include "Document.h"
#include "FieldColumns.h"
#include "NavigationHistory.h"
#include "ReagentRecord.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// The record store: the whole reagent database in memory, and the name of the page shown.
class CVELMORDoc : public CDocument, public PageSelection
{
public:
    static constexpr int kCapacity = 50000;

    /// Builds the full table of empty records.
    CVELMORDoc();
    CVELMORDoc(const CVELMORDoc&) = delete;
    CVELMORDoc& operator=(const CVELMORDoc&) = delete;

    /// Exactly kCapacity records; slots from m_RecordCount on stay empty.
    const std::vector<ReagentRecord>& Records() const { return m_Records; }
    const ReagentRecord& Record(int index) const { return m_Records[index]; }
    std::int32_t RecordCount() const { return m_RecordCount; }

    /// Index of the first record whose Chinese name equals `name` byte for byte.
    std::optional<int> FindRecordByName(std::string_view name) const;

    /// The loaded bytes of each field, for searches that scan a field in one pass.
    const FieldColumns& Columns() const { return m_Columns; }

    /// For the loader only: takes the texts of `count` records and their leading integers.
    void Fill(FieldColumns columns, const std::vector<std::int32_t>& leadInts, std::int32_t count);

    /// Selects the page the view shows: "firstpage" or a reagent's Chinese name.
    std::string m_CurrentName;

    void SetCurrentName(std::string_view name) override { m_CurrentName = name; }
    void RequestRedraw() override { UpdateAllViews(nullptr, 1, nullptr); }

private:
    std::vector<ReagentRecord> m_Records;
    std::int32_t m_RecordCount = 0;
    FieldColumns m_Columns;
};
