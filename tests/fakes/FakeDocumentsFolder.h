#pragma once

#include "platform/DocumentsFolder.h"

#include <utility>

namespace tarvex {

/// A Documents folder chosen by the test (for example a QTemporaryDir).
class FakeDocumentsFolder final : public DocumentsFolder
{
public:
    explicit FakeDocumentsFolder(QString folder = {}) : m_folder(std::move(folder)) {}
    QString documentsFolder() override { return m_folder; }
    /// Changes the folder returned from now on.
    void setFolder(const QString& folder) { m_folder = folder; }

private:
    QString m_folder;
};

} // namespace tarvex
