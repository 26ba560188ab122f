#include "dialogs/help.h"

#include <QPointer>

#include "dialogs/help_window.h"

// The help pages live in a static library, so their resources are registered by hand,
// from outside any namespace as the resource system requires.
static void InitHelpResource() { Q_INIT_RESOURCE(help); }

namespace tess {

namespace {

// A help window opened without an owner has no parent to find it by.
QPointer<HelpWindow>& OwnerlessHelp() {
    static QPointer<HelpWindow> window;
    return window;
}

}  // namespace

void RegisterHelpPages() {
    static const bool registered = [] {
        InitHelpResource();
        return true;
    }();
    (void)registered;
}

HelpWindow* FindHelpWindow(QWidget* owner) {
    if (owner == nullptr) return OwnerlessHelp().data();
    return owner->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
}

void ShowHelpContents(QWidget* owner, bool placeWindow) {
    RegisterHelpPages();
    HelpWindow* help = FindHelpWindow(owner);
    if (help == nullptr) {
        help = new HelpWindow(owner);
        if (owner == nullptr) {
            help->setAttribute(Qt::WA_DeleteOnClose);
            OwnerlessHelp() = help;
        }
    }
    help->ShowContents(placeWindow);
}

void CloseHelp(QWidget* owner) {
    HelpWindow* help = FindHelpWindow(owner);
    if (help == nullptr) return;
    help->close();
    if (owner != nullptr) delete help;
}

}  // namespace tess
