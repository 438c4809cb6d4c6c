#include "platform/linux/ProcessOpener.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

namespace tarvex {

namespace {

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

} // namespace

bool ProcessOpener::open(const QString& target)
{
    const Launch launch = launchFor(target);
    return m_launcher.start(launch.program, launch.arguments);
}

ProcessOpener::Launch ProcessOpener::launchFor(const QString& target)
{
    const QString program = executableFor(target);
    if (!program.isEmpty())
        return {program, {}};
    return {QStringLiteral("xdg-open"), {openerArgument(target)}};
}

// An executable file named by its path, or a bare program name found on the
// PATH (as "firefox" would be found by the desktop's run dialog).
QString ProcessOpener::executableFor(const QString& target)
{
    const QFileInfo file(target);
    if (target.contains(QLatin1Char('/')))
        return file.isFile() && file.isExecutable() ? file.absoluteFilePath() : QString();
    if (file.isFile() && file.isExecutable())
        return file.absoluteFilePath();
    return target.isEmpty() ? QString() : QStandardPaths::findExecutable(target);
}

// xdg-open takes files and URLs; an address typed without its scheme
// ("www.example.com") becomes a web address, as the desktop's shell would take it.
QString ProcessOpener::openerArgument(const QString& target)
{
    if (QFileInfo::exists(target) || hasScheme(target) || !looksLikeAddress(target))
        return target;
    return QUrl::fromUserInput(target).toString();
}

} // namespace tarvex
