#include "FakeDesktop.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>

FakeDesktop::FakeDesktop()
    : m_Path(qgetenv("PATH")), m_DataDirs(qgetenv("XDG_DATA_DIRS")),
      m_DataHome(qgetenv("XDG_DATA_HOME"))
{
    QDir root(m_Dir.path());
    root.mkpath(QStringLiteral("bin"));
    root.mkpath(QStringLiteral("share/applications"));
    root.mkpath(QStringLiteral("home"));
    qputenv("PATH", (Path(QStringLiteral("bin")) + u':').toUtf8() + m_Path);
    qputenv("XDG_DATA_DIRS", Path(QStringLiteral("share")).toUtf8());
    qputenv("XDG_DATA_HOME", Path(QStringLiteral("home")).toUtf8());
}

FakeDesktop::~FakeDesktop()
{
    qputenv("PATH", m_Path);
    qputenv("XDG_DATA_DIRS", m_DataDirs);
    qputenv("XDG_DATA_HOME", m_DataHome);
}

void FakeDesktop::WriteProgram(const QString& name, const QString& log, int status,
                               const QString& extra)
{
    QFile file(Path(QStringLiteral("bin/") + name));
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" > '%1'\n%2\nexit %3\n")
                   .arg(Path(log), extra)
                   .arg(status)
                   .toUtf8());
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void FakeDesktop::WriteOpener(int status)
{
    WriteProgram(QStringLiteral("xdg-open"), QStringLiteral("open.log"), status);
}

void FakeDesktop::WriteHandler(int browserStatus)
{
    WriteProgram(QStringLiteral("xdg-mime"), QStringLiteral("mime.log"), 0,
                 QStringLiteral("echo fakebrowser.desktop"));
    WriteProgram(QStringLiteral("browser"), QStringLiteral("browser.log"), browserStatus);
    WriteProgram(QStringLiteral("decoy"), QStringLiteral("decoy.log"), 0);
    QFile entry(Path(QStringLiteral("share/applications/fakebrowser.desktop")));
    if (!entry.open(QIODevice::WriteOnly))
        return;
    // Other groups have Exec lines of their own, before and after the entry's: only the
    // [Desktop Entry] group's counts.
    entry.write(QStringLiteral("# A web browser\n[Desktop Action Private]\nExec=\"%2\" private\n"
                               "[Desktop Entry]\nType=Application\nName=Fake\nExecLog=\"%2\"\n"
                               "Exec=\"%1\" --new-window %u\nActions=Private;\n"
                               "[Desktop Action Window]\nExec=\"%2\" window %u\n")
                    .arg(Path(QStringLiteral("bin/browser")), Path(QStringLiteral("bin/decoy")))
                    .toUtf8());
}

void FakeDesktop::OnlyFakesOnPath()
{
    qputenv("PATH", Path(QStringLiteral("bin")).toUtf8());
}

QString FakeDesktop::Log(const QString& name) const
{
    QFile file(Path(name));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

bool WaitUntil(const std::function<bool()>& done, int ms)
{
    const QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}
