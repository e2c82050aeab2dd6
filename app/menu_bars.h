// The two menu bars: the application's and the Control Panel's (MenuBar1),
// and the Help window's (MenuBar2). Each exists once, made on first use.
#pragma once

#include "platform/framework.h"

namespace quorrel {
using namespace fw;

class MenuBar1 : public MenuBar {
public:
    void Constructor() override;
    virtual void Untitled0();  // File
    virtual void Untitled1();  // Sound
    virtual void Untitled2();  // Check for Update
    virtual void Untitled3();  // Help
};

class MenuBar2 : public MenuBar {
public:
    void Constructor() override;
    virtual void Untitled0();  // File
    virtual void Untitled1();  // Edit
};

extern std::shared_ptr<MenuBar1> MenuBar1Cache;
extern std::shared_ptr<MenuBar2> MenuBar2Cache;

std::shared_ptr<MenuBar1> MenuBar1Instance();
std::shared_ptr<MenuBar2> MenuBar2Instance();

void MenuBar1ClassDefiner();
void MenuBar2ClassDefiner();
void InitMenuBar1Cache();
void InitMenuBar2Cache();
void ReleaseMenuBar1Cache();
void ReleaseMenuBar2Cache();

}  // namespace quorrel
