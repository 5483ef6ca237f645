#include "FindSearchDialog.h"

#include "SearchHost.h"

#include <QHeaderView>

namespace {
/// The share of the list's width that the column "试剂名称" takes; "匹配" has the rest.
constexpr double kNameShare = 0.62;
} // namespace

CFindSearchDialog::CFindSearchDialog(SearchHost& host)
    : CSearchPanel(host, {1007, 1006, 1021, 1022})
{
}

bool CFindSearchDialog::OnInitDialog()
{
    CSearchPanel::OnInitDialog();
    InitLinks();
    ResultListView& list = ResultList();
    list.Names().ShowMatchColumn();
    list.SetFullRowSelect(true);
    // Both columns in view, "匹配" taking what the names leave, with or without a scroll bar.
    list.header()->setStretchLastSection(true);
    list.header()->resizeSection(0, static_cast<int>(list.width() * kNameShare));
    ConnectSearchButton([this] { OnSearch(); });
    return true;
}

void CFindSearchDialog::OnOK()
{
    OnSearch();
}

void CFindSearchDialog::showEvent(QShowEvent* event)
{
    CSearchPanel::showEvent(event);
    StartMakingForms();
}

void CFindSearchDialog::OnSearch()
{
    UpdateData(true);
    ResultNamesModel& rows = ResultList().Names();
    FindResult result;
    try {
        result = FindRecords(Forms(), QueryUtf8());
    } catch (const std::bad_alloc&) {
        rows.Clear();
        m_Host.ShowSearchMessage("内存不足，无法综合检索");
        return;
    }
    if (result.emptyQuery) {
        rows.Clear();
        m_Host.ShowSearchMessage("检索词是空的");
        return;
    }
    rows.SetMatches(m_Host.Document(), result.matches);
    std::string message = MatchCountMessage(result.matches.size());
    if (result.casCheckDigit)
        message += "；CAS 号校验位不符，应为 " + std::to_string(*result.casCheckDigit);
    m_Host.ShowSearchMessage(message);
}

void CFindSearchDialog::StartMakingForms()
{
    if (m_Forms || m_Making.valid())
        return;
    const CVELMORDoc& document = m_Host.Document();
    // Where no thread can be started, the forms are made when first needed.
    m_Making = std::async(std::launch::async | std::launch::deferred,
                          [&document] { return std::make_unique<const FindForms>(document); });
}

const FindForms& CFindSearchDialog::Forms()
{
    if (!m_Forms) {
        StartMakingForms();
        m_Forms = m_Making.get();
    }
    return *m_Forms;
}
