#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariantMap>

#include <array>

struct xkb_context;
struct xkb_keymap;
struct xkb_state;

namespace tarvex {

// The keyboard layout of the session, as a table from X keycodes (evdev key
// code + 8) to virtual-key numbers, built with xkbcommon by the same rules as
// the X11 source's table (KeysymTable), so a key has the same number under
// either source. The layout, variant and options come from systemd-localed
// (org.freedesktop.locale1: X11Layout, X11Variant, X11Options), each replaced
// by XKB_DEFAULT_LAYOUT, XKB_DEFAULT_VARIANT or XKB_DEFAULT_OPTIONS when that is
// set; the table is rebuilt when localed reports a change. With several layouts,
// the active one follows the keys fed to keyDown()/keyUp() (a layout toggle
// option such as grp:alt_shift_toggle switches it as it does on the desktop).
class SessionKeymap final : public QObject
{
    Q_OBJECT

public:
    /// The names a keymap is built from; empty = the default (XKB's "us").
    struct Names
    {
        QString layout;
        QString variant;
        QString options;
        bool operator==(const Names&) const = default;
    };

    /// Builds the table from the environment (or the default) at once and asks localed on
    /// `systemBus` for the session's layout without waiting; rebuilds when the answer comes.
    explicit SessionKeymap(const QDBusConnection& systemBus, QObject* parent = nullptr);
    /// The same on the system bus.
    explicit SessionKeymap(QObject* parent = nullptr);
    ~SessionKeymap() override;
    SessionKeymap(const SessionKeymap&) = delete;
    SessionKeymap& operator=(const SessionKeymap&) = delete;

    /// The virtual-key number of X keycode `keycode` in the active layout, or 0.
    int codeFor(int keycode) const;
    /// A key went down or up: the layout toggles of the keymap act on the active layout.
    void keyDown(int keycode);
    void keyUp(int keycode);
    /// The names the current table was built from (the environment's already applied).
    Names names() const { return m_names; }

Q_SIGNALS:
    /// The table was rebuilt for other names (localed reported a new layout).
    void changed();

private Q_SLOTS:
    void onLocaleChanged(const QString& interfaceName, const QVariantMap& changed,
                         const QStringList& invalidated);

private:
    void askLocale();
    void applyLocale(const QVariantMap& properties);
    bool compile(const Names& names);
    void followLayout();
    void rebuild();

    QDBusConnection m_bus;
    xkb_context* m_context = nullptr;
    xkb_keymap* m_keymap = nullptr;
    xkb_state* m_state = nullptr;
    Names m_names;
    int m_group = 0;
    std::array<quint8, 256> m_codes{};
};

} // namespace tarvex
