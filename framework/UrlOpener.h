#pragma once

#include <QString>

/// Opens a web address in the user's browser. Controls that open addresses hold a pointer to
/// one, so that tests can count what would have been opened.
class UrlOpener
{
public:
    virtual ~UrlOpener() = default;
    /// Asks the desktop to open `address`; the result says only whether that was handed on.
    virtual bool Open(const QString& address) = 0;
};

/// The opener that hands addresses to the desktop's default browser.
UrlOpener& DesktopUrlOpener();
