#include "E2EHarness.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QUrl>

#include <X11/extensions/XTest.h>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>

E2EHarness::E2EHarness()
{
    QDir(m_home.path()).mkpath("Documents");
    QDir(m_home.path()).mkpath(".config/Tarvex");
    // A silent sound device, and no activation sound to keep the logs quiet.
    QFile asound(m_home.path() + "/.asoundrc");
    if (asound.open(QIODevice::WriteOnly))
        asound.write("pcm.!default { type null }\n");
    QFile settings(m_home.path() + "/.config/Tarvex/Tarvex.ini");
    if (settings.open(QIODevice::WriteOnly))
        settings.write("[Hotkey%20Activation]\nSound=\n");
}

E2EHarness::~E2EHarness()
{
    stopHost();
}

bool E2EHarness::writeHotkeys(const QStringList& records, const QStringList& options)
{
    QFile file(hotkeyFile());
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(records.join('|').toUtf8() + "\r\n");
    for (qsizetype i = 0; i < options.size(); ++i) {
        if (!options.at(i).isEmpty())
            file.write("tarvex-hotkey " + QByteArray::number(i + 1) + ' ' +
                       QUrl::toPercentEncoding(records.at(i)) + '\t' + options.at(i).toUtf8() +
                       "\r\n");
    }
    return true;
}

QByteArray E2EHarness::readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString E2EHarness::writeLoggingTarget(const QString& name, const QString& word)
{
    QFile file(m_home.path() + '/' + name);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(("#!/bin/sh\necho '" + word + "' >> '" + m_home.path() + "/log'\n").toUtf8());
    file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    return file.fileName();
}

QStringList E2EHarness::logLines() const
{
    QFile file(m_home.path() + "/log");
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

bool E2EHarness::startHost()
{
    m_host = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", m_home.path());
    env.insert("XDG_CONFIG_HOME", m_home.path() + "/.config");
    env.insert("XDG_RUNTIME_DIR", m_home.path());
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.remove("DBUS_SESSION_BUS_ADDRESS");
    m_host->setProcessEnvironment(env);
    m_host->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_host->setWorkingDirectory(m_home.path());
    m_host->start(qEnvironmentVariable("TARVEX_TEST_HOST"), {});
    return m_host->waitForStarted() && !waitForHostLine("ready", 10000).isEmpty();
}

void E2EHarness::stopHost()
{
    if (!m_host)
        return;
    m_host->terminate();
    if (!m_host->waitForFinished(3000))
        m_host->kill();
    m_host->waitForFinished();
    m_host.reset();
}

QStringList E2EHarness::hostLines()
{
    if (m_host) {
        m_partial += m_host->readAllStandardOutput();
        const qsizetype end = m_partial.lastIndexOf('\n');
        if (end >= 0) {
            m_lines += QString::fromUtf8(m_partial.left(end)).split('\n');
            m_partial.remove(0, end + 1);
        }
    }
    return m_lines;
}

QStringList E2EHarness::hostLines(const QString& prefix)
{
    QStringList matching;
    for (const QString& line : hostLines())
        if (line.startsWith(prefix))
            matching << line;
    return matching;
}

QString E2EHarness::waitForHostLine(const QString& prefix, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        for (const QString& line : hostLines())
            if (line.startsWith(prefix))
                return line;
        if (!m_host || m_host->state() != QProcess::Running)
            return QString();
        m_host->waitForReadyRead(50);
    }
    return QString();
}

QString E2EHarness::run(const QString& program, const QStringList& arguments, int timeoutMs)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(timeoutMs);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString E2EHarness::findWindow(const QStringList& criteria, int timeoutMs)
{
    QString found;
    QString errors;
    const bool shown = QTest::qWaitFor(
        [&] {
            QProcess search;
            search.start("xdotool", QStringList{"search", "--onlyvisible"} + criteria);
            search.waitForFinished(5000);
            found = QString::fromUtf8(search.readAllStandardOutput()).section('\n', 0, 0).trimmed();
            errors = QString::fromUtf8(search.readAllStandardError()).trimmed();
            return !found.isEmpty();
        },
        timeoutMs);
    if (!shown)
        qWarning("no window for %s%s%s", qPrintable(criteria.join(u' ')),
                 errors.isEmpty() ? "" : ": ", qPrintable(errors));
    return found;
}

void E2EHarness::tapKeycode(int keycode)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return;
    XTestFakeKeyEvent(display, unsigned(keycode), True, CurrentTime);
    XTestFakeKeyEvent(display, unsigned(keycode), False, CurrentTime);
    XSync(display, False);
    XCloseDisplay(display);
}

void E2EHarness::lockLayoutGroup(int group)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return;
    XkbLockGroup(display, XkbUseCoreKbd, unsigned(group));
    XSync(display, False);
    XCloseDisplay(display);
}
