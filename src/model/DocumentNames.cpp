#include "DocumentNames.h"

namespace nerav {

QString DefaultDocumentName(int number)
{
    const QString stem = QStringLiteral("nerav");
    const QString extension = QStringLiteral(".nrv");
    return number == 0 ? stem + extension : stem + QString::number(number) + extension;
}

QString ApplyExtensionRule(const QString &name)
{
    const QString extension = QStringLiteral(".nrv");
    if (name.size() < 5)
        return name + extension;
    if (name.at(name.size() - 4) != QLatin1Char('.'))
        return name + extension;
    return name;
}

} // namespace nerav
