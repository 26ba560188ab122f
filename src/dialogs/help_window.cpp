#include "dialogs/help_window.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

#include "dialogs/dialog_frame.h"

namespace tess {

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 560;

QPushButton* MakeButton(const char* name, const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

}  // namespace

QPoint HelpPlace(const QRect& ownerFrame, const QSize& outer, const QRect& available) {
    QPoint place(ownerFrame.x() + (ownerFrame.width() - outer.width()) / 2,
                 ownerFrame.y() + (ownerFrame.height() - outer.height()) / 2);
    if (ownerFrame.right() + outer.width() <= available.right()) {
        place = {ownerFrame.right() + 1, ownerFrame.y()};
    } else if (ownerFrame.left() - outer.width() >= available.left()) {
        place = {ownerFrame.left() - outer.width(), ownerFrame.y()};
    }
    // Keep the title bar reachable: inside the available area, top left first.
    const int lastX = available.right() + 1 - outer.width();
    const int lastY = available.bottom() + 1 - outer.height();
    place.setX(std::max(available.left(), std::min(place.x(), lastX)));
    place.setY(std::max(available.top(), std::min(place.y(), lastY)));
    return place;
}

const QUrl& HelpWindow::ContentsUrl() {
    static const QUrl url(QStringLiteral("qrc:/help/contents.html"));
    return url;
}

HelpWindow::HelpWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Tessaline Help"));
    setWindowIcon(ProgramIcon(owner));

    back_ = MakeButton("HelpBack", QStringLiteral("Back"), this);
    forward_ = MakeButton("HelpForward", QStringLiteral("Forward"), this);
    contents_ = MakeButton("HelpContents", QStringLiteral("Contents"), this);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    // Every page and link is inside the program; nothing is handed to a web browser.
    browser_->setOpenExternalLinks(false);
    browser_->setOpenLinks(true);
    browser_->document()->setDocumentMargin(10);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back_);
    buttons->addWidget(forward_);
    buttons->addWidget(contents_);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    layout->addLayout(buttons);
    layout->addWidget(browser_, 1);

    back_->setEnabled(false);
    forward_->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QPushButton::setEnabled);
    connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(contents_, &QPushButton::clicked, this, [this] { browser_->setSource(ContentsUrl()); });
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);

    browser_->setSource(ContentsUrl());
    resize(kWidth, kHeight);
}

void HelpWindow::ShowContents(bool placeWindow) {
    if (browser_->source() != ContentsUrl()) {
        browser_->setSource(ContentsUrl());
    }
    browser_->verticalScrollBar()->setValue(0);
    // Placed beside the main window the first time only; afterwards it stays where the
    // player put it.
    if (!placed_ && placeWindow && parentWidget() != nullptr) {
        const QWidget* owner = parentWidget()->window();
        const QScreen* screen = owner->screen();
        const QRect available =
            screen != nullptr ? screen->availableGeometry() : owner->frameGeometry();
        move(HelpPlace(owner->frameGeometry(), OuterSize(this, owner), available));
    }
    placed_ = true;
    showNormal();
    raise();
    activateWindow();
}

}  // namespace tess
