// The Update window's design, its controls and its single-instance accessor.
#include "update/update_window.h"

namespace quorrel {

void updateWindow::Layout() {
    RuntimeMassPropertySetter(std::static_pointer_cast<PropertyObject>(shared_from_this()),
                              DesignList()
                                  .Int("Placement", 0)
                                  .Int("Width", 300)
                                  .Int("Height", 120)
                                  .Int("MinWidth", 64)
                                  .Int("MinHeight", 64)
                                  .Int("MaxWidth", 32000)
                                  .Int("MaxHeight", 32000)
                                  .Int("Frame", 1)
                                  .Bool("Composite", false)
                                  .Bool("HasBackColor", false)
                                  .Col("BackColor", 255, 255, 255)
                                  .Str("Title", "Update")
                                  .Bool("Visible", true)
                                  .Bool("FullScreen", false)
                                  .Bool("MenuBarVisible", true)
                                  .Bool("CloseButton", true)
                                  .Bool("Resizeable", false)
                                  .Bool("LiveResize", false)
                                  .Bool("MaximizeButton", false)
                                  .Bool("MinimizeButton", true)
                                  .Bool("FullScreenButton", false)
                                  .Int("MacProcID", 0)
                                  .Bytes());
}

void updateWindow::CreateControls() { _CreateControls0(); }

void updateWindow::_CreateControls0() {
    auto self = std::static_pointer_cast<updateWindow>(shared_from_this());

    auto label = __New<Label>();
    label->Constructor();
    _AddControl("StaticText1", label);
    StaticText1()->TextUnit(0);
    StaticText1()->TextSize(12);
    RuntimeMassPropertySetter(StaticText1(), DesignList()
                                                 .Str("InitialParent", "")
                                                 .Str("DataField", "")
                                                 .Str("DataSource", "")
                                                 .Bool("Underline", false)
                                                 .Bool("Italic", false)
                                                 .Bool("Bold", false)
                                                 .Str("TextFont", "Arial")
                                                 .Bool("AutoDeactivate", true)
                                                 .Str("HelpTag", "")
                                                 .Bool("Transparent", false)
                                                 .Bool("Selectable", false)
                                                 .Bool("Visible", true)
                                                 .Bool("Enabled", true)
                                                 .Bool("Multiline", false)
                                                 .Col("TextColor", 0, 0, 0)
                                                 .Int("TextAlign", 0)
                                                 .Str("Text", "Checking for update...")
                                                 .Int("TabIndex", 0)
                                                 .Int("TabPanelIndex", 0)
                                                 .Bool("LockBottom", false)
                                                 .Bool("LockRight", false)
                                                 .Bool("LockTop", true)
                                                 .Bool("LockLeft", true)
                                                 .Int("Height", 20)
                                                 .Int("Width", 266)
                                                 .Int("Top", 19)
                                                 .Int("Left", 20)
                                                 .Int("Index", kNoIndex)
                                                 .Str("Name", "StaticText1")
                                                 .Bool("TabStop", true)
                                                 .Bytes());

    auto bar = __New<ProgressBar>();
    bar->Constructor();
    _AddControl("ProgressBar1", bar);
    RuntimeMassPropertySetter(ProgressBar1(), DesignList()
                                                  .Str("InitialParent", "")
                                                  .Int("Maximum", 100)
                                                  .Int("Value", 0)
                                                  .Bool("Enabled", true)
                                                  .Bool("AutoDeactivate", true)
                                                  .Str("HelpTag", "")
                                                  .Bool("Visible", true)
                                                  .Int("TabPanelIndex", 0)
                                                  .Bool("LockBottom", false)
                                                  .Bool("LockRight", false)
                                                  .Bool("LockTop", true)
                                                  .Bool("LockLeft", true)
                                                  .Int("Height", 12)
                                                  .Int("Width", 260)
                                                  .Int("Top", 46)
                                                  .Int("Left", 20)
                                                  .Int("Index", kNoIndex)
                                                  .Str("Name", "ProgressBar1")
                                                  .Int("TabIndex", 1)
                                                  .Bool("TabStop", true)
                                                  .Bytes());

    auto socket = __New<_wrapper_hp>();
    socket->owner = self;
    socket->Constructor();
    _AddControl("hp", socket);
    RuntimeMassPropertySetter(hp(), DesignList()
                                        .Bool("Yield", false)
                                        .Int("Port", 0)
                                        .Int("HTTPProxyPort", 0)
                                        .Str("HTTPProxyAddress", "")
                                        .Str("Address", "")
                                        .Bytes());
    RuntimeAddEventHandler(hp(), "PageReceived",
                           RuntimeCreateDelegate(&updateWindow::hp_PageReceived, self,
                                                 "( HTTPSocket, String, Int32, InternetHeaders, String )", 1));
    RuntimeAddEventHandler(hp(), "Error",
                           RuntimeCreateDelegate(&updateWindow::hp_Error, self, "( HTTPSocket, Int32 )", 1));

    auto button = __New<PushButton>();
    button->Constructor();
    _AddControl("PushButton1", button);
    PushButton1()->TextUnit(0);
    RuntimeMassPropertySetter(PushButton1(), DesignList()
                                                 .Str("InitialParent", "")
                                                 .Bool("Underline", false)
                                                 .Bool("Italic", false)
                                                 .Bool("Bold", false)
                                                 .Str("TextFont", "System")
                                                 .Int("ButtonStyle", 0)
                                                 .Bool("AutoDeactivate", true)
                                                 .Str("HelpTag", "")
                                                 .Bool("Visible", true)
                                                 .Bool("Enabled", true)
                                                 .Bool("Cancel", true)
                                                 .Bool("Default", true)
                                                 .Str("Caption", "Cancel")
                                                 .Bool("TabStop", true)
                                                 .Int("TabIndex", 3)
                                                 .Int("TabPanelIndex", 0)
                                                 .Bool("LockBottom", false)
                                                 .Bool("LockRight", false)
                                                 .Bool("LockTop", true)
                                                 .Bool("LockLeft", true)
                                                 .Int("Height", 20)
                                                 .Int("Width", 72)
                                                 .Int("Top", 80)
                                                 .Int("Left", 208)
                                                 .Int("Index", kNoIndex)
                                                 .Str("Name", "PushButton1")
                                                 .Bytes());
    RuntimeAddEventHandler(PushButton1(), "Action",
                           RuntimeCreateDelegate(&updateWindow::PushButton1_Action, self, "( PushButton )", 1));
}

std::shared_ptr<Label> updateWindow::StaticText1() { return RuntimeCheckCast<Label>(_ControlByName("StaticText1")); }
std::shared_ptr<ProgressBar> updateWindow::ProgressBar1() {
    return RuntimeCheckCast<ProgressBar>(_ControlByName("ProgressBar1"));
}
std::shared_ptr<HTTPSocket> updateWindow::hp() { return RuntimeCheckCast<HTTPSocket>(_ControlByName("hp")); }
std::shared_ptr<PushButton> updateWindow::PushButton1() {
    return RuntimeCheckCast<PushButton>(_ControlByName("PushButton1"));
}

std::shared_ptr<updateWindow> updateWindowInstance() {
    if (auto open = RuntimeGetImplicitWindow("updateWindow.updateWindow")) return RuntimeCheckCast<updateWindow>(open);
    auto w = RuntimeNewObject<updateWindow>();
    w->Constructor();
    return w;
}

void updateWindowClassDefiner() {
    RuntimeDefineClass({"updateWindow.updateWindow", "Window",
                        {"Layout", "CreateControls", "_CreateControls0", "StaticText1", "ProgressBar1", "hp",
                         "PushButton1", "hp_PageReceived", "hp_Error", "PushButton1_Action", "Event_Open", "startTag",
                         "endTag", "askUpgrade", "returnValue"}});
}

void _wrapper_hpClassDefiner() { RuntimeDefineClass({"updateWindow._wrapper_hp", "HTTPSocket", {}}); }

}  // namespace quorrel
