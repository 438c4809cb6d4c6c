#pragma once

#include "shell/ShellServices.h"

#include <memory>

namespace tarvex {

enum class KeySourceKind;

/// The desktop services of a Linux session (X11 or Wayland), owned for the life of the program, and
/// the facts of this start (program file and data folders, program name, arguments).
class RealServices final
{
public:
    /// Creates every service; `arguments` are the command-line arguments without the program.
    explicit RealServices(const QStringList& arguments);
    ~RealServices();
    RealServices(const RealServices&) = delete;
    RealServices& operator=(const RealServices&) = delete;

    /// The services as the application's windows use them.
    ShellServices services();

private:
    struct Parts;
    static void createKeySource(Parts& parts);
    static void createEvdevKeys(Parts& parts, KeySourceKind kind, const QStringList& devices);
    static void createDesktopWindows(Parts& parts);

    std::unique_ptr<Parts> m_parts;
    QStringList m_arguments;
    QString m_executableFolder;
    QString m_programFolder;
};

} // namespace tarvex
