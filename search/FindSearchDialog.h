#pragma once

#include "FindForms.h"
#include "SearchPanel.h"

#include <future>
#include <memory>

/// The panel "综合检索" (template 147): one field that searches every field the forgiving way
/// (FindMatching.h) and lists the records best first, each with the field it matched in.
/// "检索" and Enter in the field search; Enter or a double click on a row opens it. The forms
/// it searches are made once, on a thread of their own, from the first time it is shown.
class CFindSearchDialog : public CSearchPanel
{
    Q_OBJECT

public:
    explicit CFindSearchDialog(SearchHost& host);

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void showEvent(QShowEvent* event) override;

private:
    void OnSearch();
    /// Begins making the forms, unless they are begun.
    void StartMakingForms();
    /// The forms, once made; waits for them.
    const FindForms& Forms();

    /// The forms being made. They read the document, which outlives the panel; a panel that
    /// goes meanwhile waits for them, as the future of a thread does when it is destroyed.
    std::future<std::unique_ptr<const FindForms>> m_Making;
    std::unique_ptr<const FindForms> m_Forms;
};
