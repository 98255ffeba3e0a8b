#pragma once

// A window's named child for a test that drives it; a test cannot go on without it.

#include <QObject>

namespace nerav::test {

template<typename T>
T *Child(const QObject *window, const char *name)
{
    T *child = window->findChild<T *>(QLatin1String(name));
    if (!child)
        qFatal("no child %s", name);
    return child;
}

} // namespace nerav::test
