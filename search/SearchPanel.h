#pragma once

#include "Dialog.h"
#include "LinkLabel.h"
#include "Matching.h"
#include "ResultListView.h"

#include <functional>
#include <string>

class SearchHost;

/// What the four search panels have in common: the result list, the query field, the two links
/// to the maker's home page, filling the list and opening the selected row.
class CSearchPanel : public CDialog
{
    Q_OBJECT

public:
    /// The "检索" button of every panel.
    static constexpr int kSearchButtonId = 1004;

    /// The control ids of one panel's template.
    struct ControlIds
    {
        int list;
        int query;
        int errorLink;
        int priceLink;
    };

    /// The query as last read from the field, in code page 936.
    const std::string& Query() const { return m_Query; }
    /// The same as typed, in UTF-8.
    const std::string& QueryUtf8() const { return m_QueryUtf8; }
    ResultListView& ResultList() { return m_ResultList; }
    CLinkLabel& ErrorLink() { return m_ErrorLink; }
    CLinkLabel& PriceLink() { return m_PriceLink; }

protected:
    CSearchPanel(SearchHost& host, ControlIds ids);

    void BindControls(DialogBuilder& builder) override;
    void DoDataExchange(bool saveAndValidate) override;

    /// Initialisation steps, in the order a panel runs them.
    void InitLinks();
    void InsertNameColumn();
    void FillInitialRows();

    /// Replaces the rows by the names of the records that match the query, and says how many
    /// in the status bar.
    void FillWithMatches(SearchKind kind);
    /// Says in the status bar how many records a search listed: "找到 N 条" or "没有找到".
    void ReportMatches(std::size_t count);
    /// What ReportMatches says.
    static std::string MatchCountMessage(std::size_t count);
    /// Makes the topmost selected row the page shown and records it in the history.
    void OpenSelectedRow();
    /// Connects the "检索" button (1004) to `search`.
    void ConnectSearchButton(const std::function<void()>& search);
    /// Enter in the result list: opens the selected row.
    virtual void OnListReturn();
    /// Whether Enter should search rather than open: the list is empty or the query changed.
    bool EnterSearches(const std::string& lastQuery) const;

    SearchHost& m_Host;

private:
    const ControlIds m_Ids;
    ResultListView m_ResultList;
    std::string m_Query;
    std::string m_QueryUtf8;
    /// False when the field holds a character code page 936 cannot express; m_Query then
    /// holds the field's UTF-8 text, which tells queries apart but is never searched for.
    bool m_QueryEncodable = true;
    CLinkLabel m_ErrorLink;
    CLinkLabel m_PriceLink;
};
