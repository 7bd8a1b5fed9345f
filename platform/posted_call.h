#pragma once
// A call queued to run on the context object's thread once control returns to the event loop, as a posted window
// message runs; dropped when the context is destroyed first.

#include <QMetaObject>
#include <QObject>

#include <functional>

inline void PostCall(QObject* context, std::function<void()> call)
{
    if (context && call)
        QMetaObject::invokeMethod(context, std::move(call), Qt::QueuedConnection);
}
