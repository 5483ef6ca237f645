#pragma once

#include <vector>

class CDocument;

/// A view of a document: told to bring itself up to date when the document changes.
class CView
{
public:
    virtual ~CView() = default;
    virtual void OnUpdate(CView* sender, long hint, void* hintObject) = 0;
};

/// A document keeps its views and tells each of them about a change.
class CDocument
{
public:
    virtual ~CDocument() = default;

    void AddView(CView* view);
    void RemoveView(CView* view);

    /// Calls OnUpdate of every view except the sender.
    void UpdateAllViews(CView* sender, long hint = 0, void* hintObject = nullptr);

private:
    std::vector<CView*> m_Views;
};
