// What the About box and the win dialog share: a fixed client area laid out in twips,
// a frame that can be moved and closed but not resized, minimised or maximised, the
// program icon, a small UI font, and centring over the main window when shown.
#pragma once

#include <vector>

#include <QDialog>
#include <QFont>
#include <QIcon>
#include <QRect>
#include <QSize>
#include <QString>

#include "game/cards.h"

class QLabel;
class QPushButton;
class QEvent;
class QWidget;

namespace tess {

// Dialog layouts are measured in twips: 15 to the pixel at 96 dots per inch.
constexpr int TwipsToPixels(int twips) { return twips / static_cast<int>(kTwipsPerPixel); }

inline QRect TwipsRect(int left, int top, int width, int height) {
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

// The program icon from its sizes rendered ahead (PNG, so neither the SVG engine nor an
// image plugin is loaded for it); while those are missing, the owner's window icon or the
// application's, so a dialog never shows a broken picture.
QIcon ProgramIcon(const QWidget* owner);

// The font every label and button of the dialogs uses.
QFont DialogFont();

// The window flags of both dialogs: a title bar with a close button, nothing else.
Qt::WindowFlags FixedDialogFlags();

// The outer size of a top-level widget, frame included, also before it is first shown.
QSize OuterSize(const QWidget* window, const QWidget* owner);

// Moves a top-level widget so that its outer frame is centred over the owner's outer
// frame, wherever the owner stands, also partly off the screen.
void CentreOverOwner(QWidget* window, const QWidget* owner);

// A modal dialog of fixed client size whose controls are placed in twips. Where the
// platform cannot place windows (placeWindow false), it is left where the platform puts it.
class FixedDialog : public QDialog {
    Q_OBJECT
public:
    FixedDialog(QWidget* owner, const QString& caption, int clientWidthTwips,
                int clientHeightTwips, bool placeWindow);

    void setVisible(bool visible) override;

protected:
    QLabel* AddLabel(const char* name, const QString& text, const QRect& place);
    QLabel* AddPicture(const QRect& place);
    QPushButton* AddOkButton(const QRect& place);
    // The designed layout, enlarged where the text in the current font needs more room:
    // each label and button holds its whole text, a label's text ends the layout's margin
    // before the right edge, and what lies below a taller control moves down with it.
    void FitToText();
    void changeEvent(QEvent* event) override;

private:
    struct Placed {
        QWidget* control;
        QRect designed;
    };
    QWidget* Place(QWidget* control, const QRect& designed);

    QWidget* owner_;
    QSize designedSize_;
    std::vector<Placed> placed_;
    bool placeWindow_;
};

}  // namespace tess
