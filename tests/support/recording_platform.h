// A platform that records what the game asked of the desktop.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace tess::test {

struct RecordedMessage {
    std::string text;
    std::string title;
    MessageIcon icon;
};

class RecordingPlatform : public Platform {
public:
    void ShowMessage(std::string_view text, std::string_view title, MessageIcon icon) override {
        messages.push_back({std::string(text), std::string(title), icon});
    }
    void ShowGameOver() override {
        ++gameOverShown;
        if (onGameOver) onGameOver();
    }
    void SetBusyPointer(bool busy) override { busyPointer = busy; }
    void SetTopmost(bool on) override {
        topmost = on;
        ++topmostCalls;
    }
    bool IsForeground() override { return foreground; }
    void ShowHelpContents() override { ++helpShown; }

    std::vector<RecordedMessage> messages;
    int gameOverShown = 0;
    std::function<void()> onGameOver;  // runs while the "dialog" is open
    bool busyPointer = false;
    bool topmost = false;
    int topmostCalls = 0;
    bool foreground = true;
    int helpShown = 0;
};

}  // namespace tess::test
