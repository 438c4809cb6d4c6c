#pragma once

#include <QFileIconProvider>
#include <QHash>
#include <QIcon>
#include <QString>

namespace tarvex {

/// True when `DName` (blank: false) names an existing folder.
bool DirExists(const QString& DName);
/// True when `path` (blank: false) names an existing file that is not a folder.
bool FileExists(const QString& path);

/// The editor's image list `Icos`: the images "file", "website" and "action" from the program's
/// Icons folder, and one image per file or folder target keyed by the target text. Images of
/// targets are made when first shown, so a list of thousands of files loads at once.
class RowIcons final
{
public:
    /// Loads the three images from `programFolder` + "/Icons".
    explicit RowIcons(const QString& programFolder);

    /// Adds the desktop's icon of `path` under the key `path` (a present key keeps its image).
    void addPath(const QString& path);
    /// Returns the image of `key`; a file or folder key not added yet gets its desktop icon now
    /// (no image when the path does not exist).
    QIcon icon(const QString& key);
    /// True when `key` has an image.
    bool contains(const QString& key) const { return m_icons.contains(key); }

private:
    QFileIconProvider m_provider;
    QHash<QString, QIcon> m_icons;
};

} // namespace tarvex
