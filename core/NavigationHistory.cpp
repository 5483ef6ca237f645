#include "NavigationHistory.h"

#include <algorithm>

void NavigationHistory::append(std::string_view name)
{
    if (m_Count == kCapacity) {
        std::move(m_Names.begin() + 1, m_Names.end(), m_Names.begin());
        --m_Count;
        if (m_Current > 0)
            --m_Current;
    }
    m_Names[m_Count++] = name;
}

void NavigationHistory::seed(std::string_view name)
{
    m_Page.SetCurrentName(name);
    append(name);
}

void NavigationHistory::push(std::string_view name)
{
    if (m_Count == 0 || m_Names[m_Current] != name) {
        append(name);
        m_Current = m_Count - 1;
    }
    m_Page.RequestRedraw();
}

void NavigationHistory::show(int index)
{
    m_Page.SetCurrentName(m_Names[index]);
    m_Current = index;
    m_Page.RequestRedraw();
}

void NavigationHistory::back()
{
    if (m_Current > 0)
        show(m_Current - 1);
}

void NavigationHistory::next()
{
    if (m_Current < m_Count - 1)
        show(m_Current + 1);
}
