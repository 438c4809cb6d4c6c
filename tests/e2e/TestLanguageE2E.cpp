#include "AppDriver.h"
#include "E2EHarness.h"

#include <QtTest>

// The whole program, build/tarvex, in the language of the user's environment: Spanish when
// LANGUAGE asks for it (even under a C locale), English for a language it has no translation
// for. The windows' titles, which the window manager shows, tell the language.
class TestLanguageE2E final : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_harness = std::make_unique<E2EHarness>();
        m_app = std::make_unique<AppDriver>(*m_harness);
    }

    void cleanup()
    {
        m_app.reset();
        m_harness.reset();
        qunsetenv("LANGUAGE");
        qunsetenv("LANG");
    }

    void languageFromEnvironment_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("editorTitle");
        QTest::newRow("Spanish") << "es"
                                 << "C.UTF-8"
                                 << "Configurar atajos";
        QTest::newRow("unknown") << "xx"
                                 << "xx_XX.UTF-8"
                                 << "Configure Hotkeys";
    }

    void languageFromEnvironment()
    {
        QFETCH(QString, language);
        QFETCH(QString, lang);
        QFETCH(QString, editorTitle);
        // The program takes the test's environment.
        qputenv("LANGUAGE", language.toUtf8());
        qputenv("LANG", lang.toUtf8());
        qunsetenv("LC_ALL");
        qunsetenv("LC_MESSAGES");
        m_app->start({});
        const QString main = AppDriver::waitForWindow("Tarvex");
        QVERIFY(!main.isEmpty());
        AppDriver::clickIn(main, AppDriver::designed(360, 2090, 4215, 585)); // " Configure Hotkeys"
        QVERIFY2(!AppDriver::waitForWindow(editorTitle).isEmpty(), qPrintable(editorTitle));
    }

private:
    std::unique_ptr<E2EHarness> m_harness;
    std::unique_ptr<AppDriver> m_app;
};

QTEST_GUILESS_MAIN(TestLanguageE2E)
#include "TestLanguageE2E.moc"
