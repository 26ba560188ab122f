// The help calls the main window makes: open the help at its contents, and close it
// when the program ends.
#pragma once

class QWidget;

namespace tess {

class HelpWindow;

// Opens the owner's help window at the contents page, or brings the one already open
// to the front and back to the contents. The first time, it is placed beside the owner
// where the platform lets a program place its windows (placeWindow).
void ShowHelpContents(QWidget* owner, bool placeWindow);

// Closes the owner's help window, if there is one.
void CloseHelp(QWidget* owner);

// Makes the help pages of the resources available; showing the help does it too.
void RegisterHelpPages();

// The owner's help window, or null.
HelpWindow* FindHelpWindow(QWidget* owner);

}  // namespace tess
