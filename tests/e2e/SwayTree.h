#pragma once

#include "E2EHarness.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QTest>

// The windows sway shows (`swaymsg -t get_tree`): every view, tiled or floating, with sway's
// "name" (title), "app_id", "pid", "focused" and "rect", and added to it "workspace" (the name
// of the workspace that holds it, "__i3_scratch" for the scratchpad) and "floating".
inline QList<QJsonObject> swayWindows()
{
    const QJsonDocument tree =
        QJsonDocument::fromJson(E2EHarness::run("swaymsg", {"-r", "-t", "get_tree"}).toUtf8());
    QList<QJsonObject> windows;
    QList<std::tuple<QJsonObject, QString, bool>> nodes{{tree.object(), QString(), false}};
    while (!nodes.isEmpty()) {
        auto [node, workspace, floating] = nodes.takeLast();
        if (node.value("type").toString() == "workspace")
            workspace = node.value("name").toString();
        if (node.contains("app_id") || node.value("pid").toInteger() > 0) {
            node.insert("workspace", workspace);
            node.insert("floating", floating);
            windows << node;
        }
        for (const QJsonValue& child : node.value("nodes").toArray())
            nodes.append({child.toObject(), workspace, floating});
        for (const QJsonValue& child : node.value("floating_nodes").toArray())
            nodes.append({child.toObject(), workspace, true});
    }
    return windows;
}

/// The first of sway's windows whose `key` is `value`, or an empty object.
inline QJsonObject swayWindow(const QString& key, const QJsonValue& value)
{
    for (const QJsonObject& window : swayWindows()) {
        if (window.value(key) == value)
            return window;
    }
    return {};
}

/// The window sway shows focused, or an empty object.
inline QJsonObject swayFocused()
{
    return swayWindow("focused", true);
}

/// Where the window of `appId` is: its workspace, and whether it floats there.
inline QPair<QString, bool> swayPlaceOf(const QString& appId)
{
    const QJsonObject window = swayWindow("app_id", appId);
    return {window.value("workspace").toString(), window.value("floating").toBool()};
}

/// Waits until sway shows a window of `appId` focused (a new window takes the focus).
inline bool waitForFocus(const QString& appId)
{
    return QTest::qWaitFor([&] { return swayFocused().value("app_id") == appId; }, 20000);
}
