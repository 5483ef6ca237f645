#include "SearchPanel.h"

#include "Gbk.h"
#include "MakerSite.h"
#include "NavigationHistory.h"
#include "SearchHost.h"
#include "VELMORDoc.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QLineEdit>

CSearchPanel::CSearchPanel(SearchHost& host, ControlIds ids) : m_Host(host), m_Ids(ids)
{
    connect(&m_ResultList, &QAbstractItemView::doubleClicked, this, [this] { OpenSelectedRow(); });
    connect(&m_ResultList, &ResultListView::returnPressed, this, [this] { OnListReturn(); });
}

void CSearchPanel::BindControls(DialogBuilder& builder)
{
    builder.Bind(m_Ids.list, &m_ResultList);
    builder.Bind(m_Ids.errorLink, &m_ErrorLink);
    builder.Bind(m_Ids.priceLink, &m_PriceLink);
}

void CSearchPanel::DoDataExchange(bool saveAndValidate)
{
    auto* field = qobject_cast<QLineEdit*>(GetDlgItem(m_Ids.query));
    if (!field)
        return;
    if (!saveAndValidate) {
        field->setText(QString::fromStdString(gbk::toUtf8(m_Query)));
        return;
    }
    m_QueryUtf8 = field->text().toStdString();
    const std::optional<std::string> encoded = gbk::fromUtf8(m_QueryUtf8);
    m_QueryEncodable = encoded.has_value();
    m_Query = encoded.value_or(m_QueryUtf8);
}

void CSearchPanel::InitLinks()
{
    for (CLinkLabel* link : {&m_ErrorLink, &m_PriceLink}) {
        link->PreSubclassWindow();
        link->SetTargetUrl(MakerHomePage());
        link->EnableUnderline(false);
    }
}

void CSearchPanel::InsertNameColumn()
{
    // Wider than the list itself, so the list scrolls sideways.
    m_ResultList.header()->resizeSection(0, static_cast<int>(m_ResultList.width() * 2.2));
}

void CSearchPanel::FillInitialRows()
{
    m_ResultList.Names().SetRecords(m_Host.Document(), InitialResultRecords());
}

void CSearchPanel::FillWithMatches(SearchKind kind)
{
    // No record can hold a character outside code page 936: such a query finds nothing.
    if (!m_QueryEncodable) {
        m_ResultList.Names().Clear();
    } else {
        const CVELMORDoc& document = m_Host.Document();
        m_ResultList.Names().SetRecords(document, MatchRecords(document, kind, m_Query));
    }
    ReportMatches(static_cast<std::size_t>(m_ResultList.RowCount()));
}

void CSearchPanel::ReportMatches(std::size_t count)
{
    m_Host.ShowSearchMessage(MatchCountMessage(count));
}

std::string CSearchPanel::MatchCountMessage(std::size_t count)
{
    return count == 0 ? std::string("没有找到") : "找到 " + std::to_string(count) + " 条";
}

void CSearchPanel::OpenSelectedRow()
{
    const int row = m_ResultList.FirstSelectedRow();
    if (row < 0)
        return;
    CVELMORDoc& document = m_Host.Document();
    document.SetCurrentName(m_ResultList.Names().Name(row));
    // Appends unless it is the entry shown, and asks for the redraw either way.
    m_Host.History().push(document.m_CurrentName);
}

bool CSearchPanel::EnterSearches(const std::string& lastQuery) const
{
    return m_ResultList.RowCount() == 0 || m_Query != lastQuery;
}

void CSearchPanel::ConnectSearchButton(const std::function<void()>& search)
{
    if (auto* button = qobject_cast<QAbstractButton*>(GetDlgItem(kSearchButtonId)))
        connect(button, &QAbstractButton::clicked, this, search);
}

void CSearchPanel::OnListReturn()
{
    OpenSelectedRow();
}
