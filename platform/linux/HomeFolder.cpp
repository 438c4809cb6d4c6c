#include "platform/linux/HomeFolder.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace tarvex {

namespace {

// The home folder the password database gives the account; empty when it gives none.
QString AccountHome()
{
    const passwd* account = ::getpwuid(::getuid());
    return account && account->pw_dir ? QString::fromLocal8Bit(account->pw_dir) : QString();
}

} // namespace

bool HomeFolder::ensure()
{
    if (!qEnvironmentVariableIsEmpty("HOME"))
        return true;
    const QString home = AccountHome();
    const QFileInfo folder(home);
    if (home.isEmpty() || !folder.isAbsolute() || !folder.isDir())
        return false;
    return ::setenv("HOME", QFile::encodeName(home).constData(), 1) == 0;
}

QString HomeFolder::problem()
{
    const QString home = AccountHome();
    const QString given =
        home.isEmpty()
            ? QCoreApplication::translate("tarvex::HomeFolder",
                                          "the password database names no home folder for your "
                                          "account (user %1)")
                  .arg(::getuid())
            : QCoreApplication::translate("tarvex::HomeFolder",
                                          "the password database names \"%1\" for your account, "
                                          "which is not a folder")
                  .arg(home);
    return QCoreApplication::translate("tarvex::HomeFolder",
                                       "Tarvex cannot start: HOME is not set, and %1. Tarvex "
                                       "keeps your hotkeys and settings in your home folder; set "
                                       "HOME to it and start Tarvex again.")
        .arg(given);
}

} // namespace tarvex
