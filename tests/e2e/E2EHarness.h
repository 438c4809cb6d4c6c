#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// The pieces of an end-to-end test on the private X session the test runs in:
// a temporary HOME with a hotkey file, the test host started on it, key
// presses through XTest (xdotool), and the X tools that inspect windows.
class E2EHarness final
{
public:
    E2EHarness();
    ~E2EHarness();

    QString home() const { return m_home.path(); }
    QString hotkeyFile() const { return m_home.path() + "/Documents/Hotkeys.TarvexDB"; }
    /// Writes the hotkey file: one line of "combination*target" records joined by "|", then an
    /// option line for each record whose `options` (tab-separated words, by position) are set.
    bool writeHotkeys(const QStringList& records, const QStringList& options = {});
    /// The bytes of a file, nothing when it cannot be read.
    static QByteArray readFile(const QString& path);
    /// Writes an executable script in HOME that appends `word` to HOME/log; returns its path.
    QString writeLoggingTarget(const QString& name, const QString& word);
    QStringList logLines() const;
    /// Starts the test host and waits for its "ready"; false on failure.
    bool startHost();
    void stopHost();
    /// Waits up to `timeoutMs` for a host line starting with `prefix`; returns it or "".
    QString waitForHostLine(const QString& prefix, int timeoutMs = 5000);
    QStringList hostLines();
    QStringList hostLines(const QString& prefix);
    static QString run(const QString& program, const QStringList& arguments, int timeoutMs = 20000);
    static QString xdotool(const QStringList& arguments) { return run("xdotool", arguments); }
    /// The first visible window `xdotool search --onlyvisible <criteria>` finds, asked again
    /// until one is there (a search can fail while other windows come and go); "" on timeout.
    static QString findWindow(const QStringList& criteria, int timeoutMs = 20000);
    static void tapKeycode(int keycode);
    /// Locks the keyboard's layout group `group` (0 = first layout), as a layout switch does.
    static void lockLayoutGroup(int group);

private:
    QTemporaryDir m_home;
    std::unique_ptr<QProcess> m_host;
    QStringList m_lines;
    QByteArray m_partial;
};
