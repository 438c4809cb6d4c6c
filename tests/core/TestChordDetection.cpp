#include "activation/ChordDetection.h"
#include "keys/ChordTrigger.h"
#include "tests/core/FiredActions.h"
#include "tests/fakes/FakeGlobalShortcuts.h"

#include <QTest>

using namespace tarvex;
using State = GlobalShortcuts::State;

// Which combinations are desktop chords and their triggers; the hotkeys on a recording desktop.
class TestChordDetection final : public QObject
{
    Q_OBJECT

private slots:
    // Modifier order, case, key kinds; sequences, text keys, repeated or late modifiers are none.
    void triggers()
    {
        const std::pair<const char*, const char*> rows[] = {
            {"(Win)(Shift)(Alt)(Ctrl)(Del)", "CTRL+ALT+SHIFT+LOGO+Delete"},
            {"(Win)(Num+)", "LOGO+KP_Add"},
            {"(VolUp)", "XF86AudioRaiseVolume"}}; // a media key stands alone
        for (const auto& [combination, trigger] : rows)
            QCOMPARE(ChordTrigger(combination), QString(trigger));
        for (const char* none : {"(Ctrl)ab", "(Shift)x", "(Ctrl)(Alt)", "(Ctrl)(Ctrl)k", "k(Ctrl)"})
            QCOMPARE(ChordTrigger(none), QString());
    }

    // One shortcut per chord (the lowest record's), sequences and records that cannot run left;
    // no run nests in another, nor fails when the detection goes meanwhile.
    void bindsOneShortcutPerChord()
    {
        makeDetection("(Ctrl)(Alt)k*/bin/k|gofb*/bin/g|(F12)*/bin/f|(Alt)(Ctrl)k*/bin/second|"
                      "(Win)e|(Win)q*/bin/x\ty|  *every");
        QCOMPARE(m_desktop.calls(),
                 QStringList{"bind CTRL+ALT+k=CTRL+ALT+k (/bin/k), F12=F12 (/bin/f)"});
        QCOMPARE(m_detection->sequences(), QStringList{"gofb"});
        QVERIFY(m_detection->problem().contains("gofb") && !ChordDetection::IsChordTable(m_table));
        m_desktop.answer(State::Bound);
        m_desktop.press("CTRL+ALT+x"); // not asked for
        m_run.during = [this] {
            m_desktop.press("F12"); // while a confirmation box of the first action is open
            m_detection.reset();
        };
        m_desktop.press("CTRL+ALT+k"); // the lowest record runs
        QCOMPARE(m_run.fired, QStringList{"(Ctrl)(Alt)k>/bin/k"});
    }

    // A new table is bound again only when its chords changed (a press meanwhile runs the new
    // target); the chords are released while the editor is visible and asked for again after;
    // a declined bind is asked again at the next sync, once.
    void rebinding()
    {
        makeDetection("(Win)e*/bin/e");
        m_desktop.answer(State::Bound);
        m_table.replaceFromText("(Win)e*/bin/e|gofb*/bin/g");
        m_detection->sync();
        QCOMPARE(m_desktop.calls().size(), 1);
        m_table.replaceFromText("(Win)e*/bin/other");
        m_desktop.press("LOGO+e");
        QCOMPARE(m_run.fired, QStringList{"(Win)e>/bin/other"});
        bool visible = true;
        m_detection->setEditorVisibleQuery([&visible] { return visible; });
        m_detection->sync();
        m_desktop.press("LOGO+e"); // a desktop slow to release runs nothing
        visible = false;
        m_detection->sync();
        QCOMPARE(std::tuple(m_run.fired.size(), m_desktop.calls().mid(1)),
                 std::tuple(1, QStringList{"bind", "bind LOGO+e=LOGO+e (/bin/other)"}));
        m_desktop.answer(State::Declined);
        m_detection->sync();
        m_detection->sync(); // still being asked: not again
        QCOMPARE(std::tuple(m_desktop.calls().size(), m_desktop.state()),
                 std::tuple(qsizetype(4), State::Binding));
    }

    // Of the hotkeys with the pressed chord the lowest one the application in front allows runs.
    void appFiltersPickTheHotkey()
    {
        using M = AppFilter::Mode;
        makeDetection("(Win)e*/bin/foot|(Win)e*/bin/any|(Win)q*/bin/q");
        LimitToApps(m_table, {{M::OnlyIn, {"foot"}}, {M::NotIn, {"xterm"}}, {M::OnlyIn, {"foot"}}});
        ForegroundApp app{true, {"XTerm"}};
        m_detection->setForegroundAppQuery([&app] { return app; });
        m_desktop.answer(State::Bound);
        m_desktop.press("LOGO+e");
        m_desktop.press("LOGO+q");
        app = {true, {"Foot"}};
        m_desktop.press("LOGO+e");
        app = {}; // the desktop cannot tell: only the hotkey kept from some applications runs
        m_desktop.press("LOGO+e");
        QCOMPARE(m_run.fired, (QStringList{"(Win)e>/bin/foot", "(Win)e>/bin/any"}));
    }

private:
    void makeDetection(const QString& line)
    {
        m_detection.reset();
        m_desktop.clearCalls();
        m_run.reset();
        m_table.replaceFromText(line);
        m_detection =
            std::make_unique<ChordDetection>(m_desktop, m_table, [this](const HotkeyEntry& hotkey) {
                m_run.run(hotkey.combination + u'>' + hotkey.target);
            });
        m_detection->sync();
    }

    FakeGlobalShortcuts m_desktop;
    ActiveHotkeyTable m_table;
    FiredActions m_run;
    std::unique_ptr<ChordDetection> m_detection;
};

QTEST_GUILESS_MAIN(TestChordDetection)
#include "TestChordDetection.moc"
