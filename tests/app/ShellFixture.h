#pragma once

#include "activation/GlobalFlags.h"
#include "controls/button/velbutton.h"
#include "editor/hkCORE.h"
#include "editor/HotkeyEditorPanel.h"
#include "platform/RemoteControl.h"
#include "shell/Tarvex.h"
#include "shell/TarvexShell.h"
#include "store/SettingsStore.h"
#include "tests/fakes/FakeDesktopWindows.h"
#include "tests/fakes/FakeDialogs.h"
#include "tests/fakes/FakeDocumentsFolder.h"
#include "tests/fakes/FakeHiddenWindowIcons.h"
#include "tests/fakes/FakeKeyStateSource.h"
#include "tests/fakes/FakeLoginEntry.h"
#include "tests/fakes/FakeNotifier.h"
#include "tests/fakes/FakeOpener.h"
#include "tests/fakes/FakePowerControl.h"
#include "tests/fakes/FakeSingleInstance.h"
#include "tests/fakes/FakeSoundPlayer.h"
#include "ui/ProgramTrayIcon.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace tarvex {

/// Other programs of the session: a test plays their requests through the run's handlers.
struct FakeRemoteControl final : RemoteControl
{
    bool start(Handlers given) override { return (handlers = std::move(given), true); }
    Handlers handlers;
};

/// One run of the program against recording fakes, with private settings and Documents.
struct ShellFixture
{
    QTemporaryDir dir;
    SettingsStore settings{dir.filePath(QStringLiteral("Tarvex.ini"))};
    FakeSingleInstance instance;
    FakeLoginEntry login;
    FakeOpener opener;
    FakeDialogs dialogs;
    FakeKeyStateSource keys;
    FakeDesktopWindows desktop;
    FakeHiddenWindowIcons hiddenIcons;
    FakeSoundPlayer sound;
    FakePowerControl power;
    FakeDocumentsFolder documents{dir.filePath(QStringLiteral("Documents"))};
    FakeNotifier notifier;
    FakeRemoteControl remote;
    int keySourceStarts = 0;
    QString programFolder = QStringLiteral("/opt/tarvex");
    std::unique_ptr<TarvexShell> shell;

    /// Builds the shell for a start with `arguments` (nothing runs before start()).
    explicit ShellFixture(const QStringList& arguments = {})
    {
        SetHK(false);
        SetExitRequested(false);
        shell = std::make_unique<TarvexShell>(services(arguments));
    }

    ShellServices services(const QStringList& arguments)
    {
        ShellServices services{
            settings,      instance,
            login,         opener,
            dialogs,       &keys,
            desktop,       hiddenIcons,
            sound,         power,
            documents,     [this] { return ++keySourceStarts > 0; },
            programFolder, QStringLiteral("tarvex"),
            arguments,     programFolder,
        };
        services.notifier = &notifier;
        services.remote = &remote;
        return services;
    }

    /// Writes the hotkey file line `hotkeys` (none when empty) and starts the program.
    bool start(const QByteArray& hotkeys = {})
    {
        if (!hotkeys.isEmpty())
            writeHotkeys(hotkeys);
        return shell->start();
    }

    /// Clicks the open editor's button `name`.
    void clickInEditor(const char* name)
    {
        QTest::mouseClick(shell->editor()->findChild<velbutton*>(QLatin1String(name)),
                          Qt::LeftButton);
    }

    /// Adds "http://example.org" on `keys` through the open editor's Add button and wizard.
    void addUrlHotkey(const QString& keys)
    {
        shell->editor()->editing().setWizardRunner([keys](QWidget*) {
            return QStringList{"URL", "http://example.org", keys};
        });
        clickInEditor("addButton");
    }

    bool mainShown() const { return shell->mainWindow() && shell->mainWindow()->isVisible(); }
    bool trayShown() const { return shell->trayIcon() && shell->trayIcon()->isShown(); }

    /// The texts of the program's own messages ("Tarvex", information icon), oldest first.
    QStringList messages() const
    {
        const QString prefix = QStringLiteral("inform Tarvex|");
        QStringList texts;
        for (const QString& call : dialogs.calls())
            if (call.startsWith(prefix))
                texts.append(call.mid(prefix.size()));
        return texts;
    }

    /// Writes the hotkey file line `line` into the Documents folder.
    void writeHotkeys(const QByteArray& line)
    {
        QDir().mkpath(documents.documentsFolder());
        QFile file(documents.documentsFolder() + QStringLiteral("/Hotkeys.TarvexDB"));
        file.open(QIODevice::WriteOnly);
        file.write(line + "\r\n");
    }
};

} // namespace tarvex
