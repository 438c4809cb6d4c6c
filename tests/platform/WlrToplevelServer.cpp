#include "tests/platform/WlrToplevelServer.h"

#include "wlr-foreign-toplevel-management-unstable-v1-server-protocol.h"

#include <wayland-server.h>

#include <QMutex>
#include <QWaitCondition>

#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <deque>
#include <thread>
#include <vector>

struct ServerToplevel
{
    QString title, appId;
    bool maximized = false, minimized = false, activated = false;
    bool closed = false;
    wl_resource* resource = nullptr;
};

struct WlrToplevelServer::State
{
    wl_display* display = nullptr;
    wl_client* client = nullptr;
    int clientFd = -1;
    int wakeFd = -1;
    wl_resource* manager = nullptr;
    std::vector<ServerToplevel> toplevels;
    std::thread thread;

    QMutex mutex;
    QWaitCondition finished;
    std::deque<std::function<void()>> tasks;
    quint64 posted = 0, done = 0;
    QStringList requests;

    void record(const QString& request)
    {
        QMutexLocker lock(&mutex);
        requests << request;
    }
    ServerToplevel* of(wl_resource* resource)
    {
        return &toplevels[size_t(reinterpret_cast<quintptr>(wl_resource_get_user_data(resource)))];
    }
    void sendState(ServerToplevel& toplevel, bool done = true);
    void announce(size_t index);
};

namespace {

using State = WlrToplevelServer::State;

// Handle resources carry their toplevel's index, so the requests reach the one server of the
// test through this.
State* g_state = nullptr;

void changeState(wl_resource* resource, const char* request, bool ServerToplevel::*flag, bool value)
{
    ServerToplevel* toplevel = g_state->of(resource);
    g_state->record(QString::fromLatin1(request) + ' ' + toplevel->title);
    toplevel->*flag = value;
    g_state->sendState(*toplevel);
}

const struct zwlr_foreign_toplevel_handle_v1_interface kHandleImplementation = {
    [](wl_client*, wl_resource* r) {
        changeState(r, "set_maximized", &ServerToplevel::maximized, true);
    },
    [](wl_client*, wl_resource* r) {
        changeState(r, "unset_maximized", &ServerToplevel::maximized, false);
    },
    [](wl_client*, wl_resource* r) {
        changeState(r, "set_minimized", &ServerToplevel::minimized, true);
    },
    [](wl_client*, wl_resource* r) {
        changeState(r, "unset_minimized", &ServerToplevel::minimized, false);
    },
    [](wl_client*, wl_resource* r, wl_resource* seat) {
        ServerToplevel* toplevel = g_state->of(r);
        g_state->record((seat ? "activate " : "activate-without-seat ") + toplevel->title);
        for (ServerToplevel& other : g_state->toplevels) {
            if (&other != toplevel && other.activated) {
                other.activated = false;
                g_state->sendState(other);
            }
        }
        toplevel->activated = true;
        g_state->sendState(*toplevel);
    },
    [](wl_client*, wl_resource* r) { g_state->record("close " + g_state->of(r)->title); },
    nullptr, // set_rectangle, set_fullscreen and unset_fullscreen: the client sends none
    [](wl_client*, wl_resource* r) { wl_resource_destroy(r); },
    nullptr,
    nullptr,
};

void handleDestroyed(wl_resource* resource)
{
    ServerToplevel* toplevel = g_state->of(resource);
    if (toplevel->resource == resource)
        toplevel->resource = nullptr;
}

const struct zwlr_foreign_toplevel_manager_v1_interface kManagerImplementation = {
    [](wl_client*, wl_resource* r) {
        g_state->record("stop");
        zwlr_foreign_toplevel_manager_v1_send_finished(r);
        wl_resource_destroy(r);
    },
};

void bindManager(wl_client* client, void* data, uint32_t version, uint32_t id)
{
    auto* state = static_cast<State*>(data);
    state->manager =
        wl_resource_create(client, &zwlr_foreign_toplevel_manager_v1_interface, int(version), id);
    wl_resource_set_implementation(state->manager, &kManagerImplementation, state,
                                   [](wl_resource*) { g_state->manager = nullptr; });
    for (size_t n = 0; n < state->toplevels.size(); ++n) {
        if (!state->toplevels[n].closed)
            state->announce(n);
    }
}

void bindSeat(wl_client* client, void*, uint32_t version, uint32_t id)
{
    // Only named in activation requests; a client asking it for devices gets none.
    wl_resource_create(client, &wl_seat_interface, int(version), id);
}

int runTasks(int fd, uint32_t, void* data)
{
    auto* state = static_cast<State*>(data);
    uint64_t count = 0;
    if (read(fd, &count, sizeof count) < 0)
        return 0;
    for (;;) {
        std::function<void()> task;
        {
            QMutexLocker lock(&state->mutex);
            if (state->tasks.empty())
                break;
            task = std::move(state->tasks.front());
            state->tasks.pop_front();
        }
        task();
        wl_display_flush_clients(state->display);
        QMutexLocker lock(&state->mutex);
        ++state->done;
        state->finished.wakeAll();
    }
    return 0;
}

} // namespace

void State::sendState(ServerToplevel& toplevel, bool sendDone)
{
    if (!toplevel.resource)
        return;
    wl_array states;
    wl_array_init(&states);
    const auto add = [&](uint32_t value) {
        *static_cast<uint32_t*>(wl_array_add(&states, sizeof(uint32_t))) = value;
    };
    if (toplevel.maximized)
        add(ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_MAXIMIZED);
    if (toplevel.minimized)
        add(ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_MINIMIZED);
    if (toplevel.activated)
        add(ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED);
    zwlr_foreign_toplevel_handle_v1_send_state(toplevel.resource, &states);
    wl_array_release(&states);
    if (sendDone)
        zwlr_foreign_toplevel_handle_v1_send_done(toplevel.resource);
}

void State::announce(size_t index)
{
    if (!manager)
        return;
    ServerToplevel& toplevel = toplevels[index];
    toplevel.resource = wl_resource_create(wl_resource_get_client(manager),
                                           &zwlr_foreign_toplevel_handle_v1_interface,
                                           wl_resource_get_version(manager), 0);
    wl_resource_set_implementation(toplevel.resource, &kHandleImplementation,
                                   reinterpret_cast<void*>(quintptr(index)), &handleDestroyed);
    zwlr_foreign_toplevel_manager_v1_send_toplevel(manager, toplevel.resource);
    zwlr_foreign_toplevel_handle_v1_send_title(toplevel.resource,
                                               toplevel.title.toUtf8().constData());
    zwlr_foreign_toplevel_handle_v1_send_app_id(toplevel.resource,
                                                toplevel.appId.toUtf8().constData());
    sendState(toplevel);
}

WlrToplevelServer::WlrToplevelServer(bool offerManager) : m_state(std::make_unique<State>())
{
    State& s = *m_state;
    g_state = &s;
    s.display = wl_display_create();
    int fds[2];
    socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds);
    s.client = wl_client_create(s.display, fds[0]);
    s.clientFd = fds[1];
    wl_global_create(s.display, &wl_seat_interface, 1, &s, &bindSeat);
    if (offerManager)
        wl_global_create(s.display, &zwlr_foreign_toplevel_manager_v1_interface, 3, &s,
                         &bindManager);
    s.wakeFd = eventfd(0, EFD_CLOEXEC);
    wl_event_loop_add_fd(wl_display_get_event_loop(s.display), s.wakeFd, WL_EVENT_READABLE,
                         &runTasks, &s);
    s.thread = std::thread([display = s.display] { wl_display_run(display); });
}

WlrToplevelServer::~WlrToplevelServer()
{
    State& s = *m_state;
    run([&s] { wl_display_terminate(s.display); });
    s.thread.join();
    wl_display_destroy_clients(s.display);
    wl_display_destroy(s.display);
    ::close(s.wakeFd);
    if (s.clientFd >= 0)
        ::close(s.clientFd);
    g_state = nullptr;
}

void WlrToplevelServer::run(const std::function<void()>& task)
{
    State& s = *m_state;
    QMutexLocker lock(&s.mutex);
    s.tasks.push_back(task);
    const quint64 mine = ++s.posted;
    const uint64_t one = 1;
    if (write(s.wakeFd, &one, sizeof one) < 0)
        return;
    while (s.done < mine)
        s.finished.wait(&s.mutex);
}

int WlrToplevelServer::clientFd()
{
    const int fd = m_state->clientFd;
    m_state->clientFd = -1;
    return fd;
}

int WlrToplevelServer::addToplevel(const QString& title, const QString& appId)
{
    int number = 0;
    run([&] {
        State& s = *m_state;
        s.toplevels.push_back(ServerToplevel{title, appId});
        number = int(s.toplevels.size());
        s.announce(s.toplevels.size() - 1);
    });
    return number;
}

void WlrToplevelServer::activate(int number)
{
    run([&] {
        for (size_t n = 0; n < m_state->toplevels.size(); ++n) {
            ServerToplevel& toplevel = m_state->toplevels[n];
            const bool activated = int(n) + 1 == number;
            if (toplevel.activated != activated && !toplevel.closed) {
                toplevel.activated = activated;
                m_state->sendState(toplevel);
            }
        }
    });
}

void WlrToplevelServer::setTitle(int number, const QString& title, bool done)
{
    run([&] {
        ServerToplevel& toplevel = m_state->toplevels[size_t(number - 1)];
        toplevel.title = title;
        if (!toplevel.resource)
            return;
        zwlr_foreign_toplevel_handle_v1_send_title(toplevel.resource, title.toUtf8().constData());
        if (done)
            zwlr_foreign_toplevel_handle_v1_send_done(toplevel.resource);
    });
}

void WlrToplevelServer::close(int number)
{
    run([&] {
        ServerToplevel& toplevel = m_state->toplevels[size_t(number - 1)];
        toplevel.closed = true;
        toplevel.activated = false;
        if (toplevel.resource)
            zwlr_foreign_toplevel_handle_v1_send_closed(toplevel.resource);
    });
}

QStringList WlrToplevelServer::states(int number)
{
    QStringList states;
    run([&] {
        const ServerToplevel& toplevel = m_state->toplevels[size_t(number - 1)];
        if (toplevel.maximized)
            states << "maximized";
        if (toplevel.minimized)
            states << "minimized";
        if (toplevel.activated)
            states << "activated";
    });
    return states;
}

QStringList WlrToplevelServer::requests()
{
    run([] {}); // everything the client sent before this call has been handled
    QMutexLocker lock(&m_state->mutex);
    return m_state->requests;
}

void WlrToplevelServer::disconnectClient()
{
    run([&] {
        if (m_state->client)
            wl_client_destroy(m_state->client);
        m_state->client = nullptr;
        m_state->manager = nullptr;
        for (ServerToplevel& toplevel : m_state->toplevels)
            toplevel.resource = nullptr;
    });
}
