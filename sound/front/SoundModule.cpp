#include "sound/front/SoundModule.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <condition_variable>
#include <cstdio>
#include <dlfcn.h>
#include <mutex>
#include <optional>
#include <sys/mman.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

// The files the process maps (Linux); empty elsewhere.
QSet<QByteArray> mappedFiles()
{
    QSet<QByteArray> files;
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (maps.open(QIODevice::ReadOnly))
        for (const QByteArray &line : maps.readAll().split('\n'))
            if (const qsizetype slash = line.indexOf(" /"); slash > 0)
                files.insert(line.mid(slash + 1));
    return files;
}

// Some libraries a sound pulls in cannot be unloaded (the sound server's client library marks
// itself so) and keep the pages the sound touched, for hours until the next one. Their pages
// that are still the file's own, never written, are handed back: touched again, they are read
// from the file as they were. Mappings holding a page of their own (relocated, written) stay.
void handBackPagesOfLibrariesLeft(const QSet<QByteArray> &mappedBefore)
{
    QFile smaps(QStringLiteral("/proc/self/smaps"));
    if (!smaps.open(QIODevice::ReadOnly))
        return;
    quintptr start = 0, end = 0;
    bool candidate = false;
    for (const QByteArray &line : smaps.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() >= 5 && fields[0].contains('-')) { // a mapping's first line
            const QList<QByteArray> range = fields[0].split('-');
            start = range[0].toULongLong(nullptr, 16);
            end = range[1].toULongLong(nullptr, 16);
            const qsizetype slash = line.indexOf(" /");
            candidate = slash > 0 && !fields[1].contains('w') && !mappedBefore.contains(line.mid(slash + 1));
        } else if (candidate && fields.size() >= 2 && fields[0] == "Anonymous:") {
            if (fields[1] == "0")
                madvise(reinterpret_cast<void *>(start), end - start, MADV_DONTNEED);
            candidate = false;
        }
    }
}

constexpr char ModuleName[] = "libchimewell-sound.so";

// Beside the installed program, in its own library folder, wherever the installation was moved;
// else in the build the program was made in.
void *openModule()
{
    const QDir programDir = QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).dir();
    const QString installed = programDir.filePath(QStringLiteral("../" CHIMEWELL_MODULE_DIR "/") + QLatin1String(ModuleName));
    for (const QString &path : {installed, QStringLiteral(CHIMEWELL_BUILD_DIR "/") + QLatin1String(ModuleName)})
        if (QFileInfo::exists(path))
            return dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    return dlopen(ModuleName, RTLD_NOW | RTLD_LOCAL); // the system's search, and its message
}

std::mutex moduleMutex;
std::weak_ptr<SoundModule> loadedModule;
// Modules made and not yet unloaded. A module's last holder may let go on any thread, and its
// unloading (SDL's end) must be over before another is loaded, or the two would share SDL.
int modulesAlive = 0;
std::condition_variable moduleUnloaded;
// What the process mapped before it first sounded; the module's libraries are the rest.
std::optional<QSet<QByteArray>> mappedBeforeSound;

} // namespace

std::shared_ptr<SoundModule> soundModule()
{
    static bool failureSaid = false;
    std::unique_lock lock(moduleMutex);
    if (std::shared_ptr<SoundModule> module = loadedModule.lock())
        return module;
    moduleUnloaded.wait(lock, [] { return modulesAlive == 0; });
    if (!mappedBeforeSound)
        mappedBeforeSound = mappedFiles();
    void *handle = openModule();
    auto *make = handle ? reinterpret_cast<MakeSoundModule *>(dlsym(handle, CHIMEWELL_SOUND_MODULE_ENTRY)) : nullptr;
    SoundModule *made = make ? make() : nullptr;
    if (!made) {
        if (!failureSaid)
            std::fprintf(stderr, "No sound: the sound module cannot be loaded (%s).\n", dlerror());
        failureSaid = true;
        if (handle)
            dlclose(handle);
        return nullptr;
    }
    ++modulesAlive;
    std::shared_ptr<SoundModule> module(made, [handle](SoundModule *m) {
        std::lock_guard unloading(moduleMutex);
        delete m;
        dlclose(handle);
        --modulesAlive;
        moduleUnloaded.notify_all();
    });
    loadedModule = module;
    return module;
}

void handBackSoundMemory()
{
    {
        std::lock_guard lock(moduleMutex);
        if (modulesAlive > 0 || !mappedBeforeSound)
            return;
        handBackPagesOfLibrariesLeft(*mappedBeforeSound);
    }
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}
