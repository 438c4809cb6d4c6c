#include "activation/HotkeyDetection.h"

#include "activation/GlobalFlags.h"

namespace tarvex {
namespace {

constexpr quint16 NewlyPressed = 0x8001;
constexpr quint8 LeftCtrl = 162;

// Sided codes that append their generic code and end the tick.
int GenericCodeEndingTick(int code)
{
    switch (code) {
    case 163:
        return 17;
    case 161:
        return 16;
    case 164:
        return 18;
    default:
        return 0;
    }
}

} // namespace

HotkeyDetection::HotkeyDetection(KeyStateSource& source, const ActiveHotkeyTable& table,
                                 ActionFunction runAction, int bufferCapacity)
    : HotkeyDetection(
          source, table,
          MatchFunction([runAction = std::move(runAction)](const QString&, const QString& target) {
              if (runAction)
                  runAction(target);
          }),
          bufferCapacity)
{}

HotkeyDetection::HotkeyDetection(KeyStateSource& source, const ActiveHotkeyTable& table,
                                 MatchFunction runMatch, int bufferCapacity)
    : m_source(source), m_table(table), m_runAction(std::move(runMatch)), m_buffer(bufferCapacity)
{
    m_source.setPressCallback([this] { onKeyPressed(); });
}

HotkeyDetection::~HotkeyDetection()
{
    *m_alive = false;
    m_source.setPressCallback({});
}

bool HotkeyDetection::isPaused() const
{
    return !HotkeysEnabled() || (m_editorVisible && m_editorVisible());
}

void HotkeyDetection::discardPresses()
{
    for (int code = 1; code <= 255; ++code)
        m_source.keyState(code);
}

void HotkeyDetection::onKeyPressed()
{
    if (m_inTick || isPaused()) {
        discardPresses();
        return;
    }
    const std::shared_ptr<bool> alive = m_alive;
    m_inTick = true;
    // The loop counter is local: whatever an action does, each code is visited once per tick.
    for (int code = 1; code <= 255 && *alive; ++code) {
        if (m_source.keyState(code) != NewlyPressed)
            continue;
        const int generic = GenericCodeEndingTick(code);
        appendKeyCode(generic ? generic : code);
        if (generic)
            break;
    }
    if (*alive)
        m_inTick = false;
}

void HotkeyDetection::appendKeyCode(int code)
{
    if (code < 1 || code > 255)
        return;
    if (m_matcher.compiledGeneration() != m_table.generation()) {
        // A new table: keys typed before it existed never complete one of its hotkeys.
        m_buffer.clear();
        m_matcher.compile(m_table);
    }
    const bool trimmed = m_buffer.append(quint8(code));
    MatchHotkeys(quint8(code), trimmed);
}

void HotkeyDetection::MatchHotkeys(quint8 appended, bool trimmed)
{
    m_buffer.removeAll(LeftCtrl);
    const int record = findMatch(appended, trimmed);
    if (record >= 0)
        runMatch(record);
}

int HotkeyDetection::findMatch(quint8 appended, bool trimmed)
{
    // A left Ctrl is taken out again at once and so completes no sequence.
    int found = appended == LeftCtrl ? -1 : m_matcher.feed(appended);
    // After the oldest code was dropped the state may stand for more codes than the buffer
    // holds, also when the append was a left Ctrl: it is worked out afresh from the buffer.
    if (trimmed && m_matcher.depth() > m_buffer.size())
        found = m_matcher.scan(m_buffer);
    return found;
}

void HotkeyDetection::runMatch(int record)
{
    const QString target = m_table.targetAt(record).value_or(QString());
    const QString combination = m_table.combinationAt(record);
    const std::shared_ptr<bool> alive = m_alive;
    // A copy, so the function survives even if the action ends this detection.
    const MatchFunction action = m_runAction;
    m_runningAction = true;
    if (action)
        action(combination, target);
    if (!*alive)
        return;
    m_runningAction = false;
    m_buffer.clear();
    m_matcher.reset();
}

} // namespace tarvex
