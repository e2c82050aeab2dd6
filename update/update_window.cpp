// The Update window's design, its controls and its single-instance accessor.
#include "update/update_window.h"

#include "program_kit/control_design.h"
#include "program_kit/window_class.h"
#include "program_kit/window_design.h"

namespace quorrel {

namespace {

std::string StatusLabelDesign() {
    const DesignRows own = {
        {"InitialParent", ""},
        {"DataField", ""},
        {"DataSource", ""},
        {"Underline", false},
        {"Italic", false},
        {"Bold", false},
        {"TextFont", "Arial"},
        {"AutoDeactivate", true},
        {"HelpTag", ""},
        {"Transparent", false},
        {"Selectable", false},
        {"Visible", true},
        {"Enabled", true},
        {"Multiline", false},
        {"TextColor", kBlack},
        {"TextAlign", 0},
        {"Text", "Checking for update..."},
        {"TabIndex", 0},
        {"TabPanelIndex", 0},
    };
    return Encode(own + LocksFrameIndexName(kLockedLeftTop, {20, 19, 266, 20}, "StaticText1") +
                  DesignRows{{"TabStop", true}});
}

std::string ProgressBarDesign() {
    const DesignRows own = {
        {"InitialParent", ""},
        {"Maximum", 100},
        {"Value", 0},
        {"Enabled", true},
        {"AutoDeactivate", true},
        {"HelpTag", ""},
        {"Visible", true},
        {"TabPanelIndex", 0},
    };
    return Encode(own + LocksFrameIndexName(kLockedLeftTop, {20, 46, 260, 12}, "ProgressBar1") +
                  DesignRows{{"TabIndex", 1}, {"TabStop", true}});
}

std::string SocketDesign() {
    return Encode({
        {"Yield", false},
        {"Port", 0},
        {"HTTPProxyPort", 0},
        {"HTTPProxyAddress", ""},
        {"Address", ""},
    });
}

std::string CancelButtonDesign() {
    return PushButtonDesign(
        {"PushButton1", "Cancel", {208, 80, 72, 20}, kLockedLeftTop, 3, /*isDefault*/ true, /*isCancel*/ true});
}

}  // namespace

void updateWindow::Layout() { RuntimeMassPropertySetter(Self(*this), WindowDesign({"Update", 300, 120, 1, true})); }

void updateWindow::CreateControls() { _CreateControls0(); }

void updateWindow::_CreateControls0() {
    auto self = Self(*this);
    AddControl<Label>(self, "StaticText1").TextUnit(0).TextSize(12).Design(StatusLabelDesign());
    AddControl<ProgressBar>(self, "ProgressBar1").Design(ProgressBarDesign());
    AddControl<_wrapper_hp>(self, "hp")
        .Design(SocketDesign())
        .On("PageReceived", &updateWindow::hp_PageReceived, "( HTTPSocket, String, Int32, InternetHeaders, String )")
        .On("Error", &updateWindow::hp_Error, "( HTTPSocket, Int32 )");
    AddControl<PushButton>(self, "PushButton1")
        .TextUnit(0)
        .Design(CancelButtonDesign())
        .On("Action", &updateWindow::PushButton1_Action, "( PushButton )");
}

std::shared_ptr<Label> updateWindow::StaticText1() { return ControlNamed<Label>(*this, "StaticText1"); }
std::shared_ptr<ProgressBar> updateWindow::ProgressBar1() { return ControlNamed<ProgressBar>(*this, "ProgressBar1"); }
std::shared_ptr<HTTPSocket> updateWindow::hp() { return ControlNamed<HTTPSocket>(*this, "hp"); }
std::shared_ptr<PushButton> updateWindow::PushButton1() { return ControlNamed<PushButton>(*this, "PushButton1"); }

std::shared_ptr<updateWindow> updateWindowInstance() {
    return OpenOrBuildWindow<updateWindow>("updateWindow.updateWindow");
}

void updateWindowClassDefiner() {
    RuntimeDefineClass({"updateWindow.updateWindow",
                        "Window",
                        {"Layout",
                         "CreateControls",
                         "_CreateControls0",
                         "StaticText1",
                         "ProgressBar1",
                         "hp",
                         "PushButton1",
                         "hp_PageReceived",
                         "hp_Error",
                         "PushButton1_Action",
                         "Event_Open",
                         "startTag",
                         "endTag",
                         "askUpgrade",
                         "returnValue"}});
}

void _wrapper_hpClassDefiner() { RuntimeDefineClass({"updateWindow._wrapper_hp", "HTTPSocket", {}}); }

}  // namespace quorrel
