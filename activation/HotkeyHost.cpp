#include "activation/HotkeyHost.h"

#include "activation/HotkeyDetection.h"

namespace tarvex {

HotkeyHost::HotkeyHost(KeyStateSource& keys, ActionFunction runAction, QObject* parent)
    : QObject(parent), m_keys(keys), m_runAction(std::move(runAction))
{}

HotkeyHost::~HotkeyHost() = default;

QString HotkeyHost::load(const HotkeyDatabase& database)
{
    m_database = database;
    return m_database.load(m_list, m_table);
}

void HotkeyHost::setEditorVisibleQuery(std::function<bool()> query)
{
    m_editorVisible = std::move(query);
    if (m_detection)
        m_detection->setEditorVisibleQuery(m_editorVisible);
}

void HotkeyHost::setPollingEnabled(bool enabled)
{
    if (enabled == isPollingEnabled())
        return;
    if (!enabled) {
        m_detection.reset();
        return;
    }
    m_detection = std::make_unique<HotkeyDetection>(m_keys, m_table, m_runAction);
    m_detection->setEditorVisibleQuery(m_editorVisible);
}

} // namespace tarvex
