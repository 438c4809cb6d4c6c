#include "platform/linux/CanberraWorker.h"

#include <QLoggingCategory>

#include <canberra.h>
#include <dlfcn.h>

namespace tarvex {

namespace {

Q_LOGGING_CATEGORY(lcSound, "tarvex.sound")

// One id for all sounds of the program, so a new one can cancel the last.
constexpr uint32_t kSoundId = 1;

// The library, opened at the first sound: a program whose hotkeys play none never maps it
// and the codecs it pulls in.
struct Canberra
{
    int (*create)(ca_context**) = nullptr;
    int (*destroy)(ca_context*) = nullptr;
    int (*cancel)(ca_context*, uint32_t) = nullptr;
    int (*play)(ca_context*, uint32_t, ...) = nullptr;
    int (*changeProps)(ca_context*, ...) = nullptr;
};

template <typename Function> bool resolve(void* library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(::dlsym(library, name));
    return function != nullptr;
}

Canberra open()
{
    Canberra lib;
    void* library = ::dlopen("libcanberra.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!library || !resolve(library, "ca_context_create", lib.create) ||
        !resolve(library, "ca_context_destroy", lib.destroy) ||
        !resolve(library, "ca_context_cancel", lib.cancel) ||
        !resolve(library, "ca_context_play", lib.play) ||
        !resolve(library, "ca_context_change_props", lib.changeProps)) {
        qCWarning(lcSound) << "No activation sounds: cannot load libcanberra -" << ::dlerror();
        return {};
    }
    return lib; // stays loaded for the life of the process
}

const Canberra* canberra()
{
    static const Canberra lib = open();
    return lib.create ? &lib : nullptr;
}

} // namespace

CanberraWorker::~CanberraWorker()
{
    if (m_context)
        canberra()->destroy(m_context);
}

void CanberraWorker::play(const QString& path)
{
    if (!ensureContext())
        return;
    canberra()->cancel(m_context, kSoundId);
    const QByteArray file = path.toLocal8Bit();
    m_lastResult = canberra()->play(m_context, kSoundId, CA_PROP_MEDIA_FILENAME, file.constData(),
                                    CA_PROP_MEDIA_ROLE, "event", nullptr);
}

bool CanberraWorker::ensureContext()
{
    if (m_context)
        return true;
    const Canberra* lib = canberra();
    if (!lib) {
        m_lastResult = CA_ERROR_NOTAVAILABLE;
        return false;
    }
    m_lastResult = lib->create(&m_context);
    if (m_lastResult != CA_SUCCESS) {
        m_context = nullptr;
        return false;
    }
    lib->changeProps(m_context, CA_PROP_APPLICATION_NAME, "Tarvex", nullptr);
    return true;
}

} // namespace tarvex
