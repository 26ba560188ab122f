// The win dialog and the About box: texts, twips layout, fixed frame, centring and closing.
#include <QTest>
#include <QtWidgets>

#include <gtest/gtest.h>

#include "dialogs/about_form.h"
#include "dialogs/game_over_form.h"

namespace tess {
namespace {

std::vector<QUrl> opened;

// A null text is the implementer's own and only has to be there; pixels are twips / 15,
// but the win dialog is wider by the margin its first line needs.
struct Control { const char* name; const char* text; QRect pixels; };

struct Form { std::function<std::unique_ptr<QDialog>(QWidget*, bool place)> make; const char* caption; QSize client; std::vector<Control> controls; };

const Form kForms[] = {
    {[](QWidget* owner, bool place) { return std::make_unique<GameOverForm>(owner, place); }, "Tessaline", {181, 102},
     {{"Picture1", "", {12, 12, 33, 33}}, {"LabelWinnerName", "Congratulations!", {77, 18, 92, 15}},
      {"Label1", "You win.", {77, 34, 92, 17}}, {"CommandOK", "OK", {94, 68, 75, 23}}}},
    {[](QWidget* owner, bool place) {  // the browser fails: that must not matter
         return std::make_unique<AboutForm>(owner, place, [](const QUrl& url) { return opened.push_back(url), false; });
     },
     "About Tessaline", {275, 158},
     {{"Picture1", "", {12, 12, 33, 33}}, {"LabelProgramName", "Tessaline", {77, 18, 196, 17}},
      {"LabelVersionNumber", "Version 4.1", {77, 34, 196, 17}}, {"LabelByLine", nullptr, {77, 58, 196, 17}},
      {"LabelCopyright", nullptr, {77, 74, 196, 17}},
      {"LabelURL", "https://www.tessaline.org", {77, 90, 196, 17}}, {"CommandOK", "OK", {188, 124, 75, 23}}}},
};

// The designed layout at the default font; in any font size every text fits its control, a
// label's text ends the layout's margin (12 pixels) before the right edge, the button keeps
// its margin, and each control lies inside the dialog, level with or below the text before.
TEST(DialogForms, TextsLayoutAndAFrameThatFitsEveryFontSize) {
    for (const Form& f : kForms) {
        auto form = f.make(nullptr, true);
        EXPECT_EQ(form->windowTitle(), f.caption);
        EXPECT_TRUE(form->findChild<QPushButton*>("CommandOK")->isDefault());
        EXPECT_FALSE(form->findChild<QLabel*>("Picture1")->pixmap().isNull());
        EXPECT_FALSE(form->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
        form->resize(f.client + QSize(120, 80));  // the frame only moves and closes
        EXPECT_EQ(form->size(), f.client);
        for (const double points : {0.0, 6.0, 11.0, 20.0}) {
            SCOPED_TRACE(std::string(f.caption) + " at " + std::to_string(points) + " points");
            QFont font = form->font();
            if (points > 0) font.setPointSizeF(points);
            form->setFont(font);
            int textBottom = 0;
            for (const Control& c : f.controls) {
                const auto* control = form->findChild<QWidget*>(c.name);
                ASSERT_NE(control, nullptr) << c.name;
                const QString text = control->property("text").toString();
                if (points == 0) {
                    EXPECT_EQ(control->geometry(), c.pixels) << c.name;
                    EXPECT_TRUE(c.text ? text == c.text : !text.isEmpty()) << c.name << ": " << text.toStdString();
                }
                const QFontMetrics metrics = control->fontMetrics();
                EXPECT_LE(metrics.horizontalAdvance(text), control->width()) << c.name;
                EXPECT_LE(metrics.height(), control->height()) << c.name;
                EXPECT_TRUE(form->rect().contains(control->geometry())) << c.name;
                if (text.isEmpty()) continue;
                if (qobject_cast<const QLabel*>(control) != nullptr)
                    EXPECT_LE(control->x() + metrics.horizontalAdvance(text) + 12, form->width()) << c.name;
                else
                    EXPECT_EQ(form->width() - control->geometry().right(), f.client.width() - c.pixels.right());
                EXPECT_GE(control->y() + 1, textBottom) << c.name;  // one pixel overlaps by design
                textBottom = control->y() + metrics.height();
            }
        }
    }
}

// Shown modally, each time centred over wherever the owner stands, and closed by Return.
TEST(DialogForms, OpenCentredOverTheOwnerAndCloseOnReturn) {
    for (const Form& f : kForms) {
        QWidget owner;
        owner.resize(600, 460);
        owner.show();
        auto form = f.make(&owner, true);
        for (const QPoint where : {QPoint(-300, -200), QPoint(120, 80), QPoint(900, 700)}) {
            owner.move(where);
            bool closed = false;
            QTimer::singleShot(0, [&] {
                const QRect outer = form->frameGeometry(), over = owner.frameGeometry();
                EXPECT_EQ(outer.x(), over.x() + (over.width() - outer.width()) / 2) << f.caption;
                EXPECT_EQ(outer.y(), over.y() + (over.height() - outer.height()) / 2) << f.caption;
                QTest::keyClick(form->focusWidget() ? form->focusWidget() : form.get(), Qt::Key_Return);
                closed = !form->isVisible();
                form->reject();
            });
            form->exec();
            EXPECT_TRUE(closed) << f.caption;
        }
    }
}

TEST(AboutForm, ALeftClickOnTheAddressOpensIt) {
    opened.clear();
    auto form = kForms[1].make(nullptr, true);
    form->show();
    auto* url = form->findChild<QLabel*>("LabelURL");
    auto* byLine = form->findChild<QLabel*>("LabelByLine");
    EXPECT_EQ(url->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_NE(url->palette().color(QPalette::WindowText), byLine->palette().color(QPalette::WindowText));
    QTest::mouseClick(url, Qt::RightButton);
    QTest::mouseClick(byLine, Qt::LeftButton);
    EXPECT_TRUE(opened.empty());
    QTest::mouseClick(url, Qt::LeftButton);
    EXPECT_EQ(opened, std::vector<QUrl>{QUrl("https://www.tessaline.org")});
    EXPECT_TRUE(form->isVisible());
}

}  // namespace
}  // namespace tess
