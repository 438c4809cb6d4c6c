#include "controls/button/velbutton.h"
#include "editor/CaptureBox.h"
#include "editor/FormWizard.h"
#include "tests/controls/Unnamed.h"
#include "tests/fakes/FakeDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using namespace tarvex;

namespace {

// Steps separated by ", ": option:<name> (a choice or box), button:<name>, Done, answer:<text>
// (next dialog), type:<text> (into txtURL), args:<text> (into arguments), text:<text> (into
// typedText), sp:<n>, keys:<text> (into txtKey), or a key to the focus.
void RunSteps(FormWizard& wizard, FakeDialogs& dialogs, const QString& steps)
{
    for (const QString& step : steps.split(QStringLiteral(", "), Qt::SkipEmptyParts)) {
        const QString verb = step.section(u':', 0, 0), arg = step.section(u':', 1);
        if (auto* option = wizard.findChild<QAbstractButton*>(arg); verb == "option")
            QTest::mouseClick(option, Qt::LeftButton, {}, {8, option->height() / 2}); // its mark
        else if (verb == "button" || verb == "Done")
            QTest::mouseClick(
                wizard.currentPanel()->findChild<velbutton*>(arg.isEmpty() ? verb : arg),
                Qt::LeftButton);
        else if (verb == "answer")
            dialogs.answer(arg);
        else if (verb == "type")
            QTest::keyClicks(wizard.findChild<QLineEdit*>(QStringLiteral("txtURL")), arg);
        else if (verb == "sp")
            wizard.findChild<QComboBox*>(QStringLiteral("sp"))->setCurrentIndex(arg.toInt());
        else if (verb == "args")
            QTest::keyClicks(wizard.findChild<QLineEdit*>(QStringLiteral("arguments")), arg);
        else if (verb == "text")
            QTest::keyClicks(wizard.findChild<QPlainTextEdit*>(QStringLiteral("typedText")), arg);
        else if (verb == "keys")
            QTest::keyClicks(wizard.findChild<CaptureBox*>(QStringLiteral("txtKey")), arg);
        else if (const QKeyCombination key = QKeySequence(step)[0]; arg.isEmpty())
            QTest::keyClick(wizard.focusWidget(), key.key(), key.keyboardModifiers());
    }
}

} // namespace

class TestFormWizard final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each path: the panel it ends on, its result, how many messages and what the last says.
    void flows()
    {
        const std::tuple<const char*, const char*, const char*, int, const char*> rows[] = {
            // An address typed after the offered prefix replaces it.
            {"option:websiteOption, type:https://x.org/a b, Done, keys:s, Done", "ChooseKey",
             "URL|https://x.org/a b|s||", 0, ""},
            {"option:websiteOption, Done", "EnterWebsite", "none|none|none", 1, "no valid host"},
            {"option:openOption, option:fileOption, answer:/opt/a, button:ChooseFile, keys:g, Done",
             "ChooseKey", "File|/opt/a|g||", 1, "file Select"},
            // A program's arguments come with it; malformed ones keep the user on the step.
            {"option:openOption, option:fileOption, args:\"a b\" -v, answer:/opt/a, "
             "button:ChooseFile, keys:g, Done",
             "ChooseKey", "File|/opt/a|g|\"a b\" -v|", 1, "file Select"},
            {"option:openOption, option:fileOption, args:a;b, button:ChooseFile", "sOpenFile",
             "none|none|none", 1, "double quotes"},
            {"option:specialOption, Done, sp:4, Done, Done, keys:l, Done", "ChooseKey",
             "Special|5|l||", 2, "keyboard combination"}};
        for (const auto& [steps, panel, result, messages, last] : rows) {
            FakeDialogs dialogs;
            FormWizard wizard(dialogs);
            wizard.show();
            RunSteps(wizard, dialogs, steps);
            QCOMPARE(std::tuple(wizard.currentPanel()->objectName(), wizard.result().join(u'|'),
                                wizard.isVisible(), dialogs.calls().size()),
                     std::tuple(QString(panel), QString(result),
                                QByteArray(result).startsWith("none"), qsizetype(messages)));
            QVERIFY(dialogs.calls().value(messages - 1).contains(last));
            QCOMPARE(UnnamedControls(wizard), QString()); // each read out by its name
        }
    }

    // Closed or left with Escape it returns none, the next use starting afresh. Keys alone walk
    // it: Enter in the address is Done, in the key box a key; Ctrl+Tab goes on to Done.
    void closingAndKeys()
    {
        FakeDialogs dialogs;
        QWidget owner;
        const auto use = [&](const char* steps, bool close) {
            QTimer::singleShot(0, this, [&] {
                auto* wizard = qobject_cast<FormWizard*>(QApplication::activeModalWidget());
                QCOMPARE(wizard->currentPanel()->objectName(), QStringLiteral("Step1"));
                QApplication::setActiveWindow(wizard);
                QVERIFY(QTest::qWaitForWindowActive(wizard));
                RunSteps(*wizard, dialogs, steps);
                if (close)
                    wizard->close();
            });
            return FormWizard::GetUserHotkey(dialogs, &owner).join(u'|');
        };
        QCOMPARE(use("option:specialOption, sp:0, Done, keys:abc", true), "none|none|none");
        QCOMPARE(use("option:openOption, Esc", false), "none|none|none");
        QCOMPARE(use("Down, Space, E, Return, E, Num+Enter, Ctrl+Tab, Return", false),
                 "URL|http://e|e(NumEnter)||");
    }

    // Done waits for a text to type, which comes out with its line break. The erase box comes
    // ticked for a sequence of printing keys and stays as the user left it; a chord cannot
    // erase, nor can a desktop that cannot type keys, which offers no typing and says why.
    void typeTextAndErase()
    {
        const std::tuple<bool, const char*, const char*, const char*, bool> rows[] = {
            {true, "option:typeTextOption, Done", "TypeText", "none|none|none", false},
            {true, "option:typeTextOption, text:Hi, Return, text:there, Done, keys:gofb, Done",
             "ChooseKey", "Text|Hi\nthere|gofb||erase", true},
            {true, "option:websiteOption, type:x.org, Done, keys:ab, option:eraseBox, keys:c, Done",
             "ChooseKey", "URL|http://x.org|abc||", true},
            {true, "option:typeTextOption, text:x, Done, Ctrl+Q, Done", "ChooseKey",
             "Text|x|(Ctrl)q||", false},
            {false, "option:typeTextOption, option:websiteOption, type:x.org, Done, keys:ab, Done",
             "ChooseKey", "URL|http://x.org|ab||", false}};
        for (const auto& [canType, steps, panel, result, erasable] : rows) {
            FakeDialogs dialogs;
            FormWizard wizard(dialogs);
            wizard.setKeyInjection(canType, QStringLiteral("why not"));
            wizard.show();
            RunSteps(wizard, dialogs, steps);
            QCOMPARE(std::tuple(wizard.currentPanel()->objectName(), wizard.result().join(u'|'),
                                wizard.findChild<QCheckBox*>("eraseBox")->isEnabled(),
                                wizard.findChild<QLabel*>("typeTextNote")->text()),
                     std::tuple(QString(panel), QString(result), erasable,
                                QString(canType ? "" : "why not")));
        }
        // A paste past the limit keeps what fits, and the count says so.
        FakeDialogs dialogs;
        FormWizard wizard(dialogs);
        auto* field = wizard.findChild<QPlainTextEdit*>("typedText");
        field->setPlainText(QString(4001, u'a'));
        QCOMPARE(std::tuple(field->toPlainText().size(),
                            wizard.findChild<QLabel*>("typedCount")->text()),
                 std::tuple(4000, QStringLiteral("4000 of 4000 characters")));
    }
};

QTEST_MAIN(TestFormWizard)
#include "TestFormWizard.moc"
