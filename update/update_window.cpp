// The Update window's design, its controls and its single-instance accessor.
#include "update/update_window.h"

#include "app/control_design.h"
#include "app/new_control.h"
#include "app/window_design.h"
#include "app/window_instance.h"

namespace quorrel {

void updateWindow::Layout() {
    RuntimeMassPropertySetter(std::static_pointer_cast<PropertyObject>(shared_from_this()),
                              WindowDesign({"Update", 300, 120, 1, true}));
}

void updateWindow::CreateControls() { _CreateControls0(); }

void updateWindow::_CreateControls0() {
    auto self = std::static_pointer_cast<updateWindow>(shared_from_this());

    AddNewControl<Label>(*this, "StaticText1");
    StaticText1()->TextUnit(0);
    StaticText1()->TextSize(12);
    DesignList labelDesign;
    labelDesign.Str("InitialParent", "")
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
        .Int("TabPanelIndex", 0);
    LocksFrameIndexName(labelDesign, {true, true, false, false}, {20, 19, 266, 20}, "StaticText1").Bool("TabStop", true);
    RuntimeMassPropertySetter(StaticText1(), labelDesign.Bytes());

    AddNewControl<ProgressBar>(*this, "ProgressBar1");
    DesignList barDesign;
    barDesign.Str("InitialParent", "")
        .Int("Maximum", 100)
        .Int("Value", 0)
        .Bool("Enabled", true)
        .Bool("AutoDeactivate", true)
        .Str("HelpTag", "")
        .Bool("Visible", true)
        .Int("TabPanelIndex", 0);
    LocksFrameIndexName(barDesign, {true, true, false, false}, {20, 46, 260, 12}, "ProgressBar1")
        .Int("TabIndex", 1)
        .Bool("TabStop", true);
    RuntimeMassPropertySetter(ProgressBar1(), barDesign.Bytes());

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

    AddNewControl<PushButton>(*this, "PushButton1");
    PushButton1()->TextUnit(0);
    RuntimeMassPropertySetter(PushButton1(), PushButtonDesign({"PushButton1", "Cancel", {208, 80, 72, 20},
                                                               {true, true, false, false}, 3, /*isDefault*/ true,
                                                               /*isCancel*/ true}));
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
    return OpenOrBuildWindow<updateWindow>("updateWindow.updateWindow");
}

void updateWindowClassDefiner() {
    RuntimeDefineClass({"updateWindow.updateWindow", "Window",
                        {"Layout", "CreateControls", "_CreateControls0", "StaticText1", "ProgressBar1", "hp",
                         "PushButton1", "hp_PageReceived", "hp_Error", "PushButton1_Action", "Event_Open", "startTag",
                         "endTag", "askUpgrade", "returnValue"}});
}

void _wrapper_hpClassDefiner() { RuntimeDefineClass({"updateWindow._wrapper_hp", "HTTPSocket", {}}); }

}  // namespace quorrel
