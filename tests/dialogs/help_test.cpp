// The help viewer: one window per owner, its navigation, and pages whose every link
// leads somewhere.
#include <map>
#include <memory>
#include <queue>
#include <set>
#include <vector>

#include <QDirIterator>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include "dialogs/help.h"
#include "dialogs/help_window.h"

namespace tess {
namespace {

const QUrl kContents(QStringLiteral("qrc:/help/contents.html"));
const QUrl kRules(QStringLiteral("qrc:/help/rules.html"));

QString ReadResource(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

// qrc:/help/x.html -> :/help/x.html
QString ResourcePath(const QUrl& url) { return QLatin1Char(':') + url.path(); }

std::map<QString, QString> HelpPages() {
    RegisterHelpPages();
    std::map<QString, QString> pages;
    QDirIterator it(QStringLiteral(":/help"), {QStringLiteral("*.html")}, QDir::Files);
    while (it.hasNext()) {
        const QString path = it.next();
        pages[path] = ReadResource(path);
    }
    return pages;
}

std::vector<QString> Links(const QString& html) {
    static const QRegularExpression link(QStringLiteral(R"re((?:href|src)\s*=\s*"([^"]*)")re"),
                                         QRegularExpression::CaseInsensitiveOption);
    std::vector<QString> links;
    for (auto it = link.globalMatch(html); it.hasNext();) links.push_back(it.next().captured(1));
    return links;
}

std::set<QString> Anchors(const QString& html) {
    static const QRegularExpression anchor(QStringLiteral(R"re((?:name|id)\s*=\s*"([^"]*)")re"),
                                           QRegularExpression::CaseInsensitiveOption);
    std::set<QString> anchors;
    for (auto it = anchor.globalMatch(html); it.hasNext();) anchors.insert(it.next().captured(1));
    return anchors;
}

class HelpTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner = std::make_unique<QWidget>();
        owner->resize(600, 460);
        owner->move(100, 100);
        owner->show();
    }
    void TearDown() override { CloseHelp(nullptr); }

    HelpWindow* Help() { return FindHelpWindow(owner.get()); }
    QPushButton* Button(const char* name) {
        auto* button = Help()->findChild<QPushButton*>(QString::fromLatin1(name));
        EXPECT_NE(button, nullptr) << name;
        return button;
    }

    std::unique_ptr<QWidget> owner;
};

TEST_F(HelpTest, ShowHelpContentsOpensItsOwnWindowAtTheContents) {
    EXPECT_EQ(Help(), nullptr);
    ShowHelpContents(owner.get());
    HelpWindow* help = Help();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->isWindow());
    EXPECT_EQ(help->parentWidget(), owner.get());
    EXPECT_EQ(help->windowTitle(), "Tessaline Help");
    EXPECT_EQ(help->Browser()->source(), kContents);
    EXPECT_TRUE(help->Browser()->toPlainText().contains("Contents"));
    EXPECT_EQ(help->Browser()->documentTitle(), "Tessaline Help");
}

TEST_F(HelpTest, ASecondCallReusesTheWindowAndGoesBackToTheContents) {
    ShowHelpContents(owner.get());
    HelpWindow* first = Help();
    first->Browser()->setSource(kRules);
    first->hide();
    ShowHelpContents(owner.get());
    EXPECT_EQ(Help(), first);
    EXPECT_EQ(owner->findChildren<HelpWindow*>().size(), 1);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->Browser()->source(), kContents);
}

TEST_F(HelpTest, EachOwnerHasItsOwnHelpWindow) {
    QWidget other;
    ShowHelpContents(owner.get());
    ShowHelpContents(&other);
    ASSERT_NE(FindHelpWindow(&other), nullptr);
    EXPECT_NE(FindHelpWindow(&other), Help());
    CloseHelp(&other);
    EXPECT_EQ(FindHelpWindow(&other), nullptr);
    EXPECT_NE(Help(), nullptr);
}

TEST_F(HelpTest, BackForwardAndContentsButtons) {
    ShowHelpContents(owner.get());
    QTextBrowser* browser = Help()->Browser();
    EXPECT_FALSE(Button("HelpBack")->isEnabled());
    EXPECT_FALSE(Button("HelpForward")->isEnabled());

    browser->setSource(kRules);
    EXPECT_TRUE(Button("HelpBack")->isEnabled());
    QTest::mouseClick(Button("HelpBack"), Qt::LeftButton);
    EXPECT_EQ(browser->source(), kContents);
    EXPECT_TRUE(Button("HelpForward")->isEnabled());
    QTest::mouseClick(Button("HelpForward"), Qt::LeftButton);
    EXPECT_EQ(browser->source(), kRules);

    QTest::keyClick(browser, Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(browser->source(), kContents);
    QTest::keyClick(browser, Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(browser->source(), kRules);

    QTest::mouseClick(Button("HelpContents"), Qt::LeftButton);
    EXPECT_EQ(browser->source(), kContents);
}

TEST_F(HelpTest, EscapeClosesTheWindow) {
    ShowHelpContents(owner.get());
    HelpWindow* help = Help();
    ASSERT_TRUE(QTest::qWaitForWindowActive(help));
    QTest::keyClick(help->Browser(), Qt::Key_Escape);
    EXPECT_FALSE(help->isVisible());
    EXPECT_EQ(Help(), help);  // kept for the next F1
}

TEST_F(HelpTest, CloseHelpClosesTheWindowAndAnotherCanOpen) {
    CloseHelp(owner.get());  // nothing open: nothing happens
    ShowHelpContents(owner.get());
    QPointer<HelpWindow> help = Help();
    CloseHelp(owner.get());
    EXPECT_TRUE(help.isNull());
    EXPECT_EQ(Help(), nullptr);
    ShowHelpContents(owner.get());
    ASSERT_NE(Help(), nullptr);
    EXPECT_TRUE(Help()->isVisible());
}

TEST_F(HelpTest, TheWindowGoesWithItsOwner) {
    ShowHelpContents(owner.get());
    QPointer<HelpWindow> help = Help();
    owner.reset();
    EXPECT_TRUE(help.isNull());
}

TEST_F(HelpTest, WithoutAnOwnerThereIsStillOnlyOneWindow) {
    ShowHelpContents(nullptr);
    QPointer<HelpWindow> help = FindHelpWindow(nullptr);
    ASSERT_FALSE(help.isNull());
    ShowHelpContents(nullptr);
    EXPECT_EQ(FindHelpWindow(nullptr), help.data());
    CloseHelp(nullptr);
    EXPECT_FALSE(help->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(help.isNull());
}

TEST(HelpPlace, BesideTheMainWindowWhereTheScreenHasRoom) {
    struct Case {
        const char* what;
        QRect owner;
        QPoint expected;
    };
    const QRect screen(0, 0, 1920, 1080);
    const QSize help(640, 560);
    const std::vector<Case> cases = {
        {"room on the right", {100, 60, 600, 460}, {700, 60}},
        {"exactly room on the right", {0, 60, 1280, 460}, {1280, 60}},
        {"no room right, room left", {1200, 60, 600, 460}, {560, 60}},
        {"exactly room on the left", {640, 60, 1281, 460}, {0, 60}},
        {"no room either side: centred", {400, 100, 1100, 700}, {630, 170}},
        {"beside, but pushed up onto the screen", {100, 800, 600, 460}, {700, 520}},
        {"centred, but kept off the top", {-300, -400, 1950, 500}, {355, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HelpPlace(c.owner, help, screen), c.expected) << c.what;
    }
    // A screen that does not start at the origin.
    EXPECT_EQ(HelpPlace({1920, 0, 600, 460}, help, {1920, 0, 1280, 1024}), QPoint(2520, 0));
}

TEST_F(HelpTest, FirstShownBesideItsOwnerThenLeftWhereThePlayerPutsIt) {
    const QRect available = owner->screen()->availableGeometry();
    ShowHelpContents(owner.get());
    HelpWindow* help = Help();
    EXPECT_EQ(help->frameGeometry().topLeft(),
              HelpPlace(owner->frameGeometry(), help->frameGeometry().size(), available));
    help->move(available.topLeft() + QPoint(7, 9));
    help->hide();
    ShowHelpContents(owner.get());
    EXPECT_EQ(help->frameGeometry().topLeft(), available.topLeft() + QPoint(7, 9));
}

TEST(HelpPages, EveryLinkOnEveryPageLeadsToAnExistingPageAndAnchor) {
    const auto pages = HelpPages();
    ASSERT_GE(pages.size(), 8u);
    int checked = 0;
    for (const auto& [path, html] : pages) {
        const QUrl page(QStringLiteral("qrc") + path);
        const auto links = Links(html);
        EXPECT_FALSE(links.empty()) << path.toStdString();
        for (const QString& link : links) {
            const QUrl target = page.resolved(QUrl(link));
            SCOPED_TRACE((path + QStringLiteral(" -> ") + link).toStdString());
            ASSERT_EQ(target.scheme(), "qrc");
            const QString targetPath = ResourcePath(target);
            ASSERT_TRUE(QFile::exists(targetPath));
            if (target.hasFragment()) {
                EXPECT_EQ(Anchors(ReadResource(targetPath)).count(target.fragment()), 1u);
            }
            ++checked;
        }
    }
    EXPECT_GT(checked, 40);
}

TEST(HelpPages, EveryPageIsReachableFromTheContentsAndHasATitle) {
    const auto pages = HelpPages();
    std::set<QString> seen = {QStringLiteral(":/help/contents.html")};
    std::queue<QString> waiting;
    waiting.push(QStringLiteral(":/help/contents.html"));
    while (!waiting.empty()) {
        const QString path = waiting.front();
        waiting.pop();
        const QUrl page(QStringLiteral("qrc") + path);
        for (const QString& link : Links(ReadResource(path))) {
            const QString target = ResourcePath(page.resolved(QUrl(link)));
            if (target.endsWith(QStringLiteral(".html")) && seen.insert(target).second) {
                waiting.push(target);
            }
        }
    }
    QTextBrowser browser;
    for (const auto& [path, html] : pages) {
        EXPECT_EQ(seen.count(path), 1u) << path.toStdString() << " is not linked from the contents";
        browser.setSource(QUrl(QStringLiteral("qrc") + path));
        EXPECT_FALSE(browser.documentTitle().isEmpty()) << path.toStdString();
        EXPECT_GT(browser.toPlainText().size(), 200) << path.toStdString();
    }
}

TEST(HelpPages, TheStyleSheetLoadsRelativeToThePage) {
    RegisterHelpPages();
    QTextBrowser browser;
    browser.setSource(kContents);
    const QVariant css = browser.loadResource(QTextDocument::StyleSheetResource, QUrl("help.css"));
    EXPECT_TRUE(css.toByteArray().contains("font-family"));
}

}  // namespace
}  // namespace tess
