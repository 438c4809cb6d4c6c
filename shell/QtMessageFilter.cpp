#include "shell/QtMessageFilter.h"

#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstring>
#include <utility>

namespace tarvex {
namespace {

QtMessageHandler g_previous = nullptr;
bool g_installed = false;

// Qt's tray icon connects to a signal that only its X11 windowing has, so elsewhere (Wayland
// before a tray host has started, say) it warns at every start. The program's own stand-in
// window takes the icon's place there, so the warning tells the user nothing.
bool IsHandledByTheProgram(QtMsgType type, const QMessageLogContext& context,
                           const QString& message)
{
    return type == QtWarningMsg && context.category &&
           std::strcmp(context.category, "qt.core.qobject.connect") == 0 &&
           message.contains(QLatin1String("systemTrayWindowChanged"));
}

void Filter(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (IsHandledByTheProgram(type, context, message))
        return;
    if (g_previous)
        g_previous(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

} // namespace

void InstallQtMessageFilter()
{
    if (std::exchange(g_installed, true))
        return;
    g_previous = qInstallMessageHandler(Filter);
}

} // namespace tarvex
