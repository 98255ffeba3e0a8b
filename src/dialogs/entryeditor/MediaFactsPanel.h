#pragma once

// The entry editor's view of the file the entry names: a thumbnail beside the player's verdict
// and the file's facts. The file is looked for and read on a worker thread, after typing pauses
// or at once for a file chosen with Browse; a result for an earlier name is dropped. Closing the
// editor while the work runs leaves the work to end on its own; nothing waits for it.

#include "AppContext.h"
#include "MediaLook.h"

#include <QFutureWatcher>
#include <QGroupBox>
#include <QTimer>

#include <optional>

class QLabel;

namespace nerav {

class MediaFactsPanel : public QGroupBox
{
    Q_OBJECT

public:
    // How long typing must pause before the typed name is looked for.
    static constexpr int TypingPauseMs = 300;
    // The thumbnail's box.
    static constexpr QSize ThumbnailBox {160, 120};

    MediaFactsPanel(AppContext &context, QWidget *parent);
    ~MediaFactsPanel() override;

    // Looks for the name in the media folder once typing pauses.
    void lookUpName(const QString &name);
    void lookUpNameNow(const QString &name);
    // Shows a file chosen with Browse at once.
    void showChosenFile(const QString &name, const QString &path);
    // The texts again from the text table, after the language changed.
    void retranslate();
    // Makes the panel as wide as width (or as wide as it must be), the facts taking the room
    // beside the thumbnail; they wrap within it rather than widening the dialog.
    void fitToWidth(int width);

    // A look waits for typing to pause or is running.
    bool isLooking() const;
    // The facts, a label that takes the keyboard focus so that its text can be selected.
    QLabel *factsLabel() const { return m_facts; }

private:
    void Request(const MediaLookRequest &request);
    void StartLook();
    void LookFinished();
    void Render();
    void RenderThumbnail();
    QString StateText(const MediaLook &look) const;

    AppContext &m_context;
    QLabel *m_thumbnail = nullptr;
    QLabel *m_facts = nullptr;
    QTimer m_typingPause;
    QString m_typedName;
    QFutureWatcher<MediaLook> m_watcher;
    // The look last asked for; a running look for another request is not shown.
    MediaLookRequest m_wanted;
    int m_wantedNumber = 0;
    int m_runningNumber = 0;
    bool m_running = false;
    // The result for m_wanted, once it came.
    std::optional<MediaLook> m_shown;
};

} // namespace nerav
