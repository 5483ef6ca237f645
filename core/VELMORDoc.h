#pragma once

#include "Document.h"
#include "FieldColumns.h"
#include "NavigationHistory.h"
#include "ReagentRecord.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class DatabaseLoader;

/// The record store: the whole reagent database in memory, and the name of the page shown.
class CVELMORDoc : public CDocument, public PageSelection
{
public:
    static constexpr int kCapacity = FieldColumns::kRecords;

    /// Builds the full table of kCapacity empty records.
    CVELMORDoc() = default;
    CVELMORDoc(const CVELMORDoc&) = delete;
    CVELMORDoc& operator=(const CVELMORDoc&) = delete;

    /// Record `index` of the table (0 <= index < kCapacity); slots from m_RecordCount on are
    /// empty. Its texts point into the store.
    ReagentRecord Record(int index) const;
    std::int32_t RecordCount() const { return m_RecordCount; }

    /// The Chinese name of record `index`, read from the name column; empty for any index
    /// outside the records, as an empty slot's name is.
    std::string_view RecordName(int index) const
    {
        return index >= 0 && index < m_RecordCount ? m_Columns.text(Field::ChineseName, index)
                                                   : std::string_view();
    }

    /// Index of the first record whose Chinese name equals `name` byte for byte; none for the
    /// empty name.
    std::optional<int> FindRecordByName(std::string_view name) const;

    /// The loaded records, each searched field in a column of its own, for searches that scan a
    /// field in one pass.
    const FieldColumns& Columns() const { return m_Columns; }

    /// Selects the page the view shows: "firstpage" or a reagent's Chinese name.
    std::string m_CurrentName;

    void SetCurrentName(std::string_view name) override { m_CurrentName = name; }
    void RequestRedraw() override { UpdateAllViews(nullptr, 1, nullptr); }

private:
    friend class DatabaseLoader; // the only writer of the records

    // The records' integers and texts: a table built in full with the store, whose memory is
    // touched only as records are loaded.
    FieldColumns m_Columns;
    std::int32_t m_RecordCount = 0;
};
