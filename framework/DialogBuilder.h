#pragma once

#include "DialogTemplate.h"
#include "DialogUnits.h"

#include <QHash>
#include <QWidget>

#include <vector>

/// Makes the controls of a dialog template as child widgets of a dialog, at the pixel positions
/// the Windows dialog manager gives them for the template's font, in the template's tab order.
///
/// Controls of the classes "STATIC" (QLabel), "EDIT" (a single-line QLineEdit that keeps text
/// up to its first line break, FirstLineValidator), "BUTTON" (push button, radio
/// button, check box or group box by style) and "SysListView32" (QTreeView) are made by the
/// builder; a control that the dialog's code owns is handed in with Bind() before Build(), and
/// the builder places and sets up that widget instead of making one.
class DialogBuilder
{
public:
    explicit DialogBuilder(DialogTemplate dialogTemplate);

    /// The template control `id` becomes `widget` (which the caller keeps owning).
    void Bind(int id, QWidget* widget);

    /// Sets the dialog's font and size and makes its controls. Returns them in template order;
    /// each carries its control id (ControlId()).
    std::vector<QWidget*> Build(QWidget* dialog) const;

    const DialogTemplate& Template() const { return m_Template; }
    const QFont& Font() const { return m_Font; }
    const DialogBaseUnits& Units() const { return m_Units; }

private:
    QWidget* MakeControl(const DialogControl& control, QWidget* dialog) const;

    DialogTemplate m_Template;
    QFont m_Font;
    DialogBaseUnits m_Units;
    QHash<int, QWidget*> m_Bound;
};
