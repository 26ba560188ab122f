// The About box: the program's name, version, authors and web address.
#pragma once

#include <functional>

#include <QUrl>

#include "dialogs/dialog_frame.h"

class QEvent;
class QLabel;

namespace tess {

class AboutForm : public FixedDialog {
    Q_OBJECT
public:
    // Opens a web address; what it answers is not looked at.
    using UrlOpener = std::function<bool(const QUrl&)>;

    static constexpr char kWebAddress[] = "https://www.tessaline.org";

    // Without an opener the address goes to the desktop's web browser.
    AboutForm(QWidget* owner, bool placeWindow, UrlOpener opener = {});

    // Shows the box, centred over the owner where the platform lets a program place its
    // windows, and returns once the player has closed it.
    static void ShowModal(QWidget* owner, bool placeWindow, UrlOpener opener = {});

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* url_;
    UrlOpener opener_;
};

}  // namespace tess
