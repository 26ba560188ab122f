// The win dialog and the About box: texts, layout in twips, frame, centring and closing.
#include <memory>
#include <vector>

#include <QApplication>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "dialogs/about_form.h"
#include "dialogs/game_over_form.h"

namespace tess {
namespace {

struct ControlPlace {
    const char* name;
    QRect pixels;  // the layout's twips divided by 15
};

QPixmap Swatch(const QColor& colour) {
    QPixmap pixmap(32, 32);
    pixmap.fill(colour);
    return pixmap;
}

// A main window stand-in with an icon of its own, placed where a test wants it.
std::unique_ptr<QWidget> MakeOwner(QPoint where, QSize size = {600, 460}) {
    auto owner = std::make_unique<QWidget>();
    owner->setWindowIcon(QIcon(Swatch(Qt::darkGreen)));
    owner->resize(size);
    owner->move(where);
    owner->show();
    return owner;
}

template <typename T>
T* Child(QWidget* parent, const char* name) {
    auto* child = parent->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

void ExpectPlaces(QDialog& dialog, const std::vector<ControlPlace>& places) {
    for (const auto& place : places) {
        auto* control = Child<QWidget>(&dialog, place.name);
        if (control != nullptr) {
            EXPECT_EQ(control->geometry(), place.pixels) << place.name;
        }
    }
}

// Every text must fit its control in the dialog's font: nothing may be clipped.
void ExpectTextsFit(QDialog& dialog) {
    for (auto* label : dialog.findChildren<QLabel*>()) {
        if (label->text().isEmpty()) continue;
        const QFontMetrics metrics(label->font());
        EXPECT_LE(metrics.horizontalAdvance(label->text()), label->width())
            << label->objectName().toStdString();
        EXPECT_LE(metrics.height(), label->height()) << label->objectName().toStdString();
    }
    for (auto* button : dialog.findChildren<QPushButton*>()) {
        const int textWidth = QFontMetrics(button->font()).horizontalAdvance(button->text());
        EXPECT_LE(textWidth + 8, button->width());
    }
}

void ExpectFixedFrame(QDialog& dialog) {
    const Qt::WindowFlags flags = dialog.windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Dialog);
    EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::MSWindowsFixedSizeDialogHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowContextHelpButtonHint));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    EXPECT_FALSE(dialog.isSizeGripEnabled());
    const QSize before = dialog.size();
    dialog.resize(before + QSize(120, 80));
    EXPECT_EQ(dialog.size(), before);
}

void ExpectCentred(const QWidget& dialog, const QWidget& owner) {
    const QRect outer = dialog.frameGeometry();
    const QRect over = owner.frameGeometry();
    EXPECT_EQ(outer.x(), over.x() + (over.width() - outer.width()) / 2);
    EXPECT_EQ(outer.y(), over.y() + (over.height() - outer.height()) / 2);
}

// Runs a modal dialog and presses Return in it; reports whether Return closed it
// (a fallback timer ends a dialog that Return failed to close).
template <typename ShowModal>
bool ReturnClosesModal(ShowModal showModal) {
    bool forcedShut = false;
    QTimer::singleShot(0, [] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        QWidget* target = modal->focusWidget() != nullptr ? modal->focusWidget() : modal;
        QTest::keyClick(target, Qt::Key_Return);
    });
    QTimer::singleShot(3000, [&forcedShut] {
        if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            forcedShut = true;
            modal->done(QDialog::Rejected);
        }
    });
    showModal();
    return !forcedShut && QApplication::activeModalWidget() == nullptr;
}

TEST(GameOverForm, ReadsCongratulationsYouWin) {
    GameOverForm form(nullptr);
    EXPECT_EQ(form.windowTitle(), "Tessaline");
    EXPECT_EQ(Child<QLabel>(&form, "LabelWinnerName")->text(), "Congratulations!");
    EXPECT_EQ(Child<QLabel>(&form, "Label1")->text(), "You win.");
    auto* ok = Child<QPushButton>(&form, "CommandOK");
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_TRUE(ok->isDefault());
    EXPECT_TRUE(form.isModal());
    // The congratulation stands above the verdict.
    EXPECT_LT(Child<QLabel>(&form, "LabelWinnerName")->y(), Child<QLabel>(&form, "Label1")->y());
}

TEST(GameOverForm, ClientAreaAndControlsFollowTheTwipsLayout) {
    GameOverForm form(nullptr);
    EXPECT_EQ(form.size(), QSize(169, 102));
    ExpectPlaces(form, {{"Picture1", {12, 12, 33, 33}},
                        {"LabelWinnerName", {77, 18, 92, 15}},
                        {"Label1", {77, 34, 92, 17}},
                        {"CommandOK", {82, 68, 75, 23}}});
    ExpectTextsFit(form);
}

TEST(GameOverForm, MovableAndClosableButFixed) {
    GameOverForm form(nullptr);
    ExpectFixedFrame(form);
}

TEST(GameOverForm, ShowsTheOwnersIconWhenTheProgramIconIsMissing) {
    auto owner = MakeOwner({40, 40});
    const QIcon fallback = ProgramIcon(owner.get(), QStringLiteral(":/no/such/icon.svg"));
    EXPECT_EQ(fallback.cacheKey(), owner->windowIcon().cacheKey());

    GameOverForm form(owner.get());
    EXPECT_FALSE(form.windowIcon().isNull());
    auto* picture = Child<QLabel>(&form, "Picture1");
    EXPECT_FALSE(picture->pixmap().isNull());
}

TEST(GameOverForm, ShowsTheProgramIcon) {
    auto owner = MakeOwner({40, 40});
    GameOverForm form(owner.get());
    ASSERT_TRUE(QFile::exists(QString::fromLatin1(kProgramIconPath)));
    EXPECT_NE(form.windowIcon().cacheKey(), owner->windowIcon().cacheKey());
    const QImage picture = Child<QLabel>(&form, "Picture1")->pixmap().toImage();
    ASSERT_EQ(picture.size(), QSize(32, 32));
    const QImage ownerIcon = owner->windowIcon().pixmap(32, 32).toImage();
    EXPECT_NE(picture.pixelColor(16, 16), ownerIcon.pixelColor(16, 16));
}

TEST(GameOverForm, PrefersTheProgramIconFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("icon.svg"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<svg xmlns='http://www.w3.org/2000/svg' width='32' height='32'>"
               "<rect width='32' height='32' fill='#c00'/></svg>");
    file.close();
    auto owner = MakeOwner({40, 40});
    const QIcon icon = ProgramIcon(owner.get(), path);
    EXPECT_NE(icon.cacheKey(), owner->windowIcon().cacheKey());
    const QImage image = icon.pixmap(32, 32).toImage();
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixelColor(16, 16), QColor(0xcc, 0, 0));
}

TEST(GameOverForm, OpensCentredOverItsOwnerWhereverItStands) {
    const std::vector<QPoint> places = {{-300, -200}, {120, 80}, {900, 700}, {-500, 300}};
    for (const QPoint where : places) {
        auto owner = MakeOwner(where);
        ASSERT_EQ(owner->frameGeometry().topLeft(), where);
        GameOverForm form(owner.get());
        form.show();
        ExpectCentred(form, *owner);
        form.close();
    }
}

TEST(GameOverForm, FollowsTheOwnerBetweenShowings) {
    auto owner = MakeOwner({50, 50});
    GameOverForm form(owner.get());
    form.show();
    ExpectCentred(form, *owner);
    form.hide();
    owner->move(-250, -150);
    form.show();
    ExpectCentred(form, *owner);
}

TEST(GameOverForm, ReturnClosesTheModalDialog) {
    auto owner = MakeOwner({-300, -200});
    EXPECT_TRUE(ReturnClosesModal([&] { GameOverForm::ShowModal(owner.get()); }));
}

TEST(GameOverForm, OkButtonAccepts) {
    GameOverForm form(nullptr);
    form.show();
    QTest::mouseClick(Child<QPushButton>(&form, "CommandOK"), Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

class AboutFormTest : public ::testing::Test {
protected:
    std::vector<QUrl> opened;
    AboutForm::UrlOpener opener = [this](const QUrl& url) {
        opened.push_back(url);
        return false;  // a failing browser must not matter
    };
};

TEST_F(AboutFormTest, ShowsNameVersionAuthorsAndAddress) {
    AboutForm form(nullptr, opener);
    EXPECT_EQ(form.windowTitle(), "About Tessaline");
    EXPECT_EQ(Child<QLabel>(&form, "LabelProgramName")->text(), "Tessaline");
    EXPECT_EQ(Child<QLabel>(&form, "LabelVersionNumber")->text(), "Version 4.1");
    EXPECT_FALSE(Child<QLabel>(&form, "LabelByLine")->text().isEmpty());
    EXPECT_TRUE(Child<QLabel>(&form, "LabelCopyright")->text().contains(QChar(0xA9)));
    EXPECT_EQ(Child<QLabel>(&form, "LabelURL")->text(), "https://www.tessaline.org");
    auto* ok = Child<QPushButton>(&form, "CommandOK");
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_TRUE(ok->isDefault());
    EXPECT_TRUE(form.isModal());
}

TEST_F(AboutFormTest, ClientAreaAndControlsFollowTheTwipsLayout) {
    AboutForm form(nullptr, opener);
    EXPECT_EQ(form.size(), QSize(275, 158));
    ExpectPlaces(form, {{"Picture1", {12, 12, 33, 33}},
                        {"LabelProgramName", {77, 18, 196, 17}},
                        {"LabelVersionNumber", {77, 34, 196, 17}},
                        {"LabelByLine", {77, 58, 196, 17}},
                        {"LabelCopyright", {77, 74, 196, 17}},
                        {"LabelURL", {77, 90, 196, 17}},
                        {"CommandOK", {188, 124, 75, 23}}});
    ExpectTextsFit(form);
    ExpectFixedFrame(form);
}

TEST_F(AboutFormTest, AddressIsDrawnInTheActiveTitleColourUnderAPointingHand) {
    AboutForm form(nullptr, opener);
    auto* url = Child<QLabel>(&form, "LabelURL");
    EXPECT_EQ(url->palette().color(QPalette::WindowText),
              form.palette().color(QPalette::Active, QPalette::Highlight));
    EXPECT_NE(url->palette().color(QPalette::WindowText),
              Child<QLabel>(&form, "LabelByLine")->palette().color(QPalette::WindowText));
    EXPECT_EQ(url->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_NE(Child<QLabel>(&form, "LabelByLine")->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(AboutFormTest, ClickingTheAddressOpensIt) {
    AboutForm form(nullptr, opener);
    form.show();
    auto* url = Child<QLabel>(&form, "LabelURL");
    QTest::mouseClick(url, Qt::LeftButton);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl("https://www.tessaline.org"));
    EXPECT_TRUE(form.isVisible());  // the box stays open

    // Other buttons, and clicks on other labels, open nothing.
    QTest::mouseClick(url, Qt::RightButton);
    QTest::mouseClick(Child<QLabel>(&form, "LabelByLine"), Qt::LeftButton);
    EXPECT_EQ(opened.size(), 1u);
}

TEST_F(AboutFormTest, OpensCentredOverAnOwnerPartlyOffTheScreen) {
    auto owner = MakeOwner({-300, -200});
    AboutForm form(owner.get(), opener);
    form.show();
    ExpectCentred(form, *owner);
    EXPECT_LT(form.frameGeometry().y(), 0);
}

TEST_F(AboutFormTest, ReturnClosesTheModalBox) {
    auto owner = MakeOwner({100, 100});
    EXPECT_TRUE(ReturnClosesModal([&] { AboutForm::ShowModal(owner.get(), opener); }));
    EXPECT_TRUE(opened.empty());
}

}  // namespace
}  // namespace tess
