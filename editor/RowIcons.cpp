#include "editor/RowIcons.h"

#include <QFileInfo>

namespace tarvex {

bool DirExists(const QString& DName)
{
    return !DName.trimmed().isEmpty() && QFileInfo(DName).isDir();
}

bool FileExists(const QString& path)
{
    return !path.trimmed().isEmpty() && QFileInfo(path).isFile();
}

RowIcons::RowIcons(const QString& programFolder)
{
    const QString folder = programFolder + QStringLiteral("/Icons/");
    const auto add = [&](const QString& key, const QString& file) {
        const QIcon image(folder + file);
        if (!image.availableSizes().isEmpty())
            m_icons.insert(key, image);
    };
    add(QStringLiteral("file"), QStringLiteral("file.ico"));
    add(QStringLiteral("website"), QStringLiteral("Website.ico"));
    add(QStringLiteral("action"), QStringLiteral("action.ico"));
}

void RowIcons::addPath(const QString& path)
{
    if (m_icons.contains(path))
        return;
    const QFileInfo info(path);
    // A target that does not exist has no image; the key stays free for a later try.
    if (!path.trimmed().isEmpty() && info.exists())
        m_icons.insert(path, m_provider.icon(info));
}

QIcon RowIcons::icon(const QString& key)
{
    if (key != QLatin1String("file") && key != QLatin1String("website") &&
        key != QLatin1String("action"))
        addPath(key);
    return m_icons.value(key);
}

} // namespace tarvex
