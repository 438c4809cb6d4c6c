#include "platform/linux/ProcessOpener.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

#include <cerrno>
#include <cstring>
#include <sys/wait.h>

namespace tarvex {

Q_LOGGING_CATEGORY(lcOpener, "tarvex.opener")

namespace {

const QString DesktopOpener = QStringLiteral("xdg-open");

// "www.example.com" or "example.org/page": a host name with a dot, no spaces.
bool looksLikeAddress(const QString& target)
{
    static const QRegularExpression address(
        QStringLiteral("^[A-Za-z0-9-]+(\\.[A-Za-z0-9-]+)+(:[0-9]+)?(/\\S*)?$"));
    return address.match(target).hasMatch();
}

bool hasScheme(const QString& target)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:"));
    return scheme.match(target).hasMatch();
}

// The file a target names: an absolute path as it is, a relative one below the home folder.
QString absolutePathOf(const QString& target)
{
    if (target.startsWith(u'/'))
        return target;
    return QDir::cleanPath(QDir::home().filePath(target));
}

// A direct start that fails with these found a file that is no program it could run: a
// document with the execute bit (ENOEXEC), a script whose interpreter is missing (ENOENT)
// or cannot run (EACCES, also a mount that forbids running programs), a broken library.
bool isNotAProgram(int error)
{
    return error == ENOEXEC || error == ENOENT || error == EACCES || error == ELIBBAD ||
           error == ENOTDIR || error == ELOOP;
}

QString describeStatus(int status)
{
    if (WIFSIGNALED(status))
        return QStringLiteral("ended by signal %1").arg(WTERMSIG(status));
    return QStringLiteral("ended with status %1").arg(WEXITSTATUS(status));
}

} // namespace

bool ProcessOpener::open(const QString& target, const QStringList& arguments)
{
    const Launch launch = launchFor(target, arguments);
    if (launch.program.isEmpty()) {
        qCWarning(lcOpener) << "Nothing to open: the target is empty";
        return false;
    }
    if (!isProgram(launch))
        return startOpener(target, launch.arguments);
    if (m_launcher.start(launch.program, launch.arguments))
        return true;
    const int error = m_launcher.lastError();
    if (!isNotAProgram(error)) {
        qCWarning(lcOpener).noquote()
            << "Cannot start" << launch.program << "-" << std::strerror(error);
        return false;
    }
    qCInfo(lcOpener).noquote() << launch.program << "cannot run as a program ("
                               << std::strerror(error) << "); opening it with" << DesktopOpener;
    return startOpener(target, launch.fallbackArguments);
}

bool ProcessOpener::startOpener(const QString& target, const QStringList& arguments)
{
    const auto ended = [target](int status) {
        if (status != 0)
            qCWarning(lcOpener).noquote() << DesktopOpener << "could not open" << target << "("
                                          << describeStatus(status) << ")";
    };
    if (m_launcher.start(DesktopOpener, arguments, ended))
        return true;
    qCWarning(lcOpener).noquote() << "Cannot start" << DesktopOpener << "to open" << target << "-"
                                  << std::strerror(m_launcher.lastError());
    return false;
}

ProcessOpener::Launch ProcessOpener::launchFor(const QString& target,
                                               const QStringList& programArguments)
{
    if (target.isEmpty())
        return {};
    const bool bareName = !target.contains(u'/');
    if (bareName) {
        // A program name is looked for on the PATH only, never in the current folder.
        const QString program = QStandardPaths::findExecutable(target);
        if (!program.isEmpty())
            return {program, programArguments, {program}};
    }
    const QString path = absolutePathOf(target);
    const QFileInfo file(path);
    if (!bareName && file.isFile() && file.isExecutable())
        return {path, programArguments, {path}};
    return openerLaunch(openerArgument(target, path));
}

ProcessOpener::Launch ProcessOpener::openerLaunch(const QString& argument)
{
    return {DesktopOpener, {argument}, {}};
}

// xdg-open takes absolute paths and addresses. An address typed without its scheme
// ("www.example.com") becomes a web address, as the desktop's shell would take it,
// unless a file of that name lies in the home folder.
QString ProcessOpener::openerArgument(const QString& target, const QString& path)
{
    if (target.startsWith(u'/') || QFileInfo::exists(path))
        return path;
    if (hasScheme(target))
        return target;
    if (looksLikeAddress(target))
        return QUrl::fromUserInput(target).toString();
    return path;
}

} // namespace tarvex
