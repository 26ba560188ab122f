// The file commands, file drops, the command line and the settings, through the window.
#include <fstream>

#include "files/saved_game.h"
#include "window/start_up.h"
#include "window_fixture.h"

namespace tess::test {
namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

Deal ReversedDeal() {
    Deal deal{};
    for (int p = 0; p < 52; ++p) deal[p] = 51 - p;
    return deal;
}

class FilesTest : public WindowTest {
protected:
    QString Path(const char* name) { return folder.filePath(name); }
    QString SavedReversedDeal(const char* name = "deal.tsl") {
        WriteAll(Path(name), QByteArray::fromStdString(FormatSavedGame(ReversedDeal())));
        return Path(name);
    }
    // Offers files to the window as a drag from another program would (true: accepted),
    // or drops them.
    bool Offer(const QStringList& paths, bool drop = false) {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
        QDropEvent dropped(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(window.get(), drop ? static_cast<QEvent*>(&dropped) : &enter);
        return enter.isAccepted();
    }
    void StartWithSettings(const QByteArray& ini, std::optional<std::string> gameFile = {}) {
        window.reset();
        QDir().mkpath(config.filePath("tessaline"));
        WriteAll(config.filePath("tessaline/tessaline.ini"), ini);
        Start(gameFile);
    }
    QByteArray Settings() { return ReadAll(config.filePath("tessaline/tessaline.ini")); }

    QTemporaryDir folder;
};

TEST_F(FilesTest, OpenLaysOutTheFileFromADialogUnderTheMenuBar) {
    const QString path = SavedReversedDeal();
    chooser->answers.push_back(path);
    window->mnuGameOpen_Click();
    EXPECT_EQ(game().ColumnCards[0][0], 51);
    EXPECT_EQ(window->windowTitle(), "Tessaline - " + path);
    // The dialog opens under the menu bar, near the window's left edge.
    const QPoint corner = window->frameGeometry().topLeft();
    ASSERT_TRUE(chooser->lastPosition);
    EXPECT_EQ(chooser->lastPosition->x(), corner.x() + 3);
    EXPECT_GT(chooser->lastPosition->y(), corner.y());
}

// Ctrl+S writes without asking only over the file whose deal is in play, the one the
// caption names; after a refused file or a new deal it asks as Save As does (the
// fake chooser cancels), and a refused file is never the name offered.
TEST_F(FilesTest, SaveAsksUnlessTheRememberedFileHoldsTheGameInPlay) {
    const QString list = Path("shopping.tsl"), a = Path("a.tsl");
    WriteAll(list, "eggs\nmilk\n");
    const auto saveAsks = [&] {
        const int before = chooser->asked;
        QTest::keyClick(window->windowHandle(), Qt::Key_S, Qt::ControlModifier);
        return chooser->asked > before;
    };
    chooser->answers = {list};
    window->mnuGameOpen_Click();
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_TRUE(saveAsks());
    EXPECT_EQ(ReadAll(list), "eggs\nmilk\n");
    EXPECT_EQ(chooser->remembered, "");

    chooser->answers = {a};
    window->mnuGameSaveAs_Click();
    const QByteArray first = ReadAll(a);
    EXPECT_EQ(first.toStdString(), FormatSavedGame(game().DealOrder));
    EXPECT_EQ(window->windowTitle(), "Tessaline - " + a);
    EXPECT_FALSE(saveAsks());

    chooser->answers = {a};
    window->mnuGameOpen_Click();
    QFile::remove(a);
    EXPECT_FALSE(saveAsks());
    EXPECT_EQ(ReadAll(a), first);
    window->mnuGameNew_Click();
    EXPECT_TRUE(saveAsks());
    EXPECT_EQ(ReadAll(a), first) << "a new deal went into the old file";
    EXPECT_EQ(chooser->remembered, a);
}

TEST_F(FilesTest, OneDroppedSavedGameOpensAndOtherDropsAreRefused) {
    const QString text = Path("notes.txt"), a = SavedReversedDeal("a.tsl"), b = SavedReversedDeal("b.TSL");
    WriteAll(text, "hello");
    EXPECT_FALSE(Offer({text}));
    EXPECT_FALSE(Offer({a, b}));
    // Qt delivers no drop after a refused enter; a drag whose list changes on the way
    // (an enter we accept, then other files dropped) is how such drops still arrive.
    for (const QStringList& dropped : {QStringList{text}, QStringList{a, b}, QStringList{a}}) {
        ASSERT_TRUE(Offer({a}));
        Offer(dropped, true);
    }
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].title + ": " + messages[0].text, "Error: Can't open " + text.toStdString() + ", because it is not a Tessaline game.");
    EXPECT_EQ(messages[1].title + ": " + messages[1].text, "Request to open game denied: Can only open one file at a time.");
    EXPECT_EQ(std::pair(messages[0].icon, messages[1].icon), std::pair(MessageIcon::Exclamation, MessageIcon::Information));
    EXPECT_EQ(game().DealOrder, ReversedDeal());
    EXPECT_EQ(window->windowTitle(), "Tessaline - " + a);
}

// Linux names are bytes: a Latin-1 name is no UTF-8, and after "--" a name may begin with a
// dash. A missing file still starts a game, after a message.
TEST_F(FilesTest, TheCommandLineNamesTheGameByItsBytes) {
    std::string words[] = {"tessaline", "--", QFile::encodeName(folder.path()).toStdString() + "/-d\xe9j\xe0.tsl"};
    std::ofstream(words[2], std::ios::binary) << FormatSavedGame(ReversedDeal());
    char* argv[] = {words[0].data(), words[1].data(), words[2].data()};
    Start(ReadCommandLine(3, argv).gameFile);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(game().DealOrder, ReversedDeal());
    EXPECT_EQ(game().Caption(), "Tessaline - " + words[2]);
    Start(QFile::encodeName(Path("missing.tsl")).toStdString());
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(game().CheckInvariants(), "");
    EXPECT_EQ(window->windowTitle(), "Tessaline");
}

// The window's place is kept between runs, also on an edge of the screen, and one saved off
// every screen comes back; the hidden "winnable games only" mark survives a start that opens
// a saved game, and is written back at exit.
TEST_F(FilesTest, SettingsKeepTheWindowPlaceAndTheWinnableGamesMark) {
    window->move(0, 90);
    const QPoint placed = window->pos();
    Start();
    EXPECT_EQ(window->pos(), placed);
    StartWithSettings("[WindowPosition]\nLeft=-900000\nTop=900000\n");
    EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().contains(window->frameGeometry().center()));
    StartWithSettings("[Options]\nWinnableGamesOnly=1\n", QFile::encodeName(SavedReversedDeal("kept.tsl")).toStdString());
    window->close();
    EXPECT_TRUE(Settings().contains("WinnableGamesOnly=-1"));
}

// The real message box: a file name far wider than the screen, with no blank or hyphen to
// break at, wraps inside the box instead of running off its right edge; the message's
// line breaks show as written.
TEST_F(FilesTest, ALongPathInAMessageWrapsInsideTheBox) {
    window->platform().messageHook = nullptr;
    const QString path = Path("") + QString("LongName").repeated(24) + ".tsl";
    chooser->answers = {path};
    QRect box, text;
    int labelWidth = 0;
    QTimer::singleShot(100, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        auto* label = dialog->findChild<QLabel*>("qt_msgbox_label");
        box = dialog->frameGeometry();
        labelWidth = label->width();
        text = label->fontMetrics().boundingRect(QRect(0, 0, labelWidth, 10000), Qt::TextWordWrap, label->text());
        EXPECT_EQ(label->text().remove(QChar(0x200B)).toStdString(),
                  path.toStdString() + " is not a valid Tessaline game.\n\nDealing random game.");
        dialog->close();
    });
    window->mnuGameOpen_Click();
    ASSERT_GT(labelWidth, 0) << "no message box";
    EXPECT_LE(text.width(), labelWidth);
    EXPECT_LE(box.width(), QGuiApplication::primaryScreen()->availableGeometry().width());
}

// Where the platform cannot place windows or tell where they stand (Wayland), nothing is
// placed and the stored place survives the run byte for byte.
TEST_F(FilesTest, WithoutWindowPositionsNothingIsPlacedAndTheStoredPlaceStays) {
    const QByteArray stored = "[WindowPosition]\nLeft = 1500.6 ; mine\nTop=900\n\n[Options]\nWinnableGamesOnly=0\n";
    placesWindows = false;
    StartWithSettings(stored);
    EXPECT_FALSE(window->testAttribute(Qt::WA_Moved));
    QTimer::singleShot(0, [&] {
        ASSERT_NE(QApplication::activeModalWidget(), nullptr);
        EXPECT_FALSE(QApplication::activeModalWidget()->testAttribute(Qt::WA_Moved)) << "the About box was placed";
        QApplication::activeModalWidget()->close();
    });
    window->mnuHelpAbout_Click();
    window->mnuGameOpen_Click();
    EXPECT_TRUE(chooser->asked == 1 && !chooser->lastPosition) << "the file dialog was placed";
    window->move(-5, -27);  // what such a platform may report
    window->close();
    EXPECT_EQ(Settings(), stored);
}

}  // namespace
}  // namespace tess::test
