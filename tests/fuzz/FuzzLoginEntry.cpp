// Fuzz target "login_entry": the input is the program path; `Exec` read back as desktops do
// (GLib key file, field codes, GLib shell parser); `TryExec` reads back as the path.
#include "platform/linux/DesktopEntryText.h"
#include "tests/fuzz/FuzzTargets.h"

#include <QStringList>

#include <glib.h>

namespace tarvex::fuzz {
namespace {

// Expands the field codes of an Exec value; a code other than "%%" makes it unusable.
bool ExpandFieldCodes(const QString& exec, QString& expanded)
{
    for (qsizetype i = 0; i < exec.size(); ++i) {
        if (exec.at(i) != u'%') {
            expanded += exec.at(i);
        } else if (i + 1 < exec.size() && exec.at(i + 1) == u'%') {
            expanded += u'%';
            ++i;
        } else {
            return false;
        }
    }
    return true;
}

QString KeyValue(const QString& entryText, const char* key)
{
    GKeyFile* file = g_key_file_new();
    const QByteArray bytes = entryText.toUtf8();
    QString value;
    if (g_key_file_load_from_data(file, bytes.constData(), gsize(bytes.size()), G_KEY_FILE_NONE,
                                  nullptr)) {
        gchar* text = g_key_file_get_string(file, "Desktop Entry", key, nullptr);
        value = text ? QString::fromUtf8(text) : QStringLiteral("<no %1>").arg(QLatin1String(key));
        g_free(text);
    } else {
        value = QStringLiteral("<not a key file>");
    }
    g_key_file_free(file);
    return value;
}

QStringList ShellWords(const QString& command)
{
    gint argc = 0;
    gchar** argv = nullptr;
    QStringList words;
    if (!g_shell_parse_argv(command.toUtf8().constData(), &argc, &argv, nullptr))
        return {QStringLiteral("<not parsed>")};
    for (gint i = 0; i < argc; ++i)
        words.append(QString::fromUtf8(argv[i]));
    g_strfreev(argv);
    return words;
}

} // namespace

QString FuzzLoginEntry(QByteArrayView data)
{
    const QString path = QString::fromUtf8(data);
    if (path.isEmpty() || path.contains(QChar(0)))
        return {}; // no file has such a path
    const QString exec = DesktopEntryText::quotedExecArgument(path) + QStringLiteral(" automatic");
    const bool exact = DesktopEntryText::stringValueReadsBack(path);
    const QString entry = QStringLiteral("[Desktop Entry]\nType=Application\nTryExec=") +
                          DesktopEntryText::stringValue(path) + QStringLiteral("\nExec=") + exec +
                          QStringLiteral("\n");
    // A value said to read back must do so (one said not to is left out of the entry).
    if (const QString tryExec = KeyValue(entry, "TryExec"); exact && tryExec != path)
        return QStringLiteral("TryExec reads back as ") + tryExec;
    const QString value = KeyValue(entry, "Exec");
    QString expanded;
    if (!ExpandFieldCodes(value, expanded))
        return QStringLiteral("the Exec value holds a field code: ") + value;
    const QStringList words = ShellWords(expanded);
    if (words != QStringList{path, QStringLiteral("automatic")})
        return QStringLiteral("Exec %1 reads back as [%2]").arg(value, words.join(u'|'));
    return {};
}

} // namespace tarvex::fuzz
