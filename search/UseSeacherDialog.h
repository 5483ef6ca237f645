#pragma once

#include "FieldSearchPanel.h"

/// The use panel (template 132): searches what the reagents are used for.
class CUseSeacherDialog : public CFieldSearchPanel
{
    Q_OBJECT

public:
    explicit CUseSeacherDialog(SearchHost& host);

protected:
    void AfterLinksInitialised() override;
};
