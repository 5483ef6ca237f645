#pragma once

#include <QString>

#include <exception>
#include <functional>

class QPainter;
class QRect;

/// The cause of the exception being handled, in the program's language.
QString DescribeFailure(std::exception_ptr failure);

/// Runs `paint`; if it throws, paints `area` white with a one-line note that the page cannot
/// be shown and why, instead of letting the failure end the program.
void PaintOrNote(QPainter& painter, const QRect& area, const std::function<void()>& paint);
