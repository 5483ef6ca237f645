#pragma once

#include "SearchPanel.h"

/// A panel that searches one field and remembers its last query: "检索" searches; Enter
/// searches when the query changed or the list is empty, and opens the selected row otherwise.
class CFieldSearchPanel : public CSearchPanel
{
    Q_OBJECT

public:
    /// The query of the last search that ran.
    const std::string& LastQuery() const { return m_LastQuery; }

protected:
    CFieldSearchPanel(SearchHost& host, SearchKind kind, ControlIds ids);

    bool OnInitDialog() override;
    void OnOK() override;
    void OnSearch();

    /// Runs after the links are set up; the use panel writes its members into the controls.
    virtual void AfterLinksInitialised() {}

private:
    const SearchKind m_Kind;
    std::string m_LastQuery;
};
