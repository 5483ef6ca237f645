#include "HyperlinkShell.h"

#include <QFile>
#include <QStandardPaths>

namespace {

/// The value of "Exec" in the [Desktop Entry] group, with the key-file escapes undone.
QString DesktopEntryExec(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    bool inEntry = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(u'[')) {
            inEntry = line == QStringLiteral("[Desktop Entry]");
        } else if (inEntry && line.startsWith(QStringLiteral("Exec"))) {
            const qsizetype equals = line.indexOf(u'=');
            if (equals < 0 || line.left(equals).trimmed() != QStringLiteral("Exec"))
                continue;
            QString value;
            const QString raw = line.mid(equals + 1).trimmed();
            for (qsizetype i = 0; i < raw.size(); ++i) {
                if (raw[i] != u'\\' || i + 1 == raw.size()) {
                    value += raw[i];
                    continue;
                }
                const QChar escaped = raw[++i];
                value += escaped == u's'   ? QChar(u' ')
                         : escaped == u'n' ? QChar(u'\n')
                         : escaped == u't' ? QChar(u'\t')
                         : escaped == u'r' ? QChar(u'\r')
                                           : escaped;
            }
            return value;
        }
    }
    return {};
}

class DesktopShell final : public HyperlinkShell
{
public:
    void ShellOpen(const QString& target, Launched done) override
    {
        LaunchProgram(QStringLiteral("xdg-open"), {target}, kLaunchWaitMs, std::move(done));
    }

    void HtmlHandlerCommand(std::function<void(QString)> done) override
    {
        QueryProgram(
            QStringLiteral("xdg-mime"),
            {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/html")},
            kLaunchWaitMs, [done = std::move(done)](std::optional<QByteArray> output) {
                const QString entry = output ? QString::fromUtf8(*output).trimmed() : QString();
                const QString path =
                    entry.isEmpty()
                        ? QString()
                        : QStandardPaths::locate(QStandardPaths::ApplicationsLocation, entry);
                done(path.isEmpty() ? QString() : DesktopEntryExec(path));
            });
    }

    void Start(const QString& program, const QStringList& arguments, Launched done) override
    {
        LaunchProgram(program, arguments, kLaunchWaitMs, std::move(done));
    }
};

/// Splits an Exec line into words: blanks separate words outside double quotes; inside them a
/// backslash escapes the next character.
QStringList ExecWords(const QString& execLine)
{
    QStringList words;
    QString word;
    bool inWord = false;
    bool quoted = false;
    for (qsizetype i = 0; i < execLine.size(); ++i) {
        const QChar c = execLine[i];
        if (quoted) {
            if (c == u'\\' && i + 1 < execLine.size())
                word += execLine[++i];
            else if (c == u'"')
                quoted = false;
            else
                word += c;
        } else if (c == u'"') {
            quoted = true;
            inWord = true;
        } else if (c.isSpace()) {
            if (inWord)
                words << word;
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words << word;
    return words;
}

} // namespace

HyperlinkShell& DesktopHyperlinkShell()
{
    static DesktopShell shell;
    return shell;
}

bool LaunchOpened(LaunchOutcome outcome)
{
    return outcome == LaunchOutcome::Succeeded || outcome == LaunchOutcome::StillRunning;
}

void OpenHyperlink(HyperlinkShell& shell, const QString& target, std::function<void(int)> done)
{
    shell.ShellOpen(target, [&shell, target, done = std::move(done)](LaunchOutcome opened) {
        if (LaunchOpened(opened)) {
            done(kHyperlinkOpened);
            return;
        }
        shell.HtmlHandlerCommand([&shell, target, done](const QString& command) {
            QStringList arguments = HtmlHandlerArguments(command, target);
            if (arguments.isEmpty()) {
                done(kHyperlinkNoAssociation);
                return;
            }
            const QString program = arguments.takeFirst();
            shell.Start(program, arguments, [done](LaunchOutcome started) {
                done(LaunchOpened(started)                     ? kHyperlinkOpened
                     : started == LaunchOutcome::FailedToStart ? kHyperlinkFileNotFound
                                                               : kHyperlinkBadAssociation);
            });
        });
    });
}

QStringList HtmlHandlerArguments(const QString& execLine, const QString& target)
{
    QStringList arguments;
    bool placed = false;
    for (const QString& word : ExecWords(execLine)) {
        QString argument;
        bool hadText = false;
        for (qsizetype i = 0; i < word.size(); ++i) {
            if (word[i] != u'%' || i + 1 == word.size()) {
                argument += word[i];
                hadText = true;
                continue;
            }
            const QChar code = word[++i];
            if (code == u'%') {
                argument += u'%';
                hadText = true;
            } else if (code == u'u' || code == u'U' || code == u'f' || code == u'F') {
                argument += target;
                hadText = true;
                placed = true;
            }
            // Any other field code (icon, name, location, deprecated ones) is dropped.
        }
        if (hadText)
            arguments << argument;
    }
    if (!placed && !arguments.isEmpty())
        arguments << target;
    return arguments;
}
