#include "platform/linux/CanberraWorker.h"

#include <canberra.h>

namespace tarvex {

namespace {

// One id for all sounds of the program, so a new one can cancel the last.
constexpr uint32_t kSoundId = 1;

} // namespace

CanberraWorker::~CanberraWorker()
{
    if (m_context)
        ca_context_destroy(m_context);
}

void CanberraWorker::play(const QString& path)
{
    if (!ensureContext())
        return;
    ca_context_cancel(m_context, kSoundId);
    const QByteArray file = path.toLocal8Bit();
    m_lastResult = ca_context_play(m_context, kSoundId, CA_PROP_MEDIA_FILENAME, file.constData(),
                                   CA_PROP_MEDIA_ROLE, "event", nullptr);
}

bool CanberraWorker::ensureContext()
{
    if (m_context)
        return true;
    m_lastResult = ca_context_create(&m_context);
    if (m_lastResult != CA_SUCCESS) {
        m_context = nullptr;
        return false;
    }
    ca_context_change_props(m_context, CA_PROP_APPLICATION_NAME, "Tarvex", nullptr);
    return true;
}

} // namespace tarvex
