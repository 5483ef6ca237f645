#pragma once

#include "FieldSearchPanel.h"

/// The CAS panel (template 131): searches the CAS numbers.
class CCASSearchDialog : public CFieldSearchPanel
{
    Q_OBJECT

public:
    explicit CCASSearchDialog(SearchHost& host);
};
