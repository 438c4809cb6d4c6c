#pragma once

#include <QMap>
#include <QObject>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QStringList>

#include <memory>
#include <vector>

#include "E2EHarness.h"

// The whole program, build/tarvex, as a user meets it on the private X session of an end-to-end
// test: started in the test's HOME, observed with the X tools, driven with the mouse and keys.
class AppDriver final
{
public:
    explicit AppDriver(E2EHarness& harness) : m_harness(harness) {}
    ~AppDriver();

    // For programs started from now on: the session bus (none: tray icons go to XEmbed), and
    // environment variables (a null value removes one).
    void setSessionBus(const QString& address) { m_sessionBus = address; }
    void setEnvironment(const QString& name, const QString& value) { m_changes[name] = value; }
    QProcess& start(const QStringList& arguments);
    std::unique_ptr<QProcess>
    startAnother(const QStringList& arguments,
                 QProcess::ProcessChannelMode channels = QProcess::ForwardedChannels);
    QProcess& program() { return *m_program; }
    // Asks the program under test to end (SIGTERM), killing it when it has not after 3 seconds.
    void stop();

    // The program's windows that the window manager manages (its task list), by title.
    QStringList managedWindows() const;
    QStringList embeddedIcons() const;
    QString waitForProgramIcon() const;
    // The shown program window titled "Tarvex" whose width lies in [minWidth, maxWidth].
    QString programWindow(int minWidth, int maxWidth) const;
    bool mainWindowShown() const { return !programWindow(300, 400).isEmpty(); }
    // Waits for a shown window titled `title` that is not among `before`; "" when none came.
    QString waitForNewWindow(const QString& title, const QStringList& before = {}) const;
    // Waits for the first shown window titled `title` on the display, and for the window manager
    // to make it active; "" when none came.
    static QString waitForWindow(const QString& title);
    static QString settled(const QString& window);
    static bool windowGone(const QString& title);

    // Starts an xmessage window titled `title` (or the program `command` with "-title" `title`),
    // activates it and returns its id ("" when the window manager never made it the active
    // window).
    QString openVictim(const QString& title, const QString& command = QString());
    QProcess& lastVictim() { return *m_victims.back(); }
    static qulonglong activeWindow();
    // Right-clicks `icon` and picks menu item `position` (1 Open, 2 Settings, 3 Pause Hotkeys,
    // 4 Help, 5 Exit).
    void chooseFromTrayMenu(const QString& icon, int position);
    static void clickIn(const QString& window, QPoint at);
    static QRect geometryOf(const QString& window);
    // The centre of a control designed at left, top, width, height twips (15 twips a pixel).
    static QPoint designed(int left, int top, int width, int height);
    static QPoint centreOf(const QString& window);
    static QString mapState(const QString& window);
    static void doubleClick(const QPoint& at);
    static void click(const QPoint& at, const QString& button = "1");
    static void press(const QString& keys);

private:
    QStringList shownWindows(const QString& title) const;
    QProcessEnvironment environment() const;

    E2EHarness& m_harness;
    QString m_sessionBus;
    QMap<QString, QString> m_changes;
    std::unique_ptr<QProcess> m_program;
    std::vector<std::unique_ptr<QProcess>> m_victims;
};

// The fixture of the whole-program tests: each test function gets a fresh harness (its own
// HOME) and a driver of the program, both gone when it ends.
class AppTestCase : public QObject
{
    Q_OBJECT

public:
    ~AppTestCase() override;

private slots:
    void init();
    void cleanup();

protected:
    std::unique_ptr<E2EHarness> m_harness;
    std::unique_ptr<AppDriver> m_app;
};
