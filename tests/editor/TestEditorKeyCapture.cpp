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
using namespace Qt::StringLiterals;

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
            << u"a"_s << KeyPresses{Key(Qt::Key_Return), Key(Qt::Key_Tab), Key(Qt::Key_Escape)}
            << u"a(Enter)(Tab)(Esc)"_s;
        QTest::newRow("function keys")
            << u"a"_s << KeyPresses{Key(Qt::Key_F1), Key(Qt::Key_F12), Key(Qt::Key_F24)}
            << u"a(F1)(F12)(F24)"_s;
        QTest::newRow("arrows, home, page down")
            << u""_s
            << KeyPresses{Key(Qt::Key_Left), Key(Qt::Key_Up), Key(Qt::Key_Home),
                          Key(Qt::Key_PageDown)}
            << u"(Left)(Up)(Home)(PgDn)"_s;
        QTest::newRow("keypad") << u""_s
                                << KeyPresses{Keypad(Qt::Key_1), Keypad(Qt::Key_0),
                                              Keypad(Qt::Key_Minus), Keypad(Qt::Key_Enter),
                                              Keypad(Qt::Key_End)}
                                << u"(Num1)(Num0)(Num-)(NumEnter)(Num1)"_s;
        QTest::newRow("punctuation records nothing")
            << u"x"_s << KeyPresses{Key(Qt::Key_Period)} << u"x"_s;
        QTest::newRow("backspace sequence")
            << u""_s
            << KeyPresses{Key(Qt::Key_Control), Key(Qt::Key_Alt), Key('K'), Key(Qt::Key_Backspace),
                          Key(Qt::Key_Backspace)}
            << u"(Ctrl)"_s;
        QTest::newRow("backspace to empty and past it")
            << u"(Ctrl)(Alt)k"_s
            << KeyPresses{Key(Qt::Key_Backspace), Key(Qt::Key_Backspace), Key(Qt::Key_Backspace),
                          Key(Qt::Key_Backspace)}
            << u""_s;
        QTest::newRow("backspace hand-edited capitals")
            << u"k(ALT)"_s << KeyPresses{Key(Qt::Key_Backspace)} << u"k"_s;
        QTest::newRow("backspace a new token")
            << u"(Ctrl)(F4)"_s << KeyPresses{Key(Qt::Key_Backspace)} << u"(Ctrl)"_s;
        QTest::newRow("backspace plain character")
            << u"gofb"_s << KeyPresses{Key(Qt::Key_Backspace)} << u"gof"_s;
        QTest::newRow("backspace unclosed token")
            << u"x(Ctrl"_s << KeyPresses{Key(Qt::Key_Backspace)} << u"x(Ctr"_s;
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

    // Tab is recorded; Ctrl+Tab (Ctrl+Shift+Tab) leaves the box, its Ctrl not recorded.
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

    // While the box has the focus the window's shortcuts (F1, Alt+D) take no key away.
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
        QTest::newRow("editor placeholder") << true << u"ClickToEdit"_s << u""_s;
        QTest::newRow("editor other text") << true << u"gofb"_s << u"gofb"_s;
        QTest::newRow("wizard keeps placeholder") << false << u"ClickToEdit"_s << u"ClickToEdit"_s;
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
        QTest::newRow("ctrl v") << u"ctrl v"_s << u"x(Ctrl)v"_s;
        QTest::newRow("shift insert") << u"shift insert"_s << u"x(Shift)(Ins)"_s;
        QTest::newRow("middle click") << u"middle click"_s << u"x"_s;
        QTest::newRow("context menu") << u"context menu"_s << u"x"_s;
        QTest::newRow("drop") << u"drop"_s << u"x"_s;
        QTest::newRow("input method") << u"input method"_s << u"x"_s;
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
