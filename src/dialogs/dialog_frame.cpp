#include "dialogs/dialog_frame.h"

#include <algorithm>

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QPushButton>

#include "window/window_place.h"

// The icons live in a static library, so their resources are registered by hand, from
// outside any namespace as the resource system requires. Registering twice is harmless.
static void InitIconResource() { Q_INIT_RESOURCE(icons); }

namespace tess {

namespace {

constexpr int kIconPixels = 32;
// The layout's own margin: the icon's from the left edge, the OK button's from the right.
constexpr int kMarginTwips = 180;

}  // namespace

// Before the window manager has framed a new window its frame is unknown, so it is
// taken to be as thick as the owner's.
QSize OuterSize(const QWidget* window, const QWidget* owner) {
    const QMargins own = FrameOf(window);
    return window->size().grownBy(own.isNull() && owner != nullptr ? FrameOf(owner) : own);
}

QIcon ProgramIcon(const QWidget* owner) {
    static const bool registered = [] {
        InitIconResource();
        return true;
    }();
    (void)registered;
    QIcon icon;
    // The largest size would take as long to decode as all the others; window managers
    // ask for 64 px at most, and docks take the installed icon instead.
    for (int size : {16, 22, 24, 32, 48, 64, 128}) {
        const QString file = QStringLiteral(":/icons/tessaline-%1.png").arg(size);
        if (!QFile::exists(file)) continue;
        QImage image;
        // Naming the format keeps the reader from asking every image plugin.
        if (image.load(file, "PNG")) icon.addPixmap(QPixmap::fromImage(std::move(image)));
    }
    if (!icon.isNull()) return icon;
    if (owner != nullptr && !owner->window()->windowIcon().isNull()) {
        return owner->window()->windowIcon();
    }
    return QApplication::windowIcon();
}

QFont DialogFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8);
    font.setWeight(QFont::Normal);
    return font;
}

Qt::WindowFlags FixedDialogFlags() {
    return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
           Qt::MSWindowsFixedSizeDialogHint;
}

void CentreOverOwner(QWidget* window, const QWidget* owner) {
    if (window == nullptr || owner == nullptr) return;
    const QWidget* ownerWindow = owner->window();
    // Until the window manager has framed the dialog, its frame is taken to be the owner's.
    CentreFrame(window, FrameOf(ownerWindow), [ownerWindow] { return ownerWindow->frameGeometry(); });
}

FixedDialog::FixedDialog(QWidget* owner, const QString& caption, int clientWidthTwips,
                         int clientHeightTwips, bool placeWindow)
    : QDialog(owner, FixedDialogFlags()),
      owner_(owner),
      designedSize_(TwipsToPixels(clientWidthTwips), TwipsToPixels(clientHeightTwips)),
      placeWindow_(placeWindow) {
    setWindowTitle(caption);
    setWindowIcon(ProgramIcon(owner));
    setModal(true);
    setFont(DialogFont());
    setSizeGripEnabled(false);
    setFixedSize(designedSize_);
}

QWidget* FixedDialog::Place(QWidget* control, const QRect& designed) {
    control->setGeometry(designed);
    placed_.push_back({control, designed});
    return control;
}

void FixedDialog::FitToText() {
    const int margin = TwipsToPixels(kMarginTwips);
    QSize client = designedSize_;
    std::vector<QRect> places;
    for (const Placed& p : placed_) {
        QSize needed;
        if (const auto* label = qobject_cast<QLabel*>(p.control); label && !label->text().isEmpty()) {
            needed = label->sizeHint();
            client.setWidth(std::max(client.width(), p.designed.x() + needed.width() + margin));
        } else if (const auto* button = qobject_cast<QPushButton*>(p.control)) {
            const QFontMetrics metrics = button->fontMetrics();
            needed = {metrics.horizontalAdvance(button->text()) + 2 * metrics.height(),
                      button->sizeHint().height()};
        }
        places.emplace_back(p.designed.topLeft(), p.designed.size().expandedTo(needed));
    }
    // What lies below a control that grew moves down by as much.
    for (std::size_t i = 0; i < placed_.size(); ++i) {
        const int grown = places[i].height() - placed_[i].designed.height();
        for (std::size_t j = 0; j < placed_.size() && grown > 0; ++j)
            if (placed_[j].designed.top() > placed_[i].designed.center().y()) places[j].translate(0, grown);
    }
    for (std::size_t i = 0; i < placed_.size(); ++i) {
        const QRect& designed = placed_[i].designed;
        QRect& place = places[i];
        // Buttons keep their distance from the right edge; every control its distance from the bottom.
        if (qobject_cast<QPushButton*>(placed_[i].control) != nullptr)
            place.moveRight(designed.right() + client.width() - designedSize_.width());
        client.setHeight(std::max(client.height(),
                                  place.bottom() + designedSize_.height() - designed.bottom()));
        placed_[i].control->setGeometry(place);
    }
    setFixedSize(client);
}

QLabel* FixedDialog::AddLabel(const char* name, const QString& text, const QRect& place) {
    auto* label = new QLabel(text, this);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Place(label, place);
    return label;
}

QLabel* FixedDialog::AddPicture(const QRect& place) {
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Place(picture, place);
    picture->setPixmap(windowIcon().pixmap(QSize(kIconPixels, kIconPixels), devicePixelRatioF()));
    return picture;
}

QPushButton* FixedDialog::AddOkButton(const QRect& place) {
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("CommandOK"));
    Place(ok, place);
    ok->setAutoDefault(true);
    ok->setDefault(true);
    ok->setFocus();
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    return ok;
}

// Fitted to the text and centred each time it opens, over wherever the main window
// stands at that moment, and before the native window exists, so that the position
// given is the frame's.
void FixedDialog::setVisible(bool visible) {
    if (visible && !isVisible()) {
        FitToText();
        if (placeWindow_) CentreOverOwner(this, owner_);
    }
    QDialog::setVisible(visible);
}

void FixedDialog::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) FitToText();
    QDialog::changeEvent(event);
}

}  // namespace tess
