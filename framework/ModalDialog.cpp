#include "ModalDialog.h"

#include "ControlId.h"
#include "DialogBuilder.h"

#include <QAbstractButton>

CModalDialog::CModalDialog(int templateId, QWidget* parent) : QDialog(parent)
{
    const std::optional<DialogTemplate> dialogTemplate = LoadDialogTemplate(templateId);
    if (!dialogTemplate)
        return;
    DialogBuilder builder(*dialogTemplate);
    for (QWidget* control : builder.Build(this)) {
        auto* button = qobject_cast<QAbstractButton*>(control);
        if (button == nullptr)
            continue;
        if (ControlId(button) == IDOK)
            connect(button, &QAbstractButton::clicked, this, &QDialog::accept);
        else if (ControlId(button) == IDCANCEL)
            connect(button, &QAbstractButton::clicked, this, &QDialog::reject);
    }
    setFixedSize(size());
    m_bBuilt = true;
}
