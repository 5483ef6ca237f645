#include "CASSearchDialog.h"

CCASSearchDialog::CCASSearchDialog(SearchHost& host)
    : CFieldSearchPanel(host, SearchKind::CasNumber, {1007, 1006, 1021, 1022})
{
}
