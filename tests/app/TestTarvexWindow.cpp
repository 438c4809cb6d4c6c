// The main window: its controls in place, advanced settings, start-up options, help.

#include "controls/button/velbutton.h"
#include "controls/frame/velForms.h"
#include "controls/tips/Hyperlink.h"
#include "controls/tips/InfoTip.h"
#include "editor/FormWizard.h"
#include "shell/Tarvex.h"
#include "tests/app/ShellFixture.h"
#include "tests/controls/Golden.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

using namespace tarvex;

class TestTarvexWindow final : public QObject
{
    Q_OBJECT

private:
    static Tarvex& started(ShellFixture& f)
    {
        f.shell->start();
        return *f.shell->mainWindow();
    }
    // The active window `window` as drawn now, against its golden picture `name`.
    static void checkLook(QWidget* window, const QString& name)
    {
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        CheckGolden(Grab(window), "window-" + name);
    }

private Q_SLOTS:
    void initTestCase() { UseGoldenLook(); }

    // Each window pixel for pixel: the main window plain, with its options and its foot, the
    // options window, the editor with two rows (the first also as "Type text"), each step of the
    // wizard (a file chosen last but one).
    void windowsLookAsRecorded()
    {
        ShellFixture f;
        QVERIFY(f.start("(Ctrl)a*/bin/true|(Shift)(Alt)F5*http://example.org/a"));
        Tarvex& window = *f.shell->mainWindow();
        checkLook(&window, "main");
        window.toggleAdvancedOptions();
        window.setKeyboardNote(QStringLiteral("No keyboard can be read."), true);
        window.setHiddenWindows({{3, QStringLiteral("Notes")}}), window.showPaused(true);
        checkLook(&window, "main-foot");
        window.appearanceButton()->click();
        checkLook(f.shell->optionsWindow(), "options");
        f.shell->optionsWindow()->findChild<QComboBox*>("wStyle")->setCurrentIndex(0);
        checkLook(f.shell->optionsWindow(), "options-style-0"); // a taller title bar
        f.shell->optionsWindow()->close();
        window.configureButton()->click();
        checkLook(f.shell->editor(), "editor");
        f.shell->editor()->findChild<QWidget*>("hk")->setFocus(); // the list without its ring
        checkLook(f.shell->editor(), "editor-keys");
        f.shell->editor()->findChild<QComboBox*>("hktype")->setCurrentIndex(3); // "Type text"
        f.shell->editor()->findChild<QPlainTextEdit*>("typedText")->setPlainText("Hello,\nworld");
        checkLook(f.shell->editor(), "editor-typetext");
        for (const QString steps :
             {"", "openOption", "openOption fileOption", "websiteOption", "openOption folderOption",
              "specialOption", "openOption fileOption ChooseFile", "typeTextOption"}) {
            FormWizard wizard(f.dialogs, f.shell->editor());
            wizard.setKeyInjection(!steps.isEmpty(), QString()); // the first step says why not
            wizard.show();
            if (steps.endsWith("ChooseFile"))
                f.dialogs.answer(QStringLiteral("/bin/true"));
            for (const QString& name : steps.split(u' ', Qt::SkipEmptyParts))
                QTest::mouseClick(wizard.findChild<QWidget*>(name), Qt::LeftButton, {}, {8, 8});
            checkLook(&wizard, "wizard-" + wizard.currentPanel()->objectName());
        }
    }

    // The buttons lie inside, under the title bar, apart; the link shows the start-up options
    // inside the taller window, and hides them again.
    void controlsInsideWindowAndApart()
    {
        ShellFixture f;
        Tarvex& window = started(f);
        const auto place = [&window](QWidget* widget) {
            return QRect(widget->mapTo(&window, QPoint(0, 0)), widget->size());
        };
        QList<QRect> taken;
        for (QWidget* button : {window.startButton(), window.configureButton(),
                                window.appearanceButton(), window.exitButton()}) {
            const QRect rect = place(button);
            QVERIFY(window.rect().contains(rect) &&
                    rect.top() >= window.ThemeForm()->TitleBarHeight());
            for (const QRect& other : taken)
                QVERIFY2(!rect.intersects(other), qPrintable(button->objectName()));
            taken.append(rect);
        }
        for (velbutton* hinted : {window.configureButton(), window.exitButton()}) {
            QCursor::setPos(hinted->mapToGlobal(hinted->rect().center()));
            Q_EMIT hinted->pointerMoved(); // the pointer over it brings its hint
            QCOMPARE(InfoTip::instance().tool(), hinted);
        }
        const int plain = window.height();
        QTest::mouseClick(window.advancedLink(), Qt::LeftButton);
        QVERIFY(window.height() > plain &&
                window.rect().contains(place(window.noNotificationBox())));
        QVERIFY(window.runAtLoginBox()->isVisible());
        window.toggleAdvancedOptions();
        QCOMPARE(std::tuple(window.height(), window.runAtLoginBox()->isVisible()),
                 std::tuple(plain, false));
    }

    // Installed (bin/, share/tarvex/): the login entry starts the program, help opens its doc.
    void installedProgramStartsFromItsFileAndReadsItsData()
    {
        ShellFixture f;
        ShellServices services = f.services({});
        services.programFolder = QStringLiteral("/usr/share/tarvex");
        services.executableFolder = QStringLiteral("/usr/bin");
        f.shell = std::make_unique<TarvexShell>(services);
        Tarvex& window = started(f); // a first run: the entry is made and the box ticked
        QCOMPARE(f.login.calls(), QStringList{"login tarvex /usr/bin on"});
        QVERIFY(window.runAtLoginBox()->isChecked());
        f.dialogs.answer(QStringLiteral("Yes"));
        QTest::mouseClick(window.titleLabel(), Qt::LeftButton);
        QCOMPARE(f.opener.calls(), QStringList{"open /usr/share/tarvex/tarvex.html"});
    }

    // A later run's box shows whether the entry exists, whatever was stored, and writes
    // nothing; an entry a first run could not make is not claimed, the choice stays stored.
    void runAtLoginBoxShowsTheEntry()
    {
        const std::tuple<const char*, bool, const char*> rows[] = {
            {"1", false, ""}, {"0", true, ""}, {"", false, "Error 13 opening key"}};
        for (const auto& [stored, exists, error] : rows) {
            ShellFixture f;
            for (const char* key : {"Run", "Note"})
                if (*stored)
                    f.settings.writeText("Startup", key, stored);
            f.login.setExists(exists), f.login.setError(error);
            Tarvex& window = started(f); // the notification box as the stored note says
            QCOMPARE(std::tuple(window.runAtLoginBox()->isChecked(), f.messages(),
                                f.settings.readText("Startup", "Run", ""),
                                window.noNotificationBox()->isChecked()),
                     std::tuple(exists, *error ? QStringList{error} : QStringList(),
                                QString(*stored ? stored : "1"), QByteArray(stored) == "1"));
            QVERIFY(!*stored || f.login.calls().isEmpty());
        }
    }

    // Unticking the login box removes the entry; the notification box stores its choice; the
    // help question's "No" opens nothing.
    void clickingTheBoxesStoresTheChoice()
    {
        ShellFixture f;
        Tarvex& window = started(f);
        f.login.clearCalls();
        window.toggleAdvancedOptions();
        QTest::mouseClick(window.runAtLoginBox(), Qt::LeftButton);
        QTest::mouseClick(window.noNotificationBox(), Qt::LeftButton);
        QCOMPARE(std::tuple(f.settings.readText("Startup", "Run", ""),
                            f.settings.readText("Startup", "Note", ""), f.login.calls()),
                 std::tuple(QStringLiteral("0"), QStringLiteral("1"),
                            QStringList{"login tarvex /opt/tarvex off"}));
        f.dialogs.answer(QStringLiteral("No")); // help is asked for first, "No" opens nothing
        QTest::mouseClick(window.titleLabel(), Qt::LeftButton);
        QCOMPARE(std::tuple(f.dialogs.calls().size(), f.opener.calls()),
                 std::tuple(qsizetype(1), QStringList()));
    }
};

QTEST_MAIN(TestTarvexWindow)
#include "TestTarvexWindow.moc"
