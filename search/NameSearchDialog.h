#pragma once

#include "SearchPanel.h"

/// The name panel (template 130): searches the Chinese or the English names, as the radio
/// buttons "中文" and "英文" choose. Each search also makes its first hit the page shown, without
/// a history entry; setting the panel up makes the start page current and the history's first
/// entry.
class CNameSearchDialog : public CSearchPanel
{
    Q_OBJECT

public:
    explicit CNameSearchDialog(SearchHost& host);

    /// 1 = Chinese names, 2 = English names.
    std::int32_t Mode() const { return m_Mode; }
    const std::string& LastQuery() const { return m_LastQuery; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    void OnNameSearch();

    std::string m_LastQuery;
    std::int32_t m_Mode = 1;
};
