// The menus and items of the two bars; the commands are the application's
// handlers, attached by item name.
#include "app/menu_bars.h"

#include "program_kit/module_global.h"

namespace quorrel {

std::shared_ptr<MenuBar1> MenuBar1Cache;
std::shared_ptr<MenuBar2> MenuBar2Cache;

namespace {
// Name, AutoEnable, Text, Visible, then the shortcut unless it is a separator.
template <class T = MenuItem>
std::shared_ptr<T> NewItem(const std::string& name, const std::string& text, const char* shortcut) {
    auto item = RuntimeNewObject<T>();
    item->Constructor();
    item->Name(name);
    item->AutoEnable(true);
    item->Text(text);
    item->Visible(true);
    if (shortcut) item->KeyboardShortcut(shortcut);
    return item;
}

void AddMenu(MenuBar& bar, const std::string& name, const std::string& text) { bar.Append(NewItem(name, text, "")); }

void AddItem(MenuBar& bar, const std::string& menu, const std::shared_ptr<MenuItem>& item) {
    NotNil(bar.Child(menu))->Append(item);
}
}  // namespace

void MenuBar1::Constructor() {
    Untitled0();
    Untitled1();
    Untitled2();
    Untitled3();
}

void MenuBar1::Untitled0() {
    AddMenu(*this, "FileMenu", "File");
    AddItem(*this, "FileMenu", NewItem("FilePrintHelp", "Print Help", ""));
}

void MenuBar1::Untitled1() {
    AddMenu(*this, "SoundMenu", "Sound");
    AddItem(*this, "SoundMenu", NewItem("SoundUseShutterClick", "Use Shutter Click", ""));
    AddItem(*this, "SoundMenu", NewItem("SoundStayQuiet", "Stay Quiet", ""));
    AddItem(*this, "SoundMenu", NewItem<AppleMenuItem>("SoundAbout", "About...", ""));
}

void MenuBar1::Untitled2() {
    AddMenu(*this, "CheckforUpdateMenu", "Check for Update");
    AddItem(*this, "CheckforUpdateMenu", NewItem("CheckforUpdateCheckNow", "Check Now", ""));
}

void MenuBar1::Untitled3() {
    AddMenu(*this, "HelpMenu", "Help ");
    AddItem(*this, "HelpMenu", NewItem("HelpShowHelp", "Show Help", ""));
}

void MenuBar2::Constructor() {
    Untitled0();
    Untitled1();
}

void MenuBar2::Untitled0() {
    AddMenu(*this, "FileMenu", "&File");
    AddItem(*this, "FileMenu", NewItem("FilePrintHelp", "Print Help", ""));
}

void MenuBar2::Untitled1() {
    AddMenu(*this, "EditMenu", "&Edit");
    AddItem(*this, "EditMenu", NewItem("EditUndo", "&Undo", "Cmd+Z"));
    AddItem(*this, "EditMenu", NewItem("EditSeparator1", "-", nullptr));
    AddItem(*this, "EditMenu", NewItem("EditCut", "Cu&t", "Cmd+X"));
    AddItem(*this, "EditMenu", NewItem("EditCopy", "&Copy", "Cmd+C"));
    AddItem(*this, "EditMenu", NewItem("EditPaste", "&Paste", "Cmd+V"));
    AddItem(*this, "EditMenu", NewItem("EditClear", "&Delete", ""));
    AddItem(*this, "EditMenu", NewItem("EditSeparator2", "-", nullptr));
    AddItem(*this, "EditMenu", NewItem("EditSelectAll", "Select &All", "Cmd+A"));
}

std::shared_ptr<MenuBar1> MenuBar1Instance() {
    if (!MenuBar1Cache) {
        auto bar = RuntimeNewObject<MenuBar1>();
        bar->Constructor();
        MenuBar1Cache = bar;
    }
    return MenuBar1Cache;
}

std::shared_ptr<MenuBar2> MenuBar2Instance() {
    if (!MenuBar2Cache) {
        auto bar = RuntimeNewObject<MenuBar2>();
        bar->Constructor();
        MenuBar2Cache = bar;
    }
    return MenuBar2Cache;
}

void MenuBar1ClassDefiner() {
    RuntimeDefineClass({"MenuBar1", "MenuBar", {"Untitled0", "Untitled1", "Untitled2", "Untitled3", "Constructor"}});
}
void MenuBar2ClassDefiner() { RuntimeDefineClass({"MenuBar2", "MenuBar", {"Untitled0", "Untitled1", "Constructor"}}); }

void InitMenuBar1Cache() { MenuBar1Cache = nullptr; }
void InitMenuBar2Cache() { MenuBar2Cache = nullptr; }

void ReleaseMenuBar1Cache() { ReleaseGlobal(MenuBar1Cache); }
void ReleaseMenuBar2Cache() { ReleaseGlobal(MenuBar2Cache); }

}  // namespace quorrel
