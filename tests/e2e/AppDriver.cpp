#include "AppDriver.h"

#include "E2EHarness.h"

#include <QtTest>

AppDriver::~AppDriver()
{
    if (m_program && m_program->state() != QProcess::NotRunning) {
        m_program->kill();
        m_program->waitForFinished();
    }
    for (auto& victim : m_victims) {
        victim->kill();
        victim->waitForFinished();
    }
}

void AppDriver::stop()
{
    if (m_program && m_program->state() != QProcess::NotRunning) {
        m_program->terminate();
        if (!m_program->waitForFinished(3000))
            m_program->kill();
        m_program->waitForFinished();
    }
    m_program.reset();
}

QProcessEnvironment AppDriver::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", m_harness.home());
    env.insert("XDG_CONFIG_HOME", m_harness.home() + "/.config");
    env.insert("XDG_RUNTIME_DIR", m_harness.home());
    env.insert("QT_QPA_PLATFORM", "xcb");
    if (m_sessionBus.isEmpty())
        env.remove("DBUS_SESSION_BUS_ADDRESS");
    else
        env.insert("DBUS_SESSION_BUS_ADDRESS", m_sessionBus);
    for (auto change = m_changes.cbegin(); change != m_changes.cend(); ++change) {
        if (change.value().isNull())
            env.remove(change.key());
        else
            env.insert(change.key(), change.value());
    }
    return env;
}

QProcess& AppDriver::start(const QStringList& arguments)
{
    m_program = startAnother(arguments);
    return *m_program;
}

std::unique_ptr<QProcess> AppDriver::startAnother(const QStringList& arguments,
                                                  QProcess::ProcessChannelMode channels)
{
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(environment());
    process->setProcessChannelMode(channels);
    process->start(qEnvironmentVariable("TARVEX_PROGRAM"), arguments);
    process->waitForStarted();
    return process;
}

QStringList AppDriver::managedWindows() const
{
    QStringList titles;
    const QString pid = QString::number(m_program->processId());
    const QStringList lines =
        E2EHarness::run("wmctrl", {"-l", "-p"}).split('\n', Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        const QStringList fields = line.simplified().split(' ');
        if (fields.size() >= 4 && fields[2] == pid)
            titles << fields.mid(4).join(' ');
    }
    return titles;
}

// Small shown windows of the program that another window holds (every Qt window carries
// _XEMBED_INFO, balloons included; the window manager's frames hold the program's normal
// windows, which are larger).
QStringList AppDriver::embeddedIcons() const
{
    QStringList icons;
    const QStringList windows =
        E2EHarness::xdotool({"search", "--classname", "^tarvex$"}).split('\n', Qt::SkipEmptyParts);
    for (const QString& window : windows) {
        const QString tree = E2EHarness::run("xwininfo", {"-id", window, "-tree"});
        const QString info = E2EHarness::run("xwininfo", {"-id", window});
        const auto value = [&info](const QString& name) {
            return info.section(name + ':', 1).section('\n', 0, 0).trimmed().toInt();
        };
        if (!tree.section("Parent window id:", 1).section('\n', 0, 0).contains("root window") &&
            value("Width") <= 64 && value("Height") <= 64 && mapState(window) == "IsViewable")
            icons << window;
    }
    return icons;
}

QString AppDriver::waitForProgramIcon() const
{
    QStringList icons;
    (void)QTest::qWaitFor([&] { return !(icons = embeddedIcons()).isEmpty(); }, 30000);
    return icons.value(0);
}

QString AppDriver::programWindow(int minWidth, int maxWidth) const
{
    const QStringList windows =
        E2EHarness::xdotool({"search", "--onlyvisible", "--classname", "^tarvex$"})
            .split('\n', Qt::SkipEmptyParts);
    for (const QString& window : windows) {
        const QString info = E2EHarness::run("xwininfo", {"-id", window});
        const int width = info.section("Width:", 1).section('\n', 0, 0).toInt();
        if (info.contains("\"Tarvex\"") && width >= minWidth && width <= maxWidth)
            return window;
    }
    return QString();
}

QStringList AppDriver::shownWindows(const QString& title) const
{
    // --all: xdotool matches any one of the conditions unless told otherwise.
    return E2EHarness::xdotool({"search", "--all", "--onlyvisible", "--pid",
                                QString::number(m_program->processId()), "--name",
                                "^" + QRegularExpression::escape(title) + "$"})
        .split('\n', Qt::SkipEmptyParts);
}

QString AppDriver::waitForNewWindow(const QString& title, const QStringList& before) const
{
    QString found;
    (void)QTest::qWaitFor(
        [&] {
            for (const QString& window : shownWindows(title))
                if (!before.contains(window))
                    found = window;
            return !found.isEmpty();
        },
        30000);
    return settled(found);
}

// The window manager activates a new window once it has taken it over and placed it: clicks
// and key presses reach it where the test means them from then on.
QString AppDriver::settled(const QString& window)
{
    if (!window.isEmpty())
        (void)QTest::qWaitFor([&] { return activeWindow() == window.toULongLong(); }, 5000);
    return window;
}

QString AppDriver::waitForWindow(const QString& title)
{
    QString window;
    (void)QTest::qWaitFor(
        [&] {
            window = E2EHarness::xdotool({"search", "--onlyvisible", "--name", "^" + title + "$"})
                         .section('\n', 0, 0)
                         .trimmed();
            return !window.isEmpty();
        },
        30000);
    return settled(window);
}

bool AppDriver::windowGone(const QString& title)
{
    return E2EHarness::xdotool({"search", "--onlyvisible", "--name", "^" + title + "$"})
        .trimmed()
        .isEmpty();
}

// On a loaded machine openbox may not have taken the new window over yet when the first
// activation request arrives, and then ignores it for good: the request is repeated until the
// window manager names the window active.
QString AppDriver::openVictim(const QString& title, const QString& command)
{
    auto victim = std::make_unique<QProcess>();
    if (command.isEmpty())
        victim->start("xmessage", {"-title", title, "-buttons", "", "A window to act on"});
    else
        victim->start(command, {"-title", title});
    if (!victim->waitForStarted())
        return QString();
    m_victims.push_back(std::move(victim));
    const QString window = E2EHarness::findWindow({"--name", "^" + title + "$"});
    const bool active = QTest::qWaitFor(
        [&] {
            E2EHarness::xdotool({"windowactivate", window});
            return QTest::qWaitFor([&] { return activeWindow() == window.toULongLong(); }, 500);
        },
        10000);
    return active ? window : QString();
}

qulonglong AppDriver::activeWindow()
{
    const QString root = E2EHarness::run("xprop", {"-root", "_NET_ACTIVE_WINDOW"});
    return root.section("# ", 1).trimmed().toULongLong(nullptr, 16);
}

// The menu is worked with the keyboard, which the open menu holds.
void AppDriver::chooseFromTrayMenu(const QString& icon, int position)
{
    const QString pid = QString::number(m_program->processId());
    const auto shown = [&pid] {
        return E2EHarness::xdotool({"search", "--onlyvisible", "--pid", pid});
    };
    const QString before = shown();
    click(centreOf(icon), "3");
    (void)QTest::qWaitFor([&] { return shown() != before; }, 5000); // the menu is open
    for (int i = 0; i < position; ++i)
        press("Down");
    press("Return");
}

void AppDriver::clickIn(const QString& window, QPoint at)
{
    E2EHarness::xdotool({"mousemove", "--sync", "--window", window, QString::number(at.x()),
                         QString::number(at.y())});
    E2EHarness::xdotool({"click", "1"});
}

QRect AppDriver::geometryOf(const QString& window)
{
    const QString shape = E2EHarness::xdotool({"getwindowgeometry", "--shell", window});
    const auto value = [&shape](const QString& name) {
        return shape.section(name + '=', 1).section('\n', 0, 0).toInt();
    };
    return {value("X"), value("Y"), value("WIDTH"), value("HEIGHT")};
}

QPoint AppDriver::designed(int left, int top, int width, int height)
{
    return {(left + width / 2) / 15, (top + height / 2) / 15};
}

QPoint AppDriver::centreOf(const QString& window)
{
    return geometryOf(window).center();
}

QString AppDriver::mapState(const QString& window)
{
    const QString info = E2EHarness::run("xwininfo", {"-id", window});
    const qsizetype at = info.indexOf("Map State: ");
    return at < 0 ? QString() : info.mid(at + 11).section('\n', 0, 0);
}

void AppDriver::doubleClick(const QPoint& at)
{
    E2EHarness::xdotool({"mousemove", QString::number(at.x()), QString::number(at.y())});
    E2EHarness::xdotool({"click", "--repeat", "2", "--delay", "60", "1"});
}

// The pointer is where it was sent (--sync) before the button goes down.
void AppDriver::click(const QPoint& at, const QString& button)
{
    E2EHarness::xdotool({"mousemove", "--sync", QString::number(at.x()), QString::number(at.y())});
    E2EHarness::xdotool({"click", button});
}

void AppDriver::press(const QString& keys)
{
    E2EHarness::xdotool({"key", keys});
}

AppTestCase::~AppTestCase() = default;

void AppTestCase::init()
{
    m_harness = std::make_unique<E2EHarness>();
    m_app = std::make_unique<AppDriver>(*m_harness);
}

void AppTestCase::cleanup()
{
    m_app.reset();
    m_harness.reset();
}
