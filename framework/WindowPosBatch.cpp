#include "WindowPosBatch.h"

namespace {
int g_EndedBatches = 0;
}

void WindowPosBatch::End()
{
    if (m_Requests.empty())
        return;
    for (const auto& [window, visible] : m_Requests)
        window->setVisible(visible);
    m_Requests.clear();
    ++g_EndedBatches;
}

int WindowPosBatch::EndedBatches()
{
    return g_EndedBatches;
}
