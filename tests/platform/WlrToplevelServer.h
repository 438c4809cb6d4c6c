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

// A stand-in Wayland compositor on a thread of its own: it advertises a seat and (unless told
// not to) zwlr_foreign_toplevel_manager_v1 with the toplevels the test adds (numbered from 1),
// and records each request as "<request> <title>". Each call returns after its events are sent.
class WlrToplevelServer final
{
public:
    explicit WlrToplevelServer(bool offerManager = true) : m_display(wl_display_create())
    {
        s_server = this;
        int fds[2];
        socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds);
        wl_client_create(m_display, fds[0]);
        m_clientFd = fds[1];
        wl_global_create(m_display, &wl_seat_interface, 1, this,
                         [](wl_client* c, void*, uint32_t version, uint32_t id) {
                             wl_resource_create(c, &wl_seat_interface, int(version), id);
                         });
        if (offerManager)
            wl_global_create(m_display, &zwlr_foreign_toplevel_manager_v1_interface, 3, this,
                             &bindManager);
        wl_event_loop_add_fd(wl_display_get_event_loop(m_display), m_wakeFd, WL_EVENT_READABLE,
                             &runTask, nullptr);
        m_thread = std::thread([this] { wl_display_run(m_display); });
    }
    ~WlrToplevelServer()
    {
        run([this] { wl_display_terminate(m_display); });
        m_thread.join();
        wl_display_destroy_clients(m_display);
        wl_display_destroy(m_display);
        ::close(m_wakeFd);
    }

    int clientFd() const { return m_clientFd; } // hand it to the client, which owns it then
    int addToplevel(const QString& title, const QString& appId)
    {
        run([&] { m_toplevels.push_back({title, appId}), announce(m_toplevels.size() - 1); });
        return int(m_toplevels.size());
    }
    /// Activates toplevel `number` and deactivates every other one (0: none is activated).
    void activate(int number)
    {
        run([&] {
            for (size_t n = 0; n < m_toplevels.size(); ++n)
                setActivated(m_toplevels[n], int(n) + 1 == number);
        });
    }
    QStringList requests()
    {
        QMutexLocker lock(&m_mutex);
        return m_requests;
    }

private:
    struct Toplevel
    {
        QString title, appId;
        wl_resource* resource = nullptr;
        bool activated = false;
    };
    static inline WlrToplevelServer* s_server = nullptr;

    static void record(wl_resource* handle, const char* request)
    {
        const auto index = reinterpret_cast<quintptr>(wl_resource_get_user_data(handle));
        QMutexLocker lock(&s_server->m_mutex);
        s_server->m_requests << QLatin1String(request) + ' ' + s_server->m_toplevels[index].title;
    }
    void setActivated(Toplevel& toplevel, bool activated)
    {
        uint32_t state = ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED;
        wl_array states{(toplevel.activated = activated) ? sizeof state : 0, sizeof state, &state};
        if (toplevel.resource)
            zwlr_foreign_toplevel_handle_v1_send_state(toplevel.resource, &states),
                zwlr_foreign_toplevel_handle_v1_send_done(toplevel.resource);
    }
    void announce(size_t index)
    {
        if (!m_manager)
            return;
        static const struct zwlr_foreign_toplevel_handle_v1_interface handle = {
            [](wl_client*, wl_resource* r) { record(r, "set_maximized"); },
            nullptr, // unset_maximized, set_rectangle and the fullscreen ones: the client sends
                     // none
            [](wl_client*, wl_resource* r) { record(r, "set_minimized"); },
            [](wl_client*, wl_resource* r) { record(r, "unset_minimized"); },
            [](wl_client*, wl_resource* r, wl_resource*) { record(r, "activate"); },
            [](wl_client*, wl_resource* r) { record(r, "close"); }, nullptr,
            [](wl_client*, wl_resource* r) { wl_resource_destroy(r); }, nullptr, nullptr};
        Toplevel& toplevel = m_toplevels[index];
        toplevel.resource = wl_resource_create(wl_resource_get_client(m_manager),
                                               &zwlr_foreign_toplevel_handle_v1_interface,
                                               wl_resource_get_version(m_manager), 0);
        wl_resource_set_implementation(toplevel.resource, &handle, reinterpret_cast<void*>(index),
                                       nullptr);
        zwlr_foreign_toplevel_manager_v1_send_toplevel(m_manager, toplevel.resource);
        zwlr_foreign_toplevel_handle_v1_send_title(toplevel.resource, qPrintable(toplevel.title));
        zwlr_foreign_toplevel_handle_v1_send_app_id(toplevel.resource, qPrintable(toplevel.appId));
        setActivated(toplevel, toplevel.activated);
    }
    static void bindManager(wl_client* client, void*, uint32_t version, uint32_t id)
    {
        static const struct zwlr_foreign_toplevel_manager_v1_interface manager = {
            [](wl_client*, wl_resource*) {}};
        s_server->m_manager = wl_resource_create(
            client, &zwlr_foreign_toplevel_manager_v1_interface, int(version), id);
        wl_resource_set_implementation(s_server->m_manager, &manager, nullptr, nullptr);
        for (size_t index = 0; index < s_server->m_toplevels.size(); ++index)
            s_server->announce(index);
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
    static int runTask(int fd, uint32_t, void*)
    {
        uint64_t count = 0;
        QMutexLocker lock(&s_server->m_mutex);
        if (read(fd, &count, sizeof count) >= 0)
            s_server->m_task(), wl_display_flush_clients(s_server->m_display);
        s_server->m_task = nullptr;
        s_server->m_finished.wakeAll();
        return 0;
    }

    wl_display* m_display;
    wl_resource* m_manager = nullptr;
    int m_clientFd = -1, m_wakeFd = eventfd(0, EFD_CLOEXEC);
    std::vector<Toplevel> m_toplevels;
    std::thread m_thread;
    QMutex m_mutex;
    QWaitCondition m_finished;
    std::function<void()> m_task;
    QStringList m_requests;
};
