#include "UrlOpener.h"

#include <QDesktopServices>
#include <QUrl>

namespace {
class DesktopOpener final : public UrlOpener
{
public:
    bool Open(const QString& address) override
    {
        // The address goes to the desktop as a URL, never through a shell command line.
        const QUrl url = QUrl::fromUserInput(address);
        return url.isValid() && QDesktopServices::openUrl(url);
    }
};
} // namespace

UrlOpener& DesktopUrlOpener()
{
    static DesktopOpener opener;
    return opener;
}
