#include "editor/CaptureBox.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
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
    void keys_data();
    void keys();
    void autoRepeatRecordsEachRepeat();
    void selectionErase_data();
    void selectionErase();
    void arrowsOnlyMoveTheCaret();
    void placeholderClick_data();
    void placeholderClick();
    void foreignTextIsFiltered();
    void takesKeyPressesOnly_data();
    void takesKeyPressesOnly();
};

void TestEditorKeyCapture::keys_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<KeyPresses>("presses");
    QTest::addColumn<QString>("expected");

    QTest::newRow("ctrl alt k") << QString()
                                << KeyPresses{Key(Qt::Key_Control), Key(Qt::Key_Alt), Key('K')}
                                << "(Ctrl)(Alt)k";
    QTest::newRow("alt ctrl k") << QString()
                                << KeyPresses{Key(Qt::Key_Alt), Key(Qt::Key_Control), Key('K')}
                                << "(Alt)(Ctrl)k";
    QTest::newRow("shift a") << QString() << KeyPresses{Key(Qt::Key_Shift), Key('A')} << "(Shift)a";
    QTest::newRow("lone ctrl") << QString() << KeyPresses{Key(Qt::Key_Control)} << "(Ctrl)";
    QTest::newRow("super") << QString() << KeyPresses{Key(Qt::Key_Meta)} << "(Win)";
    QTest::newRow("delete") << "a" << KeyPresses{Key(Qt::Key_Delete)} << "a(Del)";
    QTest::newRow("space") << "a" << KeyPresses{Key(Qt::Key_Space)} << "a(Space)";
    QTest::newRow("enter") << "a" << KeyPresses{Key(Qt::Key_Return)} << "a";
    QTest::newRow("keypad enter") << "a" << KeyPresses{Keypad(Qt::Key_Enter)} << "a";
    QTest::newRow("escape") << "a" << KeyPresses{Key(Qt::Key_Escape)} << "a";
    QTest::newRow("tab") << "a" << KeyPresses{Key(Qt::Key_Tab)} << "a";
    QTest::newRow("f12") << "a" << KeyPresses{Key(Qt::Key_F12)} << "a";
    QTest::newRow("f1 records p") << "a" << KeyPresses{Key(Qt::Key_F1)} << "ap";
    QTest::newRow("f11 records z") << "" << KeyPresses{Key(Qt::Key_F11)} << "z";
    QTest::newRow("digits") << "" << KeyPresses{Key('4'), Key('2')} << "42";
    QTest::newRow("keypad 1 records a") << "" << KeyPresses{Keypad(Qt::Key_1)} << "a";
    QTest::newRow("keypad 0 records nothing") << "x" << KeyPresses{Keypad(Qt::Key_0)} << "x";
    QTest::newRow("keypad minus records m") << "" << KeyPresses{Keypad(Qt::Key_Minus)} << "m";
    QTest::newRow("punctuation records nothing") << "x" << KeyPresses{Key(Qt::Key_Period)} << "x";
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
    QTest::newRow("backspace mixed case token")
        << "(sPaCe)" << KeyPresses{Key(Qt::Key_Backspace)} << "";
    QTest::newRow("backspace plain character")
        << "gofb" << KeyPresses{Key(Qt::Key_Backspace)} << "gof";
    QTest::newRow("backspace unclosed token")
        << "x(Ctrl" << KeyPresses{Key(Qt::Key_Backspace)} << "x(Ctr";
}

void TestEditorKeyCapture::keys()
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

void TestEditorKeyCapture::autoRepeatRecordsEachRepeat()
{
    CaptureBox box(false);
    QTest::keyPress(&box, Qt::Key_Control);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier, QString(), true);
    QCoreApplication::sendEvent(&box, &repeat);
    QTest::keyClick(&box, Qt::Key_A);
    QCOMPARE(box.text(), QStringLiteral("(Ctrl)(Ctrl)a"));
}

void TestEditorKeyCapture::selectionErase_data()
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

void TestEditorKeyCapture::selectionErase()
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

void TestEditorKeyCapture::arrowsOnlyMoveTheCaret()
{
    CaptureBox box(false);
    box.setText(QStringLiteral("abc"));
    QTest::keyClick(&box, Qt::Key_Left);
    QTest::keyClick(&box, Qt::Key_Left);
    QCOMPARE(box.text(), QStringLiteral("abc"));
    QCOMPARE(box.cursorPosition(), 1);
    // A key appends at the end wherever the caret stands.
    QTest::keyClick(&box, Qt::Key_D);
    QCOMPARE(box.text(), QStringLiteral("abcd"));
    // Shift, held to extend a selection, is a key like any other (QTest presses it first).
    QTest::keyClick(&box, Qt::Key_Left, Qt::ShiftModifier);
    QCOMPARE(box.text(), QStringLiteral("abcd(Shift)"));
    QCOMPARE(box.selectedText(), QStringLiteral(")"));
}

void TestEditorKeyCapture::placeholderClick_data()
{
    QTest::addColumn<bool>("clears");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("expected");

    QTest::newRow("editor placeholder") << true << "ClickToEdit"
                                        << "";
    QTest::newRow("editor other text") << true << "gofb"
                                       << "gofb";
    QTest::newRow("editor other case") << true << "clicktoedit"
                                       << "clicktoedit";
    QTest::newRow("wizard keeps placeholder") << false << "ClickToEdit"
                                              << "ClickToEdit";
}

void TestEditorKeyCapture::placeholderClick()
{
    QFETCH(bool, clears);
    QFETCH(QString, start);
    QFETCH(QString, expected);
    CaptureBox box(clears);
    box.setText(start);
    QTest::mouseClick(&box, Qt::LeftButton);
    QCOMPARE(box.text(), expected);
}

void TestEditorKeyCapture::foreignTextIsFiltered()
{
    CaptureBox box(true);
    QSignalSpy spy(&box, &CaptureBox::combinationChanged);
    box.setText(QStringLiteral("ctrl+a"));
    QCOMPARE(box.text(), QStringLiteral("ctrla"));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("ctrla"));
}

void TestEditorKeyCapture::takesKeyPressesOnly_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<QString>("expected");
    QTest::newRow("ctrl v") << "ctrl v"
                            << "x(Ctrl)v";
    QTest::newRow("shift insert") << "shift insert"
                                  << "x(Shift)";
    QTest::newRow("middle click") << "middle click"
                                  << "x";
    QTest::newRow("context menu") << "context menu"
                                  << "x";
    QTest::newRow("drop") << "drop"
                          << "x";
    QTest::newRow("input method") << "input method"
                                  << "x";
}

void TestEditorKeyCapture::takesKeyPressesOnly()
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

QTEST_MAIN(TestEditorKeyCapture)
#include "tst_EditorKeyCapture.moc"
