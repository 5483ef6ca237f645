#pragma once

class QWidget;

/// The numeric control id of a window, as dialog templates and notifications name it.
/// Windows that were given none answer 0.
int ControlId(const QWidget* widget);
void SetControlId(QWidget* widget, int id);
