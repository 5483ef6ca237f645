#pragma once

#include <QWidget>

#include <utility>
#include <vector>

/// Show and hide requests for several windows, collected and carried out together when the
/// batch ends, so that a row of bars changes in one step.
class WindowPosBatch
{
public:
    explicit WindowPosBatch(int expected) { m_Requests.reserve(expected); }
    ~WindowPosBatch() { End(); }
    WindowPosBatch(const WindowPosBatch&) = delete;
    WindowPosBatch& operator=(const WindowPosBatch&) = delete;

    void Defer(QWidget* window, bool visible) { m_Requests.emplace_back(window, visible); }

    /// Carries out every request; the number of batches ended so far counts those that had any.
    void End();

    static int EndedBatches();

private:
    std::vector<std::pair<QWidget*, bool>> m_Requests;
};
