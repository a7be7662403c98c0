// The music module: start-up and close of the audio device and numbered stream slots.
#include "services/mfmod.h"

namespace tk {

namespace {
// The device could not be opened: the library's own code for it.
constexpr int kErrorInitializingOutput = 3;
}  // namespace

std::string mFmod::fmodErrorText(int code) {
    switch (code) {
    case 0: return "No errors";
    case 1: return "Cannot call this command after FSOUND_Init.  Call FSOUND_Close first.";
    case 2: return "This command failed because FSOUND_Init was not called";
    case 3: return "Error initializing output device.";
    case 4: return "The output device is already in use and cannot be reused.";
    case 5: return "Playing the sound failed.";
    case 6:
        return "Soundcard does not support the features needed for this soundsystem (16bit stereo "
               "output)";
    case 7: return "Error setting cooperative level for hardware.";
    case 8: return "Error creating hardware sound buffer.";
    case 9: return "File not found";
    case 10: return "Unknown file format";
    case 11: return "Error loading file";
    case 12: return "Not enough memory ";
    case 13: return "The version number of this file format is not supported";
    case 14: return "An invalid parameter was passed to this function";
    case 15: return "Tried to use an EAX command on a non EAX enabled channel or output.";
    case 16: return "Failed to allocate a new channel";
    case 17: return "Recording is not supported on this machine";
    case 18: return "Required Mediaplayer codec is not installed";
    case 19: return "An error occured trying to open the specified CD device";
    default: return "Unknown error";
    }
}

void mFmod::fmodInit(int mixRate, int channels) {
    if (channels > 64) {
        plat_.MsgBox("You can only have a maximum of " + std::to_string(64) + " channels.", "Error", true);
        return;
    }
    maxChannels = channels;
    failure_.clear();
    started_ = plat_.Music().Open(mixRate);
    if (!started_) noteFailure("FMOD Cannot initialize because of an error.\r\n" + fmodErrorText(kErrorInitializingOutput));
}

void mFmod::noteFailure(const std::string& message) {
    // A player who has the music off need not click a box away at every start: the
    // message waits for the first time music is asked for, and meanwhile goes to
    // standard error only.
    failure_ = message;
    failureShown_ = false;
    std::string line = message;
    if (const auto cut = line.find("\r\n"); cut != std::string::npos) line.replace(cut, 2, " ");
    plat_.Warn(line);
}

void mFmod::fmodClose() {
    plat_.Music().Close();
    started_ = false;
}

bool mFmod::validSlot(int slot) const {
    // Negative slots would index before the tables; the table ends at 64 whatever
    // the channel count says.
    return slot >= 0 && slot <= maxChannels && slot < static_cast<int>(streamHandles.size());
}

void mFmod::streamOpen(const std::string& path, int slot, bool playNow, int volume) {
    if (!failure_.empty() && !failureShown_) {
        failureShown_ = true;
        plat_.MsgBox(failure_, kWindowTitle, true);
    }
    if (!validSlot(slot)) return;
    streamStop(slot);
    // After a failed start every music call stays silent: the slot simply stays empty.
    streamHandles[slot] = started_ ? plat_.Music().Load(path) : 0;
    if (playNow) {
        streamPlay(slot);
        streamSetVolume(slot, volume);
    }
}

void mFmod::streamPlay(int slot) {
    if (!validSlot(slot) || !started_) return;
    if (streamChannels[slot] != 0 && paused_[slot]) streamTogglePause(slot);
    streamChannels[slot] = streamHandles[slot] != 0 ? plat_.Music().Play(streamHandles[slot]) : 0;
}

void mFmod::streamTogglePause(int slot) {
    if (!validSlot(slot) || !started_ || streamChannels[slot] == 0) return;
    paused_[slot] = !paused_[slot];
    plat_.Music().SetPaused(streamChannels[slot], paused_[slot]);
}

void mFmod::streamStop(int slot) {
    if (!validSlot(slot) || streamHandles[slot] == 0) return;
    // The stream itself is released when the device closes.
    if (started_) plat_.Music().Stop(streamHandles[slot]);
    streamHandles[slot] = 0;
}

void mFmod::streamSetVolume(int slot, int volume) {
    if (!validSlot(slot) || !started_ || streamChannels[slot] == 0) return;
    plat_.Music().SetVolume(streamChannels[slot], volume);
}

}  // namespace tk
