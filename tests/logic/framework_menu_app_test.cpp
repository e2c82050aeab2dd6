// Menus, the application object, the run loop and the bundle metadata.
#include "platform/framework.h"
#include "platform/headless/headless.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace {

using namespace fw;

std::shared_ptr<MenuItem> Item(const std::string& name, const std::string& text) {
    auto item = std::make_shared<MenuItem>();
    item->Name(name);
    item->Text(text);
    return item;
}

TEST(Menus, LookupSearchesTheWholeTreeChildOnlyDirectChildren) {
    headless::InstallNew();
    auto bar = std::make_shared<MenuBar>();
    auto sound = Item("SoundMenu", "Sound");
    auto about = std::make_shared<AppleMenuItem>();
    about->Name("SoundAbout");
    bar->Append(sound);
    sound->Append(Item("SoundUseShutterClick", "Use Shutter Click"));
    sound->Append(Item("SoundSep", "-"));
    sound->Append(about);
    EXPECT_EQ(bar->Child("SoundMenu"), sound);
    EXPECT_EQ(bar->Child("SoundAbout"), nullptr);
    EXPECT_EQ(MenuItem::_Lookup(bar, "SoundAbout"), about);
    EXPECT_NE(RuntimeCheckCast<AppleMenuItem>(MenuItem::_Lookup(bar, "SoundAbout")), nullptr);
    EXPECT_THROW(RuntimeCheckCast<AppleMenuItem>(MenuItem::_Lookup(bar, "SoundMenu")), IllegalCastException);
    EXPECT_EQ(MenuItem::_Lookup(bar, "Missing"), nullptr);
    EXPECT_EQ(sound->Count(), 3);
    EXPECT_EQ(sound->Children()[1]->Text(), "-");
}

class App : public Application {
public:
    void Event_Open() override {
        opened = true;
        if (quitInOpen) QuitApplication(0);
    }
    bool Handle() {
        ++handled;
        return true;
    }
    bool Fail() { throw OutOfBoundsException("index"); }
    bool opened = false, quitInOpen = false;
    int handled = 0;
};

class RunTest : public ::testing::Test {
protected:
    void SetUp() override {
        RuntimeInit();
        app = RuntimeNewObject<App>();
        RuntimeRegisterAppObject(app);
        app->_AddMenuHandler("FilePrintHelp", RuntimeCreateDelegate(&App::Handle, app, "(  ) as Boolean", 1));
        app->_AddMenuHandler("Broken", RuntimeCreateDelegate(&App::Fail, app, "(  ) as Boolean", 1));
    }
    void TearDown() override { RuntimeExit(); }
    headless::Headless& backend = headless::InstallNew();
    std::shared_ptr<App> app;
};

TEST_F(RunTest, RunRaisesOpenThenTheScriptAndMenusReachTheirHandlers) {
    bool scriptSawOpen = false;
    backend.SetScript([&](headless::Headless& h) {
        scriptSawOpen = app->opened;
        EXPECT_TRUE(h.ChooseMenu("FilePrintHelp"));
        EXPECT_FALSE(h.ChooseMenu("EditCopy"));  // no handler: the platform's own
    });
    RuntimeRun();
    EXPECT_TRUE(scriptSawOpen);
    EXPECT_EQ(app->handled, 1);
    EXPECT_EQ(getAppObject(), app);
}

TEST_F(RunTest, QuitInOpenSkipsTheScriptAndHandlerFailureEndsTheRunWithStatusOne) {
    app->quitInOpen = true;
    bool scriptRan = false;
    backend.SetScript([&](headless::Headless&) { scriptRan = true; });
    RuntimeRun();
    EXPECT_FALSE(scriptRan);

    EXPECT_FALSE(ChooseMenuItem("Broken"));
    EXPECT_EQ(backend.Log().messageBoxes,
              (std::vector<std::string>{"An exception of class OutOfBoundsException was not handled. "
                                        "The application must shut down."}));
    EXPECT_FALSE(ChooseMenuItem("Broken"));  // one message, however many follow
    EXPECT_EQ(backend.Log().messageBoxes.size(), 1u);
    EXPECT_EQ(RuntimeExit(), 1);
    EXPECT_EQ(getAppObject(), nullptr);
}

// The default handling runs each handler through the installed helper and
// names the exception from what the helper gives back.
TEST_F(RunTest, HandlersRunThroughTheInstalledExceptionHelper) {
    int calls = 0;
    RuntimeSetExceptionHelper([&](void* routine, void* argument) -> ObjectRef {
        ++calls;
        try {
            reinterpret_cast<void (*)(void*)>(routine)(argument);
            return nullptr;
        } catch (const RuntimeException& e) {
            return std::make_shared<RuntimeExceptionObject>(std::current_exception(), e.ExceptionName());
        }
    });
    EXPECT_TRUE(ChooseMenuItem("FilePrintHelp"));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(app->handled, 1);
    EXPECT_TRUE(backend.Log().messageBoxes.empty());

    EXPECT_FALSE(ChooseMenuItem("Broken"));
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(backend.Log().messageBoxes,
              (std::vector<std::string>{"An exception of class OutOfBoundsException was not handled. "
                                        "The application must shut down."}));
    EXPECT_EQ(RuntimeExit(), 1);
}

TEST_F(RunTest, UnhandledExceptionOfTheStartSequenceQuitsBeforeTheLoop) {
    RuntimeUnhandledException(std::runtime_error("boom"));
    ASSERT_EQ(backend.Log().messageBoxes.size(), 1u);
    EXPECT_NE(backend.Log().messageBoxes[0].find("std::runtime_error"), std::string::npos);
    RuntimeRun();  // returns at once: the quit came first
    EXPECT_FALSE(app->opened);
    EXPECT_EQ(RuntimeExit(), 1);
}

TEST_F(RunTest, VersionsComeFromTheBundleFileAndAreZeroWithoutIt) {
    EXPECT_EQ(app->MajorVersion(), 0);
    EXPECT_EQ(app->LongVersion(), "");
    RuntimeExit();

    auto dir = std::filesystem::temp_directory_path() / ("fw_bundle_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "bundle.ini") << "# made by the build\nMajorVersion=1\nMinorVersion = 3\nBugVersion=0\n"
                                         "ShortVersion=1.3.0\nLongVersion=1.3.0 Linux\nUpdateHost=127.0.0.1\n"
                                         "UpdatePort=8080\nbroken line\n";
    auto& fresh = headless::InstallNew();
    fresh.SetResourcesPath(dir.string());
    RuntimeInit();
    auto again = RuntimeNewObject<App>();
    EXPECT_EQ(again->MajorVersion(), 1);
    EXPECT_EQ(again->MinorVersion(), 3);
    EXPECT_EQ(again->BugVersion(), 0);
    EXPECT_EQ(again->ShortVersion(), "1.3.0");
    EXPECT_EQ(again->LongVersion(), "1.3.0 Linux");
    EXPECT_EQ(GetBundleInfo().updateHost, "127.0.0.1");
    EXPECT_EQ(GetBundleInfo().updatePort, 8080);
    std::filesystem::remove_all(dir);
}

TEST_F(RunTest, PluginEntriesResolveToTheirFunctions) {
    RuntimeLoadPlugin("ScreenshotLib:1");
    EXPECT_EQ(LoadedPlugins(), (std::vector<std::string>{"ScreenshotLib:1"}));
    auto rect = RuntimeLookupPluginEntrypoint(kEntryScreenshotRect);
    ASSERT_NE(std::any_cast<ScreenshotRectEntry>(&rect), nullptr);
    PixelImage screen{4, 2, {1, 2, 3, 4, 5, 6, 7, 8}};
    backend.SetScreen(screen);
    auto pic = std::any_cast<ScreenshotRectEntry>(rect)(3, 1, -2, 1);  // extends left from the corner
    ASSERT_NE(pic, nullptr);
    EXPECT_EQ(pic->Image().pixels, (std::vector<uint32_t>{6, 7}));
    EXPECT_EQ(std::any_cast<ScreenshotRectEntry>(rect)(0, 0, 0, 5), nullptr);
    EXPECT_EQ(std::any_cast<ScreenshotRectEntry>(rect)(10, 10, 5, 5), nullptr);  // nothing left after clipping
    for (const char* decl : {kEntryScreenshotDisplay,
                             kEntryMainScreen,
                             kEntryBackingScale,
                             kEntrySaveAsPNG,
                             kEntryAcceptFocusGet,
                             kEntryAcceptFocusSet})
        EXPECT_TRUE(RuntimeLookupPluginEntrypoint(decl).has_value()) << decl;
    EXPECT_FALSE(RuntimeLookupPluginEntrypoint("NoSuch() As Integer").has_value());
}

}  // namespace
