#include "activation/HotkeyDetection.h"
#include "activation/HotkeyShadowing.h"
#include "tests/core/CodesText.h"
#include "tests/core/FiredActions.h"
#include "tests/fakes/FakeKeyInjector.h"
#include "tests/fakes/FakeKeyStateSource.h"

#include <QTest>

using namespace tarvex;

class TestHotkeyDetection final : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_run.reset();
        m_injector = FakeKeyInjector();
    }

    // Key taps (a list is announced at once, code after code; a negative code stays held, 0
    // shows or hides the editor) against a table: what runs. A sided source gives a modifier
    // as two codes.
    void tapsFire()
    {
        const std::tuple<QString, QList<QList<int>>, QStringList> rows[] = {
            {"(Ctrl)a*x", {{17, 163}, {65}}, {"x"}},
            {"a*x", {{-65}, {-65, 66}}, {"x"}}, // a held key does not fire again
            {"(Shift)a*x", {{16, 160}, {65}}, {}},
            {"xa*first|a*second|A*third", {{88}, {65}, {65}}, {"first", "second"}}, // lower wins
            {"(Ctrl)*ctrl|(Ctrl)a*never", {{17}, {65}}, {"ctrl"}}, // a modifier alone fires
            {"b*B|a*A|ab*AB", {{65, 66}}, {"A", "B"}},     // a match empties the buffer at once
            {"abc*abc|bd*bd", {{65}, {66}, {68}}, {"bd"}}, // "ab" then "d" falls back to "bd"
            {"zz*never|*every|a*real", {{81}, {32}, {32}, {17, 162}, {65}}, {"real"}},
            {"q*/tmp/x\ty|a*real", {{81}, {65}}, {"real"}}, // records that cannot run stay
            {"ab*x", {{0}, {65}, {0}, {66}}, {}}}; // presses while the editor shows are lost
        for (const auto& [line, taps, fired] : rows) {
            makeDetection(line);
            bool editorShown = false;
            m_detection->setEditorVisibleQuery([&editorShown] { return editorShown; });
            for (const QList<int>& codes : taps) {
                for (int code : codes)
                    code ? m_source.press({std::abs(code)}) : void(editorShown = !editorShown);
                for (int code : codes)
                    if (code > 0) // a held key is never released
                        m_source.release({code});
            }
            QCOMPARE(m_run.fired, fired);
        }
    }

    // Codes past the capacity drop the oldest, out-of-range ones are ignored; a left Ctrl drops
    // the oldest "a" of a full buffer: "b" must not complete "aaab".
    void bufferIsBoundedAndRenewed()
    {
        const std::tuple<QString, int, QList<int>, QString> rows[] = {
            {"zzzzzq*found", 4, {90, 90, 90, 90, 90, 81, 256, 0}, Codes({90, 90, 90, 81})},
            {"aaab*never", 3, {65, 65, 65, 162, 66}, Codes({65, 65, 66})}};
        for (const auto& [line, capacity, codes, buffer] : rows) {
            makeDetection(line, capacity);
            for (int code : codes)
                m_detection->appendKeyCode(code);
            QCOMPARE(std::tuple(m_run.fired, m_detection->buffer().text()),
                     std::tuple(QStringList(), buffer));
        }
        // Keys typed before a new table complete none of its hotkeys; keys typed while an
        // action runs (say a question box is open) are not taken in.
        makeDetection(QStringLiteral("zz*old"));
        m_source.tap({71});
        m_table.replaceFromText(QStringLiteral("go*new|y*yes"));
        m_source.tap({79});
        m_run.during = [this] { m_source.tap({89}); };
        m_source.tap({71});
        m_source.tap({79});
        QCOMPARE(std::tuple(m_run.fired, m_detection->buffer().isEmpty()),
                 std::tuple(QStringList{"new"}, true));
    }

    // The row that fires first while another's keys are typed, found again once a changed row
    // is forgotten; forgetting a row that is not there changes nothing.
    void shadowingFollowsAChangedRow()
    {
        QList<HotkeyEntry> entries{{"g", "/g"}, {"gofb", "/b"}, {"x", "/x"}};
        HotkeyShadowing shadowing;
        QCOMPARE(shadowing.winnerOver(entries, 2), 1);
        entries[0].combination = QStringLiteral("q");
        for (int position : {0, 1, 4})
            shadowing.invalidate(position);
        QCOMPARE(shadowing.winnerOver(entries, 2), 0);
    }

    // Hotkeys limited to applications against the application in front (where the desktop cannot
    // tell, none is known): what fires as the letters are typed, and how often the desktop was
    // asked (at most once a press, never for a press that only unlimited hotkeys match).
    void appFiltersChooseWhatFires()
    {
        using M = AppFilter::Mode;
        const ForegroundApp xterm{true, {"xterm", "XTerm"}}, unknown;
        const std::tuple<QString, QList<AppFilter>, ForegroundApp, QString, QStringList, int>
            rows[] = {
                {"a*x|b*y", {{M::OnlyIn, {"foot", "XTERM"}}}, xterm, "ab", {"x", "y"}, 1},
                {"a*x|a*y", {{M::OnlyIn, {"foot"}}}, xterm, "a", {"y"}, 1},
                {"a*x|a*y", {{M::NotIn, {"xterm"}}}, xterm, "a", {"y"}, 1},
                {"a*x|a*y", {{M::NotIn, {"foot"}}}, xterm, "a", {"x"}, 1},
                {"a*x|a*y", {{M::OnlyIn, {"xterm"}}}, unknown, "a", {"y"}, 1},
                {"a*x|a*y", {{M::NotIn, {"xterm"}}}, unknown, "a", {"x"}, 1},
                {"a*x|a*y", {{M::OnlyIn, {"foot"}}, {M::NotIn, {"xterm"}}}, xterm, "aa", {}, 2},
                // Records ending at a shorter suffix are tried too, lowest first.
                {"ca*v|a*z|a*w|ca*x",
                 {{M::OnlyIn, {"foot"}}, {M::OnlyIn, {"foot"}}},
                 xterm,
                 "ca",
                 {"w"},
                 1}};
        for (const auto& [line, apps, app, typed, fired, asked] : rows) {
            makeDetection(line);
            LimitToApps(m_table, apps);
            int asks = 0;
            m_detection->setForegroundAppQuery([&asks, app = app] {
                ++asks;
                return app;
            });
            for (QChar letter : typed)
                m_source.tap({letter.toUpper().unicode()});
            QCOMPARE(std::tuple(m_run.fired, asks), std::tuple(fired, asked));
        }
    }

    // A sequence that erases its keys asks for one Backspace per printed key before its target
    // runs; chords, modifiers and keys that print nothing erase nothing.
    void erasesPrintedKeys()
    {
        const std::tuple<QString, bool, QList<int>, QList<int>> rows[] = {
            {"gofb*t", true, {71, 79, 70, 66}, {4}}, {"gofb*t", false, {71, 79, 70, 66}, {}},
            {"z9*t", true, {90, 57}, {2}},           {"(Ctrl)a*t", true, {17, 65}, {}},
            {"a(Shift)b*t", true, {65, 16, 66}, {}}, {"a(F4)*t", true, {65, 115}, {}}};
        for (const auto& [record, erase, taps, counts] : rows) {
            makeErasing(record, erase);
            for (int code : taps)
                m_source.tap({code});
            QCOMPARE(std::tuple(m_run.fired, m_injector.counts),
                     std::tuple(QStringList{"t"}, counts));
        }
        m_injector.canType = false;
        makeErasing(QStringLiteral("ab*t"), true);
        m_source.tap({65});
        m_source.tap({66});
        QCOMPARE(std::tuple(m_run.fired, m_injector.counts),
                 std::tuple(QStringList{"t"}, QList<int>()));
    }

    // The Backspaces and the held Shift pressed again that the erasing typed reach the source
    // after the match, among a real key; they never complete a hotkey, the real keys still do.
    void injectedKeysAreIgnored()
    {
        m_injector.held = {16};
        makeErasing(QStringLiteral("ab*t|(Backspace)*back|(Shift)c*shifted"), true);
        for (int code : {65, 66, 8, 67, 8, 16})
            m_source.tap({code});
        QCOMPARE(m_run.fired, (QStringList{"t"}));
        for (int code : {8, 16, 67})
            m_source.tap({code});
        QCOMPARE(m_run.fired, (QStringList{"t", "back", "shifted"}));
    }

private:
    // A detection over `line` whose every record erases its keys (`erase`) or not.
    void makeErasing(const QString& line, bool erase)
    {
        makeDetection(QString());
        const QStringList records = line.split(u'|');
        HotkeyEntry options;
        options.eraseTyped = erase;
        m_table.replace(records, QList<HotkeyEntry>(records.size(), options));
        // Emptied without keeping its storage: Qt 6.4 compares an empty list that kept storage
        // with one that has none through memcmp with a null pointer, which UBSan reports.
        m_injector.counts = {};
        m_detection->setKeyInjector(&m_injector);
    }

    void makeDetection(const QString& line, int capacity = KeyBuffer::DefaultCapacity)
    {
        m_detection.reset();
        m_run.fired.clear();
        m_table.replaceFromText(line);
        m_detection = std::make_unique<HotkeyDetection>(
            m_source, m_table, [this](const QString& target) { m_run.run(target); }, capacity);
    }

    FakeKeyStateSource m_source;
    FakeKeyInjector m_injector;
    ActiveHotkeyTable m_table;
    FiredActions m_run;
    std::unique_ptr<HotkeyDetection> m_detection;
};

QTEST_GUILESS_MAIN(TestHotkeyDetection)
#include "TestHotkeyDetection.moc"
