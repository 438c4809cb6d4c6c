#include "controls/frame/WindowHandles.h"

#include <QHash>
#include <QPointer>
#include <QWidget>

namespace tarvex {

namespace {

struct Table
{
    qint32 next = 1;
    QHash<qint32, QPointer<QWidget>> widgets;
    QHash<const QWidget*, qint32> handles;
};

Table& table()
{
    static Table t;
    return t;
}

} // namespace

qint32 WindowHandles::handleOf(QWidget* widget)
{
    if (!widget)
        return 0;
    Table& t = table();
    if (const auto it = t.handles.constFind(widget); it != t.handles.constEnd())
        return *it;
    const qint32 handle = t.next++;
    t.widgets.insert(handle, widget);
    t.handles.insert(widget, handle);
    // The address may be reused by a later widget: forget it when this one dies.
    QObject::connect(widget, &QObject::destroyed, [widget, handle] {
        table().handles.remove(widget);
        table().widgets.remove(handle);
    });
    return handle;
}

QWidget* WindowHandles::widgetOf(qint32 handle)
{
    return table().widgets.value(handle).data();
}

} // namespace tarvex
