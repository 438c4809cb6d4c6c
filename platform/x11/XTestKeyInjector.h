#pragma once

#include "platform/KeyInjector.h"

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
    QList<int> typeText(const QString&, const std::function<bool()>&) override { return {}; }

private:
    _XDisplay* m_display = nullptr;
    bool m_noDisplay = false;
};

} // namespace tarvex
