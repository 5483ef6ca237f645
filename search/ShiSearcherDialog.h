#pragma once

#include "SearchPanel.h"

/// The chemical formula panel (template 146): "检索" searches the formulas; Enter only reads
/// the query field, and Enter in the list does nothing.
class CShiSearcherDialog : public CSearchPanel
{
    Q_OBJECT

public:
    explicit CShiSearcherDialog(SearchHost& host);

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnListReturn() override;

private:
    void OnSearch();
};
