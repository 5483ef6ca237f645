#pragma once

#include "ModalDialog.h"

/// The navigation toolbar's about box: the caption "关于" and an OK button, nothing else.
class CDialogHelp : public CModalDialog
{
    Q_OBJECT

public:
    static constexpr int kTemplateId = 135;

    explicit CDialogHelp(QWidget* parent = nullptr);
};
