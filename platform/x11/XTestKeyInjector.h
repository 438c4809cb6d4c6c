#pragma once

#include "platform/KeyInjector.h"

#include <memory>
#include <vector>

struct _XDisplay;

namespace tarvex {

/// Types keys on an X11 display through the XTest extension, on a connection of its own
/// (opened at construction; without a display or the extension nothing is typed).
class XTestKeyInjector final : public KeyInjector
{
public:
    XTestKeyInjector();
    ~XTestKeyInjector() override;
    XTestKeyInjector(const XTestKeyInjector&) = delete;
    XTestKeyInjector& operator=(const XTestKeyInjector&) = delete;

    bool available() const override { return m_display != nullptr; }
    QString unavailableReason() const override;
    QList<int> pressBackspace(int count) override;
    QList<int> typeText(const QString& text, const std::function<bool()>& stillFocused) override;

private:
    void restoreLent();

    _XDisplay* m_display = nullptr;
    // Keycodes without keysyms that typing lent to characters the layout lacks: they keep their
    // keysym a moment after typing, so the focused window reads its last keys with it, and are
    // then given back (their keysyms removed again).
    std::vector<unsigned> m_lent;
    int m_typings = 0;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
    bool m_noDisplay = false;
};

} // namespace tarvex
