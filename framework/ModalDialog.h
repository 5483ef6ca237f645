#pragma once

#include <QDialog>

/// A modal dialog made from a dialog template: its caption, size and controls come from the
/// template; the OK button (id 1) accepts it, the Cancel button (id 2) and Escape reject it.
class CModalDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int IDOK = 1;
    static constexpr int IDCANCEL = 2;

    /// Builds template `templateId`; without a parent the dialog is a window of its own.
    explicit CModalDialog(int templateId, QWidget* parent = nullptr);

    /// Shows the dialog modally and returns how it was closed (QDialog::Accepted or Rejected).
    int DoModal() { return exec(); }

    /// Whether the template could be read.
    bool IsBuilt() const { return m_bBuilt; }

private:
    bool m_bBuilt = false;
};
