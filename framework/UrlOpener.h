#pragma once

#include <QString>

/// Opens a web address in the user's browser, reporting nothing. Controls that open addresses
/// hold a pointer to one, so that tests can count what would have been opened.
class UrlOpener
{
public:
    virtual ~UrlOpener() = default;
    /// Hands `address` to the desktop; the outcome is not reported.
    virtual void Open(const QString& address) = 0;
};

/// The opener that hands addresses to the desktop as a hyperlink does (its opener, then its
/// `text/html` handler), without the hyperlink's report.
UrlOpener& DesktopUrlOpener();
