#pragma once

#include "ModalDialog.h"

/// The application's about box: the caption "关于" and an OK button, nothing else.
class CAppAboutBox : public CModalDialog
{
    Q_OBJECT

public:
    static constexpr int kTemplateId = 100;

    explicit CAppAboutBox(QWidget* parent = nullptr);
};
