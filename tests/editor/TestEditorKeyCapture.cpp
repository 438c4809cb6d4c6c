#include "editor/CaptureBox.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QShortcut>
#include <QSignalSpy>
#include <QTest>

using namespace tarvex;

class TestEditorKeyCapture final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Text before, keys pressed (Pad: on the keypad), text after (the cursor at its end).
    void keys()
    {
        const int back = Qt::Key_Backspace, ctrl = Qt::Key_Control, alt = Qt::Key_Alt;
        const int Pad = Qt::KeypadModifier;
        const std::tuple<const char*, QList<int>, const char*> rows[] = {
            {"", {ctrl, alt, 'K'}, "(Ctrl)(Alt)k"},
            {"", {alt, ctrl, 'K'}, "(Alt)(Ctrl)k"},
            {"", {ctrl}, "(Ctrl)"},
            {"a", {Qt::Key_Return, Qt::Key_Tab, Qt::Key_Escape}, "a(Enter)(Tab)(Esc)"},
            {"a", {Qt::Key_F1, Qt::Key_F12, Qt::Key_F24}, "a(F1)(F12)(F24)"},
            {"",
             {Qt::Key_Left, Qt::Key_Up, Qt::Key_Home, Qt::Key_PageDown},
             "(Left)(Up)(Home)(PgDn)"},
            {"",
             {Pad + Qt::Key_1, Pad + Qt::Key_0, Pad + Qt::Key_Minus, Pad + Qt::Key_Enter,
              Pad + Qt::Key_End},
             "(Num1)(Num0)(Num-)(NumEnter)(Num1)"},
            {"x", {Qt::Key_Period}, "x"}, // punctuation records nothing
            {"", {ctrl, alt, 'K', back, back}, "(Ctrl)"},
            {"(Ctrl)(Alt)k", {back, back, back, back}, ""}, // to empty and past it
            {"k(ALT)", {back}, "k"},                        // hand-edited capitals
            {"(Ctrl)(F4)", {back}, "(Ctrl)"},
            {"gofb", {back}, "gof"},
            {"x(Ctrl", {back}, "x(Ctr"}, // an unclosed token
        };
        for (const auto& [start, presses, expected] : rows) {
            CaptureBox box(false);
            box.setText(start);
            for (int key : presses)
                QTest::keyClick(&box, Qt::Key(key & ~Pad), Qt::KeyboardModifiers(key & Pad));
            QCOMPARE(std::tuple(box.text(), box.cursorPosition()),
                     std::tuple(QString(expected), int(strlen(expected))));
        }
    }

    // A held key's repeats are recorded; text set from outside keeps only the key alphabet.
    void autoRepeatAndForeignText()
    {
        CaptureBox box(true);
        QTest::keyPress(&box, Qt::Key_Control);
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier, QString(), true);
        QCoreApplication::sendEvent(&box, &repeat);
        QTest::keyClick(&box, Qt::Key_A);
        QCOMPARE(box.text(), QStringLiteral("(Ctrl)(Ctrl)a"));
        QSignalSpy spy(&box, &CaptureBox::combinationChanged);
        box.setText(QStringLiteral("ctrl+a"));
        QCOMPARE(box.text(), QStringLiteral("ctrla"));
        QCOMPARE(spy, QList<QVariantList>{{QStringLiteral("ctrla")}});
    }

    // Backspace erases a selection, even part of a token.
    void selectionErase()
    {
        const std::tuple<const char*, int, int, const char*> rows[] = {
            {"ab12", 2, 2, "ab"},
            {"ab12", 1, 2, "a2"},
            {"(Ctrl)(Alt)k", 0, 12, ""},
            {"(Ctrl)k", 1, 2, "(rl)k"},
        };
        for (const auto& [start, selectionStart, selectionLength, expected] : rows) {
            CaptureBox box(false);
            box.setText(start);
            box.setSelection(selectionStart, selectionLength);
            QTest::keyClick(&box, Qt::Key_Backspace);
            QCOMPARE(box.text(), QString(expected));
        }
    }

    // Tab is recorded; Ctrl+Tab (Ctrl+Shift+Tab) leaves the box, its Ctrl not recorded. While
    // the box has the focus the window's shortcuts (F1, Alt+D) take no key away.
    void tabIsRecordedCtrlTabMovesOn()
    {
        QWidget window;
        auto* before = new QLineEdit(&window);
        auto* box = new CaptureBox(false, &window);
        auto* after = new QLineEdit(&window);
        int triggered = 0;
        for (const QKeySequence& keys :
             {QKeySequence(Qt::Key_F1), QKeySequence(Qt::ALT | Qt::Key_D)})
            QObject::connect(new QShortcut(keys, &window), &QShortcut::activated,
                             [&] { ++triggered; });
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Tab);
        QCOMPARE(std::tuple(box->text(), QApplication::focusWidget()),
                 std::tuple(QStringLiteral("(Tab)"), static_cast<QWidget*>(box)));
        QTest::keyClick(box, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(std::tuple(box->text(), QApplication::focusWidget()),
                 std::tuple(QStringLiteral("(Tab)"), static_cast<QWidget*>(after)));
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(std::tuple(box->text(), QApplication::focusWidget()),
                 std::tuple(QStringLiteral("(Tab)"), static_cast<QWidget*>(before)));
        box->setFocus();
        QTest::keyClick(box, Qt::Key_F1);
        QTest::keyClick(box, Qt::Key_D, Qt::AltModifier);
        QCOMPARE(std::tuple(box->text(), triggered),
                 std::tuple(QStringLiteral("(Tab)(F1)(Alt)d"), 0));
    }

    // A click clears the editor's placeholder only; the wizard's box keeps it.
    void placeholderClick()
    {
        const std::tuple<bool, const char*, const char*> rows[] = {
            {true, "ClickToEdit", ""},
            {true, "gofb", "gofb"},
            {false, "ClickToEdit", "ClickToEdit"}};
        for (const auto& [clears, start, expected] : rows) {
            CaptureBox box(clears);
            box.setText(start);
            QTest::mouseClick(&box, Qt::LeftButton);
            QCOMPARE(box.text(), QString(expected));
        }
    }

    // Pasting keys are recorded as keys; a middle click, the context menu (no "Paste" in it),
    // a drop and an input method's text add nothing.
    void takesKeyPressesOnly()
    {
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText(QStringLiteral("mark"));
        if (clipboard->supportsSelection())
            clipboard->setText(QStringLiteral("mark"), QClipboard::Selection);
        else
            qInfo("this platform has no primary selection (the X11 run of this test has one)");
        const std::pair<QByteArray, const char*> rows[] = {
            {"ctrl v", "x(Ctrl)v"}, {"shift insert", "x(Shift)(Ins)"},
            {"middle click", "x"},  {"context menu", "x"},
            {"drop", "x"},          {"input method", "x"},
        };
        for (const auto& [way, expected] : rows) {
            if (way == "middle click" && !clipboard->supportsSelection())
                continue;
            QWidget window;
            auto* box = new CaptureBox(false, &window);
            box->setText(QStringLiteral("x"));
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            box->setFocus();
            const QPoint center = box->rect().center();
            QMimeData data;
            data.setText(QStringLiteral("mark"));
            if (way == "ctrl v") {
                QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
            } else if (way == "shift insert") {
                QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
            } else if (way == "middle click") {
                QTest::mouseClick(box, Qt::MiddleButton, {}, center);
            } else if (way == "context menu") {
                QContextMenuEvent menu(QContextMenuEvent::Mouse, center, box->mapToGlobal(center));
                QCoreApplication::sendEvent(box, &menu);
                QVERIFY(!QApplication::activePopupWidget());
            } else if (way == "drop") {
                QDragEnterEvent enter(center, Qt::CopyAction, &data, Qt::LeftButton, {});
                QCoreApplication::sendEvent(box, &enter);
                QDropEvent drop(center, Qt::CopyAction, &data, Qt::LeftButton, {});
                QCoreApplication::sendEvent(box, &drop);
            } else {
                QInputMethodEvent commit;
                commit.setCommitString(QStringLiteral("mark"));
                QCoreApplication::sendEvent(box, &commit);
            }
            QVERIFY2(box->text() == expected, way);
        }
    }
};

QTEST_MAIN(TestEditorKeyCapture)
#include "TestEditorKeyCapture.moc"
