#pragma once

#include <QDBusContext>
#include <QObject>
#include <QStringList>

// A stand-in for systemd-logind's Manager object on a private bus: it records
// every call as "Method argument" and can refuse the *WithFlags methods the way
// an older logind does.
class MockLogind final : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public:
    QStringList calls;
    bool refuseFlags = false;

public slots:
    void TerminateSession(const QString& id) { calls << "TerminateSession " + id; }
    void PowerOff(bool interactive) { record("PowerOff", interactive); }
    void Reboot(bool interactive) { record("Reboot", interactive); }
    void Halt(bool interactive) { record("Halt", interactive); }
    void PowerOffWithFlags(qulonglong flags) { recordFlags("PowerOffWithFlags", flags); }
    void RebootWithFlags(qulonglong flags) { recordFlags("RebootWithFlags", flags); }
    void HaltWithFlags(qulonglong flags) { recordFlags("HaltWithFlags", flags); }

private:
    void record(const QString& method, bool interactive)
    {
        calls << method + (interactive ? " true" : " false");
    }
    void recordFlags(const QString& method, qulonglong flags)
    {
        if (refuseFlags) {
            sendErrorReply(QDBusError::InvalidArgs, "Invalid flags parameter");
            return;
        }
        calls << method + ' ' + QString::number(flags);
    }
};
