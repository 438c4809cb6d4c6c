#pragma once

#include "controls/frame/HookRecord.h"

#include <QString>

#include <map>
#include <memory>

class QWidget;

namespace tarvex {

class SubclassOwner;

// The subclassing module every skinned control carries: it hooks windows of
// this process (by their WindowHandles number) and calls the owner's
// zSubclass_Proc before and/or after each window's own handling, only for the
// messages the owner watches. Errors go through ErrorReport::zReportError and
// leave everything as it was. Destroying the module unhooks all its windows.
class Subclasser final
{
public:
    // Timing codes of sc_WatchMessage / sc_UnwatchMessage.
    enum Timing { MSG_BEFORE = 1, MSG_AFTER = 2, MSG_BEFORE_AND_AFTER = 3 };
    static constexpr int MSG_ENTRIES = MessageTable::MSG_ENTRIES;
    static constexpr qint32 ALL_MESSAGES = MessageTable::ALL_MESSAGES;

    // A module for owner, whose type name titles the error reports.
    Subclasser(QString typeName, SubclassOwner* owner);
    ~Subclasser();
    Subclasser(const Subclasser&) = delete;
    Subclasser& operator=(const Subclasser&) = delete;

    // Hooks window hWnd; callback ordinal 1 names the owner's zSubclass_Proc.
    bool sc_Subclass(qint32 hWnd, qint32 userValue = 0, int ordinal = 1,
                     SubclassOwner* callbackOwner = nullptr);

    // Unhooks hWnd and forgets its tables.
    void sc_UnSubclass(qint32 hWnd);

    // Unhooks every window of this module.
    void sc_UnsubclassAll();

    // Adds uMsg (or ALL_MESSAGES) to the before (bit 1) and/or after (bit 2) table.
    void sc_WatchMessage(qint32 hWnd, qint32 uMsg, int timing = MSG_AFTER);

    // Removes uMsg (or ALL_MESSAGES) from the before and/or after table.
    void sc_UnwatchMessage(qint32 hWnd, qint32 uMsg, int timing = MSG_AFTER);

    // Runs the message through the window's previous handling only.
    qint32 sc_CallPreviousProc(qint32 hWnd, qint32 uMsg, qint32 wParam, qint32 lParam);

    // The user value stored with hWnd (0 when hWnd is not hooked).
    qint32 sc_UserValue(qint32 hWnd);

    // Stores the user value of hWnd.
    void setSc_UserValue(qint32 hWnd, qint32 value);

    // The before (MSG_BEFORE) or after table of hWnd, null when not hooked (tests).
    const MessageTable* table(qint32 hWnd, Timing timing) const;

    // The registry key of hWnd: its decimal text followed by "h".
    static QString zKey(qint32 hWnd);

    // True once the registry exists (after the first sc_Subclass).
    bool started() const { return m_registry != nullptr; }

    // Number of hooked windows.
    int count() const { return m_registry ? int(m_registry->size()) : 0; }

private:
    using Registry = std::map<QString, std::shared_ptr<HookRecord>>;

    QString checkWindow(QWidget* widget, int ordinal, SubclassOwner* callbackOwner) const;
    HookRecord* zLookup(const QString& routine, qint32 hWnd);
    void zAddMsg(MessageTable& table, qint32 uMsg);
    void zDelMsg(MessageTable& table, qint32 uMsg);
    void unhook(HookRecord& record);
    void zError(const QString& routine, const QString& message) const;

    QString m_typeName;
    SubclassOwner* m_owner;
    std::unique_ptr<Registry> m_registry;
};

} // namespace tarvex
