#pragma once

#include <QString>
#include <QValidator>

class QLineEdit;

/// Makes a line edit behave as a single-line edit field: text that arrives with a line break
/// (pasted, dropped, committed by an input method, set by code) keeps only what comes before
/// its first break. The text around the insertion stays as it was.
class FirstLineValidator : public QValidator
{
    Q_OBJECT

public:
    /// Watches `edit`, which becomes the parent; install it with `edit->setValidator()`.
    explicit FirstLineValidator(QLineEdit* edit);

    State validate(QString& text, int& cursor) const override;

private:
    QString m_Accepted; // the field's text before the change being validated
};
