#include "activation/HotkeyDetection.h"
#include "tests/core/CodesText.h"
#include "tests/core/FiredActions.h"
#include "tests/fakes/FakeKeyStateSource.h"

#include <QTest>

using namespace tarvex;

class TestHotkeyDetection final : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_source = FakeKeyStateSource();
        m_run.reset();
    }
    void cleanup()
    {
        m_detection.reset();
        SetHK(false);
    }

    // Sided source: two modifier presses (a code pair, or one code before a 0), then the letter.
    void sidedModifierBuffers()
    {
        const std::tuple<const char*, QList<int>, QString, bool> rows[] = {
            {"(Ctrl)a", {17, 162, 65}, Codes({17}), true},
            {"(Ctrl)a", {17, 163, 65}, Codes({17, 17}), true},
            {"(Shift)a", {16, 160, 65}, Codes({16, 160}), false},
            {"(Shift)a", {16, 161, 65}, Codes({16, 16}), true},
            {"(Alt)a", {18, 164, 65}, Codes({18, 18}), true},
            {"(Alt)a", {18, 165, 65}, Codes({18, 165}), false},
            {"(Ctrl)(Alt)k", {17, 162, 18, 164, 75}, Codes({17, 18, 18}), false},
            {"(Alt)(Ctrl)k", {18, 164, 17, 162, 75}, Codes({18, 18, 17}), true},
            {"(Win)e", {91, 0, 69}, Codes({91}), true},
            {"(Win)e", {92, 0, 69}, Codes({92}), false}};
        for (const auto& [combination, presses, bufferBeforeLetter, fires] : rows) {
            makeDetection(combination + QStringLiteral("*/bin/x"));
            for (qsizetype i = 0; i + 1 < presses.size(); i += 2)
                if (presses[i + 1])
                    m_source.tap({presses[i], presses[i + 1]});
                else
                    m_source.tap({presses[i]});
            QCOMPARE(m_detection->buffer().text(), bufferBeforeLetter);
            m_source.tap({presses.last()});
            QCOMPARE(std::tuple(m_run.fired.size(), m_detection->buffer().isEmpty()),
                     std::tuple(fires ? 1 : 0, fires));
        }
    }

    void heldKeyDoesNotRefire()
    {
        makeDetection(QStringLiteral("a*/bin/a"));
        m_source.press({65});
        QCOMPARE(std::tuple(m_run.fired, m_detection->buffer().text()),
                 std::tuple(QStringList{"/bin/a"}, QString()));
        m_source.press({65, 66}); // A still held: only B is a new press
        QCOMPARE(std::tuple(m_run.fired.size(), m_detection->buffer().text()),
                 std::tuple(qsizetype(1), Codes({66})));
    }

    // A released key stays in the buffer; the lower record wins.
    void releasesAreKeptAndLowerIndexWins()
    {
        makeDetection(QStringLiteral("(Ctrl)a*/bin/a"));
        m_source.tap({17});
        m_source.tap({65});
        QCOMPARE(m_run.fired, QStringList{"/bin/a"});
        makeDetection(QStringLiteral("xa*first|a*second|A*third"));
        for (int code : {88, 65, 65})
            m_source.tap({code});
        QCOMPARE(m_run.fired, (QStringList{"first", "second"}));
        makeDetection(QStringLiteral("(Ctrl)*ctrl|(Ctrl)a*never")); // a modifier alone fires
        m_source.tap({17});
        QCOMPARE(m_run.fired, QStringList{"ctrl"});
        m_source.tap({65});
        QCOMPARE(m_run.fired, QStringList{"ctrl"});
    }

    void recordsThatCannotRunNeverFire()
    {
        const QString lines[] = {
            QStringLiteral("zz*never|*every|a*real"),
            QStringLiteral("  *every|a*real"),
            QStringLiteral("a*real|*every"),
            QStringLiteral("q*/tmp/count.sh") + QChar(0) + QStringLiteral(".txt|a*real"),
            QStringLiteral("q*/tmp/x\ty|a*real"),
            QStringLiteral("a|a*real"),
        };
        for (const QString& line : lines) {
            makeDetection(line);
            for (int code : {81, 32, 32})
                m_source.tap({code});
            m_source.tap({17, 162});
            QVERIFY2(m_run.fired.isEmpty(), qPrintable(line));
            m_source.tap({65});
            QCOMPARE(m_run.fired, QStringList{"real"});
        }
    }

    // Paused by the visible editor or by the hotkeys being off; presses made while paused
    // never reach the buffer later.
    void pausedWhileEditorVisibleOrDisabled()
    {
        for (bool editorVisible : {true, false}) {
            makeDetection(QStringLiteral("ab*x"));
            bool visible = editorVisible;
            m_detection->setEditorVisibleQuery([&visible] { return visible; });
            m_source.tap({65});
            SetHK(editorVisible);
            m_source.tap({66});
            m_source.tap({67});
            QCOMPARE(std::tuple(m_run.fired, m_detection->buffer().text()),
                     std::tuple(QStringList(), editorVisible ? QString() : Codes({65})));
            visible = false;
            SetHK(true);
            m_source.tap({68});
            QCOMPARE(m_detection->buffer().text(), editorVisible ? Codes({68}) : Codes({65, 68}));
        }
    }

    void newTableStartsWithEmptyBuffer()
    {
        makeDetection(QStringLiteral("zz*old"));
        m_source.tap({71});
        m_source.tap({79});
        m_table.replaceFromText(QStringLiteral("zz*old|go*new|(Ctrl)q*close"));
        // "go" was typed before the new hotkey existed: it must not fire at the next key.
        m_source.tap({81});
        QCOMPARE(std::tuple(m_run.fired, m_detection->buffer().text()),
                 std::tuple(QStringList(), Codes({81})));
        m_source.tap({71});
        m_source.tap({79});
        QCOMPARE(m_run.fired, QStringList{"new"});
    }

    void sameTickAfterMatchUsesEmptiedBuffer()
    {
        makeDetection(QStringLiteral("b*B|a*A|ab*AB"));
        m_source.tap({65, 66}); // announced one after the other: 65, then 66
        QCOMPARE(m_run.fired, (QStringList{"A", "B"}));
    }

    void noNestedTicksWhileActionRuns()
    {
        makeDetection(QStringLiteral("a*ask|y*yes"));
        // While the action runs (say a question box is open) the user types "y".
        m_run.during = [this] {
            QVERIFY(m_detection->isRunningAction());
            m_source.tap({89});
        };
        m_source.tap({65});
        QCOMPARE(std::tuple(m_run.fired, m_detection->isRunningAction(),
                            m_detection->buffer().isEmpty()),
                 std::tuple(QStringList{"ask"}, false, true));
        m_source.tap({90});
        QCOMPARE(m_run.fired, QStringList{"ask"});
    }

    void bufferIsBounded()
    {
        makeDetection(QStringLiteral("zzzzzq*found"), 4);
        for (int i = 0; i < 10; ++i)
            m_detection->appendKeyCode(90);
        QCOMPARE(m_detection->buffer().size(), 4);
        m_detection->appendKeyCode(81); // the sequence no longer fits in the kept codes
        QVERIFY(m_run.fired.isEmpty());
        m_detection->appendKeyCode(256);
        m_detection->appendKeyCode(0);
        QCOMPARE(m_detection->buffer().text(), Codes({90, 90, 90, 81}));
        // A left Ctrl drops the oldest "a" of a full buffer: "b" must not complete "aaab".
        makeDetection(QStringLiteral("aaab*never"), 3);
        for (int code : {65, 65, 65, 162, 66})
            m_detection->appendKeyCode(code);
        QCOMPARE(std::tuple(m_run.fired, m_detection->buffer().text()),
                 std::tuple(QStringList(), Codes({65, 65, 66})));
    }

    void survivesDestructionDuringAction()
    {
        makeDetection(QStringLiteral("a*quit"));
        m_run.during = [this] { m_detection.reset(); };
        m_source.press({65, 66});
        QCOMPARE(m_run.fired, QStringList{"quit"});
        m_source.press({67}); // no callback any more
        QVERIFY(!m_detection);
    }

private:
    void makeDetection(const QString& line, int capacity = KeyBuffer::DefaultCapacity)
    {
        m_detection.reset();
        m_run.fired.clear();
        m_table.replaceFromText(line);
        m_detection = std::make_unique<HotkeyDetection>(
            m_source, m_table, [this](const QString& target) { m_run.run(target); }, capacity);
    }

    FakeKeyStateSource m_source;
    ActiveHotkeyTable m_table;
    FiredActions m_run;
    std::unique_ptr<HotkeyDetection> m_detection;
};

QTEST_GUILESS_MAIN(TestHotkeyDetection)
#include "TestHotkeyDetection.moc"
