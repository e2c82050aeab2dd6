// Design-time property lists on any bytes, applied with the mass setter to a
// built window or to one of its controls (each kind the program uses): a list
// is applied whole, or rejected with a framework error and then changes nothing.
#include "platform/framework.h"
#include "platform/headless/headless.h"
#include "tests/fuzz/fuzz_support.h"

using namespace fw;
using fuzz::Require;

namespace {

class Sheet : public Window {
public:
    std::string ClassName() const override { return "Sheet.Sheet"; }
    void CreateControls() override {
        Add<Label>("Label");
        Add<CheckBox>("CheckBox");
        Add<PushButton>("PushButton");
        Add<Oval>("Oval");
        Add<ProgressBar>("ProgressBar");
        Add<UpDownArrows>("UpDownArrows");
        Add<TextArea>("TextArea");
        Add<Timer>("Timer");
        Add<HTTPSocket>("HTTPSocket");
    }

private:
    template <class T>
    void Add(const std::string& name) {
        auto control = __New<T>();
        control->Constructor();
        _AddControl(name, control);
    }
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    headless::InstallNew();
    RuntimeInit();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in(data, size);
    const uint8_t which = in.Byte();
    const std::string list = in.Rest();

    auto sheet = RuntimeNewObject<Sheet>();
    sheet->Constructor();
    const auto& controls = sheet->Controls();
    std::shared_ptr<PropertyObject> target = sheet;
    if (which % (controls.size() + 1) != 0) target = controls[which % (controls.size() + 1) - 1];

    auto* peer = headless::PeerOf(sheet);
    Require(peer != nullptr, "the sheet is built");
    const size_t windowChanges = peer->changed.size(), controlChanges = peer->controlChanged.size();
    try {
        RuntimeMassPropertySetter(target, list);
    } catch (const RuntimeException&) {
        Require(peer->changed.size() == windowChanges && peer->controlChanged.size() == controlChanges,
                "a rejected list changes nothing");
    }
    sheet->Close();
    return 0;
}
