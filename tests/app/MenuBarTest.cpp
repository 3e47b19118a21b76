// The one menu bar: its tree as built, the enabling outcome on every pass, the Qt
// menus that a main window shows for it, and what choosing its items does.
#include "AppFixture.h"

#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include <map>

namespace quil::testing {
namespace {

enum class Kind { Item, Quit, About };

struct Row {
    const char* name;
    Kind kind;
    const char* text;
    const char* shortcut;
    bool autoEnable;
    bool enabled;  // after every enabling pass; titles are left out of that rule
};

struct MenuRows {
    Row title;
    std::vector<Row> items;
};

// The whole bar, in build order, byte for byte.
const std::vector<MenuRows>& Expected() {
    static const std::vector<MenuRows> rows = {
        {{"UntitledMenu2", Kind::Item, "File", "", false, true},
         {{"WindowNew", Kind::Item, "New", "Cmd+N", false, true},
          {"FileRenew", Kind::Item, "Renew", "", true, true},
          {"FileExtendRealityLinks", Kind::Item, "Extend Reality Links", "", true, true},
          {"UntitledSeparator", Kind::Item, "-", "", true, true},
          {"FileQuit", Kind::Quit, "Quit", "Cmd+Q", true, true}}},
        {{"UntitledMenu0", Kind::Item, "Edit", "", false, true},
         {{"EditUndo", Kind::Item, "Undo", "Cmd+Z", false, false},
          {"UntitledMenu1", Kind::Item, "-", "", false, false},
          {"EditCut", Kind::Item, "Cut", "Cmd+X", false, false},
          {"EditCopy", Kind::Item, "Copy", "Cmd+C", false, false},
          {"EditPaste", Kind::Item, "Paste", "Cmd+V", false, false},
          {"EditClear", Kind::Item, "Clear", "", false, false}}},
        {{"SettingsMenu", Kind::Item, "Settings", "", true, true},
         {{"Settings\xC2\xB5structure", Kind::Item, "\xC2\xB5 Structure", "Cmd+M", true, true},
          {"SettingsEvolutionEngine", Kind::Item, "Evolution Engine", "Cmd+E", true, true},
          {"vSeparator", Kind::Item, "-", "", true, true},
          {"SettingsQuantum", Kind::Item, "Quantum Architecture", "Cmd+U", true, true},
          {"SettingsRecursionAggregator", Kind::Item, "Recursion Aggregator", "Cmd+R", true, true},
          {"SettingsStringRandomizing", Kind::Item, "String Randomizing", "Cmd+T", true, true}}},
        {{"HelpMenu", Kind::Item, "Help", "", true, true},
         {{"AppleAboutQuillevard", Kind::About, "About Quilevard\xE2\x80\xA6", "", false, true}}},
    };
    return rows;
}

std::vector<Row> AllItems() {
    std::vector<Row> out;
    for (const MenuRows& m : Expected()) out.insert(out.end(), m.items.begin(), m.items.end());
    return out;
}

qv::ClassRef ClassOf(Kind k) {
    switch (k) {
        case Kind::Quit: return qv::QuitMenuItem::Lookup();
        case Kind::About: return qv::AppleMenuItem::Lookup();
        case Kind::Item: break;
    }
    return qv::MenuItem::Lookup();
}

size_t CountBelow(const qv::MenuItem& item) {
    size_t n = 0;
    for (int32_t i = 0; i < item.Count(); ++i) n += 1 + CountBelow(*item.Item(i));
    return n;
}

void ExpectBuiltAsDesigned(const qv::MenuItem& item, const Row& row) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(item.Name(), row.name);
    EXPECT_EQ(item.Text(), row.text);
    EXPECT_EQ(item.KeyboardShortcut(), row.shortcut);
    EXPECT_EQ(item.AutoEnable(), row.autoEnable);
    EXPECT_EQ(item.Class(), ClassOf(row.kind)) << "of class " << (item.Class() ? item.Class()->name : "none");
}

TEST(MenuBar, BuildsFourMenusWithTwentyTwoItemsAsDesigned) {
    ModuleInitialize();
    qv::Ref<Menu> bar = Menu::Instance();
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->Class(), qv::FindClass("Menu.Menu"));
    EXPECT_EQ(CountBelow(*bar), 22u);
    ASSERT_EQ(bar->Count(), 4);
    for (int32_t i = 0; i < 4; ++i) {
        const MenuRows& m = Expected()[static_cast<size_t>(i)];
        qv::Ref<qv::MenuItem> title = bar->Item(i);
        ExpectBuiltAsDesigned(*title, m.title);
        EXPECT_EQ(title->Parent(), bar.get());
        ASSERT_EQ(title->Count(), static_cast<int32_t>(m.items.size())) << m.title.text;
        for (int32_t j = 0; j < title->Count(); ++j) {
            qv::Ref<qv::MenuItem> item = title->Item(j);
            ExpectBuiltAsDesigned(*item, m.items[static_cast<size_t>(j)]);
            EXPECT_EQ(item->Count(), 0);
        }
    }
    // The instance is built once and kept.
    EXPECT_EQ(Menu::Instance().get(), bar.get());
    EXPECT_EQ(Menu::ImplicitInstance().get(), bar.get());
    EXPECT_EQ(CountBelow(*bar), 22u);

    // Lookup reaches below the titles; Child only the titles.
    qv::Ref<qv::MenuItem> about = bar->Lookup("AppleAboutQuillevard");
    ASSERT_TRUE(about);
    EXPECT_EQ(about->Parent(), bar->Child("HelpMenu").get());
    EXPECT_FALSE(bar->Child("AppleAboutQuillevard"));
    EXPECT_FALSE(bar->Lookup("UntitledMenu3"));

    Menu::ImplicitInstance_Exit();
    EXPECT_FALSE(Menu::ImplicitInstance());
}

class MenuBarTest : public AppTest {};

TEST_F(MenuBarTest, GlobalAccessorsFindTheirItemsInTheApplicationsBar) {
    qv::Ref<qv::AppleMenuItem> about = AppleAboutQuillevard();
    qv::Ref<qv::MenuItem> fileNew = WindowNew();
    ASSERT_TRUE(about && fileNew);
    EXPECT_EQ(about.get(), Menu::ImplicitInstance()->Lookup("AppleAboutQuillevard").get());
    EXPECT_EQ(fileNew.get(), Menu::ImplicitInstance()->Lookup("WindowNew").get());
    EXPECT_EQ(fileNew->Text(), "New");

    // Without an application menu bar there is nothing to search.
    App()->SetMenuBar(nullptr);
    EXPECT_THROW(AppleAboutQuillevard(), qv::NilObjectException);
    EXPECT_THROW(WindowNew(), qv::NilObjectException);
}

TEST_F(MenuBarTest, EveryMainWindowSharesTheOneBar) {
    qv::Ref<Window1> first = Window1::Instance();
    const qv::Ref<Menu> bar = Menu::ImplicitInstance();
    ASSERT_TRUE(bar);
    const int32_t references = bar->RefCount();
    App()->WindowNew_Action();
    App()->WindowNew_Action();
    const std::vector<qv::Ref<Window1>> mains = MainWindows();
    ASSERT_EQ(mains.size(), 3u);
    for (const qv::Ref<Window1>& w : mains) {
        EXPECT_EQ(w->MenuBar().get(), bar.get());
        EXPECT_EQ(w->MenuBar().get(), App()->MenuBar().get());
    }
    EXPECT_EQ(Menu::ImplicitInstance().get(), bar.get());
    EXPECT_EQ(bar->Count(), 4);
    EXPECT_EQ(CountBelow(*bar), 22u);
    EXPECT_EQ(bar->RefCount(), references + 2) << "one more reference per window, no new bar";
}

TEST_F(MenuBarTest, WindowAccessorsReturnTheirItems) {
    qv::Ref<Window1> w = Window1::Instance();
    const std::vector<std::pair<const char*, qv::Ref<qv::MenuItem>>> got = {
        {"HelpMenu", w->HelpMenu()},
        {"AppleAboutQuillevard", w->AppleAboutQuillevard()},
        {"SettingsMenu", w->SettingsMenu()},
        {"SettingsStringRandomizing", w->SettingsStringRandomizing()},
        {"SettingsRecursionAggregator", w->SettingsRecursionAggregator()},
        {"SettingsQuantum", w->SettingsQuantum()},
        {"vSeparator", w->vSeparator()},
        {"SettingsEvolutionEngine", w->SettingsEvolutionEngine()},
        {"Settings\xC2\xB5structure", w->Settingsµstructure()},
        {"UntitledMenu0", w->UntitledMenu0()},
        {"EditClear", w->EditClear()},
        {"EditPaste", w->EditPaste()},
        {"EditCopy", w->EditCopy()},
        {"EditCut", w->EditCut()},
        {"UntitledMenu1", w->UntitledMenu1()},
        {"EditUndo", w->EditUndo()},
        {"UntitledMenu2", w->UntitledMenu2()},
        {"FileQuit", w->FileQuit()},
        {"UntitledSeparator", w->UntitledSeparator()},
        {"FileExtendRealityLinks", w->FileExtendRealityLinks()},
        {"FileRenew", w->FileRenew()},
        {"WindowNew", w->WindowNew()},
    };
    for (const auto& [name, item] : got) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(item);
        EXPECT_EQ(item->Name(), name);
        EXPECT_EQ(item.get(), w->MenuBar()->Lookup(name).get());
    }
    EXPECT_FALSE(w->UntitledMenu3()) << "names no item of the bar";
    EXPECT_TRUE(w->FileQuit()->Class()->IsA(qv::QuitMenuItem::Lookup()));
    EXPECT_TRUE(w->AppleAboutQuillevard()->Class()->IsA(qv::AppleMenuItem::Lookup()));
}

// Item by item, the Enabled that each pass must leave, whatever came before.
void ExpectEnablingOutcome(const Menu& bar) {
    for (const Row& row : AllItems()) {
        qv::Ref<qv::MenuItem> item = bar.Lookup(row.name);
        ASSERT_TRUE(item) << row.name;
        EXPECT_EQ(item->Enabled(), row.enabled) << row.name;
    }
}

void SetAllEnabled(const Menu& bar, bool inverted) {
    for (const Row& row : AllItems()) bar.Lookup(row.name)->SetEnabled(inverted ? !row.enabled : row.enabled);
}

TEST_F(MenuBarTest, EveryEnablingPassLeavesTheSameOutcome) {
    qv::Ref<Window1> w = Window1::Instance();
    qv::Ref<Menu> bar = Menu::ImplicitInstance();
    SCOPED_TRACE("after the window was built");
    ExpectEnablingOutcome(*bar);
    for (int pass = 0; pass < 3; ++pass) {
        SCOPED_TRACE(pass);
        SetAllEnabled(*bar, pass % 2 == 0);
        qv::RunEnablingPass(w.get());
        ExpectEnablingOutcome(*bar);
        qv::RunEnablingPass(w.get());
        ExpectEnablingOutcome(*bar);
    }
    // With no window in front only the application's step runs; the outcome holds.
    SetAllEnabled(*bar, true);
    qv::RunEnablingPass(nullptr);
    ExpectEnablingOutcome(*bar);
}

TEST_F(MenuBarTest, QtMenusShowTheBarWithItsShortcutsAndFollowEachPass) {
    qv::Ref<Window1> w = Window1::Instance();
    qv::Ref<Menu> bar = Menu::ImplicitInstance();
    auto* qbar = qobject_cast<QMenuBar*>(static_cast<QMainWindow*>(w->Widget())->menuWidget());
    ASSERT_NE(qbar, nullptr);
    const QList<QAction*> titles = qbar->actions();
    ASSERT_EQ(titles.size(), 4);
    for (int i = 0; i < 4; ++i) {
        const MenuRows& m = Expected()[static_cast<size_t>(i)];
        EXPECT_EQ(titles[i]->text(), QString::fromUtf8(m.title.text));
        ASSERT_TRUE(titles[i]->menu());
        const QList<QAction*> items = titles[i]->menu()->actions();
        ASSERT_EQ(items.size(), static_cast<qsizetype>(m.items.size()));
        for (size_t j = 0; j < m.items.size(); ++j) {
            const Row& row = m.items[j];
            SCOPED_TRACE(row.name);
            QAction* a = items[static_cast<qsizetype>(j)];
            if (std::string_view(row.text) == "-") {
                EXPECT_TRUE(a->isSeparator());
                continue;
            }
            EXPECT_EQ(a->text(), QString::fromUtf8(row.text));
            const std::string shortcut = row.shortcut;
            const QString keys = shortcut.empty() ? QString() : "Ctrl+" + QString::fromStdString(shortcut.substr(4));
            EXPECT_EQ(a->shortcut().toString(QKeySequence::PortableText), keys);
            EXPECT_EQ(a->isEnabled(), row.enabled);
        }
    }

    // The state set by code reaches the actions only through a pass; opening a menu runs one.
    SetAllEnabled(*bar, true);
    w->SyncMenus();
    EXPECT_FALSE(MenuAction(*w, "New")->isEnabled());
    EXPECT_TRUE(MenuAction(*w, "Undo")->isEnabled());
    QMenu* file = titles[0]->menu();
    file->popup(QPoint(0, 0));
    qv::ProcessEvents();
    file->hide();
    EXPECT_EQ(qv::TakePendingException(), nullptr);
    for (const Row& row : AllItems()) {
        if (std::string_view(row.text) == "-") continue;
        QAction* a = MenuAction(*w, row.text);
        ASSERT_NE(a, nullptr) << row.name;
        EXPECT_EQ(a->isEnabled(), row.enabled) << row.name;
    }
}

TEST_F(MenuBarTest, ChoosingNewOpensOneWindowAndRenewDoesNothing) {
    qv::Ref<Window1> w = Window1::Instance();
    ASSERT_EQ(qv::OpenWindows().size(), 1u);
    QAction* fileNew = MenuAction(*w, "New");
    ASSERT_NE(fileNew, nullptr);
    fileNew->trigger();
    EXPECT_EQ(qv::TakePendingException(), nullptr);
    ASSERT_EQ(MainWindows().size(), 2u);
    // From the new window too.
    MenuAction(*MainWindows().back(), "New")->trigger();
    EXPECT_EQ(MainWindows().size(), 3u);

    for (const char* text : {"Renew", "Extend Reality Links"}) {
        SCOPED_TRACE(text);
        QAction* a = MenuAction(*w, text);
        ASSERT_NE(a, nullptr);
        EXPECT_TRUE(a->isEnabled());
        a->trigger();
        qv::ProcessEvents();
        EXPECT_EQ(qv::TakePendingException(), nullptr);
        EXPECT_EQ(qv::OpenWindows().size(), 3u);
        EXPECT_FALSE(qv::UserCancelled());
    }
}

TEST_F(MenuBarTest, ApplicationHandlersReturnFalse) {
    (void)Window1::Instance();
    const qv::MenuEntry* about = App()->MenuHandler("AppleAboutQuillevard");
    const qv::MenuEntry* fileNew = App()->MenuHandler("WindowNew");
    ASSERT_TRUE(about && fileNew);
    EXPECT_FALSE((*fileNew)());
    EXPECT_EQ(MainWindows().size(), 2u);
    EXPECT_FALSE((*about)());
    EXPECT_TRUE(qv::GetImplicitWindow("AboutWindow.AboutWindow"));
}

}  // namespace
}  // namespace quil::testing
