#pragma once

#include "E2EHarness.h"

#include <QDeadlineTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QTest>

// The windows sway shows (`swaymsg -t get_tree`): every view, tiled or floating, with its
// "name" (title), "app_id", "pid" and "focused".
inline QList<QJsonObject> swayWindows()
{
    const QJsonDocument tree =
        QJsonDocument::fromJson(E2EHarness::run("swaymsg", {"-r", "-t", "get_tree"}).toUtf8());
    QList<QJsonObject> windows;
    QList<QJsonObject> nodes{tree.object()};
    while (!nodes.isEmpty()) {
        const QJsonObject node = nodes.takeLast();
        if (node.contains("app_id") || node.value("pid").toInteger() > 0)
            windows << node;
        for (const char* children : {"nodes", "floating_nodes"}) {
            for (const QJsonValue& child : node.value(children).toArray())
                nodes << child.toObject();
        }
    }
    return windows;
}

/// The app ids of sway's windows.
inline QStringList swayAppIds()
{
    QStringList ids;
    for (const QJsonObject& window : swayWindows())
        ids << window.value("app_id").toString();
    ids.sort();
    return ids;
}

/// The window sway shows focused, or an empty object.
inline QJsonObject swayFocused()
{
    for (const QJsonObject& window : swayWindows()) {
        if (window.value("focused").toBool())
            return window;
    }
    return {};
}

/// Waits until sway shows a window of `appId` focused (a new window takes the focus).
inline bool waitForFocus(const QString& appId, int timeoutMs = 20000)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (swayFocused().value("app_id").toString() != appId) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(50);
    }
    return true;
}

/// The name of the workspace that holds the window of `appId` ("__i3_scratch" for the
/// scratchpad), and whether it floats there; empty when sway has no such window.
inline QPair<QString, bool> swayPlaceOf(const QString& appId)
{
    const QJsonDocument tree =
        QJsonDocument::fromJson(E2EHarness::run("swaymsg", {"-r", "-t", "get_tree"}).toUtf8());
    struct Item
    {
        QJsonObject node;
        QString workspace;
        bool floating;
    };
    QList<Item> items{{tree.object(), QString(), false}};
    while (!items.isEmpty()) {
        const Item item = items.takeLast();
        const QString workspace = item.node.value("type").toString() == "workspace"
                                      ? item.node.value("name").toString()
                                      : item.workspace;
        if (item.node.value("app_id").toString() == appId)
            return {workspace, item.floating};
        for (const QJsonValue& child : item.node.value("nodes").toArray())
            items.append({child.toObject(), workspace, item.floating});
        for (const QJsonValue& child : item.node.value("floating_nodes").toArray())
            items.append({child.toObject(), workspace, true});
    }
    return {};
}

/// The windows of the process `pid` as sway shows them, each with "floating" added (true for a
/// floating window) beside sway's own "rect" (x, y, width, height).
inline QList<QJsonObject> swayWindowsOf(qint64 pid)
{
    const QJsonDocument tree =
        QJsonDocument::fromJson(E2EHarness::run("swaymsg", {"-r", "-t", "get_tree"}).toUtf8());
    QList<QPair<QJsonObject, bool>> nodes{{tree.object(), false}};
    QList<QJsonObject> windows;
    while (!nodes.isEmpty()) {
        auto [node, floating] = nodes.takeLast();
        if (node.value("pid").toInteger() == pid) {
            node.insert("floating", floating);
            windows << node;
        }
        for (const QJsonValue& child : node.value("nodes").toArray())
            nodes.append({child.toObject(), floating});
        for (const QJsonValue& child : node.value("floating_nodes").toArray())
            nodes.append({child.toObject(), true});
    }
    return windows;
}
