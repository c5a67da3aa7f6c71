// Ports that the main window hands to the core before their adapters are
// bound to it. Each forwards to its adapter once bound; until then a call
// does nothing.
#pragma once

#include "core/Ports.h"
#include "core/SlotModel.h"
#include "core/TimerTasks.h"

namespace vela {

class LatePlaybackPort final : public PlaybackPort {
public:
    void bind(PlaybackPort* real) { real_ = real; }
    bool startPlayback(Slot slot) override { return real_ && real_->startPlayback(slot); }

private:
    PlaybackPort* real_ = nullptr;
};

class LateSavePort final : public SavePort {
public:
    void bind(SavePort* real) { real_ = real; }
    void saveAll() override {
        if (real_) real_->saveAll();
    }

private:
    SavePort* real_ = nullptr;
};

class LateScriptPlayer final : public ScriptPlayer {
public:
    void bind(ScriptPlayer* real) { real_ = real; }
    void playOnThisThread(Slot slot) override {
        if (real_) real_->playOnThisThread(slot);
    }

private:
    ScriptPlayer* real_ = nullptr;
};

}  // namespace vela
