#include "platform/kwin/KWinDesktopWindows.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLoggingCategory>
#include <QMutex>
#include <QTemporaryFile>
#include <QThread>
#include <QWaitCondition>

namespace tarvex {

Q_LOGGING_CATEGORY(lcKWin, "tarvex.kwin")

namespace {

constexpr int kTitleLength = 50;
const QString kService = QStringLiteral("org.kde.KWin");
const QString kReplyPath = QStringLiteral("/Tarvex/KWinScriptReplies");
const QString kReplyInterface = QStringLiteral("org.tarvex.KWinScriptReplies");

QString shortTitle(const QString& title)
{
    if (title.size() <= kTitleLength)
        return title;
    const bool splitsPair = title.at(kTitleLength - 1).isHighSurrogate();
    return title.left(splitsPair ? kTitleLength - 1 : kTitleLength);
}

// A JavaScript string literal of `text` (JSON's quoting is JavaScript's).
QString jsString(const QString& text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

} // namespace

// Receives the scripts' answers on its own thread: "reply(token, values...)", all texts.
class KWinScriptReplies final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.tarvex.KWinScriptReplies")

public:
    /// Waits up to `timeoutMs` for the answer of `token`; empty on time-out.
    std::optional<QStringList> take(const QString& token, int timeoutMs)
    {
        QMutexLocker lock(&m_mutex);
        QDeadlineTimer deadline(timeoutMs);
        while (!m_answers.contains(token)) {
            if (!m_arrived.wait(&m_mutex, deadline))
                return std::nullopt;
        }
        return m_answers.take(token);
    }

public slots:
    Q_SCRIPTABLE void reply(const QString& token, const QString& a, const QString& b,
                            const QString& c, const QString& d)
    {
        QMutexLocker lock(&m_mutex);
        m_answers.insert(token, QStringList{a, b, c, d});
        m_arrived.wakeAll();
    }

private:
    QMutex m_mutex;
    QWaitCondition m_arrived;
    QHash<QString, QStringList> m_answers;
};

KWinDesktopWindows::KWinDesktopWindows(const QDBusConnection& bus, int timeoutMs)
    : m_bus(bus), m_timeoutMs(timeoutMs), m_thread(std::make_unique<QThread>())
{
    m_replies = new KWinScriptReplies;
    m_replies->moveToThread(m_thread.get());
    QObject::connect(m_thread.get(), &QThread::finished, m_replies, &QObject::deleteLater);
    m_thread->start();
    if (!m_bus.registerObject(kReplyPath, m_replies, QDBusConnection::ExportScriptableSlots))
        qCWarning(lcKWin) << "Cannot receive KWin's answers:" << m_bus.lastError().message();
}

KWinDesktopWindows::~KWinDesktopWindows()
{
    m_bus.unregisterObject(kReplyPath);
    m_thread->quit();
    m_thread->wait();
}

// Loads `body` as a script, runs it and unloads it; the body ends by calling reply(token, ...)
// through `answer(...)`. Returns the four values it answered, or an empty list when KWin did not
// answer in time.
QStringList KWinDesktopWindows::run(const QString& body)
{
    const QString token = QString::number(m_nextToken++);
    const QString script =
        QStringLiteral(
            "(function () {\n"
            "function answer(a, b, c, d) {\n"
            "    callDBus(%1, %2, %3, \"reply\", %4, String(a || \"\"), String(b || \"\"),"
            " String(c || \"\"), String(d || \"\"));\n"
            "}\n"
            "var active = workspace.activeWindow !== undefined ? workspace.activeWindow"
            " : workspace.activeClient;\n"
            "function windows() {\n"
            "    return workspace.windowList ? workspace.windowList()"
            " : workspace.clientList();\n"
            "}\n"
            "function find(id) {\n"
            "    var list = windows();\n"
            "    for (var i = 0; i < list.length; ++i) {\n"
            "        if (String(list[i].internalId) === id)\n"
            "            return list[i];\n"
            "    }\n"
            "    return null;\n"
            "}\n"
            "%5\n"
            "})();\n")
            .arg(jsString(m_bus.baseService()), jsString(kReplyPath), jsString(kReplyInterface),
                 jsString(token), body);

    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/tarvex-kwin-XXXXXX.js"));
    if (!file.open() || file.write(script.toUtf8()) < 0 || !file.flush()) {
        qCWarning(lcKWin) << "Cannot write a KWin script:" << file.errorString();
        return {};
    }
    const QString plugin =
        QStringLiteral("tarvex-%1-%2").arg(QCoreApplication::applicationPid()).arg(token);
    QDBusMessage load = QDBusMessage::createMethodCall(kService, QStringLiteral("/Scripting"),
                                                       QStringLiteral("org.kde.kwin.Scripting"),
                                                       QStringLiteral("loadScript"));
    load << file.fileName() << plugin;
    const QDBusMessage loaded = m_bus.call(load, QDBus::Block, m_timeoutMs);
    const int id = loaded.arguments().value(0, -1).toInt();
    if (loaded.type() != QDBusMessage::ReplyMessage || id < 0) {
        qCWarning(lcKWin) << "KWin did not load a script:" << loaded.errorMessage();
        return {};
    }

    // Plasma 6 names a loaded script /Scripting/Script<n>, Plasma 5 /<n>; the first run finds
    // out which one answers.
    QStringList paths{QStringLiteral("/Scripting/Script%1").arg(id), QStringLiteral("/%1").arg(id)};
    if (m_scriptPath == u"/")
        std::swap(paths[0], paths[1]);
    bool started = false;
    for (const QString& path : paths) {
        const QDBusMessage reply = m_bus.call(
            QDBusMessage::createMethodCall(kService, path, QStringLiteral("org.kde.kwin.Script"),
                                           QStringLiteral("run")),
            QDBus::Block, m_timeoutMs);
        if (reply.type() == QDBusMessage::ReplyMessage) {
            const QString style =
                path.startsWith(u"/Scripting") ? QStringLiteral("/Scripting") : QStringLiteral("/");
            if (m_scriptPath != style)
                qCInfo(lcKWin) << "KWin runs scripts at" << path
                               << (style == u"/" ? "(Plasma 5)" : "(Plasma 6)");
            m_scriptPath = style;
            started = true;
            break;
        }
    }
    std::optional<QStringList> answer;
    if (started)
        answer = m_replies->take(token, m_timeoutMs);
    else
        qCWarning(lcKWin) << "KWin did not run the loaded script";
    QDBusMessage unload = QDBusMessage::createMethodCall(kService, QStringLiteral("/Scripting"),
                                                         QStringLiteral("org.kde.kwin.Scripting"),
                                                         QStringLiteral("unloadScript"));
    unload << plugin;
    m_bus.call(unload, QDBus::Block, m_timeoutMs);
    if (started && !answer)
        qCWarning(lcKWin) << "A KWin script did not answer in time";
    return answer.value_or(QStringList());
}

WindowId KWinDesktopWindows::foregroundWindow()
{
    const QStringList answer =
        run(QStringLiteral("if (active) {\n"
                           "    var app = active.desktopFileName;\n"
                           "    if (!app && typeof active.resourceClass === \"string\")\n"
                           "        app = active.resourceClass;\n"
                           "    var cls = typeof active.resourceClass === \"string\""
                           " ? active.resourceClass : \"\";\n"
                           "    answer(active.internalId, active.caption, app, cls);\n"
                           "} else {\n"
                           "    answer();\n"
                           "}"));
    const QString kwinId = answer.value(0);
    if (kwinId.isEmpty())
        return 0;
    WindowId window = 0;
    for (auto it = m_seen.cbegin(); it != m_seen.cend(); ++it) {
        if (it->kwinId == kwinId)
            window = it.key();
    }
    if (window == 0)
        window = m_nextId++;
    m_seen.insert(window, Seen{kwinId, answer.value(1), answer.value(2), answer.value(3)});
    return window;
}

void KWinDesktopWindows::actOn(WindowId window, const QString& action)
{
    const auto it = m_seen.constFind(window);
    if (it == m_seen.cend())
        return;
    run(QStringLiteral("var w = find(%1);\n"
                       "if (w) {\n"
                       "%2\n"
                       "}\n"
                       "answer(w ? \"done\" : \"gone\");")
            .arg(jsString(it->kwinId), action));
}

void KWinDesktopWindows::closeWindow(WindowId window)
{
    actOn(window, QStringLiteral("    w.closeWindow();"));
}

void KWinDesktopWindows::minimizeWindow(WindowId window)
{
    actOn(window, QStringLiteral("    w.minimized = true;"));
}

void KWinDesktopWindows::maximizeWindow(WindowId window)
{
    actOn(window, QStringLiteral("    w.setMaximize(true, true);"));
}

void KWinDesktopWindows::hideWindow(WindowId window)
{
    minimizeWindow(window);
}

void KWinDesktopWindows::showWindow(WindowId window)
{
    actOn(window, QStringLiteral("    w.minimized = false;\n"
                                 "    if (\"activeWindow\" in workspace)\n"
                                 "        workspace.activeWindow = w;\n"
                                 "    else\n"
                                 "        workspace.activeClient = w;"));
}

QString KWinDesktopWindows::windowTitle(WindowId window)
{
    return shortTitle(m_seen.value(window).title);
}

QString KWinDesktopWindows::windowAppId(WindowId window)
{
    return m_seen.value(window).appId;
}

QStringList KWinDesktopWindows::applicationNames(WindowId window)
{
    const Seen seen = m_seen.value(window);
    QStringList names;
    for (const QString& name : {seen.appId, seen.windowClass}) {
        if (!name.isEmpty() && !names.contains(name, Qt::CaseInsensitive))
            names.append(name);
    }
    return names;
}

QStringList KWinDesktopWindows::runningApplications()
{
    // One answer carries the names, a line each.
    const QStringList answer =
        run(QStringLiteral("var list = windows(), apps = [];\n"
                           "for (var i = 0; i < list.length; ++i) {\n"
                           "    var w = list[i], app = w.desktopFileName;\n"
                           "    if (!app && typeof w.resourceClass === \"string\")\n"
                           "        app = w.resourceClass;\n"
                           "    if (w.normalWindow && app && apps.indexOf(app) < 0)\n"
                           "        apps.push(app);\n"
                           "}\n"
                           "answer(apps.join(\"\\n\"));"));
    return answer.value(0).split(u'\n', Qt::SkipEmptyParts);
}

} // namespace tarvex

#include "KWinDesktopWindows.moc"
