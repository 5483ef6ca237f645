#pragma once

#include <QString>
#include <QStringList>

/// What opening a hyperlink needs of the desktop: the shell's open, and the handler of web
/// pages to fall back on. The desktop's own is DesktopHyperlinkShell(); tests supply a fake.
class HyperlinkShell
{
public:
    virtual ~HyperlinkShell() = default;
    /// Hands `target` to the desktop to open. True only says that it was handed on.
    virtual bool ShellOpen(const QString& target) = 0;
    /// The command line (a desktop entry's Exec value) of the desktop's `text/html` handler,
    /// empty when there is none.
    virtual QString HtmlHandlerCommand() = 0;
    /// Starts `program` with `arguments` as they stand, never through a shell.
    virtual bool StartDetached(const QString& program, const QStringList& arguments) = 0;
};

/// The desktop's shell: QDesktopServices for the open, `xdg-mime` and the desktop entry of the
/// `text/html` handler for the fallback, QProcess::startDetached to run it.
HyperlinkShell& DesktopHyperlinkShell();

/// Result codes of OpenHyperlink; any code above 32 means the target was opened.
enum HyperlinkResult : int
{
    kHyperlinkFileNotFound = 2,   ///< the handler program could not be started
    kHyperlinkNoAssociation = 31, ///< neither the shell nor a handler took the target
    kHyperlinkOpened = 33,
};

/// Opens `target`: with the shell first, then with the `text/html` handler. Returns the result
/// of the shell's attempt when no handler is known, else the handler's.
int OpenHyperlink(HyperlinkShell& shell, const QString& target);

/// The program and arguments of a desktop entry's Exec line with `target` put in place of its
/// file or URL field code (%u, %U, %f, %F), or added at the end when it has none. Quoting and
/// escapes follow the desktop entry rules; the other field codes are dropped.
QStringList HtmlHandlerArguments(const QString& execLine, const QString& target);
