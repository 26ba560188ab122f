#include "dialogs/game_over_form.h"

namespace tess {

GameOverForm::GameOverForm(QWidget* owner, bool placeWindow)
    : FixedDialog(owner, QStringLiteral("Tessaline"), 2535, 1530, placeWindow) {
    setObjectName(QStringLiteral("GameOverForm"));
    AddPicture(TwipsRect(180, 180, 495, 495));
    // Nothing ever writes another name here: the dialog always reads the same.
    AddLabel("LabelWinnerName", QStringLiteral("Congratulations!"),
             TwipsRect(1155, 270, 1380, 225));
    AddLabel("Label1", QStringLiteral("You win."), TwipsRect(1155, 510, 1380, 255));
    AddOkButton(TwipsRect(1230, 1020, 1125, 345));
    FitToText();
}

void GameOverForm::ShowModal(QWidget* owner, bool placeWindow) {
    GameOverForm form(owner, placeWindow);
    form.exec();
}

}  // namespace tess
