#include "activation/HotkeyHost.h"

#include "activation/ChordDetection.h"
#include "activation/HotkeyDetection.h"
#include "store/HotkeyFileWatcher.h"

#include <QLoggingCategory>

namespace tarvex {

namespace {
Q_LOGGING_CATEGORY(lcStore, "tarvex.store")
} // namespace

HotkeyHost::HotkeyHost(KeyStateSource& keys, ActionFunction runAction, QObject* parent)
    : HotkeyHost(&keys, nullptr, std::move(runAction), parent)
{}

HotkeyHost::HotkeyHost(GlobalShortcuts& shortcuts, ActionFunction runAction, QObject* parent)
    : HotkeyHost(nullptr, &shortcuts, std::move(runAction), parent)
{
    m_useShortcuts = true;
}

HotkeyHost::HotkeyHost(KeyStateSource* keys, GlobalShortcuts* shortcuts, ActionFunction runAction,
                       QObject* parent)
    : QObject(parent), m_keys(keys), m_shortcuts(shortcuts), m_runAction(std::move(runAction))
{}

HotkeyHost::~HotkeyHost() = default;

QString HotkeyHost::load(const HotkeyDatabase& database)
{
    m_database = database;
    delete m_watcher;
    m_watcher = new HotkeyFileWatcher(m_database.path(), this);
    connect(m_watcher, &HotkeyFileWatcher::changed, this, &HotkeyHost::followFile);
    return m_database.load(m_list, m_table);
}

void HotkeyHost::followFile()
{
    if (m_editorVisible && m_editorVisible())
        return;
    QString problem;
    switch (m_database.refresh(m_list, m_table, problem)) {
    case HotkeyDatabase::Refresh::Unchanged:
        return;
    case HotkeyDatabase::Refresh::KeptLastGood:
        qCWarning(lcStore).noquote() << problem << "The hotkeys read before keep running.";
        return;
    case HotkeyDatabase::Refresh::Reloaded:
        qCInfo(lcStore).noquote() << "The hotkey file" << m_database.path()
                                  << "changed on disk; the hotkeys now follow it.";
        if (!problem.isEmpty())
            qCWarning(lcStore).noquote() << problem;
        syncShortcuts();
        Q_EMIT fileReloaded();
        return;
    }
}

void HotkeyHost::setKeyInjector(KeyInjector* injector)
{
    m_injector = injector;
    if (m_detection)
        m_detection->setKeyInjector(injector);
}

void HotkeyHost::setEditorVisibleQuery(std::function<bool()> query)
{
    m_editorVisible = std::move(query);
    if (m_detection)
        m_detection->setEditorVisibleQuery(m_editorVisible);
    if (m_chords)
        m_chords->setEditorVisibleQuery(m_editorVisible);
    syncShortcuts();
}

void HotkeyHost::setForegroundAppQuery(ForegroundAppQuery query)
{
    m_foregroundApp = std::move(query);
    if (m_detection)
        m_detection->setForegroundAppQuery(m_foregroundApp);
    if (m_chords)
        m_chords->setForegroundAppQuery(m_foregroundApp);
}

void HotkeyHost::useShortcuts(bool use)
{
    if (use == m_useShortcuts)
        return;
    const bool polling = isPollingEnabled();
    setPollingEnabled(false);
    m_useShortcuts = use;
    setPollingEnabled(polling);
}

void HotkeyHost::setPollingEnabled(bool enabled)
{
    if (enabled == isPollingEnabled())
        return;
    const QString problemBefore = problem();
    m_detection.reset();
    m_chords.reset();
    if (enabled && !m_useShortcuts) {
        m_detection = std::make_unique<HotkeyDetection>(*m_keys, m_table, m_runAction);
        m_detection->setEditorVisibleQuery(m_editorVisible);
        m_detection->setPausedQuery([this] { return isPaused(); });
        m_detection->setForegroundAppQuery(m_foregroundApp);
        m_detection->setKeyInjector(m_injector);
    } else if (enabled) {
        m_chords = std::make_unique<ChordDetection>(*m_shortcuts, m_table, m_runAction);
        m_chords->setEditorVisibleQuery(m_editorVisible);
        m_chords->setPausedQuery([this] { return isPaused(); });
        m_chords->setForegroundAppQuery(m_foregroundApp);
        m_chords->sync();
    }
    if (problem() != problemBefore)
        Q_EMIT problemChanged();
}

void HotkeyHost::syncShortcuts()
{
    if (!m_chords)
        return;
    const QString problemBefore = problem();
    m_chords->sync();
    if (problem() != problemBefore)
        Q_EMIT problemChanged();
}

void HotkeyHost::setPaused(bool paused)
{
    if (paused == m_paused)
        return;
    m_paused = paused;
    Q_EMIT pausedChanged(paused);
}

QString HotkeyHost::problem() const
{
    return m_chords ? m_chords->problem() : QString();
}

} // namespace tarvex
