#pragma once

#include "ProcessLauncher.h"

#include <QString>
#include <QStringList>

#include <functional>

/// What opening a hyperlink needs of the desktop: its opener, and the handler of web pages to
/// fall back on. Each step answers through a callback from the event loop, so the interface
/// never waits on a browser. The desktop's own is DesktopHyperlinkShell(); tests supply a fake.
class HyperlinkShell
{
public:
    using Launched = std::function<void(LaunchOutcome)>;

    virtual ~HyperlinkShell() = default;
    /// Hands `target` to the desktop's opener.
    virtual void ShellOpen(const QString& target, Launched done) = 0;
    /// The command line (a desktop entry's Exec value) of the desktop's `text/html` handler,
    /// empty when there is none.
    virtual void HtmlHandlerCommand(std::function<void(QString)> done) = 0;
    /// Starts `program` with `arguments` as they stand, never through a shell.
    virtual void Start(const QString& program, const QStringList& arguments, Launched done) = 0;
};

/// The desktop's shell: `xdg-open` for the open, `xdg-mime` and the desktop entry of the
/// `text/html` handler for the fallback; every program is started with an argument list.
HyperlinkShell& DesktopHyperlinkShell();

/// Result codes of OpenHyperlink; any code above 32 means the target was opened.
enum HyperlinkResult : int
{
    kHyperlinkFileNotFound = 2,    ///< the handler program could not be started
    kHyperlinkBadAssociation = 27, ///< the handler was started but failed
    kHyperlinkNoAssociation = 31,  ///< the opener failed and no handler is known
    kHyperlinkOpened = 33,
};

/// Whether a launch counts as opening: it ended well, or it still runs after the wait.
bool LaunchOpened(LaunchOutcome outcome);

/// Opens `target`: with the desktop's opener first, then with the `text/html` handler, and
/// hands the result code to `done`: kHyperlinkOpened, the opener's failure when no handler is
/// known, else the handler's. `shell` must outlive the attempt.
void OpenHyperlink(HyperlinkShell& shell, const QString& target, std::function<void(int)> done);

/// The program and arguments of a desktop entry's Exec line with `target` put in place of its
/// file or URL field code (%u, %U, %f, %F), or added at the end when it has none. Quoting and
/// escapes follow the desktop entry rules; the other field codes are dropped.
QStringList HtmlHandlerArguments(const QString& execLine, const QString& target);
