#include "CopyRecord.h"

#include "PublishPlan.h"

namespace nerav {

namespace {

bool WithinOldStep(const QDateTime &a, const QDateTime &b)
{
    return a.isValid() && b.isValid() && std::abs(a.msecsTo(b)) <= SameTimeMilliseconds;
}

} // namespace

bool CopyMatchesRecord(qint64 size, const QDateTime &modified, const ManifestEntry &listed,
                       const MediumRules &medium)
{
    if (listed.mediumSize < 0)
        return size == listed.size && WithinOldStep(modified, listed.modified);
    return size == listed.mediumSize && SameTimeOnMedium(modified, listed.mediumModified, medium);
}

bool OriginalMatchesRecord(qint64 size, const QDateTime &modified, const ManifestEntry &listed,
                           const MediumRules &originals)
{
    if (listed.mediumSize < 0)
        return size == listed.size && WithinOldStep(modified, listed.modified);
    return size == listed.size && SameTimeOnMedium(modified, listed.modified, originals);
}

} // namespace nerav
