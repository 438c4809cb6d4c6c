#include "controls/button/velbutton.h"
#include "editor/CaptureBox.h"
#include "editor/FormWizard.h"
#include "tests/fakes/FakeDialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace tarvex;

namespace {

// The dialogs of the running test function, answered in advance.
std::unique_ptr<FakeDialogs> g_dialogs;

// Scripted steps separated by ", ": option:<name>, button:<name>, answer:<text> (next dialog),
// url:, type:, paste: (into txtURL), sp:<n>, keys:<text> (letter keys in txtKey), ctrl.
void RunSteps(FormWizard& wizard, const QString& steps)
{
    for (const QString& step : steps.split(QStringLiteral(", "), Qt::SkipEmptyParts)) {
        const QString verb = step.section(QLatin1Char(':'), 0, 0);
        const QString arg = step.section(QLatin1Char(':'), 1);
        auto* url = wizard.findChild<QLineEdit*>(QStringLiteral("txtURL"));
        auto* keys = wizard.findChild<CaptureBox*>(QStringLiteral("txtKey"));
        if (verb == QLatin1String("option")) {
            QTest::mouseClick(wizard.findChild<QRadioButton*>(arg), Qt::LeftButton);
        } else if (verb == QLatin1String("button")) {
            auto* button = wizard.currentPanel()->findChild<velbutton*>(arg);
            QVERIFY2(button, qPrintable(arg));
            QTest::mouseClick(button, Qt::LeftButton);
        } else if (verb == QLatin1String("answer")) {
            g_dialogs->answer(arg);
        } else if (verb == QLatin1String("url")) {
            url->setText(arg);
        } else if (verb == QLatin1String("type")) {
            QTest::keyClicks(url, arg);
        } else if (verb == QLatin1String("paste")) {
            QGuiApplication::clipboard()->setText(arg);
            QTest::keyClick(url, Qt::Key_V, Qt::ControlModifier);
        } else if (verb == QLatin1String("sp")) {
            wizard.findChild<QComboBox*>(QStringLiteral("sp"))->setCurrentIndex(arg.toInt());
        } else if (verb == QLatin1String("keys")) {
            QTest::keyClicks(keys, arg);
        } else if (verb == QLatin1String("ctrl")) {
            QTest::keyClick(keys, Qt::Key_Control);
        }
    }
}

void Activate(QWidget& wizard)
{
    wizard.show();
    QApplication::setActiveWindow(&wizard);
    QVERIFY(QTest::qWaitForWindowActive(&wizard));
}

QStringList NoneResult()
{
    return {FormWizard::None, FormWizard::None, FormWizard::None};
}

const QString SpecialComplaint = QStringLiteral("inform Tarvex|Please select a special action");
const QString NoHost = QStringLiteral("warn Tarvex|The website address \"%1\" has no valid host "
                                      "name. Enter the whole address, such as "
                                      "http://example.org.");
const QString KeyComplaint =
    QStringLiteral("inform Tarvex|Please enter a keyboard combination to activate this hotkey.");

} // namespace

class TestFormWizard final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { g_dialogs = std::make_unique<FakeDialogs>(); }
    void cleanup() { g_dialogs.reset(); }

    void flows_data()
    {
        QTest::addColumn<QString>("steps"); // separated by ", "
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QStringList>("result");
        QTest::addColumn<QStringList>("messages");
        const QString fileTitle = QStringLiteral("file Select a file/program to open||");
        const QString folderTitle = QStringLiteral("folder Please Select A Folder");
        const QString web = QStringLiteral("option:websiteOption, ");
        const QString file = QStringLiteral("option:openOption, option:fileOption, ");
        const QString special = QStringLiteral("option:specialOption, ");
        QTest::newRow("website")
            << web + "url:http://example.org/a b, button:Done, ctrl, keys:gk, button:Done"
            << "ChooseKey" << QStringList{"URL", "http://example.org/a b", "(Ctrl)gk"}
            << QStringList{};
        QTest::newRow("address without host refused")
            << web + "button:Done, url:https:///a, button:Done"
            << "EnterWebsite" << NoneResult()
            << QStringList{NoHost.arg("http://"), NoHost.arg("https:///a")};
        QTest::newRow("secure address typed after the prefill")
            << web + "type:https://example.org/x, button:Done, keys:s, button:Done"
            << "ChooseKey" << QStringList{"URL", "https://example.org/x", "s"} << QStringList{};
        QTest::newRow("address pasted after the prefill")
            << web + "paste:ftp://files.example.org, button:Done, keys:f, button:Done"
            << "ChooseKey" << QStringList{"URL", "ftp://files.example.org", "f"} << QStringList{};
        QTest::newRow("file") << file +
                                     "answer:/opt/my app, button:ChooseFile, keys:gofb, button:Done"
                              << "ChooseKey" << QStringList{"File", "/opt/my app", "gofb"}
                              << QStringList{fileTitle};
        QTest::newRow("file dialog cancelled")
            << file + "answer:  , button:ChooseFile"
            << "sOpenFile" << NoneResult() << QStringList{fileTitle};
        QTest::newRow("folder after a cancel")
            << "option:openOption, option:folderOption, button:ChooseFolder, answer:/home/me, "
               "button:ChooseFolder, keys:h, button:Done"
            << "ChooseKey" << QStringList{"File", "/home/me", "h"}
            << QStringList{folderTitle, folderTitle};
        QTest::newRow("separator in file refused")
            << file + "answer:/tmp/a|b, button:ChooseFile"
            << "sOpenFile" << NoneResult()
            << QStringList{fileTitle,
                           QStringLiteral("warn Tarvex|The target must not contain \"*\", "
                                          "\"|\" or a line break, because the hotkey "
                                          "file uses them to separate its entries.")};
        QTest::newRow("special log off")
            << special + "button:Done, sp:4, button:Done, button:Done, keys:l, button:Done"
            << "ChooseKey" << QStringList{"Special", "5", "l"}
            << QStringList{SpecialComplaint, KeyComplaint};
        QTest::newRow("special first and last")
            << special + "sp:9, button:Done, ctrl, button:Done"
            << "ChooseKey" << QStringList{"Special", "10", "(Ctrl)"} << QStringList{};
        QTest::newRow("empty combination stays")
            << web + "type:a.example, button:Done, button:Done"
            << "ChooseKey" << NoneResult() << QStringList{KeyComplaint};
    }

    void flows()
    {
        QFETCH(QString, steps);
        QFETCH(QString, panel);
        QFETCH(QStringList, result);
        QFETCH(QStringList, messages);
        FormWizard wizard(*g_dialogs);
        wizard.show();
        RunSteps(wizard, steps);
        QCOMPARE(wizard.currentPanel()->objectName(), panel);
        int visiblePanels = 0;
        for (const QWidget* child : wizard.currentPanel()->parentWidget()->findChildren<QWidget*>(
                 QString(), Qt::FindDirectChildrenOnly))
            visiblePanels += !child->isHidden() && child->findChild<QWidget*>("Caption") ? 1 : 0;
        QCOMPARE(std::tuple(visiblePanels, wizard.result(), wizard.isVisible(), g_dialogs->calls()),
                 std::tuple(1, result, result == NoneResult(), messages));
    }

    // Closed at step 1, at OpenFile or at ChooseKey with keys, it returns none; the next use
    // starts afresh.
    void closingReturnsNone()
    {
        for (const char* steps :
             {"", "option:openOption", "option:specialOption, sp:0, button:Done, keys:abc"}) {
            bool ran = false;
            QTimer::singleShot(0, this, [&] {
                auto* wizard = qobject_cast<FormWizard*>(QApplication::activeModalWidget());
                QVERIFY(wizard);
                RunSteps(*wizard, steps);
                ran = true;
                wizard->close();
            });
            QWidget owner;
            QCOMPARE(FormWizard::GetUserHotkey(*g_dialogs, &owner), NoneResult());
            QVERIFY(ran);
            QTimer::singleShot(0, this, [&] {
                auto* wizard = qobject_cast<FormWizard*>(QApplication::activeModalWidget());
                QVERIFY(wizard);
                QCOMPARE(wizard->currentPanel()->objectName(), QStringLiteral("Step1"));
                RunSteps(*wizard, "option:websiteOption, type:x.example, button:Done, keys:x, "
                                  "button:Done");
            });
            QCOMPARE(FormWizard::GetUserHotkey(*g_dialogs, &owner),
                     (QStringList{"URL", "http://x.example", "x"}));
        }
    }

    // Keys only: Space picks, Enter in the address is Done; after the empty-combination
    // complaint the focus is back in the box, where Enter is a key; Ctrl+Tab goes on.
    void keyboardWalksTheSteps()
    {
        FormWizard wizard(*g_dialogs);
        Activate(wizard);
        const auto child = [&wizard](const char* name) { return wizard.findChild<QWidget*>(name); };
        QCOMPARE(QApplication::focusWidget(), child("openOption"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), child("websiteOption"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        auto* url = wizard.findChild<QLineEdit*>(QStringLiteral("txtURL"));
        QCOMPARE(QApplication::focusWidget(), url);
        QTest::keyClicks(url, QStringLiteral("example.org"));
        QTest::keyClick(url, Qt::Key_Return);
        QCOMPARE(wizard.currentPanel()->objectName(), QStringLiteral("ChooseKey"));
        auto* box = wizard.findChild<CaptureBox*>(QStringLiteral("txtKey"));
        QCOMPARE(QApplication::focusWidget(), box);
        QTest::mouseClick(wizard.currentPanel()->findChild<velbutton*>(QStringLiteral("Done")),
                          Qt::LeftButton);
        QCOMPARE(g_dialogs->calls(), QStringList{KeyComplaint});
        QCOMPARE(QApplication::focusWidget(), box);
        QTest::keyClicks(box, QStringLiteral("ex"));
        QTest::keyClick(box, Qt::Key_Enter, Qt::KeypadModifier);
        QTest::keyClick(box, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), wizard.currentPanel()->findChild<velbutton*>("Done"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(wizard.result(), (QStringList{"URL", "http://example.org", "ex(NumEnter)"}));
    }

    // Escape leaves the wizard at any step without a hotkey (F1 is tested with the shell's help).
    void escapeLeaves()
    {
        FormWizard wizard(*g_dialogs);
        Activate(wizard);
        RunSteps(wizard, QStringLiteral("option:specialOption"));
        QCOMPARE(QApplication::focusWidget(), wizard.findChild<QWidget*>(QStringLiteral("sp")));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!wizard.isVisible());
        QCOMPARE(wizard.result(), NoneResult());
    }
};

QTEST_MAIN(TestFormWizard)
#include "TestFormWizard.moc"
