#include "UrlOpener.h"

#include "HyperlinkShell.h"

namespace {
class DesktopOpener final : public UrlOpener
{
public:
    void Open(const QString& address) override
    {
        OpenHyperlink(DesktopHyperlinkShell(), address, [](int) {});
    }
};
} // namespace

UrlOpener& DesktopUrlOpener()
{
    static DesktopOpener opener;
    return opener;
}
