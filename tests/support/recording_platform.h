// A platform that records what the game asked of the desktop.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace tess::test {

struct RecordedMessage {
    std::string text, title;
    MessageIcon icon;
};

class RecordingPlatform : public Platform {
public:
    void ShowMessage(std::string_view text, std::string_view title, MessageIcon icon) override {
        messages.push_back({std::string(text), std::string(title), icon});
    }
    void ShowGameOver() override { ++gameOverShown, onGameOver ? onGameOver() : void(); }
    void SetBusyPointer(bool busy) override { busyPointer = busy; }
    void SetTopmost(bool on) override { topmost = on; }
    bool IsForeground() override { return foreground; }
    void ShowHelpContents() override { ++helpShown; }

    std::vector<RecordedMessage> messages;
    std::function<void()> onGameOver;  // runs while the "dialog" is open
    int gameOverShown = 0, helpShown = 0;
    bool busyPointer = false, topmost = false, foreground = true;
};

}  // namespace tess::test
