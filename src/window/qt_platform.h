// The desktop services the game asks for, done with Qt.
#pragma once

#include <functional>
#include <string>

#include <QString>

#include "platform/platform.h"

class QWidget;

namespace tess {

class QtPlatform : public Platform {
public:
    explicit QtPlatform(QWidget* window);

    void ShowMessage(std::string_view text, std::string_view title, MessageIcon icon) override;
    void ShowGameOver() override;
    void SetBusyPointer(bool busy) override;
    void SetTopmost(bool on) override;
    bool IsForeground() override;
    void ShowHelpContents() override;

    // Whether the program places its windows and stores where the main window stood: not
    // on Wayland, which does neither. Tests may pretend either way.
    bool placesWindows;
    // Runs before a modal dialog opens, so the window shows what led to it.
    std::function<void()> beforeDialog;
    // Test seams: when set, these replace the modal dialogs.
    std::function<void(const std::string& text, const std::string& title, MessageIcon)> messageHook;
    std::function<void()> gameOverHook;
    std::function<void()> helpHook;

private:
    QWidget* window_;
    bool busy_ = false;
};

// Line breaks as the game writes them (CR LF, or a lone CR) as a label shows them.
std::string DisplayText(std::string_view text);
// The text with a place to break between the characters of every long run without blanks,
// so that a long path wraps inside a message box instead of running off its edge.
QString WrappableText(const QString& text);

}  // namespace tess
