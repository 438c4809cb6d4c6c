#include "platform/evdev/SessionKeymap.h"

#include "platform/common/KeysymTable.h"
#include "platform/evdev/devices/EvdevLogging.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include <xkbcommon/xkbcommon.h>

namespace tarvex {

namespace {

const QString LocaleService = QStringLiteral("org.freedesktop.locale1");
const QString LocalePath = QStringLiteral("/org/freedesktop/locale1");
const QString LocaleInterface = QStringLiteral("org.freedesktop.locale1");
const QString PropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");

QString fromEnvironment(const char* name, const QString& otherwise)
{
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? otherwise : value;
}

// What the user set for this process wins over the session's setting.
SessionKeymap::Names withEnvironment(const SessionKeymap::Names& session)
{
    return {fromEnvironment("XKB_DEFAULT_LAYOUT", session.layout),
            fromEnvironment("XKB_DEFAULT_VARIANT", session.variant),
            fromEnvironment("XKB_DEFAULT_OPTIONS", session.options)};
}

const char* orNull(const QByteArray& text)
{
    return text.isEmpty() ? nullptr : text.constData();
}

} // namespace

SessionKeymap::SessionKeymap(const QDBusConnection& systemBus, QObject* parent)
    : QObject(parent), m_bus(systemBus), m_context(xkb_context_new(XKB_CONTEXT_NO_FLAGS))
{
    if (!m_context)
        qCWarning(lcEvdev, "xkbcommon is not usable; keys get numbers by their US position only");
    compile(withEnvironment({}));
    if (!m_bus.isConnected())
        return;
    m_bus.connect(LocaleService, LocalePath, PropertiesInterface,
                  QStringLiteral("PropertiesChanged"), this,
                  SLOT(onLocaleChanged(QString, QVariantMap, QStringList)));
    askLocale();
}

SessionKeymap::SessionKeymap(QObject* parent) : SessionKeymap(QDBusConnection::systemBus(), parent)
{}

SessionKeymap::~SessionKeymap()
{
    xkb_state_unref(m_state);
    xkb_keymap_unref(m_keymap);
    xkb_context_unref(m_context);
}

int SessionKeymap::codeFor(int keycode) const
{
    return keycode > 0 && keycode < 256 ? m_codes[keycode] : 0;
}

void SessionKeymap::keyDown(int keycode)
{
    if (m_state) {
        xkb_state_update_key(m_state, xkb_keycode_t(keycode), XKB_KEY_DOWN);
        followLayout();
    }
}

void SessionKeymap::keyUp(int keycode)
{
    if (m_state) {
        xkb_state_update_key(m_state, xkb_keycode_t(keycode), XKB_KEY_UP);
        followLayout();
    }
}

// Asked without waiting: localed may first have to be started by the bus.
void SessionKeymap::askLocale()
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        LocaleService, LocalePath, PropertiesInterface, QStringLiteral("GetAll"));
    call << LocaleInterface;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                const QDBusPendingReply<QVariantMap> reply = *finished;
                if (reply.isError()) {
                    qCInfo(lcEvdev, "no keyboard layout from localed (%s); using %s",
                           qPrintable(reply.error().message()),
                           m_names.layout.isEmpty() ? "the default" : qPrintable(m_names.layout));
                    return;
                }
                applyLocale(reply.value());
            });
}

void SessionKeymap::onLocaleChanged(const QString& interfaceName, const QVariantMap&,
                                    const QStringList&)
{
    // Read all three again: localed may send the new values or only say they changed.
    if (interfaceName == LocaleInterface)
        askLocale();
}

void SessionKeymap::applyLocale(const QVariantMap& properties)
{
    const Names names =
        withEnvironment({properties.value(QStringLiteral("X11Layout")).toString(),
                         properties.value(QStringLiteral("X11Variant")).toString(),
                         properties.value(QStringLiteral("X11Options")).toString()});
    if (names != m_names && compile(names))
        Q_EMIT changed();
}

bool SessionKeymap::compile(const Names& names)
{
    if (!m_context)
        return false;
    const QByteArray layout = names.layout.toUtf8();
    const QByteArray variant = names.variant.toUtf8();
    const QByteArray options = names.options.toUtf8();
    const xkb_rule_names rules{nullptr, nullptr, orNull(layout), orNull(variant), orNull(options)};
    xkb_keymap* keymap = xkb_keymap_new_from_names(m_context, &rules, XKB_KEYMAP_COMPILE_NO_FLAGS);
    xkb_state* state = keymap ? xkb_state_new(keymap) : nullptr;
    if (!state) {
        qCWarning(lcEvdev, "keyboard layout \"%s\" (variant \"%s\", options \"%s\") is not known",
                  layout.constData(), variant.constData(), options.constData());
        xkb_keymap_unref(keymap);
        if (m_keymap)
            return false;
        // Nothing to keep: the plain default layout at least numbers the letters.
        return names != Names{} && compile({});
    }
    xkb_state_unref(m_state);
    xkb_keymap_unref(m_keymap);
    m_keymap = keymap;
    m_state = state;
    m_names = names;
    m_group = 0;
    rebuild();
    qCDebug(lcEvdev, "keyboard layout \"%s\" variant \"%s\" options \"%s\"", layout.constData(),
            variant.constData(), options.constData());
    return true;
}

void SessionKeymap::followLayout()
{
    const int group = int(xkb_state_serialize_layout(m_state, XKB_STATE_LAYOUT_EFFECTIVE));
    if (group == m_group)
        return;
    m_group = group;
    rebuild();
}

void SessionKeymap::rebuild()
{
    m_codes.fill(0);
    for (int keycode = 8; keycode < 256; ++keycode) {
        const auto keysymAt = [this, keycode](int group, int level) -> unsigned long {
            if (!m_keymap)
                return 0;
            const auto key = xkb_keycode_t(keycode);
            const xkb_layout_index_t layouts = xkb_keymap_num_layouts_for_key(m_keymap, key);
            if (layouts == 0)
                return 0;
            const xkb_keysym_t* symbols = nullptr;
            const int count =
                xkb_keymap_key_get_syms_by_level(m_keymap, key, xkb_layout_index_t(group) % layouts,
                                                 xkb_level_index_t(level), &symbols);
            return count > 0 ? symbols[0] : 0;
        };
        m_codes[keycode] = quint8(virtualKeyForKey(keycode, m_group, keysymAt));
    }
}

} // namespace tarvex
