// Playing a slot's macro script: on a thread of its own, or on this one.
#pragma once

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

// Plays a slot's loaded macro script to the end on the calling thread.
class ScriptPlayer {
public:
    virtual ~ScriptPlayer() = default;
    virtual void playOnThisThread(Slot slot) = 0;
};

}  // namespace vela
