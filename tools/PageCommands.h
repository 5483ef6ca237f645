#pragma once

#include "VELMORDoc.h"
#include "VELMORView.h"

#include <QApplication>

#include <cstdint>
#include <memory>
#include <string>

/// The largest client side `render` and `text` accept.
inline constexpr std::uint64_t kMaxClientSide = 16384;

/// The program's own page view over a database file, showing one page, as `render` and `text`
/// use it: drawn offscreen unless the environment names a platform, pictures
/// found relative to the file's directory as the program finds them relative to its working
/// directory.
class FilePageView
{
public:
    /// The page `name` (UTF-8; "firstpage" for the start page) of the database at `path`.
    /// Throws UsageError when the name holds a character code page 936 cannot express.
    FilePageView(const std::string& path, const std::string& name);

    /// False when the file could not be loaded; its message has been printed.
    bool Loaded() const { return m_View != nullptr; }
    CVELMORView& View() { return *m_View; }

private:
    CVELMORDoc m_Doc;
    std::unique_ptr<QApplication> m_App; // none when one runs already
    std::unique_ptr<CVELMORView> m_View;
};
