// What the game asks of the desktop it runs on. The Qt window implements it;
// tests use a recording fake. Nothing here may carry a toolkit type.
#pragma once

#include <string_view>

namespace tess {

enum class MessageIcon { None, Information, Exclamation };

class Platform {
public:
    virtual ~Platform() = default;

    // A modal message box. Line breaks in text are CR LF or a lone CR.
    virtual void ShowMessage(std::string_view text, std::string_view title, MessageIcon icon) = 0;
    // The modal win dialog; returns when the player has closed it.
    virtual void ShowGameOver() = 0;
    // The hourglass pointer over the main window, on or off.
    virtual void SetBusyPointer(bool busy) = 0;
    // Keep the main window in front of other windows from a press to its release.
    virtual void SetTopmost(bool on) = 0;
    // Whether the main window is still the active window.
    virtual bool IsForeground() = 0;
    // Open the help at its contents page.
    virtual void ShowHelpContents() = 0;
};

// Does nothing and answers "still in front": for code paths that need no desktop.
class NullPlatform : public Platform {
public:
    void ShowMessage(std::string_view, std::string_view, MessageIcon) override {}
    void ShowGameOver() override {}
    void SetBusyPointer(bool) override {}
    void SetTopmost(bool) override {}
    bool IsForeground() override { return true; }
    void ShowHelpContents() override {}
};

}  // namespace tess
