#pragma once

// Whole-file reads and writes for setting up and checking test folders.

#include <QByteArray>
#include <QFile>
#include <QString>

namespace nerav::test {

inline bool WriteFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// The file's bytes; empty when it cannot be read.
inline QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace nerav::test
