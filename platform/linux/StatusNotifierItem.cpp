#include "platform/linux/StatusNotifierItem.h"

#include <QDBusAbstractAdaptor>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QImage>
#include <QtEndian>

#include <unistd.h>

namespace tarvex {

/// One picture of an icon as the protocol carries it: width, height, ARGB32 in network order.
struct SniPixmap
{
    int width = 0;
    int height = 0;
    QByteArray bytes;
};
using SniPixmaps = QList<SniPixmap>;

/// The tooltip: icon name, pictures, title, text.
struct SniToolTip
{
    QString iconName;
    SniPixmaps pixmaps;
    QString title;
    QString text;
};

} // namespace tarvex

Q_DECLARE_METATYPE(tarvex::SniPixmap)
Q_DECLARE_METATYPE(tarvex::SniToolTip)

namespace tarvex {

QDBusArgument& operator<<(QDBusArgument& out, const SniPixmap& pixmap)
{
    out.beginStructure();
    out << pixmap.width << pixmap.height << pixmap.bytes;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, SniPixmap& pixmap)
{
    in.beginStructure();
    in >> pixmap.width >> pixmap.height >> pixmap.bytes;
    in.endStructure();
    return in;
}

QDBusArgument& operator<<(QDBusArgument& out, const SniToolTip& tip)
{
    out.beginStructure();
    out << tip.iconName << tip.pixmaps << tip.title << tip.text;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, SniToolTip& tip)
{
    in.beginStructure();
    in >> tip.iconName >> tip.pixmaps >> tip.title >> tip.text;
    in.endStructure();
    return in;
}

namespace {

const QString WatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString WatcherPath = QStringLiteral("/StatusNotifierWatcher");
constexpr int PixmapSizes[] = {16, 22, 32, 48};

SniPixmaps PixmapsOf(const QIcon& icon)
{
    SniPixmaps pixmaps;
    for (const int size : PixmapSizes) {
        const QImage image =
            icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
        if (image.isNull())
            continue;
        SniPixmap pixmap{image.width(), image.height(), {}};
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const quint32*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const quint32 argb = qToBigEndian(line[x]);
                pixmap.bytes.append(reinterpret_cast<const char*>(&argb), sizeof argb);
            }
        }
        pixmaps.append(pixmap);
    }
    return pixmaps;
}

} // namespace

/// The item's interface on the bus, read by the tray.
class StatusNotifierItemAdaptor final : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
    Q_PROPERTY(QString Category READ category)
    Q_PROPERTY(QString Id READ id)
    Q_PROPERTY(QString Title READ title)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(int WindowId READ windowId)
    Q_PROPERTY(QString IconName READ iconName)
    Q_PROPERTY(tarvex::SniPixmaps IconPixmap READ iconPixmap)
    Q_PROPERTY(tarvex::SniToolTip ToolTip READ toolTip)
    Q_PROPERTY(bool ItemIsMenu READ itemIsMenu)
    Q_PROPERTY(QDBusObjectPath Menu READ menu)

public:
    explicit StatusNotifierItemAdaptor(StatusNotifierItem* item)
        : QDBusAbstractAdaptor(item), m_item(item)
    {}

    QString category() const { return QStringLiteral("ApplicationStatus"); }
    QString id() const { return QStringLiteral("tarvex-hidden-window"); }
    QString title() const { return m_item->m_title; }
    QString status() const { return QStringLiteral("Active"); }
    int windowId() const { return 0; }
    QString iconName() const { return {}; }
    SniPixmaps iconPixmap() const { return PixmapsOf(m_item->m_icon); }
    SniToolTip toolTip() const { return {{}, {}, m_item->m_title, {}}; }
    bool itemIsMenu() const { return false; }
    QDBusObjectPath menu() const { return QDBusObjectPath(QStringLiteral("/NO_DBUSMENU")); }

public Q_SLOTS:
    void Activate(int, int) { Q_EMIT m_item->activated(); }
    void SecondaryActivate(int, int) {}
    void ContextMenu(int, int) {}
    void Scroll(int, const QString&) {}

Q_SIGNALS:
    void NewTitle();
    void NewIcon();
    void NewToolTip();
    void NewStatus(const QString& status);

private:
    StatusNotifierItem* m_item;
};

bool StatusNotifierItem::TrayAvailable()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(WatcherService))
        return false;
    QDBusInterface watcher(WatcherService, WatcherPath, WatcherService, bus);
    return watcher.property("IsStatusNotifierHostRegistered").toBool();
}

StatusNotifierItem::StatusNotifierItem(int id, const QString& title, const QIcon& icon,
                                       QObject* parent)
    : QObject(parent), m_title(title), m_icon(icon)
{
    // Names never used twice in a run: a removed entry may still be going when its slot's
    // next one comes.
    static int created = 0;
    ++created;
    m_connectionName = QStringLiteral("tarvex-hidden-window-%1-%2").arg(id).arg(created);
    m_service =
        QStringLiteral("org.kde.StatusNotifierItem-%1-%2").arg(::getpid()).arg(1000 + created);
    qDBusRegisterMetaType<SniPixmap>();
    qDBusRegisterMetaType<SniPixmaps>();
    qDBusRegisterMetaType<SniToolTip>();
    new StatusNotifierItemAdaptor(this);
    // A connection of its own: when it goes, its name goes, and the tray drops the entry.
    QDBusConnection bus =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, m_connectionName);
    bus.registerObject(QStringLiteral("/StatusNotifierItem"), this,
                       QDBusConnection::ExportAdaptors);
    bus.registerService(m_service);
    QDBusMessage call = QDBusMessage::createMethodCall(
        WatcherService, WatcherPath, WatcherService, QStringLiteral("RegisterStatusNotifierItem"));
    call << m_service;
    bus.asyncCall(call);
}

StatusNotifierItem::~StatusNotifierItem()
{
    QDBusConnection bus(m_connectionName);
    bus.unregisterObject(QStringLiteral("/StatusNotifierItem"));
    bus.unregisterService(m_service);
    QDBusConnection::disconnectFromBus(m_connectionName);
}

} // namespace tarvex

#include "StatusNotifierItem.moc"
