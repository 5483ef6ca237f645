#pragma once

#include "DialogBuilder.h"

#include <QWidget>

#include <vector>

/// A modeless child dialog made from a dialog template: the page of a tab control or a bar.
/// Subclasses bind the controls they own, exchange data with the controls and react to Enter
/// and Escape; the dialog never closes itself.
class CDialog : public QWidget
{
    Q_OBJECT

public:
    explicit CDialog(QWidget* parent = nullptr);

    /// Builds the compiled-in template `templateId` as a hidden child of `parent`, then runs
    /// OnInitDialog(). False when the template cannot be read.
    bool Create(int templateId, QWidget* parent);

    /// The same from a template at hand.
    bool CreateFromTemplate(const DialogTemplate& dialogTemplate, QWidget* parent);

    /// Reads the controls into the members (`saveAndValidate`) or writes the members into them.
    bool UpdateData(bool saveAndValidate = true);

    /// The control with this id, or null.
    QWidget* GetDlgItem(int id) const;

    /// The template's size in pixels: what a layout gives a dialog bar.
    QSize sizeHint() const override { return m_TemplateSize; }

protected:
    /// Hands the widgets the dialog's members are to the builder (DialogBuilder::Bind).
    virtual void BindControls(DialogBuilder& builder);
    /// Copies between the members and the controls, in the direction given.
    virtual void DoDataExchange(bool saveAndValidate);
    /// Runs once the controls exist. This base writes the members into the controls. The result
    /// follows the framework's convention (TRUE: the first control may take the focus); a
    /// child dialog that is not shown yet leaves the focus where it is either way.
    virtual bool OnInitDialog();
    /// Enter in the dialog. A child dialog stays open: this base does nothing.
    virtual void OnOK();
    /// Escape in the dialog. A child dialog stays open: this base does nothing.
    virtual void OnCancel();

    void keyPressEvent(QKeyEvent* event) override;
    /// Tab and Shift+Tab move among the controls with a tab stop in template order, and wrap
    /// round within the dialog.
    bool focusNextPrevChild(bool next) override;

private:
    std::vector<QWidget*> m_Controls;
    QSize m_TemplateSize;
};
