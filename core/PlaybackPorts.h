// Playing a slot's macro script: on a thread of its own, or on this one.
#pragma once

#include <string>

#include "core/SlotTable.h"

namespace vela {

// Starts the playback of a slot's macro script on a worker thread. The
// playback must call PlaybackThreads::finish(slot) as its last act.
class PlaybackPort {
public:
    virtual ~PlaybackPort() = default;
    // False when no thread could be started; nothing will run then.
    virtual bool startPlayback(Slot slot) = 0;
};

// Types a text for a slot on a worker thread, as a playback of the slot: it
// holds the slot's PlaybackThreads entry, which the caller claimed, and must
// call PlaybackThreads::finish(slot) as its last act; a stop of the slot's
// playback stops it.
class TypingPort {
public:
    virtual ~TypingPort() = default;
    // False when no thread could be started; nothing will run then.
    virtual bool startTyping(Slot slot, std::wstring text) = 0;
};

// Plays a slot's loaded macro script to the end on the calling thread.
class ScriptPlayer {
public:
    virtual ~ScriptPlayer() = default;
    virtual void playOnThisThread(Slot slot) = 0;
};

}  // namespace vela
