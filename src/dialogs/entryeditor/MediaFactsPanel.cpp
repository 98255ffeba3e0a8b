#include "MediaFactsPanel.h"

#include "MediaCheckText.h"
#include "MediaFactsText.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

namespace nerav {

namespace {

// The path as the user knows it: inside the media folder, from there.
QString ShownPath(const QString &path, const QString &mediaFolder)
{
    if (!mediaFolder.isEmpty()) {
        const QString inside = QDir(mediaFolder).relativeFilePath(path);
        if (!inside.startsWith(QLatin1String("..")) && !QDir::isAbsolutePath(inside))
            return QDir::toNativeSeparators(inside);
    }
    return QDir::toNativeSeparators(path);
}

int NarrowestFacts(const QWidget *facts)
{
    return facts->fontMetrics().averageCharWidth() * 36;
}

} // namespace

MediaFactsPanel::MediaFactsPanel(AppContext &context, QWidget *parent)
    : QGroupBox(parent), m_context(context)
{
    m_thumbnail = new QLabel(this);
    m_thumbnail->setObjectName(QStringLiteral("MediaThumbnail"));
    m_thumbnail->setFrameShape(QFrame::StyledPanel);
    m_thumbnail->setAlignment(Qt::AlignCenter);
    m_thumbnail->setWordWrap(true);
    const int frame = m_thumbnail->frameWidth();
    m_thumbnail->setFixedSize(ThumbnailBox.grownBy(QMargins(frame, frame, frame, frame)));

    m_facts = new QLabel(this);
    m_facts->setObjectName(QStringLiteral("MediaFacts"));
    m_facts->setTextFormat(Qt::PlainText);
    m_facts->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Reached with Tab, so that the keyboard can select and copy the facts too.
    m_facts->setFocusPolicy(Qt::StrongFocus);
    m_facts->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A fixed width lets a long reason wrap onto more lines instead of widening the dialog.
    m_facts->setWordWrap(true);
    m_facts->setFixedWidth(NarrowestFacts(m_facts));
    m_facts->setMinimumHeight(m_thumbnail->height());

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_thumbnail, 0, Qt::AlignTop);
    layout->addWidget(m_facts);
    layout->addStretch();

    m_typingPause.setSingleShot(true);
    m_typingPause.setInterval(TypingPauseMs);
    connect(&m_typingPause, &QTimer::timeout, this, [this] { lookUpNameNow(m_typedName); });
    connect(&m_watcher, &QFutureWatcher<MediaLook>::finished, this, &MediaFactsPanel::LookFinished);
    Render();
}

// A running look keeps its own copy of what it needs and ends by itself; its result is dropped.
MediaFactsPanel::~MediaFactsPanel() = default;

void MediaFactsPanel::lookUpName(const QString &name)
{
    m_typedName = name;
    m_typingPause.start();
}

void MediaFactsPanel::lookUpNameNow(const QString &name)
{
    m_typingPause.stop();
    Request({name, QString(), {}, {}});
}

void MediaFactsPanel::showChosenFile(const QString &name, const QString &path)
{
    m_typingPause.stop();
    Request({name, path, {}, {}});
}

void MediaFactsPanel::retranslate()
{
    Render();
}

void MediaFactsPanel::fitToWidth(int width)
{
    const int besideFacts = sizeHint().width() - m_facts->width();
    m_facts->setFixedWidth(std::max(NarrowestFacts(m_facts), width - besideFacts));
}

bool MediaFactsPanel::isLooking() const
{
    return m_typingPause.isActive() || m_running;
}

void MediaFactsPanel::Request(const MediaLookRequest &request)
{
    m_wanted = request;
    m_wanted.place =
            MediaPlaceOf(m_context.settings.mediaFolder(), m_context.settings.playerProfile());
    m_wanted.thumbnailBound = ThumbnailBox * devicePixelRatioF();
    ++m_wantedNumber;
    m_shown.reset();
    Render();
    // A look still running for an earlier name is not interrupted; the newest starts after it.
    if (!m_wanted.name.isEmpty() && !m_running)
        StartLook();
}

void MediaFactsPanel::StartLook()
{
    m_running = true;
    m_runningNumber = m_wantedNumber;
    m_watcher.setFuture(QtConcurrent::run(LookAtMedia, m_wanted));
}

void MediaFactsPanel::LookFinished()
{
    m_running = false;
    if (m_runningNumber == m_wantedNumber) {
        m_shown = m_watcher.result();
        Render();
    } else if (!m_wanted.name.isEmpty()) {
        StartLook();
    }
}

QString MediaFactsPanel::StateText(const MediaLook &look) const
{
    const MediaTable &t = m_context.text.media;
    if (!look.check)
        return t.profileUnreadable.arg(look.profileProblem);
    const QString state = MediaStateText(look.check->state, t);
    const QString reason = MediaCheckReason(*look.check, t);
    return reason.isEmpty() ? state : t.stateWithReason.arg(state, reason);
}

void MediaFactsPanel::Render()
{
    const MediaTable &t = m_context.text.media;
    setTitle(t.mediaPanelTitle);
    QStringList lines;
    if (m_wanted.name.isEmpty()) {
        lines << t.noFileName;
    } else if (!m_shown) {
        lines << t.readingFile;
    } else {
        const MediaLook &look = *m_shown;
        lines << t.playerStateLine.arg(StateText(look));
        if (!look.path.isEmpty())
            lines << t.fileLine.arg(ShownPath(look.path, m_wanted.place.mediaFolder));
        if (look.sameNamed > 1)
            lines << t.sameNameFiles.arg(look.sameNamed);
        if (look.probed)
            lines << MediaFactsText(look.probed.facts, t, look.fileBytes);
    }
    const QString text = lines.join(QLatin1Char('\n'));
    m_facts->setText(text);
    m_facts->setAccessibleName(m_wanted.name.isEmpty() ? t.mediaPanelTitle
                                                       : t.factsName.arg(m_wanted.name));
    m_facts->setAccessibleDescription(text);
    RenderThumbnail();
}

void MediaFactsPanel::RenderThumbnail()
{
    const MediaTable &t = m_context.text.media;
    if (m_shown && m_shown->thumbnail) {
        QPixmap picture = QPixmap::fromImage(m_shown->thumbnail.image);
        picture.setDevicePixelRatio(devicePixelRatioF());
        m_thumbnail->setPixmap(picture);
        m_thumbnail->setAccessibleName(t.thumbnailName.arg(m_shown->name));
        m_thumbnail->setToolTip(QString());
        return;
    }
    QString note;
    if (m_shown)
        note = m_shown->thumbnail.outcome == ThumbnailOutcome::NoPicture ? t.soundOnly
                                                                         : t.noPicture;
    m_thumbnail->setText(note);
    m_thumbnail->setAccessibleName(note.isEmpty() ? t.noPicture : note);
    // Why a file that was read gave no picture.
    m_thumbnail->setToolTip(m_shown && m_shown->probed ? m_shown->thumbnail.reason : QString());
}

} // namespace nerav
