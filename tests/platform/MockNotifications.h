#pragma once

#include <QDBusContext>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

// A stand-in for a desktop's notification service on a private bus: it records
// every notification and answers with the capabilities a test gives it.
class MockNotifications final : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Shown
    {
        QString appName;
        uint replacesId;
        QString summary, body;
    };
    QList<Shown> shown;
    QStringList capabilities{"body", "body-markup"};

public slots:
    QStringList GetCapabilities() { return capabilities; }
    uint Notify(const QString& appName, uint replacesId, const QString&, const QString& summary,
                const QString& body, const QStringList&, const QVariantMap&, int)
    {
        shown.append({appName, replacesId, summary, body});
        return replacesId != 0 ? replacesId : uint(shown.size() + 100);
    }
};
