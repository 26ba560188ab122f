// The help viewer: a window of its own, owned by the main window, that shows the help
// pages compiled into the program, with Back, Forward and Contents buttons.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QUrl>
#include <QWidget>

class QPushButton;
class QTextBrowser;

namespace tess {

// Where the help window's outer frame goes: beside the main window's frame, on the
// right if the screen has room there, else on the left, else centred over it; kept on
// the available screen area where it fits.
QPoint HelpPlace(const QRect& ownerFrame, const QSize& outer, const QRect& available);

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    static const QUrl& ContentsUrl();

    explicit HelpWindow(QWidget* owner);

    // Shows the window in front, at the contents page; placed beside the owner the first
    // time when placeWindow is set.
    void ShowContents(bool placeWindow);

    QTextBrowser* Browser() const { return browser_; }

private:
    QTextBrowser* browser_;
    QPushButton* back_;
    QPushButton* forward_;
    QPushButton* contents_;
    bool placed_ = false;
};

}  // namespace tess
