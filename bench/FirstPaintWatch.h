#pragma once

// What the two start-up probes share: a clock in nanoseconds and a watch on the first paint of
// one widget, which quits the application once that paint is over.

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

#include <chrono>

inline long long Now()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

/// Notes the end of the first paint of the widget it filters and quits.
class FirstPaint : public QObject
{
public:
    long long doneAt = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_Seen) {
            m_Seen = true;
            // Runs when the paint and the flush to the window are over.
            QTimer::singleShot(0, [this] {
                doneAt = Now();
                QApplication::quit();
            });
        }
        return false;
    }

private:
    bool m_Seen = false;
};
