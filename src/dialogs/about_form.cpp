#include "dialogs/about_form.h"

#include <QDesktopServices>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>

namespace tess {

AboutForm::AboutForm(QWidget* owner, bool placeWindow, UrlOpener opener)
    : FixedDialog(owner, QStringLiteral("About Tessaline"), 4125, 2370, placeWindow),
      opener_(std::move(opener)) {
    setObjectName(QStringLiteral("AboutForm"));
    if (!opener_) {
        opener_ = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    }
    AddPicture(TwipsRect(180, 180, 495, 495));
    AddLabel("LabelProgramName", QStringLiteral("Tessaline"), TwipsRect(1155, 270, 2940, 255));
    AddLabel("LabelVersionNumber", QStringLiteral("Version 4.1"), TwipsRect(1155, 510, 2940, 255));
    AddLabel("LabelByLine", QStringLiteral("By the Tessaline developers"),
             TwipsRect(1155, 870, 2940, 255));
    AddLabel("LabelCopyright", QStringLiteral("\u00A9 2026 the Tessaline developers"),
             TwipsRect(1155, 1110, 2940, 255));
    url_ = AddLabel("LabelURL", QString::fromLatin1(kWebAddress),
                    TwipsRect(1155, 1350, 2940, 255));
    // The colour of an active title bar; the highlight is its counterpart here.
    QPalette palette = url_->palette();
    palette.setColor(QPalette::WindowText,
                     url_->palette().color(QPalette::Active, QPalette::Highlight));
    url_->setPalette(palette);
    url_->setCursor(Qt::PointingHandCursor);
    url_->installEventFilter(this);
    AddOkButton(TwipsRect(2820, 1860, 1125, 345));
    FitToText();
}

void AboutForm::ShowModal(QWidget* owner, bool placeWindow, UrlOpener opener) {
    AboutForm form(owner, placeWindow, std::move(opener));
    form.exec();
}

// A left click on the address label opens the address it shows.
bool AboutForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == url_ && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const bool inside = url_->rect().contains(mouse->position().toPoint());
        if (mouse->button() == Qt::LeftButton && inside) {
            opener_(QUrl(url_->text()));
            return true;
        }
    }
    return FixedDialog::eventFilter(watched, event);
}

}  // namespace tess
