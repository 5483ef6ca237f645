#pragma once

#include "Document.h"
#include "FieldColumns.h"
#include "NavigationHistory.h"
#include "ReagentRecord.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class DatabaseLoader;

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

    /// The loaded bytes of the searched fields, for searches that scan a field in one pass.
    const FieldColumns& Columns() const { return m_Columns; }

    /// Selects the page the view shows: "firstpage" or a reagent's Chinese name.
    std::string m_CurrentName;

    void SetCurrentName(std::string_view name) override { m_CurrentName = name; }
    void RequestRedraw() override { UpdateAllViews(nullptr, 1, nullptr); }

private:
    friend class DatabaseLoader; // the only writer of the records

    std::vector<ReagentRecord> m_Records;
    std::int32_t m_RecordCount = 0;

    // What the records' texts point into: the database file as it was read, the texts the
    // file held in UTF-16 (converted), and the searched fields' columns (which also hold the
    // formulas without their markers).
    std::unique_ptr<char[]> m_FileBytes;
    std::deque<std::string> m_ConvertedTexts;
    FieldColumns m_Columns;
};
