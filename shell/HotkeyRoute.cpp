#include "shell/HotkeyRoute.h"

#include "platform/KeyStateSource.h"

#include <QLoggingCategory>

namespace tarvex {
namespace {
Q_LOGGING_CATEGORY(lcRoute, "tarvex.portal", QtInfoMsg)
} // namespace

HotkeyRoute::HotkeyRoute(KeyStateSource* keys, GlobalShortcuts* shortcuts,
                         std::function<bool()> startKeys, QObject* parent)
    : QObject(parent), m_keys(keys), m_shortcuts(shortcuts), m_startKeys(std::move(startKeys)),
      m_way(chooseHotkeyWay({keys != nullptr, shortcuts != nullptr, false, false}))
{
    if (m_keys)
        m_keys->setProblemCallback([this] { announce(); });
    if (m_shortcuts)
        m_shortcuts->setStateCallback([this] { onShortcutsState(); });
}

HotkeyRoute::~HotkeyRoute()
{
    if (m_keys)
        m_keys->setProblemCallback({});
    if (m_shortcuts)
        m_shortcuts->setStateCallback({});
}

void HotkeyRoute::choose(bool chordsOnly)
{
    m_chordsOnly = chordsOnly;
    const HotkeyWay way =
        chooseHotkeyWay({m_keys != nullptr, m_shortcuts != nullptr, chordsOnly, m_refused});
    if (way == m_way)
        return;
    m_way = way;
    applyListening();
    Q_EMIT wayChanged();
    announce();
}

bool HotkeyRoute::startKeys()
{
    if (m_way != HotkeyWay::Keys)
        return true;
    if (!m_keysStarted || (m_keys && !m_keys->problem().isEmpty()))
        m_keysStarted = m_startKeys && m_startKeys();
    applyListening();
    return m_keysStarted;
}

bool HotkeyRoute::keysFailed() const
{
    return m_way == HotkeyWay::Keys && !m_keysStarted;
}

void HotkeyRoute::setListening(bool listening)
{
    m_listening = listening;
    m_askWhenKeysTakeOver = m_askWhenKeysTakeOver && listening;
    applyListening();
}

void HotkeyRoute::applyListening()
{
    if (m_keys)
        m_keys->setListening(m_listening && m_way == HotkeyWay::Keys);
}

QString HotkeyRoute::problem() const
{
    if (m_way == HotkeyWay::Keys)
        return m_keys ? m_keys->problem() : QString();
    return m_shortcuts->problem();
}

bool HotkeyRoute::canAskForAccess() const
{
    return m_way == HotkeyWay::Keys && m_keys && m_keys->canAskForAccess();
}

void HotkeyRoute::askForAccess()
{
    if (canAskForAccess())
        m_keys->askForAccess();
}

bool HotkeyRoute::askForAccessAsStarted()
{
    m_askWhenKeysTakeOver = followsTable() && m_way == HotkeyWay::Shortcuts;
    if (!canAskForAccess())
        return false;
    m_keys->askForAccess();
    return true;
}

// The keys' problem, or the way, changed: where the user started hotkeys that the keys now
// run, the permission they lack is asked for.
void HotkeyRoute::announce()
{
    if (m_askWhenKeysTakeOver && canAskForAccess()) {
        m_askWhenKeysTakeOver = false;
        m_keys->askForAccess();
    }
    Q_EMIT problemChanged();
}

// Where the desktop alone runs the hotkeys, its refusal is said while they run; where the keys
// can take over, they do.
void HotkeyRoute::onShortcutsState()
{
    const GlobalShortcuts::State state = m_shortcuts->state();
    const bool refused = state == GlobalShortcuts::State::Missing ||
                         state == GlobalShortcuts::State::Declined ||
                         state == GlobalShortcuts::State::Failed;
    if (refused && followsTable() && m_way == HotkeyWay::Shortcuts) {
        fallBack(state);
        return;
    }
    const QString refusal = m_way == HotkeyWay::Shortcuts ? m_shortcuts->problem() : QString();
    announce();
    if (!refusal.isEmpty() && refusal != m_refusalShown && m_listening) {
        m_refusalShown = refusal;
        Q_EMIT shortcutsRefused(refusal);
    }
}

// A desktop without shortcuts for programs is the usual case on many desktops: only the log
// says so. A refusal or a failure is the user's business, who is not asked again at once.
void HotkeyRoute::fallBack(GlobalShortcuts::State state)
{
    qCInfo(lcRoute).noquote() << m_shortcuts->problem() << "The keyboard is watched instead.";
    m_refused = true;
    if (state != GlobalShortcuts::State::Missing)
        m_askWhenKeysTakeOver = false;
    choose(m_chordsOnly);
    if (state == GlobalShortcuts::State::Declined)
        Q_EMIT shortcutsRefused(tr("Your hotkeys were not allowed in the desktop's shortcut "
                                   "dialog, so Tarvex watches the keyboard for them instead."));
    else if (state == GlobalShortcuts::State::Failed)
        Q_EMIT shortcutsRefused(tr("The desktop could not set up your hotkeys as its shortcuts, "
                                   "so Tarvex watches the keyboard for them instead."));
}

} // namespace tarvex
