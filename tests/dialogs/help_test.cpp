// The help viewer: one window per owner, opened at the contents, placed beside the owner.
#include <QPointer>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include "dialogs/help.h"
#include "dialogs/help_window.h"

namespace tess {
namespace {

const QUrl kContents(QStringLiteral("qrc:/help/contents.html"));

TEST(Help, OpensAtTheContentsReusesTheWindowAndClosesWithTheOwner) {
    QWidget owner;
    owner.show();
    ShowHelpContents(&owner, true);
    HelpWindow* help = FindHelpWindow(&owner);
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible() && help->isWindow() && help->windowTitle() == "Tessaline Help");
    EXPECT_EQ(help->Browser()->source(), kContents);
    help->Browser()->setSource(QUrl(QStringLiteral("qrc:/help/rules.html")));
    help->move(help->pos() + QPoint(37, 23));  // where the player put it, it stays
    const QPoint moved = help->pos();
    help->hide();
    ShowHelpContents(&owner, true);
    EXPECT_EQ(owner.findChildren<HelpWindow*>(), QList<HelpWindow*>{help});
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->pos(), moved);
    EXPECT_EQ(help->Browser()->source(), kContents);
    // Closed with the main window; the next call opens another.
    const QPointer<HelpWindow> closed = help;
    CloseHelp(&owner);
    EXPECT_TRUE(closed.isNull());
    // Where the platform cannot place windows, it is left where the platform puts it.
    ShowHelpContents(&owner, false);
    ASSERT_NE(FindHelpWindow(&owner), nullptr);
    EXPECT_TRUE(FindHelpWindow(&owner)->isVisible());
    EXPECT_FALSE(FindHelpWindow(&owner)->testAttribute(Qt::WA_Moved));
}

// Beside the main window, right if there is room, else left, else centred; kept on the screen.
TEST(Help, PlacedBesideTheMainWindowWhereTheScreenHasRoom) {
    const struct { QRect owner; QPoint expected; } cases[] = {
        {{100, 60, 600, 460}, {700, 60}},    {{0, 60, 1280, 460}, {1280, 60}},
        {{1200, 60, 600, 460}, {560, 60}},   {{640, 60, 1281, 460}, {0, 60}},
        {{400, 100, 1100, 700}, {630, 170}}, {{100, 800, 600, 460}, {700, 520}},
        {{-300, -400, 1950, 500}, {355, 0}},
    };
    for (const auto& c : cases) EXPECT_EQ(HelpPlace(c.owner, {640, 560}, {0, 0, 1920, 1080}), c.expected);
    EXPECT_EQ(HelpPlace({1920, 0, 600, 460}, {640, 560}, {1920, 0, 1280, 1024}), QPoint(2520, 0));
}

}  // namespace
}  // namespace tess
