#include "UpToDate.h"

#include "FileCopier.h"

#include <QFileInfo>

#include <cstdlib>

namespace nerav {

bool CopyOutdated(const PublishPlan &plan, const PublishRow &row)
{
    if (row.copyState != CopyState::Good || row.found.size() != 1)
        return false;
    const ManifestEntry *listed = plan.manifest.find(QFileInfo(row.onMedium).fileName());
    if (!listed)
        return false;
    if (listed->size != row.size ||
        std::abs(listed->modified.msecsTo(row.modified)) > SameTimeMilliseconds)
        return true;
    QString reason;
    return HashOfFile(row.source(), reason) != listed->hash;
}

} // namespace nerav
