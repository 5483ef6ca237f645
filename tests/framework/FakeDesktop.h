#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <functional>

/// A desktop made of scripts in a temporary folder: its `bin` comes first on PATH and its
/// `share` is the only data folder, so the program's own opener runs the fakes written here.
/// The environment is restored when it goes.
class FakeDesktop
{
public:
    FakeDesktop();
    ~FakeDesktop();
    FakeDesktop(const FakeDesktop&) = delete;
    FakeDesktop& operator=(const FakeDesktop&) = delete;

    QString Path(const QString& name) const { return m_Dir.filePath(name); }
    /// Writes bin/`name`: it puts its arguments, one a line, into `log`, runs `extra` and
    /// ends with `status`.
    void WriteProgram(const QString& name, const QString& log, int status,
                      const QString& extra = {});
    /// bin/xdg-open, which logs to open.log.
    void WriteOpener(int status);
    /// bin/xdg-mime naming fakebrowser.desktop (logs to mime.log), that entry, and bin/browser
    /// it starts with "--new-window %u" (logs to browser.log); the entry's other groups name
    /// bin/decoy (logs to decoy.log).
    void WriteHandler(int browserStatus);
    /// Leaves only bin/ on PATH, so no opener but the fakes is found.
    void OnlyFakesOnPath();
    /// The text of a log, empty when the program never ran.
    QString Log(const QString& name) const;

private:
    QTemporaryDir m_Dir;
    QByteArray m_Path;
    QByteArray m_DataDirs;
    QByteArray m_DataHome;
};

/// Runs the event loop until `done` says so or `ms` have passed; returns `done()`.
bool WaitUntil(const std::function<bool()>& done, int ms = 10000);
