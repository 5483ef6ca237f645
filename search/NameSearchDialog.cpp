#include "NameSearchDialog.h"

#include "NavigationHistory.h"
#include "SearchHost.h"
#include "VELMORDoc.h"

#include <QAbstractButton>

namespace {
constexpr int kChineseRadioId = 1002;
constexpr int kEnglishRadioId = 1003;
} // namespace

CNameSearchDialog::CNameSearchDialog(SearchHost& host)
    : CSearchPanel(host, {1000, 1001, 1021, 1022})
{
}

bool CNameSearchDialog::OnInitDialog()
{
    CSearchPanel::OnInitDialog();
    InitLinks();
    UpdateData(false);
    ResultList().SetFullRowSelect(true);
    InsertNameColumn();
    auto* chinese = qobject_cast<QAbstractButton*>(GetDlgItem(kChineseRadioId));
    auto* english = qobject_cast<QAbstractButton*>(GetDlgItem(kEnglishRadioId));
    if (chinese && english) {
        chinese->setChecked(true);
        // Only a click changes the mode; it neither searches nor touches the list.
        connect(chinese, &QAbstractButton::clicked, this, [this] { m_Mode = 1; });
        connect(english, &QAbstractButton::clicked, this, [this] { m_Mode = 2; });
    }
    FillInitialRows();
    m_Host.History().seed("firstpage");
    ConnectSearchButton([this] { OnNameSearch(); });
    return true;
}

void CNameSearchDialog::OnNameSearch()
{
    UpdateData(true);
    ResultList().Names().Clear();
    if (Query().empty())
        return;
    m_LastQuery = Query();
    FillWithMatches(m_Mode == 1 ? SearchKind::ChineseName : SearchKind::EnglishName);
    // The first hit is shown at once; it enters the history only when the user opens it.
    CVELMORDoc& document = m_Host.Document();
    document.SetCurrentName(ResultList().RowCount() > 0 ? ResultList().Names().Name(0)
                                                        : std::string_view());
    document.RequestRedraw();
}

void CNameSearchDialog::OnOK()
{
    UpdateData(true);
    if (EnterSearches(m_LastQuery))
        OnNameSearch();
    else
        OpenSelectedRow();
}
