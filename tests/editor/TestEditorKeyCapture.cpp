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

namespace {

struct KeyPress
{
    int key;
    Qt::KeyboardModifiers modifiers;
};

using KeyPresses = QList<KeyPress>;

KeyPress Key(int key)
{
    return {key, Qt::NoModifier};
}

KeyPress Keypad(int key)
{
    return {key, Qt::KeypadModifier};
}

} // namespace

Q_DECLARE_METATYPE(KeyPresses)

class TestEditorKeyCapture final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keys_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<KeyPresses>("presses");
        QTest::addColumn<QString>("expected");

        QTest::newRow("ctrl alt k")
            << QString() << KeyPresses{Key(Qt::Key_Control), Key(Qt::Key_Alt), Key('K')}
            << "(Ctrl)(Alt)k";
        QTest::newRow("alt ctrl k")
            << QString() << KeyPresses{Key(Qt::Key_Alt), Key(Qt::Key_Control), Key('K')}
            << "(Alt)(Ctrl)k";
        QTest::newRow("lone ctrl") << QString() << KeyPresses{Key(Qt::Key_Control)} << "(Ctrl)";
        QTest::newRow("enter, tab, escape")
            << "a" << KeyPresses{Key(Qt::Key_Return), Key(Qt::Key_Tab), Key(Qt::Key_Escape)}
            << "a(Enter)(Tab)(Esc)";
        QTest::newRow("function keys")
            << "a" << KeyPresses{Key(Qt::Key_F1), Key(Qt::Key_F12), Key(Qt::Key_F24)}
            << "a(F1)(F12)(F24)";
        QTest::newRow("arrows, home, page down")
            << ""
            << KeyPresses{Key(Qt::Key_Left), Key(Qt::Key_Up), Key(Qt::Key_Home),
                          Key(Qt::Key_PageDown)}
            << "(Left)(Up)(Home)(PgDn)";
        QTest::newRow("keypad") << ""
                                << KeyPresses{Keypad(Qt::Key_1), Keypad(Qt::Key_0),
                                              Keypad(Qt::Key_Minus), Keypad(Qt::Key_Enter),
                                              Keypad(Qt::Key_End)}
                                << "(Num1)(Num0)(Num-)(NumEnter)(Num1)";
        QTest::newRow("punctuation records nothing")
            << "x" << KeyPresses{Key(Qt::Key_Period)} << "x";
        QTest::newRow("backspace sequence")
            << ""
            << KeyPresses{Key(Qt::Key_Control), Key(Qt::Key_Alt), Key('K'), Key(Qt::Key_Backspace),
                          Key(Qt::Key_Backspace)}
            << "(Ctrl)";
        QTest::newRow("backspace to empty and past it")
            << "(Ctrl)(Alt)k"
            << KeyPresses{Key(Qt::Key_Backspace), Key(Qt::Key_Backspace), Key(Qt::Key_Backspace),
                          Key(Qt::Key_Backspace)}
            << "";
        QTest::newRow("backspace hand-edited capitals")
            << "k(ALT)" << KeyPresses{Key(Qt::Key_Backspace)} << "k";
        QTest::newRow("backspace a new token")
            << "(Ctrl)(F4)" << KeyPresses{Key(Qt::Key_Backspace)} << "(Ctrl)";
        QTest::newRow("backspace plain character")
            << "gofb" << KeyPresses{Key(Qt::Key_Backspace)} << "gof";
        QTest::newRow("backspace unclosed token")
            << "x(Ctrl" << KeyPresses{Key(Qt::Key_Backspace)} << "x(Ctr";
    }

    void keys()
    {
        QFETCH(QString, start);
        QFETCH(KeyPresses, presses);
        QFETCH(QString, expected);
        CaptureBox box(false);
        box.setText(start);
        for (const KeyPress& press : presses)
            QTest::keyClick(&box, Qt::Key(press.key), press.modifiers);
        QCOMPARE(box.text(), expected);
        QCOMPARE(box.cursorPosition(), int(expected.size()));
    }

    void autoRepeatRecordsEachRepeat()
    {
        CaptureBox box(false);
        QTest::keyPress(&box, Qt::Key_Control);
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier, QString(), true);
        QCoreApplication::sendEvent(&box, &repeat);
        QTest::keyClick(&box, Qt::Key_A);
        QCOMPARE(box.text(), QStringLiteral("(Ctrl)(Ctrl)a"));
    }

    void selectionErase_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("selectionStart");
        QTest::addColumn<int>("selectionLength");
        QTest::addColumn<QString>("expected");

        QTest::newRow("last two") << "ab12" << 2 << 2 << "ab";
        QTest::newRow("middle two") << "ab12" << 1 << 2 << "a2";
        QTest::newRow("all") << "(Ctrl)(Alt)k" << 0 << 12 << "";
        QTest::newRow("part of a token") << "(Ctrl)k" << 1 << 2 << "(rl)k";
    }

    void selectionErase()
    {
        QFETCH(QString, start);
        QFETCH(int, selectionStart);
        QFETCH(int, selectionLength);
        QFETCH(QString, expected);
        CaptureBox box(false);
        box.setText(start);
        box.setSelection(selectionStart, selectionLength);
        QTest::keyClick(&box, Qt::Key_Backspace);
        QCOMPARE(box.text(), expected);
    }

    // Tab is a key to record; Ctrl+Tab leaves the box (Ctrl+Shift+Tab backwards) without the
    // Ctrl that was pressed for it.
    void tabIsRecordedCtrlTabMovesOn()
    {
        QWidget window;
        auto* before = new QLineEdit(&window);
        auto* box = new CaptureBox(false, &window);
        auto* after = new QLineEdit(&window);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Tab);
        QCOMPARE(box->text(), QStringLiteral("(Tab)"));
        QCOMPARE(QApplication::focusWidget(), box);
        QTest::keyClick(box, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(box->text(), QStringLiteral("(Tab)"));
        QCOMPARE(QApplication::focusWidget(), after);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(box->text(), QStringLiteral("(Tab)"));
        QCOMPARE(QApplication::focusWidget(), before);
    }

    // While the box has the focus, every key is recorded: the window's shortcuts (F1 for help, an
    // Alt+D button) take none away.
    void windowShortcutsTakeNoKey()
    {
        QWidget window;
        auto* box = new CaptureBox(false, &window);
        int triggered = 0;
        for (const QKeySequence& keys :
             {QKeySequence(Qt::Key_F1), QKeySequence(Qt::ALT | Qt::Key_D)})
            QObject::connect(new QShortcut(keys, &window), &QShortcut::activated,
                             [&] { ++triggered; });
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        box->setFocus();
        QTest::keyClick(box, Qt::Key_F1);
        QTest::keyClick(box, Qt::Key_D, Qt::AltModifier);
        QCOMPARE(box->text(), QStringLiteral("(F1)(Alt)d"));
        QCOMPARE(triggered, 0);
    }

    void placeholderClick_data()
    {
        QTest::addColumn<bool>("clears");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("expected");

        QTest::newRow("editor placeholder") << true << "ClickToEdit"
                                            << "";
        QTest::newRow("editor other text") << true << "gofb"
                                           << "gofb";
        QTest::newRow("wizard keeps placeholder") << false << "ClickToEdit"
                                                  << "ClickToEdit";
    }

    void placeholderClick()
    {
        QFETCH(bool, clears);
        QFETCH(QString, start);
        QFETCH(QString, expected);
        CaptureBox box(clears);
        box.setText(start);
        QTest::mouseClick(&box, Qt::LeftButton);
        QCOMPARE(box.text(), expected);
    }

    void foreignTextIsFiltered()
    {
        CaptureBox box(true);
        QSignalSpy spy(&box, &CaptureBox::combinationChanged);
        box.setText(QStringLiteral("ctrl+a"));
        QCOMPARE(box.text(), QStringLiteral("ctrla"));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("ctrla"));
    }

    void takesKeyPressesOnly_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("expected");
        QTest::newRow("ctrl v") << "ctrl v"
                                << "x(Ctrl)v";
        QTest::newRow("shift insert") << "shift insert"
                                      << "x(Shift)(Ins)";
        QTest::newRow("middle click") << "middle click"
                                      << "x";
        QTest::newRow("context menu") << "context menu"
                                      << "x";
        QTest::newRow("drop") << "drop"
                              << "x";
        QTest::newRow("input method") << "input method"
                                      << "x";
    }

    void takesKeyPressesOnly()
    {
        QFETCH(QString, way);
        QFETCH(QString, expected);
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText(QStringLiteral("mark"));
        if (clipboard->supportsSelection())
            clipboard->setText(QStringLiteral("mark"), QClipboard::Selection);
        else if (way == "middle click")
            QSKIP("this platform has no primary selection (the X11 run of this test has one)");
        QWidget window;
        auto* box = new CaptureBox(false, &window);
        box->setText(QStringLiteral("x"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        box->setFocus();
        if (way == "ctrl v") {
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        } else if (way == "shift insert") {
            QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
        } else if (way == "middle click") {
            QTest::mouseClick(box, Qt::MiddleButton, {}, box->rect().center());
        } else if (way == "context menu") {
            QContextMenuEvent menu(QContextMenuEvent::Mouse, box->rect().center(),
                                   box->mapToGlobal(box->rect().center()));
            QCoreApplication::sendEvent(box, &menu);
            QVERIFY(!QApplication::activePopupWidget()); // no menu with "Paste" in it
        } else if (way == "drop") {
            QMimeData data;
            data.setText(QStringLiteral("mark"));
            QDragEnterEvent enter(box->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(box, &enter);
            QDropEvent drop(box->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(box, &drop);
        } else if (way == "input method") {
            QInputMethodEvent commit;
            commit.setCommitString(QStringLiteral("mark"));
            QCoreApplication::sendEvent(box, &commit);
        }
        QCOMPARE(box->text(), expected);
    }
};

QTEST_MAIN(TestEditorKeyCapture)
#include "TestEditorKeyCapture.moc"
