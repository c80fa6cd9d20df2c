#pragma once

#include <pulse/pulseaudio.h>

#include <string>

namespace narrix {

// The functions of libpulse the PulseAudio stream calls, from the library opened with dlopen at the
// first audio (or on a thread of its own beforehand, see preload): linked into the program, libpulse
// and what it brings (libsndfile and its codecs, systemd, gcrypt) would be loaded and relocated
// before main() at every start.
struct PulseLibrary
{
    decltype(&pa_threaded_mainloop_new) mainloopNew = nullptr;
    decltype(&pa_threaded_mainloop_free) mainloopFree = nullptr;
    decltype(&pa_threaded_mainloop_start) mainloopStart = nullptr;
    decltype(&pa_threaded_mainloop_stop) mainloopStop = nullptr;
    decltype(&pa_threaded_mainloop_lock) mainloopLock = nullptr;
    decltype(&pa_threaded_mainloop_unlock) mainloopUnlock = nullptr;
    decltype(&pa_threaded_mainloop_wait) mainloopWait = nullptr;
    decltype(&pa_threaded_mainloop_signal) mainloopSignal = nullptr;
    decltype(&pa_threaded_mainloop_get_api) mainloopGetApi = nullptr;
    decltype(&pa_threaded_mainloop_set_name) mainloopSetName = nullptr;
    decltype(&pa_context_new) contextNew = nullptr;
    decltype(&pa_context_unref) contextUnref = nullptr;
    decltype(&pa_context_connect) contextConnect = nullptr;
    decltype(&pa_context_disconnect) contextDisconnect = nullptr;
    decltype(&pa_context_get_state) contextGetState = nullptr;
    decltype(&pa_context_set_state_callback) contextSetStateCallback = nullptr;
    decltype(&pa_context_errno) contextErrno = nullptr;
    decltype(&pa_stream_new) streamNew = nullptr;
    decltype(&pa_stream_unref) streamUnref = nullptr;
    decltype(&pa_stream_connect_playback) streamConnectPlayback = nullptr;
    decltype(&pa_stream_disconnect) streamDisconnect = nullptr;
    decltype(&pa_stream_get_state) streamGetState = nullptr;
    decltype(&pa_stream_set_state_callback) streamSetStateCallback = nullptr;
    decltype(&pa_stream_set_write_callback) streamSetWriteCallback = nullptr;
    decltype(&pa_stream_set_underflow_callback) streamSetUnderflowCallback = nullptr;
    decltype(&pa_stream_get_buffer_attr) streamGetBufferAttr = nullptr;
    decltype(&pa_stream_set_buffer_attr) streamSetBufferAttr = nullptr;
    decltype(&pa_stream_write) streamWrite = nullptr;
    decltype(&pa_stream_cork) streamCork = nullptr;
    decltype(&pa_stream_drain) streamDrain = nullptr;
    decltype(&pa_operation_unref) operationUnref = nullptr;
    decltype(&pa_usec_to_bytes) usecToBytes = nullptr;
    decltype(&pa_strerror) strerror = nullptr;

    // Opens the library once per process, from any thread; null with the reason in `error` when it
    // or one of its functions is missing.
    static const PulseLibrary* open(std::string* error);
    // Opens it on a short-lived thread of its own, once, so that the first audio finds it loaded.
    static void preload();
};

} // namespace narrix
