#pragma once

// Platform services a test owns: a fixed date, a seeded random source, scripted volumes and a
// shell that records the links it was given.

#include "AppContext.h"
#include "Platform.h"

#include <QStringList>
#include <random>

namespace nerav::test {

class FixedClock : public Clock
{
public:
    QDate date {2007, 1, 17};
    QDate today() const override { return date; }
};

class SeededRandom : public RandomReal
{
public:
    explicit SeededRandom(unsigned seed = 12345) : m_engine(seed) { }
    double next() override { return m_distribution(m_engine); }

private:
    std::mt19937 m_engine;
    std::uniform_real_distribution<double> m_distribution {0.0, 1.0};
};

class FakeDrives : public DriveList
{
public:
    QList<Volume> offered;
    QList<Volume> volumes() const override { return offered; }
    Volume volumeAt(const QString &rootPath) const override
    {
        for (const Volume &volume : offered) {
            if (volume.rootPath == rootPath)
                return volume;
        }
        Volume gone;
        gone.rootPath = rootPath;
        gone.ready = false;
        return gone;
    }
};

// Answers whether this start is the only instance, and why it has no lock, as told.
class FakeInstanceGuard : public InstanceGuard
{
public:
    explicit FakeInstanceGuard(bool only, LockProblem problem = LockProblem::None)
        : m_only(only), m_problem(problem)
    {
    }
    bool tryBecomeOnlyInstance() override { return m_only; }
    LockProblem lockProblem() const override { return m_problem; }
    QString lockPath() const override { return QStringLiteral("/run/user/nerav.lock"); }

private:
    bool m_only;
    LockProblem m_problem;
};

class RecordingShell : public DesktopShell
{
public:
    QStringList opened;
    bool succeed = true;
    bool openUrl(const QUrl &url) override
    {
        opened.append(url.toString());
        return succeed;
    }
};

// An application context on fake services, with the text tables loaded in one language.
struct FakeApp
{
    explicit FakeApp(short language = Japanese) : context(Platform {clock, random, drives, shell})
    {
        LoadInterfaceText(context.text, language);
    }

    FixedClock clock;
    SeededRandom random;
    FakeDrives drives;
    RecordingShell shell;
    AppContext context;
};

} // namespace nerav::test
