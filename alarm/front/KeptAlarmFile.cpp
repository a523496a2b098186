#include "alarm/front/KeptAlarmFile.h"

#include "toolkit/AppInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <condition_variable>
#include <cstdio>
#include <deque>
#include <mutex>
#include <thread>

namespace {

// An XDG base folder: the variable's value when it is an absolute path, else its default.
QString baseFolder(const char *variable, const char *underHome)
{
    const QString set = qEnvironmentVariable(variable);
    return QDir::isAbsolutePath(set) ? set : QDir::homePath() + QLatin1String(underHome);
}

QString keptFilePath()
{
    return baseFolder("XDG_STATE_HOME", "/.local/state") + u'/' + QLatin1String(AppInfo::Command)
        + QStringLiteral("/alarm");
}

QString autostartPath()
{
    return baseFolder("XDG_CONFIG_HOME", "/.config") + QStringLiteral("/autostart/") + QLatin1String(AppInfo::DesktopId)
        + QStringLiteral(".desktop");
}

// The program's own path as a desktop entry's Exec wants it: quoted, with its reserved
// characters escaped, and a field code's percent doubled.
QString execLine()
{
    QString path = QCoreApplication::applicationFilePath();
    for (const QChar c : {u'\\', u'"', u'`', u'$'})
        path.replace(c, QString(u'\\') + c);
    return u'"' + path.replace(u'%', QStringLiteral("%%")) + u'"';
}

QByteArray autostartEntry()
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=%1\n"
                          "Comment=Takes up the alarm that was armed when the session ended\n"
                          "Exec=%2\n"
                          "Icon=%3\n"
                          "Terminal=false\n"
                          "NoDisplay=true\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(QLatin1String(AppInfo::Title), execLine(), QLatin1String(AppInfo::DesktopId))
        .toUtf8();
}

void say(const QString &line)
{
    std::fprintf(stderr, "%s: %s\n", AppInfo::Command, qPrintable(line));
}

bool writeWhole(const QString &path, const QByteArray &content)
{
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.commit();
}

bool removeIfThere(const QString &path)
{
    return QFile::remove(path) || !QFile::exists(path);
}

} // namespace

struct KeptAlarmFile::Shared
{
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::function<void(Shared &)>> requests;
    bool started = false;
    bool idle = true;
    bool toldUnwritable = false; // the one line about a folder that cannot be written is said
    const QString file = keptFilePath();
    const QString autostart = autostartPath();

    void keep(const QString &text)
    {
        if (writeWhole(file, text.toUtf8()) && writeWhole(autostart, autostartEntry()))
            return;
        if (!std::exchange(toldUnwritable, true))
            say(QStringLiteral("the alarm cannot be kept in %1 or its autostart entry written in %2: "
                               "it will not survive a restart of the program")
                    .arg(QFileInfo(file).path(), QFileInfo(autostart).path()));
    }

    void forget()
    {
        removeIfThere(autostart);
        if (!removeIfThere(file))
            say(QStringLiteral("the kept alarm %1 cannot be removed: it may come back at the next start").arg(file));
    }

    std::optional<Alarm> read()
    {
        QFile kept(file);
        if (!kept.exists())
            return std::nullopt;
        // More than a kept alarm ever is: not ours, and not worth reading.
        constexpr qint64 Largest = 64 * 1024;
        std::optional<Alarm> alarm;
        if (kept.open(QIODevice::ReadOnly) && kept.size() <= Largest)
            alarm = alarmFromText(QString::fromUtf8(kept.readAll()));
        kept.close();
        if (!alarm) {
            const QString aside = file + QStringLiteral(".damaged");
            QFile::remove(aside);
            const bool moved = QFile::rename(file, aside);
            removeIfThere(autostart);
            say(QStringLiteral("the kept alarm %1 could not be read; no alarm was taken up (%2)")
                    .arg(file,
                         moved ? QStringLiteral("the file was moved to ") + aside
                               : QStringLiteral("the file could not be moved aside either")));
        }
        return alarm;
    }

    void work()
    {
        std::unique_lock lock(mutex);
        for (;;) {
            changed.wait(lock, [this] { return !requests.empty(); });
            idle = false;
            auto request = std::move(requests.front());
            requests.pop_front();
            lock.unlock();
            request(*this);
            lock.lock();
            idle = requests.empty();
            changed.notify_all();
        }
    }
};

KeptAlarmFile::KeptAlarmFile(std::function<void(std::function<void()>)> post)
    : m_post(std::move(post))
    , m_shared(std::make_shared<Shared>())
{
}

KeptAlarmFile::~KeptAlarmFile() = default;

void KeptAlarmFile::ask(std::function<void(Shared &)> request)
{
    std::lock_guard lock(m_shared->mutex);
    // Started at the first request; left to end with the process, as a storage that stops
    // answering would hold it.
    if (!std::exchange(m_shared->started, true))
        std::thread([shared = m_shared] { shared->work(); }).detach();
    m_shared->requests.push_back(std::move(request));
    m_shared->idle = false;
    m_shared->changed.notify_all();
}

void KeptAlarmFile::keep(const Alarm &alarm)
{
    ask([text = alarmText(alarm)](Shared &shared) { shared.keep(text); });
}

void KeptAlarmFile::forget()
{
    ask([](Shared &shared) { shared.forget(); });
}

void KeptAlarmFile::recall(std::function<void(const Alarm &kept)> restore)
{
    ask([post = m_post, restore = std::move(restore)](Shared &shared) {
        const std::optional<Alarm> kept = shared.read();
        if (!kept)
            return;
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [post, restore, alarm = *kept] { post([&] { restore(alarm); }); },
            Qt::QueuedConnection);
    });
}

void KeptAlarmFile::settle(std::chrono::milliseconds within)
{
    std::unique_lock lock(m_shared->mutex);
    m_shared->changed.wait_for(lock, within, [this] { return m_shared->idle; });
}
