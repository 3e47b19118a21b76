// The About window: reached through the application's handler or the Help menu,
// one at a time, closed by its OK button, showing the About text as designed.
#include "AppFixture.h"

#include "resources/AboutWindowDesign.h"

#include <QFont>
#include <QLabel>
#include <QMainWindow>
#include <QStringList>

namespace quil::testing {
namespace {

class AboutWindowTest : public AppTest {};

size_t AboutWindowsOpen() {
    size_t n = 0;
    for (const qv::Ref<qv::Window>& w : qv::OpenWindows()) n += qv::RuntimeCheckCast<AboutWindow>(w) ? 1 : 0;
    return n;
}

qv::Ref<AboutWindow> OpenAbout() {
    return qv::RuntimeCheckCast<AboutWindow>(qv::GetImplicitWindow("AboutWindow.AboutWindow"));
}

TEST_F(AboutWindowTest, AboutShowsOneWindowAndOkClosesIt) {
    EXPECT_FALSE(OpenAbout()) << "none at start-up";
    EXPECT_FALSE(App()->AppleAboutQuillevard_Action());
    qv::Ref<AboutWindow> about = OpenAbout();
    ASSERT_TRUE(about);
    EXPECT_TRUE(about->Widget()->isVisible());
    EXPECT_EQ(AboutWindowsOpen(), 1u);

    EXPECT_FALSE(App()->AppleAboutQuillevard_Action());
    EXPECT_EQ(OpenAbout().get(), about.get()) << "shown again, not duplicated";
    EXPECT_EQ(AboutWindowsOpen(), 1u);

    Click(*about, "aboutOK");
    qv::ProcessEvents();
    EXPECT_EQ(qv::TakePendingException(), nullptr);
    EXPECT_FALSE(about->IsOpen());
    EXPECT_FALSE(OpenAbout());
    EXPECT_EQ(AboutWindowsOpen(), 0u);

    // The next About builds a fresh window with the same text.
    EXPECT_FALSE(App()->AppleAboutQuillevard_Action());
    qv::Ref<AboutWindow> again = OpenAbout();
    ASSERT_TRUE(again);
    EXPECT_NE(again.get(), about.get());
    EXPECT_TRUE(again->Widget()->isVisible());
    EXPECT_EQ(ControlOf<qv::StaticText>(*again, "StaticText1")->Text(), qv::design::AboutText());
}

TEST_F(AboutWindowTest, HelpMenuItemOfAMainWindowShowsIt) {
    qv::Ref<Window1> w = Window1::Instance();
    QAction* item = MenuAction(*w, "About Quilevard\xE2\x80\xA6");
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->isEnabled());
    item->trigger();
    item->trigger();
    EXPECT_EQ(qv::TakePendingException(), nullptr);
    EXPECT_TRUE(OpenAbout());
    EXPECT_EQ(AboutWindowsOpen(), 1u);
    EXPECT_EQ(MainWindows().size(), 1u);

    // Its close box closes it just as well; the main window stays.
    OpenAbout()->Widget()->close();
    qv::ProcessEvents();
    EXPECT_EQ(qv::TakePendingException(), nullptr);
    EXPECT_FALSE(OpenAbout());
    EXPECT_TRUE(w->IsOpen());
}

TEST_F(AboutWindowTest, ShowsTheThirteenLinesOfTheAboutText) {
    App()->AppleAboutQuillevard_Action();
    qv::Ref<AboutWindow> about = OpenAbout();
    ASSERT_TRUE(about);
    qv::Ref<qv::StaticText> text = ControlOf<qv::StaticText>(*about, "StaticText1");
    ASSERT_TRUE(text);
    EXPECT_EQ(text->Text(), qv::design::AboutText()) << "byte for byte";

    auto* label = qobject_cast<QLabel*>(text->Widget());
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_TRUE(label->wordWrap());
    const QStringList lines = label->text().split('\n');
    ASSERT_EQ(lines.size(), 13);
    EXPECT_FALSE(label->text().contains('\r'));
    EXPECT_EQ(lines[2], "The Quillevard Concept");
    EXPECT_TRUE(lines[10].isEmpty());
    EXPECT_TRUE(lines[11].isEmpty());
    EXPECT_EQ(lines[9].right(28), "This is a really big number.");
    EXPECT_EQ(lines[12], "Infinite monkeys.");
    for (int i : {3, 6, 9}) {
        EXPECT_TRUE(lines[i].startsWith("     ")) << i + 1;
        EXPECT_NE(lines[i][5], ' ') << i + 1;
    }
    EXPECT_TRUE(lines[3].contains(QString::fromUtf8("hasn\xE2\x80\x99t"))) << "the apostrophe is U+2019";
    EXPECT_TRUE(lines[6].startsWith("     The Quillevaard is"));
    EXPECT_FALSE(lines[0].isEmpty());

    EXPECT_EQ(label->geometry(), QRect(20, 14, 580, 339));
    EXPECT_EQ(label->font().pixelSize(), 12);
    EXPECT_EQ(text->TextSize(), 12.0f);

    qv::Ref<qv::PushButton> ok = ControlOf<qv::PushButton>(*about, "aboutOK");
    ASSERT_TRUE(ok);
    QPushButton* button = ButtonWidget(*about, "aboutOK");
    EXPECT_EQ(button->text(), "OK");
    EXPECT_EQ(button->geometry(), QRect(493, 364, 80, 20));
    EXPECT_EQ(ok->TextSize(), 0.0f) << "the button sets no size of its own";
    EXPECT_EQ(button->font().pointSizeF(), QFont().pointSizeF());
}

TEST_F(AboutWindowTest, WindowHasItsTitleAndFixedSize) {
    App()->AppleAboutQuillevard_Action();
    qv::Ref<AboutWindow> about = OpenAbout();
    ASSERT_TRUE(about);
    qv::ProcessEvents();
    EXPECT_EQ(about->Widget()->windowTitle(), "About Quillevard");
    EXPECT_EQ(about->ContentArea()->size(), QSize(623, 403));
    EXPECT_EQ(about->ContentArea()->minimumSize(), about->ContentArea()->maximumSize());
    EXPECT_EQ(about->Widget()->minimumSize(), about->Widget()->maximumSize()) << "not resizable";
    EXPECT_EQ(about->Widget()->width(), 623);
    const Qt::WindowFlags flags = about->Widget()->windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(about->MenuBar()) << "its Layout sets no menu bar";
    EXPECT_EQ(about->Controls().size(), 2u);
}

TEST_F(AboutWindowTest, ShowsTheApplicationMenusWhileInFront) {
    qv::Ref<Window1> main = Window1::Instance();
    App()->AppleAboutQuillevard_Action();
    qv::Ref<AboutWindow> about = OpenAbout();
    ASSERT_TRUE(about);
    EXPECT_FALSE(about->MenuBar()) << "the window itself sets no bar";
    EXPECT_EQ(about->ShownMenuBar().get(), App()->MenuBar().get());
    EXPECT_EQ(about->ContentArea()->size(), QSize(623, 403)) << "the menus sit above the content area";

    // The About window's own menus work: New opens a main window, Cut stays disabled.
    QAction* cut = MenuAction(*about, "Cut");
    ASSERT_NE(cut, nullptr);
    EXPECT_FALSE(cut->isEnabled());
    QAction* newWindow = MenuAction(*about, "New");
    ASSERT_NE(newWindow, nullptr);
    ASSERT_TRUE(newWindow->isEnabled());
    newWindow->trigger();
    EXPECT_EQ(MainWindows().size(), 2u);
}

}  // namespace
}  // namespace quil::testing
