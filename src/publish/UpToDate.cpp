#include "UpToDate.h"

#include "CopyRecord.h"
#include "FileCopier.h"

#include <QFileInfo>

namespace nerav {

bool CopyOutdated(const PublishPlan &plan, const PublishRow &row)
{
    if (row.copyState != CopyState::Good || row.found.size() != 1)
        return false;
    const ManifestEntry *listed = plan.manifest.find(QFileInfo(row.onMedium).fileName());
    if (!listed)
        return false;
    if (!OriginalMatchesRecord(row.size, row.modified, *listed, plan.originalRules))
        return true;
    QString reason;
    return HashOfFile(row.source(), reason) != listed->hash;
}

} // namespace nerav
