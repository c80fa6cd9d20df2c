#include "speech/pulse_library.h"

#include "platform/shared_library.h"

#include <mutex>
#include <thread>

namespace narrix {
namespace {

constexpr const char* kLibraryName = "libpulse.so.0";

bool resolveAll(SharedLibrary& library, PulseLibrary& f)
{
    return library.resolve("pa_threaded_mainloop_new", f.mainloopNew) &&
           library.resolve("pa_threaded_mainloop_free", f.mainloopFree) &&
           library.resolve("pa_threaded_mainloop_start", f.mainloopStart) &&
           library.resolve("pa_threaded_mainloop_stop", f.mainloopStop) &&
           library.resolve("pa_threaded_mainloop_lock", f.mainloopLock) &&
           library.resolve("pa_threaded_mainloop_unlock", f.mainloopUnlock) &&
           library.resolve("pa_threaded_mainloop_wait", f.mainloopWait) &&
           library.resolve("pa_threaded_mainloop_signal", f.mainloopSignal) &&
           library.resolve("pa_threaded_mainloop_get_api", f.mainloopGetApi) &&
           library.resolve("pa_threaded_mainloop_set_name", f.mainloopSetName) &&
           library.resolve("pa_context_new", f.contextNew) &&
           library.resolve("pa_context_unref", f.contextUnref) &&
           library.resolve("pa_context_connect", f.contextConnect) &&
           library.resolve("pa_context_disconnect", f.contextDisconnect) &&
           library.resolve("pa_context_get_state", f.contextGetState) &&
           library.resolve("pa_context_set_state_callback", f.contextSetStateCallback) &&
           library.resolve("pa_context_errno", f.contextErrno) &&
           library.resolve("pa_stream_new", f.streamNew) &&
           library.resolve("pa_stream_unref", f.streamUnref) &&
           library.resolve("pa_stream_connect_playback", f.streamConnectPlayback) &&
           library.resolve("pa_stream_disconnect", f.streamDisconnect) &&
           library.resolve("pa_stream_get_state", f.streamGetState) &&
           library.resolve("pa_stream_set_state_callback", f.streamSetStateCallback) &&
           library.resolve("pa_stream_set_write_callback", f.streamSetWriteCallback) &&
           library.resolve("pa_stream_set_underflow_callback", f.streamSetUnderflowCallback) &&
           library.resolve("pa_stream_get_buffer_attr", f.streamGetBufferAttr) &&
           library.resolve("pa_stream_set_buffer_attr", f.streamSetBufferAttr) &&
           library.resolve("pa_stream_write", f.streamWrite) &&
           library.resolve("pa_stream_cork", f.streamCork) &&
           library.resolve("pa_stream_drain", f.streamDrain) &&
           library.resolve("pa_operation_unref", f.operationUnref) &&
           library.resolve("pa_usec_to_bytes", f.usecToBytes) && library.resolve("pa_strerror", f.strerror);
}

} // namespace

const PulseLibrary* PulseLibrary::open(std::string* error)
{
    static const OpenedFunctions<PulseLibrary> opened = openFunctions<PulseLibrary>(kLibraryName, resolveAll);
    if (opened.functions == nullptr && error != nullptr)
        *error = "the PulseAudio library cannot be loaded: " + opened.error;
    return opened.functions;
}

void PulseLibrary::preload()
{
    static std::once_flag started;
    // Never joined: a process that ends meanwhile does not wait for it (exit waits for the loader).
    std::call_once(started, [] { std::thread([] { open(nullptr); }).detach(); });
}

} // namespace narrix
