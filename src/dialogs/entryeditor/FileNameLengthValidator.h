#pragma once

// Stops typing in the file-name field at a fixed length, while a longer name that the program
// sets itself (from the file dialog) stays whole and can still be shortened. Pasted text is
// cut to fit, the way a length-limited text box does it.

#include <QValidator>

namespace nerav {

class FileNameLengthValidator : public QValidator
{
    Q_OBJECT

public:
    FileNameLengthValidator(int typedLimit, QObject *parent);

    // The length of the text now in the field; call before the program sets a text itself.
    void setCurrentLength(int length) { m_currentLength = length; }

    State validate(QString &input, int &pos) const override;

private:
    int m_typedLimit;
    int m_currentLength = 0;
};

} // namespace nerav
