// The main window: its controls in place, advanced settings, start-up options, help.

#include "controls/button/velbutton.h"
#include "controls/frame/velForms.h"
#include "controls/tips/Hyperlink.h"
#include "shell/Tarvex.h"
#include "store/AppSettings.h"
#include "tests/app/ShellFixture.h"

#include <QCheckBox>
#include <QLabel>
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

private Q_SLOTS:
    // The buttons and picture lie inside, under the title bar, apart, their captions fitting.
    void controlsInsideWindowAndApart()
    {
        ShellFixture f;
        Tarvex& window = started(f);
        const auto place = [&window](QWidget* widget) {
            return QRect(widget->mapTo(&window, QPoint(0, 0)), widget->size());
        };
        const QList<velbutton*> buttons{window.startButton(), window.configureButton(),
                                        window.appearanceButton(), window.exitButton()};
        QList<QRect> taken{place(window.findChild<QWidget*>(QStringLiteral("iconImage"))),
                           place(window.advancedLink()), place(window.hotkeyState())};
        for (velbutton* button : buttons) {
            const QRect rect = place(button);
            QVERIFY2(window.rect().contains(rect), qPrintable(button->objectName()));
            QVERIFY(rect.top() >= window.ThemeForm()->TitleBarHeight());
            for (const QRect& other : taken)
                QVERIFY2(!rect.intersects(other), qPrintable(button->objectName()));
            taken.append(rect);
            QVERIFY(button->fontMetrics().horizontalAdvance(button->Caption()) < rect.width());
        }
        window.toggleAdvancedOptions();
        const QRect pause = place(window.pauseBox());
        for (QCheckBox* option :
             {window.runAtLoginBox(), window.noNotificationBox(), window.pauseBox()}) {
            QVERIFY(window.rect().contains(place(option)));
            // The caption is not cut by a designed width narrower than the desktop's font.
            QVERIFY2(option->width() >= option->sizeHint().width(),
                     qPrintable(option->objectName()));
            for (const QRect& other : taken)
                QVERIFY2(!place(option).intersects(other), qPrintable(option->objectName()));
            // "Pause Hotkeys" stands apart from the start-up options too.
            QVERIFY(option == window.pauseBox() || !place(option).intersects(pause));
        }
    }

    // A new main window wears the stored look.
    void storedLookOnANewWindow()
    {
        ShellFixture f;
        AppSettings settings(f.settings);
        QCOMPARE(settings.setFrameStyle(4), QString());
        QCOMPARE(settings.setThemeColor(2), QString());
        Tarvex& window = started(f);
        QCOMPARE(window.ThemeForm()->Style(), 4);
    }

    // The link shows the start-up options inside the taller window, and hides them again.
    void advancedSettingsToggleTwiceRestores()
    {
        ShellFixture f;
        Tarvex& window = started(f);
        const int plain = window.height();
        QVERIFY(!window.runAtLoginBox()->isVisible() && !window.noNotificationBox()->isVisible());
        QTest::mouseClick(window.advancedLink(), Qt::LeftButton);
        QVERIFY(window.height() > plain);
        QCOMPARE(window.ThemeForm()->height(), window.height());
        QVERIFY(window.runAtLoginBox()->isVisible() && window.noNotificationBox()->isVisible());
        QVERIFY(window.noNotificationBox()->geometry().bottom() < window.ThemeForm()->height());
        window.toggleAdvancedOptions();
        QCOMPARE(window.height(), plain);
        QVERIFY(!window.runAtLoginBox()->isVisible() && !window.noNotificationBox()->isVisible());
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
        QCOMPARE(f.settings.readText("Startup", "Run", "NOTSET"), QStringLiteral("1"));
        f.dialogs.answer(QStringLiteral("Yes"));
        QTest::mouseClick(window.titleLabel(), Qt::LeftButton);
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
        QCOMPARE(window.runAtLoginBox()->isChecked(), exists);
        QVERIFY(f.login.calls().isEmpty());
        QCOMPARE(f.settings.readText("Startup", "Run", "NOTSET"), stored);
    }

    void untickingRemovesLoginEntry()
    {
        ShellFixture f;
        Tarvex& window = started(f);
        f.login.clearCalls();
        window.toggleAdvancedOptions();
        QTest::mouseClick(window.runAtLoginBox(), Qt::LeftButton);
        QVERIFY(!window.runAtLoginBox()->isChecked());
        QCOMPARE(f.settings.readText("Startup", "Run", "NOTSET"), QStringLiteral("0"));
        QCOMPARE(f.login.calls(), QStringList{"login tarvex /opt/tarvex off"});
    }

    void loginEntryFailureIsShownAndChoiceKept()
    {
        ShellFixture f;
        f.login.setError(QStringLiteral("Error 13 opening key"));
        Tarvex& window = started(f);
        QCOMPARE(f.messages(), QStringList{"Error 13 opening key"});
        QCOMPARE(f.settings.readText("Startup", "Run", "NOTSET"), QStringLiteral("1"));
        // The box does not claim an entry that was never written.
        QVERIFY(!window.runAtLoginBox()->isChecked());
        window.toggleAdvancedOptions();
        QTest::mouseClick(window.runAtLoginBox(), Qt::LeftButton);
        QCOMPARE(f.messages().size(), 2);
        QVERIFY(!window.runAtLoginBox()->isChecked());
    }

    void check1ReadsNote_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("checked");
        QTest::newRow("absent") << QString() << false;
        QTest::newRow("1") << "1" << true;
    }

    void check1ReadsNote()
    {
        QFETCH(QString, stored);
        QFETCH(bool, checked);
        ShellFixture f;
        if (!stored.isNull())
            f.settings.writeText("Startup", "Note", stored);
        QCOMPARE(started(f).noNotificationBox()->isChecked(), checked);
        // Loading stores nothing of its own.
        QCOMPARE(f.settings.readText("Startup", "Note", "absent"),
                 stored.isNull() ? QStringLiteral("absent") : stored);
    }

    void check1ClickStoresNote()
    {
        ShellFixture f;
        Tarvex& window = started(f);
        window.toggleAdvancedOptions();
        QTest::mouseClick(window.noNotificationBox(), Qt::LeftButton);
        QCOMPARE(f.settings.readText("Startup", "Note", ""), QStringLiteral("1"));
        QTest::mouseClick(window.noNotificationBox(), Qt::LeftButton);
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
        f.dialogs.answer(yes ? QStringLiteral("Yes") : QStringLiteral("No"));
        QTest::mouseClick(window.titleLabel(), Qt::LeftButton);
        QCOMPARE(f.dialogs.calls(), QStringList{"ask Tarvex|Do you need help with using Tarvex?"});
        QCOMPARE(f.opener.calls(), opened);
    }
};

QTEST_MAIN(TestTarvexWindow)
#include "TestTarvexWindow.moc"
