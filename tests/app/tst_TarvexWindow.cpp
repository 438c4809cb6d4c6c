// The main window: captions, designed layout, advanced settings, start-up options, help.

#include "controls/button/velbutton.h"
#include "controls/frame/velForms.h"
#include "controls/tips/Hyperlink.h"
#include "shell/Tarvex.h"
#include "tests/app/ShellFixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QTest>

using namespace tarvex;

class TestTarvexWindow final : public QObject
{
    Q_OBJECT

private:
    static QString captionOf(QWidget* widget)
    {
        if (auto* button = qobject_cast<velbutton*>(widget))
            return button->Caption();
        if (auto* label = qobject_cast<QLabel*>(widget))
            return label->text();
        if (auto* link = qobject_cast<Hyperlink*>(widget))
            return link->Caption();
        if (auto* box = qobject_cast<QCheckBox*>(widget))
            return box->text();
        return widget->windowTitle();
    }

    static Tarvex& started(ShellFixture& f)
    {
        f.shell->start();
        return *f.shell->mainWindow();
    }

private Q_SLOTS:
    void initTestCase() { ShellFixture::usePrivateHome(); }

    void captions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::newRow("window") << "Tarvex"
                                << "Tarvex";
        QTest::newRow("start") << "Command1"
                               << " Start Tarvex";
        QTest::newRow("configure") << "Command2"
                                   << " Configure Hotkeys";
        QTest::newRow("appearance") << "Command3"
                                    << " Customize Appearance";
        QTest::newRow("exit") << "Command4"
                              << "  Exit Tarvex";
        QTest::newRow("help") << "Label1"
                              << "Tarvex";
        QTest::newRow("label2") << "Label2"
                                << "Show Advanced Options";
        QTest::newRow("advanced") << "Label3"
                                  << "Show Advanced Settings";
        QTest::newRow("login") << "hks"
                               << "Run Tarvex When I Login";
        QTest::newRow("note") << "Check1"
                              << "Disable Notification";
    }

    void captions()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        ShellFixture f;
        Tarvex& window = started(f);
        QWidget* widget = window.objectName() == name ? &window : window.findChild<QWidget*>(name);
        QVERIFY2(widget, qPrintable(name));
        QCOMPARE(captionOf(widget), caption);
    }

    // Designed twips divided by 15 (rounded): the layout a 96-dpi screen shows.
    void layout_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("pixels");
        QTest::newRow("Command1") << "Command1" << QRect(24, 92, 281, 41);
        QTest::newRow("Command2") << "Command2" << QRect(24, 139, 281, 39);
        QTest::newRow("Command3") << "Command3" << QRect(24, 184, 281, 41);
        QTest::newRow("Command4") << "Command4" << QRect(24, 232, 281, 41);
        QTest::newRow("Label1") << "Label1" << QRect(120, 50, 169, 33);
        QTest::newRow("Image1") << "Image1" << QRect(80, 48, 32, 32);
        QTest::newRow("hks") << "hks" << QRect(24, 303, 249, 17);
        QTest::newRow("Check1") << "Check1" << QRect(24, 320, 121, 17);
    }

    void layout()
    {
        QFETCH(QString, name);
        QFETCH(QRect, pixels);
        ShellFixture f;
        Tarvex& window = started(f);
        QCOMPARE(window.size(), QSize(331, 305));
        QWidget* widget = window.findChild<QWidget*>(name);
        QVERIFY(widget);
        QCOMPARE(QRect(widget->mapTo(&window, QPoint(0, 0)), widget->size()), pixels);
    }

    // The link is sized to its caption, which changes; only its place is designed.
    void advancedLinkPlace()
    {
        ShellFixture f;
        Tarvex& window = started(f);
        QCOMPARE(window.Label3()->mapTo(&window, QPoint(0, 0)), QPoint(16, 282));
    }

    void frameCoversWindowInStoredLook()
    {
        ShellFixture f;
        f.settings.writeText("Theme", "Color", "2");
        f.settings.writeText("WTheme", "Color", "4");
        Tarvex& window = started(f);
        QCOMPARE(window.ThemeForm()->geometry(), window.rect());
        QCOMPARE(window.ThemeForm()->ThemeColor(), 2);
        QCOMPARE(window.ThemeForm()->Style(), 4);
        QVERIFY(!window.ThemeForm()->CloseButton());
        // The designed one-pixel label lies under the frame.
        QCOMPARE(window.childAt(window.Label2()->geometry().center()), window.ThemeForm());
        window.cStyle(1);
        QCOMPARE(window.ThemeForm()->Style(), 1);
    }

    void advancedSettingsToggleTwiceRestores()
    {
        ShellFixture f;
        Tarvex& window = started(f);
        QVERIFY(!window.hks()->isVisible() && !window.Check1()->isVisible());
        window.Label3_Click();
        QCOMPARE(window.height(), 345);
        QCOMPARE(window.Label3()->Caption(), QStringLiteral("Hide Advanced Settings"));
        QCOMPARE(window.ThemeForm()->height(), 345);
        QVERIFY(window.hks()->isVisible() && window.Check1()->isVisible());
        QVERIFY(window.Check1()->geometry().bottom() < window.ThemeForm()->height());
        window.Label3_Click();
        QCOMPARE(window.height(), 305);
        QCOMPARE(window.Label3()->Caption(), QStringLiteral("Show Advanced Settings"));
        QVERIFY(!window.hks()->isVisible() && !window.Check1()->isVisible());
    }

    void advancedSettingsByMouse()
    {
        ShellFixture f;
        Tarvex& window = started(f);
        QTest::mouseClick(window.Label3(), Qt::LeftButton);
        QCOMPARE(window.height(), 345);
    }

    void firstRunWritesLoginEntry()
    {
        ShellFixture f;
        Tarvex& window = started(f);
        QVERIFY(window.hks()->isChecked());
        QCOMPARE(f.settings.readText("Startup", "Run", "NOTSET"), QStringLiteral("1"));
        QCOMPARE(f.login.calls(), QStringList{"login tarvex /opt/tarvex on"});
    }

    // Installed, the data lies in share/tarvex and the program file in bin: the login entry
    // starts the program file, the help opens the installed document.
    void installedProgramStartsFromItsFileAndReadsItsData()
    {
        ShellFixture f;
        ShellServices services = f.services({});
        services.programFolder = QStringLiteral("/usr/share/tarvex");
        services.executableFolder = QStringLiteral("/usr/bin");
        f.shell = std::make_unique<TarvexShell>(services);
        Tarvex& window = started(f);
        QCOMPARE(f.login.calls(), QStringList{"login tarvex /usr/bin on"});
        f.confirmation.setAnswer(true);
        QTest::mouseClick(window.Label1(), Qt::LeftButton);
        QCOMPARE(f.opener.calls(), QStringList{"open /usr/share/tarvex/tarvex.html"});
    }

    void laterRunShowsWhetherEntryExists_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("exists");
        QTest::newRow("ticked, entry there") << "1" << true;
        QTest::newRow("ticked, entry removed since") << "1" << false;
        QTest::newRow("unticked, entry made since") << "0" << true;
        QTest::newRow("unticked, no entry") << "0" << false;
    }

    void laterRunShowsWhetherEntryExists()
    {
        QFETCH(QString, stored);
        QFETCH(bool, exists);
        ShellFixture f;
        f.settings.writeText("Startup", "Run", stored);
        f.login.setExists(exists);
        Tarvex& window = started(f);
        QCOMPARE(window.hks()->isChecked(), exists);
        QVERIFY(f.login.calls().isEmpty());
        QCOMPARE(f.settings.readText("Startup", "Run", "NOTSET"), stored);
    }

    void untickingRemovesLoginEntry()
    {
        ShellFixture f;
        Tarvex& window = started(f);
        f.login.clearCalls();
        window.Label3_Click();
        QTest::mouseClick(window.hks(), Qt::LeftButton);
        QVERIFY(!window.hks()->isChecked());
        QCOMPARE(f.settings.readText("Startup", "Run", "NOTSET"), QStringLiteral("0"));
        QCOMPARE(f.login.calls(), QStringList{"login tarvex /opt/tarvex off"});
    }

    void loginEntryFailureIsShownAndChoiceKept()
    {
        ShellFixture f;
        f.login.setError(QStringLiteral("Error 13 opening key"));
        Tarvex& window = started(f);
        QCOMPARE(f.messages, QStringList{"Error 13 opening key"});
        QCOMPARE(f.settings.readText("Startup", "Run", "NOTSET"), QStringLiteral("1"));
        // The box does not claim an entry that was never written.
        QVERIFY(!window.hks()->isChecked());
        window.Label3_Click();
        QTest::mouseClick(window.hks(), Qt::LeftButton);
        QCOMPARE(f.messages.size(), 2);
        QVERIFY(!window.hks()->isChecked());
    }

    void check1ReadsNote_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("checked");
        QTest::newRow("absent") << QString() << false;
        QTest::newRow("1") << "1" << true;
        QTest::newRow("0") << "0" << false;
        QTest::newRow("not a number") << "yes" << false;
    }

    void check1ReadsNote()
    {
        QFETCH(QString, stored);
        QFETCH(bool, checked);
        ShellFixture f;
        if (!stored.isNull())
            f.settings.writeText("Startup", "Note", stored);
        QCOMPARE(started(f).Check1()->isChecked(), checked);
        // Loading stores nothing of its own.
        QCOMPARE(f.settings.readText("Startup", "Note", "absent"),
                 stored.isNull() ? QStringLiteral("absent") : stored);
    }

    void check1ClickStoresNote()
    {
        ShellFixture f;
        Tarvex& window = started(f);
        window.Label3_Click();
        QTest::mouseClick(window.Check1(), Qt::LeftButton);
        QCOMPARE(f.settings.readText("Startup", "Note", ""), QStringLiteral("1"));
        QTest::mouseClick(window.Check1(), Qt::LeftButton);
        QCOMPARE(f.settings.readText("Startup", "Note", ""), QStringLiteral("0"));
    }

    void helpQuestion_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QStringList>("opened");
        QTest::newRow("yes") << true << QStringList{"open /opt/tarvex/tarvex.html"};
        QTest::newRow("no") << false << QStringList{};
    }

    void helpQuestion()
    {
        QFETCH(bool, yes);
        QFETCH(QStringList, opened);
        ShellFixture f;
        Tarvex& window = started(f);
        f.confirmation.setAnswer(yes);
        QTest::mouseClick(window.Label1(), Qt::LeftButton);
        QCOMPARE(f.confirmation.calls(),
                 QStringList{"ask Tarvex|Do you need help with using Tarvex?"});
        QCOMPARE(f.opener.calls(), opened);
    }

    void storedLookApplied_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("style");
        QTest::newRow("absent: 3") << QString() << 3;
        QTest::newRow("stored 7") << "7" << 7;
        QTest::newRow("not a number: 3") << "blue" << 3;
    }

    void storedLookApplied()
    {
        QFETCH(QString, stored);
        QFETCH(int, style);
        ShellFixture f;
        if (!stored.isNull())
            f.settings.writeText("ButtonTheme", "Color", stored);
        Tarvex& window = started(f);
        for (velbutton* button :
             {window.Command1(), window.Command2(), window.Command3(), window.Command4()})
            QCOMPARE(int(button->ButtonStyle()), style);
        window.ButtonCfg(11);
        QCOMPARE(window.Command4()->ButtonStyle(), ButtonStyleKind::GelButton);
    }
};

QTEST_MAIN(TestTarvexWindow)
#include "tst_TarvexWindow.moc"
