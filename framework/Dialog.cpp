#include "Dialog.h"

#include "ControlId.h"

#include <QKeyEvent>

CDialog::CDialog(QWidget* parent) : QWidget(parent) {}

bool CDialog::Create(int templateId, QWidget* parent)
{
    const std::optional<DialogTemplate> dialogTemplate = LoadDialogTemplate(templateId);
    return dialogTemplate && CreateFromTemplate(*dialogTemplate, parent);
}

bool CDialog::CreateFromTemplate(const DialogTemplate& dialogTemplate, QWidget* parent)
{
    hide();
    setParent(parent);
    SetControlId(this, dialogTemplate.id);
    DialogBuilder builder(dialogTemplate);
    BindControls(builder);
    m_Controls = builder.Build(this);
    m_TemplateSize = builder.Units().ToPixels(dialogTemplate.size);
    OnInitDialog();
    return true;
}

bool CDialog::UpdateData(bool saveAndValidate)
{
    DoDataExchange(saveAndValidate);
    return true;
}

QWidget* CDialog::GetDlgItem(int id) const
{
    for (QWidget* control : m_Controls) {
        if (ControlId(control) == id)
            return control;
    }
    return nullptr;
}

void CDialog::BindControls(DialogBuilder&) {}

void CDialog::DoDataExchange(bool) {}

bool CDialog::OnInitDialog()
{
    UpdateData(false);
    return true;
}

void CDialog::OnOK() {}

void CDialog::OnCancel() {}

void CDialog::keyPressEvent(QKeyEvent* event)
{
    // Keys reach the dialog when the focused control leaves them alone, as Enter and Escape
    // do in a Windows dialog.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        OnOK();
        return;
    case Qt::Key_Escape:
        OnCancel();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

bool CDialog::focusNextPrevChild(bool next)
{
    const auto count = static_cast<std::ptrdiff_t>(m_Controls.size());
    // The control that holds the focus, or one before the first (after the last) otherwise.
    std::ptrdiff_t at = next ? -1 : count;
    for (std::ptrdiff_t i = 0; i < count; ++i) {
        if (m_Controls[i]->isAncestorOf(focusWidget()) || m_Controls[i] == focusWidget())
            at = i;
    }
    for (std::ptrdiff_t step = 1; step <= count; ++step) {
        QWidget* control = m_Controls[((at + (next ? step : -step)) % count + count) % count];
        if ((control->focusPolicy() & Qt::TabFocus) && control->isVisibleTo(this) &&
            control->isEnabled()) {
            control->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return QWidget::focusNextPrevChild(next);
}
