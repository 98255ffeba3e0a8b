#include "FileNameLengthValidator.h"

#include <algorithm>

namespace nerav {

FileNameLengthValidator::FileNameLengthValidator(int typedLimit, QObject *parent)
    : QValidator(parent), m_typedLimit(typedLimit)
{
}

QValidator::State FileNameLengthValidator::validate(QString &input, int &pos) const
{
    // A text already longer than the limit may shrink but never grow.
    const int allowed = std::max(m_typedLimit, m_currentLength);
    const int excess = static_cast<int>(input.size()) - allowed;
    if (excess <= 0)
        return Acceptable;
    // The characters just inserted end at the cursor; drop the ones that do not fit.
    const int cut = std::min(excess, pos);
    input.remove(pos - cut, cut);
    pos -= cut;
    return input.size() <= allowed ? Acceptable : Invalid;
}

} // namespace nerav
