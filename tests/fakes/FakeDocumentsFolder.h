#pragma once

#include "platform/DocumentsFolder.h"

namespace tarvex {

/// A Documents folder chosen by the test (for example a QTemporaryDir).
class FakeDocumentsFolder final : public DocumentsFolder
{
public:
    explicit FakeDocumentsFolder(QString folder = {}) : m_folder(std::move(folder)) {}
    QString documentsFolder() override { return m_folder; }

private:
    QString m_folder;
};

} // namespace tarvex
