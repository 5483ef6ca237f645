#include "HyperlinkShell.h"

#include "UrlOpener.h"

#include <QFile>
#include <QProcess>
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
    bool ShellOpen(const QString& target) override { return DesktopUrlOpener().Open(target); }

    QString HtmlHandlerCommand() override
    {
        QProcess query;
        query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                                 QStringLiteral("text/html")});
        if (!query.waitForFinished(3000) || query.exitCode() != 0)
            return {};
        const QString entry = QString::fromUtf8(query.readAllStandardOutput()).trimmed();
        if (entry.isEmpty())
            return {};
        const QString path = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, entry);
        return path.isEmpty() ? QString() : DesktopEntryExec(path);
    }

    bool StartDetached(const QString& program, const QStringList& arguments) override
    {
        return QProcess::startDetached(program, arguments);
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

int OpenHyperlink(HyperlinkShell& shell, const QString& target)
{
    if (shell.ShellOpen(target))
        return kHyperlinkOpened;
    const int shellResult = kHyperlinkNoAssociation;
    const QString command = shell.HtmlHandlerCommand();
    if (command.isEmpty())
        return shellResult;
    QStringList arguments = HtmlHandlerArguments(command, target);
    if (arguments.isEmpty())
        return shellResult;
    const QString program = arguments.takeFirst();
    return shell.StartDetached(program, arguments) ? kHyperlinkOpened : kHyperlinkFileNotFound;
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
