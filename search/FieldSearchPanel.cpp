#include "FieldSearchPanel.h"

CFieldSearchPanel::CFieldSearchPanel(SearchHost& host, SearchKind kind, ControlIds ids)
    : CSearchPanel(host, ids), m_Kind(kind)
{
}

bool CFieldSearchPanel::OnInitDialog()
{
    CSearchPanel::OnInitDialog();
    InitLinks();
    AfterLinksInitialised();
    InsertNameColumn();
    ResultList().SetFullRowSelect(true);
    FillInitialRows();
    ConnectSearchButton([this] { OnSearch(); });
    return true;
}

void CFieldSearchPanel::OnSearch()
{
    UpdateData(true);
    if (Query().empty())
        return;
    m_LastQuery = Query();
    FillWithMatches(m_Kind);
}

void CFieldSearchPanel::OnOK()
{
    UpdateData(true);
    if (EnterSearches(m_LastQuery))
        OnSearch();
    else
        OpenSelectedRow();
}
