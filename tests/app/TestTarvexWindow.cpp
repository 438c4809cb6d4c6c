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
    // The buttons and picture lie inside, under the title bar, apart, their captions fitting;
    // the link shows the start-up options, apart too, inside the taller window, and hides them.
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
        const int plain = window.height();
        QVERIFY(!window.runAtLoginBox()->isVisible() && !window.noNotificationBox()->isVisible());
        QTest::mouseClick(window.advancedLink(), Qt::LeftButton);
        QVERIFY(window.height() > plain);
        QCOMPARE(window.ThemeForm()->height(), window.height());
        QVERIFY(window.noNotificationBox()->geometry().bottom() < window.height());
        const QRect pause = place(window.pauseBox());
        for (QCheckBox* option :
             {window.runAtLoginBox(), window.noNotificationBox(), window.pauseBox()}) {
            QVERIFY(option->isVisible() && window.rect().contains(place(option)));
            // The caption is not cut by a designed width narrower than the desktop's font.
            QVERIFY2(option->width() >= option->sizeHint().width(),
                     qPrintable(option->objectName()));
            for (const QRect& other : taken)
                QVERIFY2(!place(option).intersects(other), qPrintable(option->objectName()));
            // "Pause Hotkeys" stands apart from the start-up options too.
            QVERIFY(option == window.pauseBox() || !place(option).intersects(pause));
        }
        window.toggleAdvancedOptions();
        QCOMPARE(window.height(), plain);
        QVERIFY(!window.runAtLoginBox()->isVisible() && !window.noNotificationBox()->isVisible());
    }

    // A new main window wears the stored look.
    void storedLookOnANewWindow()
    {
        ShellFixture f;
        AppSettings settings(f.settings);
        QCOMPARE(settings.setFrameStyle(4) + settings.setThemeColor(2), QString());
        QCOMPARE(started(f).ThemeForm()->Style(), 4);
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

    // A later run's box shows whether the entry exists, whatever was stored; nothing is written.
    void laterRunShowsWhetherEntryExists()
    {
        for (const auto& [stored, exists] : {std::tuple("1", true), std::tuple("1", false),
                                             std::tuple("0", true), std::tuple("0", false)}) {
            ShellFixture f;
            f.settings.writeText("Startup", "Run", stored);
            f.login.setExists(exists);
            QCOMPARE(started(f).runAtLoginBox()->isChecked(), exists);
            QVERIFY(f.login.calls().isEmpty());
            QCOMPARE(f.settings.readText("Startup", "Run", "NOTSET"), QString(stored));
        }
    }

    // Unticking the login box removes the entry; the notification box stores its choice.
    void clickingTheBoxesStoresTheChoice()
    {
        ShellFixture f;
        Tarvex& window = started(f);
        f.login.clearCalls();
        window.toggleAdvancedOptions();
        QTest::mouseClick(window.runAtLoginBox(), Qt::LeftButton);
        QVERIFY(!window.runAtLoginBox()->isChecked());
        QCOMPARE(f.settings.readText("Startup", "Run", "NOTSET"), QStringLiteral("0"));
        QCOMPARE(f.login.calls(), QStringList{"login tarvex /opt/tarvex off"});
        QTest::mouseClick(window.noNotificationBox(), Qt::LeftButton);
        QCOMPARE(f.settings.readText("Startup", "Note", ""), QStringLiteral("1"));
        QTest::mouseClick(window.noNotificationBox(), Qt::LeftButton);
        QCOMPARE(f.settings.readText("Startup", "Note", ""), QStringLiteral("0"));
    }

    // The box does not claim an entry that was never written; the choice stays stored.
    void loginEntryFailureIsShownAndChoiceKept()
    {
        ShellFixture f;
        f.login.setError(QStringLiteral("Error 13 opening key"));
        Tarvex& window = started(f);
        QCOMPARE(f.messages(), QStringList{"Error 13 opening key"});
        QCOMPARE(f.settings.readText("Startup", "Run", "NOTSET"), QStringLiteral("1"));
        QVERIFY(!window.runAtLoginBox()->isChecked());
        window.toggleAdvancedOptions();
        QTest::mouseClick(window.runAtLoginBox(), Qt::LeftButton);
        QCOMPARE(f.messages().size(), 2);
        QVERIFY(!window.runAtLoginBox()->isChecked());
    }

    // The notification box reads the stored note (absent: unticked); loading stores nothing.
    void check1ReadsNote()
    {
        for (const auto& [stored, checked] :
             {std::tuple(QString(), false), std::tuple(QString("1"), true)}) {
            ShellFixture f;
            if (!stored.isNull())
                f.settings.writeText("Startup", "Note", stored);
            QCOMPARE(started(f).noNotificationBox()->isChecked(), checked);
            QCOMPARE(f.settings.readText("Startup", "Note", "absent"),
                     stored.isNull() ? QStringLiteral("absent") : stored);
        }
    }

    // A click on the title asks whether help is wanted and opens it on "Yes" only.
    void helpQuestion()
    {
        for (bool yes : {true, false}) {
            ShellFixture f;
            Tarvex& window = started(f);
            f.dialogs.answer(yes ? QStringLiteral("Yes") : QStringLiteral("No"));
            QTest::mouseClick(window.titleLabel(), Qt::LeftButton);
            QCOMPARE(f.dialogs.calls(),
                     QStringList{"ask Tarvex|Do you need help with using Tarvex?"});
            QCOMPARE(f.opener.calls(),
                     yes ? QStringList{"open /opt/tarvex/tarvex.html"} : QStringList());
        }
    }
};

QTEST_MAIN(TestTarvexWindow)
#include "TestTarvexWindow.moc"
