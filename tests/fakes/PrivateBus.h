#pragma once

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>
#include <sys/prctl.h>

/// A private dbus-daemon for one test: a session bus; a session bus that starts no service
/// (Bare: a call to a name nobody owns fails at once instead of starting the desktop's own
/// services); or a system bus for services that talk to logind and polkit (point them at it with
/// DBUS_SYSTEM_BUS_ADDRESS). The daemon ends with its owner, also when the owner is killed;
/// address() is empty when it did not start.
class PrivateBus final
{
public:
    enum class Kind { Session, Bare, System };

    explicit PrivateBus(Kind kind = Kind::Session)
    {
        QStringList arguments{QStringLiteral("--session")};
        if (kind != Kind::Session) {
            QFile file(m_folder.filePath("bus.conf"));
            if (!file.open(QIODevice::WriteOnly))
                return;
            file.write("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-BUS Bus Configuration "
                       "1.0//EN\" \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">"
                       "\n<busconfig><type>" +
                       QByteArray(kind == Kind::System ? "system" : "session") +
                       "</type><listen>unix:path=" + QFile::encodeName(m_folder.filePath("bus")) +
                       "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                       "<allow user=\"*\"/><allow own=\"*\"/><allow send_destination=\"*\"/>"
                       "<allow receive_sender=\"*\"/></policy></busconfig>\n");
            arguments = QStringList{"--config-file=" + file.fileName()};
        }
        m_daemon.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
        m_daemon.start("dbus-daemon", arguments + QStringList{"--nofork", "--print-address=1"});
        if (m_daemon.waitForReadyRead(10000))
            m_address = QString::fromUtf8(m_daemon.readLine().trimmed());
    }
    ~PrivateBus()
    {
        m_daemon.terminate();
        m_daemon.waitForFinished();
    }
    const QString& address() const { return m_address; }

private:
    QTemporaryDir m_folder;
    QProcess m_daemon;
    QString m_address;
};
