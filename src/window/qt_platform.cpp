#include "window/qt_platform.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTextBoundaryFinder>
#include <QWindow>

#include "dialogs/game_over_form.h"
#include "dialogs/help.h"
#include "window/window_place.h"

namespace tess {

QtPlatform::QtPlatform(QWidget* window)
    : placesWindows(PlacesWindows(QGuiApplication::platformName())), window_(window) {}

std::string DisplayText(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            shown += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            shown += text[i];
        }
    }
    return shown;
}

QString WrappableText(const QString& text) {
    // Longer than any word of the messages themselves: a path, or a name without blanks.
    constexpr int kLongRun = 30;
    constexpr QChar kZeroWidthSpace(0x200B);
    QString wrappable;
    QStringList run;  // the characters (whole graphemes) since the last blank
    const auto endRun = [&] {
        wrappable += run.join(run.size() > kLongRun ? QString(kZeroWidthSpace) : QString());
        run.clear();
    };
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    for (qsizetype at = 0, next; (next = graphemes.toNextBoundary()) > 0; at = next) {
        const QString grapheme = text.mid(at, next - at);
        if (grapheme.front().isSpace()) {
            endRun();
            wrappable += grapheme;
        } else {
            run.append(grapheme);
        }
    }
    endRun();
    return wrappable;
}

void QtPlatform::ShowMessage(std::string_view text, std::string_view title, MessageIcon icon) {
    if (beforeDialog) beforeDialog();
    if (messageHook) {
        messageHook(std::string(text), std::string(title), icon);
        return;
    }
    QMessageBox box(window_);
    box.setWindowTitle(QString::fromStdString(std::string(title)));
    box.setText(WrappableText(QString::fromStdString(DisplayText(text))));
    box.setTextFormat(Qt::PlainText);
    switch (icon) {
    case MessageIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MessageIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    }
    box.setStandardButtons(QMessageBox::Ok);
    // The busy pointer must not hide that the program waits for the player.
    const bool busy = busy_;
    if (busy) SetBusyPointer(false);
    box.exec();
    if (busy) SetBusyPointer(true);
}

void QtPlatform::ShowGameOver() {
    if (beforeDialog) beforeDialog();
    if (gameOverHook) {
        gameOverHook();
        return;
    }
    GameOverForm::ShowModal(window_, placesWindows);
}

void QtPlatform::SetBusyPointer(bool busy) {
    // Before the window is shown there is nobody to see the pointer, and loading the
    // cursor theme would only delay the first sight of the table.
    if (busy && !window_->isVisible()) return;
    if (busy == busy_) return;
    busy_ = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void QtPlatform::SetTopmost(bool on) {
    // Raising and activating keeps the window in front for the press; losing the
    // activation breaks the drag off. The stays-on-top hint would re-create the window.
    if (!on) return;
    window_->raise();
    window_->activateWindow();
}

bool QtPlatform::IsForeground() {
    // A modal window of our own takes the input before it takes the activation.
    const QWindow* modal = QGuiApplication::modalWindow();
    return window_->isActiveWindow() && (modal == nullptr || modal == window_->windowHandle());
}

void QtPlatform::ShowHelpContents() {
    if (helpHook) {
        helpHook();
        return;
    }
    tess::ShowHelpContents(window_, placesWindows);
}

}  // namespace tess
