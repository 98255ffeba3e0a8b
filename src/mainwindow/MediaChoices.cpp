#include "MediaChoices.h"

#include "MediaLibrary.h"
#include "MessageBoxes.h"
#include "PathParts.h"
#include "SystemModule.h"

#include <QFileDialog>

namespace nerav {

MediaChoices::MediaChoices(AppContext &context, QWidget *window)
    : QObject(window), m_context(context), m_window(window)
{
}

void MediaChoices::chooseMediaFolder()
{
    Settings &settings = m_context.settings;
    QFileDialog dialog(m_window, m_context.text.media.mediaFolderTitle);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setFileMode(QFileDialog::Directory);
    if (!settings.mediaFolder().isEmpty())
        dialog.setDirectory(settings.mediaFolder());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    settings.setMediaFolder(WithTrailingSlash(dialog.selectedFiles().constFirst()));
}

void MediaChoices::choosePlayerProfile()
{
    const CaptionTable &captions = m_context.text.captions;
    const MediaTable &texts = m_context.text.media;
    const QString current = ProfilePathFor(m_context.settings.playerProfile());
    QFileDialog dialog(m_window, texts.playerProfileTitle);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({texts.profileFileFilter.arg(QStringLiteral("*.json")),
                           captions.allFilesFilter.arg(QStringLiteral("*"))});
    dialog.setDirectory(DirectoryPart(current));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    const ProfileResult profile = ReadPlayerProfile(path);
    if (!profile.profile) {
        ShowMessage(m_window, m_context.text, texts.profileUnreadableMessage.arg(profile.reason));
        return;
    }
    m_context.settings.setPlayerProfile(ProfileChoiceFor(path));
}

} // namespace nerav
