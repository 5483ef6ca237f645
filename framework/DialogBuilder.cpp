#include "DialogBuilder.h"

#include "ControlId.h"
#include "FirstLineValidator.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>

#include <utility>
#include <vector>

namespace {

/// A radio button whose place in the Tab chain is the template's alone. Qt gives the focused
/// button of an exclusive set tab focus, and takes it from the others, whenever one of them
/// takes the focus: a click on a button without a tab stop would put it into the chain.
class TemplateRadioButton : public QRadioButton
{
protected:
    void focusInEvent(QFocusEvent* event) override
    {
        std::vector<std::pair<QWidget*, Qt::FocusPolicy>> policies;
        for (QRadioButton* button :
             parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly))
            policies.emplace_back(button, button->focusPolicy());
        QRadioButton::focusInEvent(event);
        for (const auto& [button, policy] : policies)
            button->setFocusPolicy(policy);
    }
};

QWidget* MakeButton(const DialogControl& control)
{
    if (control.HasStyle(QStringLiteral("BS_AUTORADIOBUTTON")) ||
        control.HasStyle(QStringLiteral("BS_RADIOBUTTON")))
        return new TemplateRadioButton;
    if (control.HasStyle(QStringLiteral("BS_AUTOCHECKBOX")) ||
        control.HasStyle(QStringLiteral("BS_CHECKBOX")))
        return new QCheckBox;
    if (control.HasStyle(QStringLiteral("BS_GROUPBOX")))
        return new QGroupBox;
    auto* button = new QPushButton;
    // As in a Windows dialog, Enter on a focused push button presses it.
    button->setAutoDefault(true);
    button->setDefault(control.HasStyle(QStringLiteral("BS_DEFPUSHBUTTON")));
    return button;
}

QWidget* MakeStandardControl(const DialogControl& control)
{
    if (control.className == QStringLiteral("STATIC"))
        return new QLabel;
    if (control.className == QStringLiteral("EDIT")) {
        auto* edit = new QLineEdit;
        edit->setValidator(new FirstLineValidator(edit));
        return edit;
    }
    if (control.className == QStringLiteral("BUTTON"))
        return MakeButton(control);
    if (control.className == QStringLiteral("SysListView32")) {
        auto* list = new QTreeView;
        list->setRootIsDecorated(false);
        list->setUniformRowHeights(true);
        return list;
    }
    return new QWidget;
}

void SetText(QWidget* widget, const DialogControl& control)
{
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        Qt::Alignment alignment = Qt::AlignLeft;
        if (control.HasStyle(QStringLiteral("SS_CENTER")))
            alignment = Qt::AlignHCenter;
        else if (control.HasStyle(QStringLiteral("SS_RIGHT")))
            alignment = Qt::AlignRight;
        alignment |=
            control.HasStyle(QStringLiteral("SS_CENTERIMAGE")) ? Qt::AlignVCenter : Qt::AlignTop;
        label->setAlignment(alignment);
        label->setText(control.text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(control.text);
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        group->setTitle(control.text);
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(control.text);
        edit->setFrame(control.HasStyle(QStringLiteral("WS_BORDER")));
    }
}

bool TakesFocus(const QWidget* widget)
{
    return !qobject_cast<const QLabel*>(widget) && !qobject_cast<const QGroupBox*>(widget);
}

} // namespace

DialogBuilder::DialogBuilder(DialogTemplate dialogTemplate)
    : m_Template(std::move(dialogTemplate)),
      m_Font(DialogFont(m_Template.fontFace, m_Template.pointSize)),
      m_Units(DialogBaseUnits::OfFont(m_Font))
{
}

void DialogBuilder::Bind(int id, QWidget* widget)
{
    m_Bound.insert(id, widget);
}

QWidget* DialogBuilder::MakeControl(const DialogControl& control, QWidget* dialog) const
{
    QWidget* widget = m_Bound.value(control.id, nullptr);
    if (!widget)
        widget = MakeStandardControl(control);
    widget->setParent(dialog);
    widget->setFont(m_Font);
    SetControlId(widget, control.id);
    SetText(widget, control);
    widget->setGeometry(m_Units.ToPixels(control.rect));
    widget->setEnabled(!control.HasStyle(QStringLiteral("WS_DISABLED")));
    if (TakesFocus(widget)) {
        widget->setFocusPolicy(control.HasStyle(QStringLiteral("WS_TABSTOP")) ? Qt::StrongFocus
                                                                              : Qt::ClickFocus);
    } else {
        widget->setFocusPolicy(Qt::NoFocus);
    }
    widget->setVisible(!control.HasStyle(QStringLiteral("NOT WS_VISIBLE")));
    return widget;
}

std::vector<QWidget*> DialogBuilder::Build(QWidget* dialog) const
{
    dialog->setFont(m_Font);
    dialog->resize(m_Units.ToPixels(m_Template.size));
    if (!m_Template.caption.isEmpty())
        dialog->setWindowTitle(m_Template.caption);

    std::vector<QWidget*> controls;
    QWidget* previousTabStop = nullptr;
    for (const DialogControl& control : m_Template.controls) {
        QWidget* widget = MakeControl(control, dialog);
        controls.push_back(widget);
        if (widget->focusPolicy() & Qt::TabFocus) {
            if (previousTabStop)
                QWidget::setTabOrder(previousTabStop, widget);
            previousTabStop = widget;
        }
    }
    return controls;
}
