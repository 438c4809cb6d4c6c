#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

// A stand-in Wayland compositor for tests, on a thread of its own: it advertises a seat and
// (unless told not to) zwlr_foreign_toplevel_manager_v1 with the toplevels the test adds, and
// behaves as a compositor would: a client's minimize, maximize and activate requests change the
// toplevel's states and are told back. Every request is recorded as "<request> <title>"
// (activate as "activate <title>"). Each call returns after the server has sent its events.
class WlrToplevelServer final
{
public:
    explicit WlrToplevelServer(bool offerManager = true);
    ~WlrToplevelServer();
    WlrToplevelServer(const WlrToplevelServer&) = delete;
    WlrToplevelServer& operator=(const WlrToplevelServer&) = delete;

    /// The client's end of the connection (hand it to the client; once only).
    int clientFd();

    int addToplevel(const QString& title, const QString& appId);
    /// Activates toplevel `number` and deactivates every other one (0: none is activated).
    void activate(int number);
    /// Changes the title; with `done` false the closing "done" event is left out.
    void setTitle(int number, const QString& title, bool done = true);
    void close(int number);
    /// The states the server holds for toplevel `number`, as "maximized minimized activated".
    QStringList states(int number);
    QStringList requests();
    /// Drops the client's connection, as a compositor that quits does.
    void disconnectClient();

    struct State;

private:
    void run(const std::function<void()>& task);

    std::unique_ptr<State> m_state;
};
