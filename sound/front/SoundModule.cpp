#include "sound/front/SoundModule.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <dlfcn.h>
#include <mutex>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

constexpr char ModuleName[] = "libchimewell-sound.so";

// Beside the installed program, in its own library folder, wherever the installation was moved;
// else in the build the program was made in.
void *openModule()
{
    const QDir programDir = QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).dir();
    const QString installed =
        programDir.filePath(QStringLiteral("../" CHIMEWELL_MODULE_DIR "/") + QLatin1String(ModuleName));
    for (const QString &path : {installed, QStringLiteral(CHIMEWELL_BUILD_DIR "/") + QLatin1String(ModuleName)})
        if (QFileInfo::exists(path))
            return dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    return dlopen(ModuleName, RTLD_NOW | RTLD_LOCAL); // the system's search, and its message
}

} // namespace

std::shared_ptr<SoundModule> soundModule()
{
    // Loaded once and kept: SDL takes a thread-local key at each load and never gives it back,
    // so a module loaded at every sound would run the process out of keys after a thousand
    // sounds. What stays is clean library pages, the kernel's to reclaim, and the few pages the
    // libraries wrote; the device, its threads and the heap they used go once quiet.
    static std::mutex loading;
    static std::shared_ptr<SoundModule> loaded;
    static bool failed = false;
    std::lock_guard lock(loading);
    if (loaded || failed)
        return loaded;
    void *handle = openModule();
    auto *make = handle ? reinterpret_cast<MakeSoundModule *>(dlsym(handle, CHIMEWELL_SOUND_MODULE_ENTRY)) : nullptr;
    if (SoundModule *made = make ? make() : nullptr) {
        loaded.reset(made, [](SoundModule *) {}); // never unloaded: threads stuck on a disk may still use it
        return loaded;
    }
    std::fprintf(stderr, "No sound: the sound module cannot be loaded (%s).\n", dlerror());
    failed = true;
    if (handle)
        dlclose(handle);
    return nullptr;
}

void handBackSoundMemory()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}
