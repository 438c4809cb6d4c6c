#pragma once

#include <QString>

namespace tarvex {

/// Where the user's documents live (the folder of the hotkey database file).
class DocumentsFolder
{
public:
    virtual ~DocumentsFolder() = default;

    /// Returns the user's Documents folder path, or an empty text when it cannot be found.
    virtual QString documentsFolder() = 0;
};

} // namespace tarvex
