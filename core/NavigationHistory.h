#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

/// What the history needs of the document: set the page shown and ask for the redraw.
class PageSelection
{
public:
    virtual ~PageSelection() = default;
    virtual void SetCurrentName(std::string_view name) = 0;
    /// Updates all views: no sender, hint 1, no hint object.
    virtual void RequestRedraw() = 0;
};

/// The pages visited, oldest first, with a cursor on the one shown. Entries are only ever
/// appended; when the list is full, the oldest entry makes room and the cursor moves with it.
class NavigationHistory
{
public:
    static constexpr int kCapacity = 1000;

    explicit NavigationHistory(PageSelection& page) : m_Page(page) {}

    /// Makes `name` the current page and stores it as an entry, without a redraw.
    void seed(std::string_view name);

    /// Records `name`, which the caller has just made the current page: appended unless it
    /// equals the entry under the cursor. Always redraws.
    void push(std::string_view name);

    /// Shows the entry before the cursor, if any.
    void back();

    /// Shows the entry after the cursor, if any.
    void next();

    std::int32_t count() const { return m_Count; }
    std::int32_t current() const { return m_Current; }
    const std::string& entry(int index) const { return m_Names[index]; }

private:
    void append(std::string_view name);
    void show(int index);

    PageSelection& m_Page;
    std::array<std::string, kCapacity> m_Names;
    std::int32_t m_Count = 0;
    std::int32_t m_Current = 0;
};
