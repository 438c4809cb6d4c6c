#include "activation/GlobalFlags.h"
#include "activation/HotkeyDetection.h"
#include "tests/core/CodesText.h"
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
        m_fired.clear();
        m_duringAction = {};
        SetHK(true);
    }

    void cleanup()
    {
        m_detection.reset();
        SetHK(false);
    }

    void sidedModifierBuffers_data()
    {
        // Sided source: two modifier presses (code pairs), then the letter; buffer and firing.
        QTest::addColumn<QString>("combination");
        QTest::addColumn<QList<int>>("presses");
        QTest::addColumn<QString>("bufferBeforeLetter");
        QTest::addColumn<bool>("fires");
        QTest::newRow("left ctrl a") << "(Ctrl)a" << QList<int>{17, 162, 65} << Codes({17}) << true;
        QTest::newRow("right ctrl a")
            << "(Ctrl)a" << QList<int>{17, 163, 65} << Codes({17, 17}) << true;
        QTest::newRow("left shift a")
            << "(Shift)a" << QList<int>{16, 160, 65} << Codes({16, 160}) << false;
        QTest::newRow("right shift a")
            << "(Shift)a" << QList<int>{16, 161, 65} << Codes({16, 16}) << true;
        QTest::newRow("left alt") << "(Alt)a" << QList<int>{18, 164, 65} << Codes({18, 18}) << true;
        QTest::newRow("right alt")
            << "(Alt)a" << QList<int>{18, 165, 65} << Codes({18, 165}) << false;
        QTest::newRow("left ctrl left alt k")
            << "(Ctrl)(Alt)k" << QList<int>{17, 162, 18, 164, 75} << Codes({17, 18, 18}) << false;
        QTest::newRow("left alt left ctrl k")
            << "(Alt)(Ctrl)k" << QList<int>{18, 164, 17, 162, 75} << Codes({18, 18, 17}) << true;
        QTest::newRow("left win") << "(Win)e" << QList<int>{91, 0, 69} << Codes({91}) << true;
        QTest::newRow("right win") << "(Win)e" << QList<int>{92, 0, 69} << Codes({92}) << false;
    }

    void sidedModifierBuffers()
    {
        QFETCH(QString, combination);
        QFETCH(QList<int>, presses);
        QFETCH(QString, bufferBeforeLetter);
        QFETCH(bool, fires);
        makeDetection(combination + QStringLiteral("*/bin/x"));
        // Pairs of codes are one modifier press; 0 marks a press of a single code.
        for (qsizetype i = 0; i + 1 < presses.size(); i += 2) {
            if (presses[i + 1] == 0)
                m_source.tap({presses[i]});
            else
                m_source.tap({presses[i], presses[i + 1]});
        }
        QCOMPARE(m_detection->buffer().text(), bufferBeforeLetter);
        m_source.tap({presses.last()});
        QCOMPARE(m_fired.size(), fires ? 1 : 0);
        QCOMPARE(m_detection->buffer().isEmpty(), fires);
    }

    void heldKeyDoesNotRefire()
    {
        makeDetection(QStringLiteral("a*/bin/a"));
        m_source.press({65});
        QCOMPARE(m_fired, QStringList{"/bin/a"});
        QVERIFY(m_detection->buffer().isEmpty());
        m_source.press({65, 66}); // A still held: only B is a new press
        QCOMPARE(m_fired.size(), 1);
        QCOMPARE(m_detection->buffer().text(), Codes({66}));
    }

    void releasesAreNotRecorded()
    {
        makeDetection(QStringLiteral("(Ctrl)a*/bin/a"));
        m_source.tap({17}); // released before the next key: still in the buffer
        m_source.tap({65});
        QCOMPARE(m_fired, QStringList{"/bin/a"});
    }

    void lowerIndexWins()
    {
        makeDetection(QStringLiteral("xa*first|a*second|A*third"));
        m_source.tap({88});
        m_source.tap({65});
        QCOMPARE(m_fired, QStringList{"first"});
        m_source.tap({65});
        QCOMPARE(m_fired, (QStringList{"first", "second"}));
    }

    void recordsThatCannotRunNeverFire_data()
    {
        QTest::addColumn<QString>("line");
        QTest::newRow("empty combination") << QStringLiteral("zz*never|*every|a*real");
        QTest::newRow("blank combination") << QStringLiteral("  *every|a*real");
        QTest::newRow("line ending in one") << QStringLiteral("a*real|*every");
        QTest::newRow("nul in target")
            << QStringLiteral("q*/tmp/count.sh") + QChar(0) + QStringLiteral(".txt|a*real");
        QTest::newRow("tab in target") << QStringLiteral("q*/tmp/x\ty|a*real");
        QTest::newRow("no target") << QStringLiteral("a|a*real");
    }

    void recordsThatCannotRunNeverFire()
    {
        QFETCH(QString, line);
        makeDetection(line);
        for (int code : {81, 32, 32})
            m_source.tap({code});
        m_source.tap({17, 162});
        QVERIFY(m_fired.isEmpty());
        m_source.tap({65});
        QCOMPARE(m_fired, QStringList{"real"});
    }

    void modifierAloneFiresAtOnce()
    {
        makeDetection(QStringLiteral("(Ctrl)*ctrl|(Ctrl)a*never"));
        m_source.tap({17});
        QCOMPARE(m_fired, QStringList{"ctrl"});
        m_source.tap({65});
        QCOMPARE(m_fired, QStringList{"ctrl"});
    }

    void pausedWhileEditorVisibleOrDisabled_data()
    {
        QTest::addColumn<bool>("editorVisible");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("editor visible") << true << true;
        QTest::newRow("hotkeys off") << false << false;
    }

    void pausedWhileEditorVisibleOrDisabled()
    {
        QFETCH(bool, editorVisible);
        QFETCH(bool, enabled);
        makeDetection(QStringLiteral("ab*x"));
        bool visible = editorVisible;
        m_detection->setEditorVisibleQuery([&visible] { return visible; });
        m_source.tap({65});
        SetHK(enabled);
        m_source.tap({66});
        m_source.tap({67});
        QVERIFY(m_fired.isEmpty());
        QCOMPARE(m_detection->buffer().text(), editorVisible ? QString() : Codes({65}));
        visible = false;
        SetHK(true);
        m_source.tap({68}); // presses made while paused never reach the buffer later
        QCOMPARE(m_detection->buffer().text(), editorVisible ? Codes({68}) : Codes({65, 68}));
    }

    void newTableStartsWithEmptyBuffer()
    {
        makeDetection(QStringLiteral("zz*old"));
        m_source.tap({71});
        m_source.tap({79});
        m_table.replaceFromText(QStringLiteral("zz*old|go*new|(Ctrl)q*close"));
        // "go" was typed before the new hotkey existed: it must not fire at the next key.
        m_source.tap({81});
        QVERIFY(m_fired.isEmpty());
        QCOMPARE(m_detection->buffer().text(), Codes({81}));
        m_source.tap({71});
        m_source.tap({79});
        QCOMPARE(m_fired, QStringList{"new"});
    }

    void sameTickAfterMatchUsesEmptiedBuffer()
    {
        makeDetection(QStringLiteral("b*B|a*A|ab*AB"));
        m_source.tap({65, 66}); // announced one after the other: 65, then 66
        QCOMPARE(m_fired, (QStringList{"A", "B"}));
    }

    void noNestedTicksWhileActionRuns()
    {
        makeDetection(QStringLiteral("a*ask|y*yes"));
        // While the action runs (say a question box is open) the user types "y".
        m_duringAction = [this] {
            m_duringAction = {};
            QVERIFY(m_detection->isRunningAction());
            m_source.tap({89});
        };
        m_source.tap({65});
        QCOMPARE(m_fired, QStringList{"ask"});
        QVERIFY(!m_detection->isRunningAction());
        QVERIFY(m_detection->buffer().isEmpty());
        m_source.tap({90});
        QCOMPARE(m_fired, QStringList{"ask"});
    }

    void bufferIsBounded()
    {
        makeDetection(QStringLiteral("zzzzzq*found"), 4);
        for (int i = 0; i < 10; ++i)
            m_detection->appendKeyCode(90);
        QCOMPARE(m_detection->buffer().size(), 4);
        m_detection->appendKeyCode(81); // the sequence no longer fits in the kept codes
        QVERIFY(m_fired.isEmpty());
        m_detection->appendKeyCode(256);
        m_detection->appendKeyCode(0);
        QCOMPARE(m_detection->buffer().text(), Codes({90, 90, 90, 81}));
    }

    void leftCtrlTrimLeavesNoStaleMatch()
    {
        // A left Ctrl drops the oldest "a" of a full buffer: "b" must not complete "aaab".
        makeDetection(QStringLiteral("aaab*never"), 3);
        for (int code : {65, 65, 65, 162, 66})
            m_detection->appendKeyCode(code);
        QVERIFY(m_fired.isEmpty());
        QCOMPARE(m_detection->buffer().text(), Codes({65, 65, 66}));
    }

    void survivesDestructionDuringAction()
    {
        makeDetection(QStringLiteral("a*quit"));
        m_duringAction = [this] { m_detection.reset(); };
        m_source.press({65, 66});
        QCOMPARE(m_fired, QStringList{"quit"});
        m_source.press({67}); // no callback any more
        QVERIFY(!m_detection);
    }

private:
    void makeDetection(const QString& line, int capacity = KeyBuffer::DefaultCapacity);

    FakeKeyStateSource m_source;
    ActiveHotkeyTable m_table;
    QStringList m_fired;
    std::function<void()> m_duringAction;
    std::unique_ptr<HotkeyDetection> m_detection;
};

void TestHotkeyDetection::makeDetection(const QString& line, int capacity)
{
    m_detection.reset();
    m_table.replaceFromText(line);
    auto run = [this](const QString& target) {
        m_fired.append(target);
        if (m_duringAction)
            m_duringAction();
    };
    m_detection = std::make_unique<HotkeyDetection>(m_source, m_table, run, capacity);
}

QTEST_GUILESS_MAIN(TestHotkeyDetection)
#include "TestHotkeyDetection.moc"
