#include "UseSeacherDialog.h"

CUseSeacherDialog::CUseSeacherDialog(SearchHost& host)
    : CFieldSearchPanel(host, SearchKind::Use, {1010, 1008, 1021, 1022})
{
}

void CUseSeacherDialog::AfterLinksInitialised()
{
    UpdateData(false);
}
