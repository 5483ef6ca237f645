#include "ShiSearcherDialog.h"

CShiSearcherDialog::CShiSearcherDialog(SearchHost& host)
    : CSearchPanel(host, {1010, 1006, 1023, 1024})
{
}

bool CShiSearcherDialog::OnInitDialog()
{
    CSearchPanel::OnInitDialog();
    InitLinks();
    UpdateData(false);
    InsertNameColumn();
    ResultList().SetFullRowSelect(true);
    FillInitialRows();
    ConnectSearchButton([this] { OnSearch(); });
    return true;
}

void CShiSearcherDialog::OnSearch()
{
    UpdateData(true);
    if (Query().empty())
        return;
    FillWithMatches(SearchKind::Formula);
}

void CShiSearcherDialog::OnOK()
{
    UpdateData(true);
}

void CShiSearcherDialog::OnListReturn() {}
