// What the help pages state about menus and keys, read from the pages and checked against
// the program itself.
#include <QFile>
#include <QMenu>
#include <QRegularExpression>

#include "dialogs/help.h"
#include "window_fixture.h"

namespace tess::test {
namespace {

QString Page(const char* name) {
    RegisterHelpPages();
    QFile file(QStringLiteral(":/help/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Each whole match's first and second captures, in the order the page gives them.
std::vector<std::pair<QString, QString>> Matches(const QString& text, const char* pattern) {
    std::vector<std::pair<QString, QString>> found;
    for (auto m = QRegularExpression(QLatin1String(pattern)).globalMatch(text); m.hasNext();) {
        const auto match = m.next();
        found.emplace_back(match.captured(1).simplified(), match.captured(2).simplified());
    }
    return found;
}

using HelpFactsTest = WindowTest;

TEST_F(HelpFactsTest, MenusAndKeysAreAsTheHelpDescribesThem) {
    std::map<QString, QAction*> menuBar, tableMenu;
    for (QAction* action : window->findChildren<QAction*>())
        if (!action->isSeparator()) menuBar[action->text().remove('&')] = action;
    for (QAction* action : window->gameMenu()->actions()) tableMenu[action->text().remove('&')] = action;

    // "<b>New</b> (F2)": an item of that caption with that shortcut, or with none.
    const QString keys = Page("keys.html");
    const auto items = Matches(keys, R"(<li><b>([^<]+)</b>(?: \(([^)]+)\))?)");
    EXPECT_EQ(items.size(), 9u);
    for (const auto& [caption, key] : items) {
        ASSERT_TRUE(menuBar.contains(caption)) << caption.toStdString();
        EXPECT_EQ(menuBar[caption]->shortcut(), QKeySequence(key)) << caption.toStdString();
    }
    // The table of keys: each is the shortcut of an item.
    const auto rows = Matches(keys, R"(<td class="key">([^<]+)</td><td>([^<]+)</td>)");
    EXPECT_EQ(rows.size(), 6u);
    for (const auto& [key, command] : rows)
        EXPECT_TRUE(std::ranges::any_of(menuBar, [&](auto& item) { return item.second->shortcut() == QKeySequence(key); }))
            << key.toStdString() << " " << command.toStdString();

    // The table's menu, as the mouse page names its items.
    const QString mouse = Page("mouse.html");
    const QString tablePart = mouse.mid(mouse.indexOf("name=\"tablemenu\""));
    const auto captions = Matches(tablePart.left(tablePart.indexOf("</p>")), R"(<b>([^<]+)</b>)");
    EXPECT_EQ(captions.size(), 6u);
    for (const auto& caption : captions) EXPECT_TRUE(tableMenu.contains(caption.first)) << caption.first.toStdString();
}

}  // namespace
}  // namespace tess::test
