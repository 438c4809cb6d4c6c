// Fuzz target "settings": byte 0 the key, byte 1 the value length, the rest the file.
#include "store/AppSettings.h"
#include "store/SettingsStore.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/fuzz/FuzzTargets.h"

#include <QFile>

namespace tarvex::fuzz {
namespace {

struct Key
{
    const char* section;
    const char* key;
};

// Every key the program reads.
constexpr Key Keys[] = {{"ButtonTheme", "Color"},
                        {"Theme", "Color"},
                        {"WTheme", "Color"},
                        {"Startup", "Note"},
                        {"Startup", "Run"},
                        {"Hotkey Activation", "Sound"},
                        {"Hotkey Activation", "Notification"}};

const QString Absent = QStringLiteral("\x01absent");

QStringList ReadAll(const SettingsStore& store)
{
    QStringList values;
    for (const Key& key : Keys)
        values.append(store.readText(QLatin1String(key.section), QLatin1String(key.key), Absent));
    return values;
}

// Every reader of the program, so each conversion runs (UBSan watches the number conversions).
void ReadAsTheProgramDoes(SettingsStore& store)
{
    const AppSettings settings(store);
    // 64-bit sums: a stored colour may be any int.
    const qint64 values[] = {settings.mainWindowButtonStyle(),
                             settings.editorButtonStyle(),
                             settings.optionsButtonStyle(),
                             settings.themeColor(),
                             settings.frameStyle(),
                             settings.startupNote(),
                             settings.startupBalloonSuppressed(),
                             settings.runChoiceStored(),
                             settings.activationSound(QStringLiteral("/p")).size(),
                             settings.activationNotification()};
    volatile qint64 sink = 0;
    for (const qint64 value : values)
        sink = sink + value;
    (void)sink;
}

} // namespace

QString FuzzSettings(QByteArrayView data)
{
    FuzzInput input(data);
    const int written = input.below(int(std::size(Keys)));
    const QString value = QString::fromUtf8(input.take(input.byte()));
    const QString path = ScratchPath(QStringLiteral("settings.ini"));
    const QByteArrayView file = input.rest();
    if (!WriteFile(path, file))
        return QStringLiteral("cannot write the scratch file");
    SettingsStore store(path);
    ReadAsTheProgramDoes(store);
    const QStringList before = ReadAll(store);
    const Key& key = Keys[written];
    QString broken;
    if (!store.writeText(QLatin1String(key.section), QLatin1String(key.key), value).isEmpty()) {
        // A refused write (a file the store does not use) leaves the file as it was.
        if (ReadFile(path) != file)
            broken = QStringLiteral("a refused write changed the file");
    } else {
        const QStringList after = ReadAll(store);
        for (int i = 0; i < after.size() && broken.isEmpty(); ++i) {
            if (i == written && after.at(i) != value)
                broken = QStringLiteral("%1/%2 read back differently").arg(key.section, key.key);
            else if (i != written && after.at(i) != before.at(i))
                broken = QStringLiteral("writing %1/%2 changed %3/%4")
                             .arg(key.section, key.key, Keys[i].section, Keys[i].key);
        }
    }
    QFile::remove(path);
    return broken;
}

} // namespace tarvex::fuzz
