#include "activation/HotkeyDetection.h"

#include "activation/GlobalFlags.h"
#include "keys/KeyText.h"

namespace tarvex {
namespace {

constexpr quint8 LeftCtrl = 162;

// The sided codes that count as their generic one; the others stay as they are (and a left Ctrl
// is taken out of the buffer again by the match).
int AppendedCode(int code)
{
    switch (code) {
    case 161:
        return 16;
    case 163:
        return 17;
    case 164:
        return 18;
    default:
        return code;
    }
}

} // namespace

HotkeyDetection::HotkeyDetection(KeyStateSource& source, const ActiveHotkeyTable& table,
                                 ActionFunction runAction, int bufferCapacity)
    : HotkeyDetection(source, table,
                      MatchFunction([runAction = std::move(runAction)](const HotkeyEntry& hotkey) {
                          if (runAction)
                              runAction(hotkey.target);
                      }),
                      bufferCapacity)
{}

HotkeyDetection::HotkeyDetection(KeyStateSource& source, const ActiveHotkeyTable& table,
                                 MatchFunction runMatch, int bufferCapacity)
    : m_source(source), m_table(table), m_runAction(std::move(runMatch)), m_buffer(bufferCapacity)
{
    m_source.setPressCallback([this](int code) { onKeyPressed(code); });
    m_matcher.setAccept([this](int record) { return allows(record); });
}

HotkeyDetection::~HotkeyDetection()
{
    *m_alive = false;
    m_source.setPressCallback({});
}

bool HotkeyDetection::isPaused() const
{
    return !HotkeysEnabled() || (m_editorVisible && m_editorVisible()) ||
           (m_userPaused && m_userPaused());
}

void HotkeyDetection::onKeyPressed(int code)
{
    if (takeInjected(code))
        return;
    if (!m_runningAction && !isPaused())
        appendKeyCode(AppendedCode(code));
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
    m_foreground.reset();
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

bool HotkeyDetection::allows(int record)
{
    if (!m_foreground)
        m_foreground = m_foregroundApp ? m_foregroundApp() : ForegroundApp{};
    return AppFilterAllows(m_table.at(record).entry.apps, *m_foreground);
}

void HotkeyDetection::runMatch(int record)
{
    // A copy: the action may replace the table.
    const HotkeyEntry hotkey = m_table.at(record).entry;
    const std::shared_ptr<bool> alive = m_alive;
    // A copy, so the function survives even if the action ends this detection.
    const MatchFunction action = m_runAction;
    m_runningAction = true;
    eraseTyped(record);
    if (action)
        action(hotkey);
    if (!*alive)
        return;
    m_runningAction = false;
    m_buffer.clear();
    m_matcher.reset();
}

void HotkeyDetection::eraseTyped(int record)
{
    const HotkeyEntry& entry = m_table.at(record).entry;
    const int count = entry.eraseTyped ? PrintedKeyCount(entry.combination) : 0;
    if (count > 0 && m_injector && m_injector->available())
        m_injected.append(m_injector->pressBackspace(count));
}

// True when `code` is a press the injector caused, which is then no longer awaited. The source
// may announce them later than real presses typed meanwhile, so any place in the list counts.
bool HotkeyDetection::takeInjected(int code)
{
    const qsizetype at = m_injected.indexOf(code);
    if (at < 0)
        return false;
    m_injected.removeAt(at);
    return true;
}

} // namespace tarvex
