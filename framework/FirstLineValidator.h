#pragma once

#include <QValidator>

/// Makes a line edit behave as a single-line edit field: text that arrives with a line break
/// (pasted, dropped, committed by an input method, set by code) keeps only what comes before
/// its first break. The text around the insertion stays as it was.
class FirstLineValidator : public QValidator
{
    Q_OBJECT

public:
    explicit FirstLineValidator(QObject* parent = nullptr) : QValidator(parent) {}

    State validate(QString& text, int& cursor) const override;
};
