// The win dialog: "Congratulations!" above "You win.", shown modally from inside the
// move that won.
#pragma once

#include "dialogs/dialog_frame.h"

namespace tess {

class GameOverForm : public FixedDialog {
    Q_OBJECT
public:
    GameOverForm(QWidget* owner, bool placeWindow);

    // Shows the dialog, centred over the owner where the platform lets a program place its
    // windows, and returns once the player has closed it.
    static void ShowModal(QWidget* owner, bool placeWindow);
};

}  // namespace tess
