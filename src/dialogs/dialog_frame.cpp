#include "dialogs/dialog_frame.h"

#include <QApplication>
#include <QFile>
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

}  // namespace

// Before the window manager has framed a new window its frame is unknown, so it is
// taken to be as thick as the owner's.
QSize OuterSize(const QWidget* window, const QWidget* owner) {
    QSize outer = window->frameGeometry().size();
    if (outer == window->size() && owner != nullptr) {
        outer += owner->frameGeometry().size() - owner->size();
    }
    return outer;
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
    : QDialog(owner, FixedDialogFlags()), owner_(owner), placeWindow_(placeWindow) {
    setWindowTitle(caption);
    setWindowIcon(ProgramIcon(owner));
    setModal(true);
    setFont(DialogFont());
    setSizeGripEnabled(false);
    setFixedSize(TwipsToPixels(clientWidthTwips), TwipsToPixels(clientHeightTwips));
}

QLabel* FixedDialog::AddLabel(const char* name, const QString& text, const QRect& place) {
    auto* label = new QLabel(text, this);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(place);
    return label;
}

QLabel* FixedDialog::AddPicture(const QRect& place) {
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->setGeometry(place);
    picture->setPixmap(windowIcon().pixmap(QSize(kIconPixels, kIconPixels), devicePixelRatioF()));
    return picture;
}

QPushButton* FixedDialog::AddOkButton(const QRect& place) {
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("CommandOK"));
    ok->setGeometry(place);
    ok->setAutoDefault(true);
    ok->setDefault(true);
    ok->setFocus();
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    return ok;
}

// Centred each time it opens, over wherever the main window stands at that moment, and
// before the native window exists, so that the position given is the frame's.
void FixedDialog::setVisible(bool visible) {
    if (visible && !isVisible() && placeWindow_) CentreOverOwner(this, owner_);
    QDialog::setVisible(visible);
}

}  // namespace tess
