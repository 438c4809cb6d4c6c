#pragma once

#include "wlr-foreign-toplevel-management-unstable-v1-server-protocol.h"

#include <wayland-server.h>

#include <QMutex>
#include <QStringList>
#include <QWaitCondition>

#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <functional>
#include <thread>
#include <vector>

// A stand-in Wayland compositor for tests, on a thread of its own: it advertises a seat and
// (unless told not to) zwlr_foreign_toplevel_manager_v1 with the toplevels the test adds, and
// behaves as a compositor would: a client's minimize, maximize and activate requests change the
// toplevel's states and are told back. Every request is recorded as "<request> <title>". Each
// call returns after the server has sent its events. Toplevels are numbered from 1.
class WlrToplevelServer final
{
public:
    explicit WlrToplevelServer(bool offerManager = true)
    {
        s_server = this;
        m_display = wl_display_create();
        int fds[2];
        socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds);
        m_client = wl_client_create(m_display, fds[0]);
        m_clientFd = fds[1];
        // The seat is only named in activation requests: a client asking it for devices gets none.
        wl_global_create(m_display, &wl_seat_interface, 1, this,
                         [](wl_client* c, void*, uint32_t version, uint32_t id) {
                             wl_resource_create(c, &wl_seat_interface, int(version), id);
                         });
        if (offerManager)
            wl_global_create(m_display, &zwlr_foreign_toplevel_manager_v1_interface, 3, this,
                             &bindManager);
        m_wakeFd = eventfd(0, EFD_CLOEXEC);
        wl_event_loop_add_fd(wl_display_get_event_loop(m_display), m_wakeFd, WL_EVENT_READABLE,
                             &runTask, this);
        m_thread = std::thread([display = m_display] { wl_display_run(display); });
    }
    ~WlrToplevelServer()
    {
        run([this] { wl_display_terminate(m_display); });
        m_thread.join();
        wl_display_destroy_clients(m_display);
        wl_display_destroy(m_display);
        ::close(m_wakeFd);
        if (m_clientFd >= 0)
            ::close(m_clientFd);
        s_server = nullptr;
    }
    WlrToplevelServer(const WlrToplevelServer&) = delete;
    WlrToplevelServer& operator=(const WlrToplevelServer&) = delete;

    /// The client's end of the connection (hand it to the client; once only).
    int clientFd() { return std::exchange(m_clientFd, -1); }
    int addToplevel(const QString& title, const QString& appId)
    {
        run([&] {
            m_toplevels.push_back(Toplevel{title, appId});
            announce(m_toplevels.back());
        });
        return int(m_toplevels.size());
    }
    /// Activates toplevel `number` and deactivates every other one (0: none is activated).
    void activate(int number)
    {
        run([&] {
            for (size_t n = 0; n < m_toplevels.size(); ++n) {
                Toplevel& toplevel = m_toplevels[n];
                if (toplevel.has(Activated) != (int(n) + 1 == number) && !toplevel.closed)
                    setState(toplevel, Activated, int(n) + 1 == number);
            }
        });
    }
    /// Changes the title; with `done` false the closing "done" event is left out.
    void setTitle(int number, const QString& title, bool done = true)
    {
        run([&] {
            Toplevel& toplevel = m_toplevels[size_t(number - 1)];
            toplevel.title = title;
            if (!toplevel.resource)
                return;
            zwlr_foreign_toplevel_handle_v1_send_title(toplevel.resource, title.toUtf8().data());
            if (done)
                zwlr_foreign_toplevel_handle_v1_send_done(toplevel.resource);
        });
    }
    void close(int number)
    {
        run([&] {
            Toplevel& toplevel = m_toplevels[size_t(number - 1)];
            toplevel.closed = true;
            toplevel.states &= ~(1u << Activated);
            if (toplevel.resource)
                zwlr_foreign_toplevel_handle_v1_send_closed(toplevel.resource);
        });
    }
    /// The states the server holds for toplevel `number`, as "maximized minimized activated".
    QStringList states(int number)
    {
        QStringList states;
        run([&] {
            const Toplevel& toplevel = m_toplevels[size_t(number - 1)];
            for (uint32_t state : {Maximized, Minimized, Activated}) {
                if (toplevel.has(state))
                    states << QStringList{"maximized", "minimized", "activated"}[state];
            }
        });
        return states;
    }
    QStringList requests()
    {
        run([] {}); // everything the client sent before this call has been handled
        QMutexLocker lock(&m_mutex);
        return m_requests;
    }
    /// Drops the client's connection, as a compositor that quits does.
    void disconnectClient()
    {
        run([&] {
            wl_client_destroy(m_client);
            m_manager = nullptr;
            for (Toplevel& toplevel : m_toplevels)
                toplevel.resource = nullptr;
        });
    }

private:
    static constexpr uint32_t Maximized = ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_MAXIMIZED,
                              Minimized = ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_MINIMIZED,
                              Activated = ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED;
    struct Toplevel
    {
        QString title, appId;
        uint32_t states = 0; // bit n: state n
        bool closed = false;
        bool has(uint32_t state) const { return states & (1u << state); }
        wl_resource* resource = nullptr;
    };

    // Handle resources carry their toplevel's index; the requests reach the server through this.
    static inline WlrToplevelServer* s_server = nullptr;

    static Toplevel& of(wl_resource* resource)
    {
        const auto index = reinterpret_cast<quintptr>(wl_resource_get_user_data(resource));
        return s_server->m_toplevels[size_t(index)];
    }
    void record(const QString& request)
    {
        QMutexLocker lock(&m_mutex);
        m_requests << request;
    }
    // A client's request to change a state: recorded, done and told back.
    static void request(wl_resource* resource, const char* name, uint32_t state, bool value)
    {
        s_server->record(QLatin1String(name) + ' ' + of(resource).title);
        s_server->setState(of(resource), state, value);
    }
    void setState(Toplevel& toplevel, uint32_t state, bool value)
    {
        toplevel.states = (toplevel.states & ~(1u << state)) | (uint32_t(value) << state);
        send(toplevel);
    }
    void send(Toplevel& toplevel)
    {
        if (!toplevel.resource)
            return;
        wl_array states;
        wl_array_init(&states);
        for (uint32_t state : {Maximized, Minimized, Activated}) {
            if (toplevel.has(state))
                *static_cast<uint32_t*>(wl_array_add(&states, sizeof(uint32_t))) = state;
        }
        zwlr_foreign_toplevel_handle_v1_send_state(toplevel.resource, &states);
        wl_array_release(&states);
        zwlr_foreign_toplevel_handle_v1_send_done(toplevel.resource);
    }
    void announce(Toplevel& toplevel)
    {
        if (!m_manager)
            return;
        static const struct zwlr_foreign_toplevel_handle_v1_interface handle = {
            [](wl_client*, wl_resource* r) { request(r, "set_maximized", Maximized, true); },
            [](wl_client*, wl_resource* r) { request(r, "unset_maximized", Maximized, false); },
            [](wl_client*, wl_resource* r) { request(r, "set_minimized", Minimized, true); },
            [](wl_client*, wl_resource* r) { request(r, "unset_minimized", Minimized, false); },
            [](wl_client*, wl_resource* r, wl_resource* seat) {
                Toplevel& toplevel = of(r);
                s_server->record((seat ? "activate " : "activate-without-seat ") + toplevel.title);
                for (Toplevel& other : s_server->m_toplevels) {
                    if (&other != &toplevel && other.has(Activated))
                        s_server->setState(other, Activated, false);
                }
                s_server->setState(toplevel, Activated, true);
            },
            [](wl_client*, wl_resource* r) { s_server->record("close " + of(r).title); },
            nullptr, // set_rectangle, set_fullscreen and unset_fullscreen: the client sends none
            [](wl_client*, wl_resource* r) { wl_resource_destroy(r); },
            nullptr,
            nullptr,
        };
        toplevel.resource = wl_resource_create(wl_resource_get_client(m_manager),
                                               &zwlr_foreign_toplevel_handle_v1_interface,
                                               wl_resource_get_version(m_manager), 0);
        const auto index = quintptr(&toplevel - m_toplevels.data());
        wl_resource_set_implementation(toplevel.resource, &handle, reinterpret_cast<void*>(index),
                                       [](wl_resource* r) {
                                           if (of(r).resource == r)
                                               of(r).resource = nullptr;
                                       });
        zwlr_foreign_toplevel_manager_v1_send_toplevel(m_manager, toplevel.resource);
        zwlr_foreign_toplevel_handle_v1_send_title(toplevel.resource,
                                                   toplevel.title.toUtf8().data());
        zwlr_foreign_toplevel_handle_v1_send_app_id(toplevel.resource,
                                                    toplevel.appId.toUtf8().data());
        send(toplevel);
    }
    static void bindManager(wl_client* client, void* data, uint32_t version, uint32_t id)
    {
        static const struct zwlr_foreign_toplevel_manager_v1_interface manager = {
            [](wl_client*, wl_resource* r) {
                s_server->record("stop");
                zwlr_foreign_toplevel_manager_v1_send_finished(r);
                wl_resource_destroy(r);
            },
        };
        auto* server = static_cast<WlrToplevelServer*>(data);
        server->m_manager = wl_resource_create(client, &zwlr_foreign_toplevel_manager_v1_interface,
                                               int(version), id);
        wl_resource_set_implementation(server->m_manager, &manager, server,
                                       [](wl_resource*) { s_server->m_manager = nullptr; });
        for (Toplevel& toplevel : server->m_toplevels) {
            if (!toplevel.closed)
                server->announce(toplevel);
        }
    }
    // Runs `task` on the server's thread and returns once it has run and its events are sent.
    void run(const std::function<void()>& task)
    {
        QMutexLocker lock(&m_mutex);
        m_task = task;
        const uint64_t one = 1;
        if (write(m_wakeFd, &one, sizeof one) < 0)
            return;
        while (m_task)
            m_finished.wait(&m_mutex);
    }
    static int runTask(int fd, uint32_t, void* data)
    {
        auto* server = static_cast<WlrToplevelServer*>(data);
        uint64_t count = 0;
        if (read(fd, &count, sizeof count) < 0)
            return 0;
        QMutexLocker lock(&server->m_mutex);
        std::function<void()> task = server->m_task;
        lock.unlock();
        task();
        wl_display_flush_clients(server->m_display);
        lock.relock();
        server->m_task = nullptr;
        server->m_finished.wakeAll();
        return 0;
    }

    wl_display* m_display = nullptr;
    wl_client* m_client = nullptr;
    wl_resource* m_manager = nullptr;
    int m_clientFd = -1, m_wakeFd = -1;
    std::vector<Toplevel> m_toplevels;
    std::thread m_thread;
    QMutex m_mutex;
    QWaitCondition m_finished;
    std::function<void()> m_task;
    QStringList m_requests;
};
