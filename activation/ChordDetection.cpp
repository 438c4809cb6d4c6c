#include "activation/ChordDetection.h"

#include "activation/GlobalFlags.h"
#include "keys/ChordTrigger.h"

#include <QCoreApplication>

#include <algorithm>
#include <optional>

namespace tarvex {
namespace {

struct Chords
{
    QList<GlobalShortcut> shortcuts;
    QHash<QString, QList<int>> records; // shortcut id -> its record indexes, lowest first
    QStringList sequences;
};

// The hotkeys the key matcher would run: a target, and nothing that makes them ignored.
Chords ChordsOf(const ActiveHotkeyTable& table)
{
    Chords chords;
    for (int i = 0; i < table.size(); ++i) {
        const ActiveHotkey& hotkey = table.at(i);
        if (!hotkey.runs)
            continue;
        const QString trigger = ChordTrigger(hotkey.entry.combination);
        if (trigger.isEmpty())
            chords.sequences.append(hotkey.entry.combination);
        else {
            QList<int>& records = chords.records[trigger];
            if (records.isEmpty())
                chords.shortcuts.append({trigger, hotkey.entry.target, trigger});
            records.append(i);
        }
    }
    return chords;
}

} // namespace

ChordDetection::ChordDetection(GlobalShortcuts& shortcuts, const ActiveHotkeyTable& table,
                               MatchFunction runMatch)
    : m_shortcuts(shortcuts), m_table(table), m_runMatch(std::move(runMatch))
{
    m_shortcuts.setActivatedCallback([this](const QString& id) { activate(id); });
}

ChordDetection::~ChordDetection()
{
    *m_alive = false;
    m_shortcuts.setActivatedCallback({});
    m_shortcuts.bind({});
}

void ChordDetection::readTable()
{
    if (m_generation == m_table.generation())
        return;
    m_generation = m_table.generation();
    Chords chords = ChordsOf(m_table);
    m_chords = std::move(chords.shortcuts);
    m_records = std::move(chords.records);
    m_sequences = std::move(chords.sequences);
}

void ChordDetection::sync()
{
    readTable();
    const QList<GlobalShortcut> wanted = isReleased() ? QList<GlobalShortcut>() : m_chords;
    const GlobalShortcuts::State state = m_shortcuts.state();
    const bool running =
        state == GlobalShortcuts::State::Binding || state == GlobalShortcuts::State::Bound;
    if (wanted == m_asked && (wanted.isEmpty() || running))
        return;
    m_asked = wanted;
    m_shortcuts.bind(wanted);
}

bool ChordDetection::isReleased() const
{
    return !HotkeysEnabled() || (m_editorVisible && m_editorVisible());
}

bool ChordDetection::isPaused() const
{
    return m_runningAction || isReleased() || (m_userPaused && m_userPaused());
}

void ChordDetection::activate(const QString& id)
{
    readTable();
    const auto found = m_records.constFind(id);
    if (found == m_records.constEnd() || isPaused())
        return;
    std::optional<ForegroundApp> foreground; // asked only for a hotkey limited to applications
    const auto allowed = [&](int record) {
        const AppFilter& apps = m_table.at(record).entry.apps;
        if (apps.mode == AppFilter::Mode::Everywhere)
            return true;
        if (!foreground)
            foreground = m_foregroundApp ? m_foregroundApp() : ForegroundApp{};
        return AppFilterAllows(apps, *foreground);
    };
    const auto chosen = std::find_if(found->cbegin(), found->cend(), allowed);
    if (chosen == found->cend())
        return;
    // A copy: the action may replace the table.
    const HotkeyEntry hotkey = m_table.at(*chosen).entry;
    const std::shared_ptr<bool> alive = m_alive;
    // A copy, so the function survives even if the action ends this detection.
    const MatchFunction action = m_runMatch;
    m_runningAction = true;
    if (action)
        action(hotkey);
    if (*alive)
        m_runningAction = false;
}

QString ChordDetection::problem() const
{
    if (m_sequences.isEmpty())
        return {};
    return QCoreApplication::translate("tarvex::ChordDetection",
                                       "The desktop's shortcuts run only modifier keys with one "
                                       "key, so these hotkeys will not run: %1.")
        .arg(m_sequences.join(QStringLiteral(", ")));
}

QList<GlobalShortcut> ChordDetection::ShortcutsOf(const ActiveHotkeyTable& table,
                                                  QStringList* sequences)
{
    Chords chords = ChordsOf(table);
    if (sequences)
        *sequences = std::move(chords.sequences);
    return chords.shortcuts;
}

bool ChordDetection::IsChordTable(const ActiveHotkeyTable& table)
{
    QStringList sequences;
    ShortcutsOf(table, &sequences);
    return sequences.isEmpty();
}

} // namespace tarvex
