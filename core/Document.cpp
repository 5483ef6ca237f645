#include "Document.h"

#include <algorithm>

void CDocument::AddView(CView* view)
{
    if (std::find(m_Views.begin(), m_Views.end(), view) == m_Views.end())
        m_Views.push_back(view);
}

void CDocument::RemoveView(CView* view)
{
    m_Views.erase(std::remove(m_Views.begin(), m_Views.end(), view), m_Views.end());
}

void CDocument::UpdateAllViews(CView* sender, long hint, void* hintObject)
{
    // A view may remove itself while being updated; walk a copy.
    const std::vector<CView*> views = m_Views;
    for (CView* view : views) {
        if (view != sender)
            view->OnUpdate(sender, hint, hintObject);
    }
}
