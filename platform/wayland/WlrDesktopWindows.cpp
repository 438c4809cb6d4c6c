#include "platform/wayland/WlrDesktopWindows.h"

#include "platform/wayland/SwayIpc.h"
#include "platform/wayland/WaylandLogging.h"

#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QSocketNotifier>

#include <wayland-client.h>

#include <cstring>

namespace tarvex {

Q_LOGGING_CATEGORY(lcWayland, "tarvex.wayland")

namespace {

constexpr int kTitleLength = 50;
// The protocol version whose events the listeners below handle.
constexpr uint32_t kManagerVersion = 3;

// At most 50 characters, without cutting a surrogate pair in two.
QString shortTitle(const QString& title)
{
    if (title.size() <= kTitleLength)
        return title;
    const bool splitsPair = title.at(kTitleLength - 1).isHighSurrogate();
    return title.left(splitsPair ? kTitleLength - 1 : kTitleLength);
}

struct SwayView
{
    qint64 id = 0;
    bool floating = false;
};

// The view of sway's tree that shows `title` and `appId`, the focused one first.
std::optional<SwayView> swayViewOf(const QJsonDocument& tree, const QString& title,
                                   const QString& appId)
{
    std::optional<SwayView> found;
    QList<QPair<QJsonObject, bool>> nodes{{tree.object(), false}};
    while (!nodes.isEmpty()) {
        const auto [node, floating] = nodes.takeLast();
        if (node.contains(u"app_id") && node.value(u"app_id").toString() == appId &&
            node.value(u"name").toString() == title && (!found || node.value(u"focused").toBool()))
            found = SwayView{node.value(u"id").toInteger(), floating};
        for (const QJsonValue& child : node.value(u"nodes").toArray())
            nodes.append({child.toObject(), floating});
        for (const QJsonValue& child : node.value(u"floating_nodes").toArray())
            nodes.append({child.toObject(), true});
    }
    return found;
}

} // namespace

// What the compositor last said of one toplevel. Title, app id and states arrive in separate
// events and take effect together at "done", so a half-told change is never seen.
struct WlrDesktopWindows::Toplevel
{
    WindowId id = 0;
    zwlr_foreign_toplevel_handle_v1* handle = nullptr;
    quint64* activations = nullptr;
    QString title, appId;
    QString pendingTitle, pendingAppId;
    bool pendingActivated = false;
    bool activated = false;
    // Raises with each activation, so the latest of several activated toplevels wins.
    quint64 activatedAt = 0;
    bool closed = false;
    // Where sway keeps the window while it is hidden in the scratchpad (0: not there).
    qint64 swayContainer = 0;
    bool swayFloating = false;
};

namespace {

using Toplevel = WlrDesktopWindows::Toplevel;

void handleTitle(void* data, zwlr_foreign_toplevel_handle_v1*, const char* title)
{
    static_cast<Toplevel*>(data)->pendingTitle = QString::fromUtf8(title);
}

void handleAppId(void* data, zwlr_foreign_toplevel_handle_v1*, const char* appId)
{
    static_cast<Toplevel*>(data)->pendingAppId = QString::fromUtf8(appId);
}

void handleOutput(void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {}

void handleState(void* data, zwlr_foreign_toplevel_handle_v1*, wl_array* states)
{
    auto* toplevel = static_cast<Toplevel*>(data);
    toplevel->pendingActivated = false;
    const auto* state = static_cast<const uint32_t*>(states->data);
    for (size_t n = 0; n < states->size / sizeof(uint32_t); ++n) {
        if (state[n] == ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED)
            toplevel->pendingActivated = true;
    }
}

void handleParent(void*, zwlr_foreign_toplevel_handle_v1*, zwlr_foreign_toplevel_handle_v1*) {}

void handleDone(void* data, zwlr_foreign_toplevel_handle_v1*)
{
    auto* toplevel = static_cast<Toplevel*>(data);
    toplevel->title = toplevel->pendingTitle;
    toplevel->appId = toplevel->pendingAppId;
    if (toplevel->pendingActivated && !toplevel->activated)
        toplevel->activatedAt = ++*toplevel->activations;
    toplevel->activated = toplevel->pendingActivated;
}

void handleClosed(void* data, zwlr_foreign_toplevel_handle_v1* handle)
{
    auto* toplevel = static_cast<Toplevel*>(data);
    zwlr_foreign_toplevel_handle_v1_destroy(handle);
    toplevel->handle = nullptr;
    toplevel->closed = true;
}

const zwlr_foreign_toplevel_handle_v1_listener kHandleListener = {
    handleTitle, handleAppId, handleOutput, handleOutput,
    handleState, handleDone,  handleClosed, handleParent,
};

} // namespace

WlrDesktopWindows::WlrDesktopWindows()
    : m_connection(wl_display_connect(nullptr),
                   [this](wl_registry* registry, uint32_t name, const char* interface,
                          uint32_t version) { bindGlobal(registry, name, interface, version); })
{
    if (!m_connection.display()) {
        qCWarning(lcWayland) << "No Wayland compositor to ask for the windows of other programs";
        return;
    }
    start();
}

WlrDesktopWindows::WlrDesktopWindows(int fd)
    : m_connection(wl_display_connect_to_fd(fd),
                   [this](wl_registry* registry, uint32_t name, const char* interface,
                          uint32_t version) { bindGlobal(registry, name, interface, version); })
{
    if (!m_connection.display()) {
        qCWarning(lcWayland) << "The Wayland connection could not be set up";
        return;
    }
    start();
}

WlrDesktopWindows::~WlrDesktopWindows()
{
    m_notifier.reset();
    for (auto& [id, toplevel] : m_toplevels) {
        if (toplevel->handle)
            zwlr_foreign_toplevel_handle_v1_destroy(toplevel->handle);
    }
    if (m_manager)
        zwlr_foreign_toplevel_manager_v1_destroy(m_manager);
}

void WlrDesktopWindows::start()
{
    // The first round trip binds the globals, the second brings the toplevels they announce.
    wl_display_roundtrip(m_connection.display());
    wl_display_roundtrip(m_connection.display());
    m_notifier = std::make_unique<QSocketNotifier>(wl_display_get_fd(m_connection.display()),
                                                   QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, [this] { readEvents(); });
    if (!m_manager)
        qCInfo(lcWayland) << "The compositor does not offer zwlr_foreign_toplevel_manager_v1";
}

// The seat, named in activation requests, is the connection's.
void WlrDesktopWindows::bindGlobal(wl_registry* registry, uint32_t name, const char* interface,
                                   uint32_t version)
{
    if (std::strcmp(interface, zwlr_foreign_toplevel_manager_v1_interface.name) == 0 &&
        !m_manager) {
        static const zwlr_foreign_toplevel_manager_v1_listener listener = {&managerToplevel,
                                                                           &managerFinished};
        m_manager = static_cast<zwlr_foreign_toplevel_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_foreign_toplevel_manager_v1_interface,
                             std::min(version, kManagerVersion)));
        zwlr_foreign_toplevel_manager_v1_add_listener(m_manager, &listener, this);
    }
}

void WlrDesktopWindows::managerToplevel(void* data, zwlr_foreign_toplevel_manager_v1*,
                                        zwlr_foreign_toplevel_handle_v1* handle)
{
    auto* self = static_cast<WlrDesktopWindows*>(data);
    auto toplevel = std::make_unique<Toplevel>();
    toplevel->id = self->m_nextId++;
    toplevel->handle = handle;
    toplevel->activations = &self->m_activations;
    zwlr_foreign_toplevel_handle_v1_add_listener(handle, &kHandleListener, toplevel.get());
    self->m_toplevels.emplace(toplevel->id, std::move(toplevel));
}

void WlrDesktopWindows::managerFinished(void* data, zwlr_foreign_toplevel_manager_v1* manager)
{
    auto* self = static_cast<WlrDesktopWindows*>(data);
    zwlr_foreign_toplevel_manager_v1_destroy(manager);
    self->m_manager = nullptr;
    qCInfo(lcWayland) << "The compositor stopped telling the toplevels";
}

bool WlrDesktopWindows::isAvailable() const
{
    return m_connection.display() && m_manager && !m_broken;
}

// Takes in everything the compositor has said until now.
void WlrDesktopWindows::sync()
{
    if (!m_connection.display())
        return;
    if (wl_display_roundtrip(m_connection.display()) < 0)
        lost();
    std::erase_if(m_toplevels, [](const auto& entry) { return entry.second->closed; });
}

void WlrDesktopWindows::readEvents()
{
    if (!m_connection.display())
        return;
    while (wl_display_prepare_read(m_connection.display()) != 0) {
        if (wl_display_dispatch_pending(m_connection.display()) < 0) {
            lost();
            return;
        }
    }
    if (wl_display_read_events(m_connection.display()) < 0 ||
        wl_display_dispatch_pending(m_connection.display()) < 0) {
        lost();
        return;
    }
    std::erase_if(m_toplevels, [](const auto& entry) { return entry.second->closed; });
}

// The compositor is gone or refused us: from now on there are no windows to act on.
void WlrDesktopWindows::lost()
{
    if (m_broken)
        return;
    m_broken = true;
    qCWarning(lcWayland) << "The connection to the Wayland compositor broke:"
                         << std::strerror(wl_display_get_error(m_connection.display()));
    if (m_notifier)
        m_notifier->setEnabled(false);
    for (auto& [id, toplevel] : m_toplevels) {
        if (toplevel->handle)
            zwlr_foreign_toplevel_handle_v1_destroy(toplevel->handle);
        toplevel->handle = nullptr;
        toplevel->closed = true;
    }
}

WlrDesktopWindows::Toplevel* WlrDesktopWindows::find(WindowId window)
{
    const auto it = m_toplevels.find(window);
    if (it == m_toplevels.end() || it->second->closed || !it->second->handle)
        return nullptr;
    return it->second.get();
}

void WlrDesktopWindows::flush()
{
    if (m_connection.display() && wl_display_flush(m_connection.display()) < 0 && errno != EAGAIN)
        lost();
}

WindowId WlrDesktopWindows::foregroundWindow()
{
    sync();
    const Toplevel* latest = nullptr;
    for (const auto& [id, toplevel] : m_toplevels) {
        if (!toplevel->closed && toplevel->activated &&
            (!latest || toplevel->activatedAt > latest->activatedAt))
            latest = toplevel.get();
    }
    return latest ? latest->id : 0;
}

void WlrDesktopWindows::closeWindow(WindowId window)
{
    if (Toplevel* toplevel = find(window)) {
        zwlr_foreign_toplevel_handle_v1_close(toplevel->handle);
        flush();
    }
}

void WlrDesktopWindows::minimizeWindow(WindowId window)
{
    if (Toplevel* toplevel = find(window)) {
        zwlr_foreign_toplevel_handle_v1_set_minimized(toplevel->handle);
        flush();
    }
}

void WlrDesktopWindows::maximizeWindow(WindowId window)
{
    if (Toplevel* toplevel = find(window)) {
        zwlr_foreign_toplevel_handle_v1_set_maximized(toplevel->handle);
        flush();
    }
}

void WlrDesktopWindows::useSwayScratchpad(std::unique_ptr<SwayIpc> sway)
{
    m_sway = std::move(sway);
}

void WlrDesktopWindows::hideWindow(WindowId window)
{
    Toplevel* toplevel = find(window);
    if (!toplevel)
        return;
    if (m_sway) {
        const std::optional<QJsonDocument> tree = m_sway->tree();
        const std::optional<SwayView> view =
            tree ? swayViewOf(*tree, toplevel->title, toplevel->appId) : std::nullopt;
        if (view && m_sway->command(QStringLiteral("[con_id=%1] move scratchpad").arg(view->id))) {
            toplevel->swayContainer = view->id;
            toplevel->swayFloating = view->floating;
            return;
        }
    }
    minimizeWindow(window);
}

void WlrDesktopWindows::showWindow(WindowId window)
{
    Toplevel* toplevel = find(window);
    if (toplevel && toplevel->swayContainer != 0 && m_sway) {
        // "scratchpad show" brings the window back floating; a tiled one is tiled again.
        const QString criteria = QStringLiteral("[con_id=%1] ").arg(toplevel->swayContainer);
        QString commands = criteria + QStringLiteral("scratchpad show");
        if (!toplevel->swayFloating)
            commands += QStringLiteral("; ") + criteria + QStringLiteral("floating disable");
        commands += QStringLiteral("; ") + criteria + QStringLiteral("focus");
        m_sway->command(commands);
        toplevel->swayContainer = 0;
        return;
    }
    if (toplevel) {
        zwlr_foreign_toplevel_handle_v1_unset_minimized(toplevel->handle);
        if (m_connection.seat())
            zwlr_foreign_toplevel_handle_v1_activate(toplevel->handle, m_connection.seat());
        flush();
    }
}

QString WlrDesktopWindows::windowTitle(WindowId window)
{
    const Toplevel* toplevel = find(window);
    return toplevel ? shortTitle(toplevel->title) : QString();
}

QString WlrDesktopWindows::windowAppId(WindowId window)
{
    const Toplevel* toplevel = find(window);
    return toplevel ? toplevel->appId : QString();
}

QStringList WlrDesktopWindows::applicationNames(WindowId window)
{
    const QString appId = windowAppId(window);
    return appId.isEmpty() ? QStringList() : QStringList{appId};
}

QStringList WlrDesktopWindows::runningApplications()
{
    sync();
    QStringList appIds;
    for (const auto& [id, toplevel] : m_toplevels) {
        if (!toplevel->closed && !toplevel->appId.isEmpty() &&
            !appIds.contains(toplevel->appId, Qt::CaseInsensitive))
            appIds.append(toplevel->appId);
    }
    return appIds;
}

} // namespace tarvex
