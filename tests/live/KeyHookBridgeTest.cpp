// SPDX-License-Identifier: GPL-3.0-or-later

#include "live/KeyHookBridge.h"

#include "live/HookChannel.h"
#include "live/KeyHookFilter.h"
#include "tests/support/WaitUntil.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <fstream>
#include <gmock/gmock.h>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <sys/mman.h>
#include <sys/stat.h>

namespace {

using testing::ElementsAre;

constexpr std::uint32_t window = 0x04A0002B;

std::string calls()
{
    const char* recorded = std::getenv("FAKE_KEY_HOOK_CALLS");
    return recorded ? recorded : "";
}

bool loaded(const QString& folder)
{
    void* library =
        ::dlopen((folder + "/libKey.so").toLocal8Bit().constData(), RTLD_NOW | RTLD_NOLOAD);
    if (library)
        ::dlclose(library);
    return library != nullptr;
}

std::uint32_t windowInBlock()
{
    const live::FileDescriptor fd = live::openHookMemory(O_RDONLY);
    live::HookBlock block{};
    if (!fd.valid() || ::pread(fd.get(), block.data(), block.size(), 0) != std::ssize(block))
        return 0;
    return live::loadWindow(block);
}

bool blockMapped()
{
    std::ifstream maps("/proc/self/maps");
    const std::string name = "/dev/shm" + live::hookMemoryName();
    for (std::string line; std::getline(maps, line);)
        if (line.ends_with(name))
            return true;
    return false;
}

class KeyHookBridgeTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "no X display (Xvfb is missing)";
        ::shm_unlink(live::hookMemoryName().c_str());
        ::unsetenv("FAKE_KEY_HOOK_CALLS");
    }
    void TearDown() override { ::shm_unlink(live::hookMemoryName().c_str()); }

    static bool blockExists() { return live::openHookMemory(O_RDONLY).valid(); }

    const QString half_ = QStringLiteral(FAKE_KEY_DIR "/half");
    const QString full_ = QStringLiteral(FAKE_KEY_DIR "/full");
};

TEST_F(KeyHookBridgeTest, LoadsNothingFromAFolderWithoutTheLibrary)
{
    const QTemporaryDir empty;
    live::KeyHookBridge bridge(empty.path());
    bridge.Start(window);
    EXPECT_FALSE(blockExists());
}

TEST_F(KeyHookBridgeTest, NeverStartsALibraryWithoutHookOff)
{
    live::KeyHookBridge bridge(half_);
    bridge.Start(window);
    EXPECT_TRUE(loaded(half_));
    EXPECT_FALSE(blockExists());
    bridge.Stop();
    EXPECT_FALSE(loaded(half_));
    EXPECT_EQ(calls(), "");
}

TEST_F(KeyHookBridgeTest, GivesTheLibraryThisAccountsBlockWithTheWindowThenStopsIt)
{
    {
        live::KeyHookBridge bridge(full_);
        bridge.Start(window);
        EXPECT_EQ(calls(), "HookOn;");
        const live::FileDescriptor block = live::openHookMemory(O_RDONLY);
        struct stat status {};
        ASSERT_EQ(::fstat(block.get(), &status), 0);
        EXPECT_EQ(status.st_mode & 0777, 0600u);
        EXPECT_EQ(status.st_uid, ::getuid());
        live::HookBlock bytes{};
        ASSERT_EQ(::pread(block.get(), bytes.data(), bytes.size(), 0), 4);
        EXPECT_THAT(bytes, ElementsAre(0x2B, 0x00, 0xA0, 0x04));
        EXPECT_TRUE(blockMapped());
    }
    EXPECT_EQ(calls(), "HookOn;HookOff;");
    EXPECT_FALSE(loaded(full_));
    EXPECT_FALSE(blockMapped());
}

TEST_F(KeyHookBridgeTest, RefusesABlockMadeByAnotherAccount)
{
    if (::getuid() != 0)
        GTEST_SKIP() << "only root can give a block away";
    const live::FileDescriptor block(
        ::shm_open(live::hookMemoryName().c_str(), O_RDWR | O_CREAT, 0600));
    ASSERT_EQ(::fchown(block.get(), 65534, 65534), 0);
    live::KeyHookBridge bridge(full_);
    bridge.Start(window);
    EXPECT_EQ(calls(), "");
}

TEST_F(KeyHookBridgeTest, FilterTakesOnlyTheHookMessage)
{
    std::vector<std::uint32_t> received;
    live::KeyHookFilter filter([&](std::uint32_t flags) { received.push_back(flags); });
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE | 0x80;
    event.format = 32;
    event.type = live::internHookAtom(
        qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection());
    event.data.data32[0] = 0x1401;
    event.data.data32[1] = 1;
    EXPECT_FALSE(filter.nativeEventFilter("xcb_generic_event_t", &event, nullptr));
    event.data.data32[0] = 0x1400;
    event.data.data32[1] = 2;
    EXPECT_TRUE(filter.nativeEventFilter("xcb_generic_event_t", &event, nullptr));
    event.type = XCB_ATOM_STRING;
    event.data.data32[1] = 3;
    EXPECT_FALSE(filter.nativeEventFilter("xcb_generic_event_t", &event, nullptr));
    EXPECT_THAT(received, ElementsAre(2u));
}

// The real library, listening on the display, and a window listening for its messages.
class KeyHookEndToEndTest : public KeyHookBridgeTest {
protected:
    void SetUp() override
    {
        KeyHookBridgeTest::SetUp();
        if (QStandardPaths::findExecutable("xdotool").isEmpty())
            GTEST_SKIP() << "xdotool is missing";
        beforeTheBridgeStarts();
        window_.show();
        bridge_.Start(static_cast<std::uint32_t>(window_.winId()));
    }

    virtual void beforeTheBridgeStarts() {}

    // Typing b last: its release comes after anything the keys before it caused.
    void typeThenB(const QStringList& arguments)
    {
        ASSERT_EQ(QProcess::execute("xdotool", arguments), 0);
        ASSERT_EQ(QProcess::execute("xdotool", {"key", "b"}), 0);
        ASSERT_TRUE(testsupport::waitUntil(
            [this] { return !received_.empty() && received_.back() == 0xC0300001; }));
    }

    std::vector<std::uint32_t> received_;
    live::KeyHookFilter filter_{[this](std::uint32_t flags) { received_.push_back(flags); }};
    QWidget window_;
    live::KeyHookBridge bridge_;
};

TEST_F(KeyHookEndToEndTest, WindowHearsOnePressAndOneRelease)
{
    typeThenB({"key", "a"});
    EXPECT_THAT(received_, ElementsAre(0x001E0001u, 0xC01E0001u, 0x00300001u, 0xC0300001u));
}

TEST_F(KeyHookEndToEndTest, WindowHearsAHeldKeyRepeat)
{
    typeThenB({"keydown", "a", "keydown", "a", "keyup", "a"});
    EXPECT_THAT(received_,
                ElementsAre(0x001E0001u, 0x401E0001u, 0xC01E0001u, 0x00300001u, 0xC0300001u));
}

// A second copy takes the keys while it runs and gives them back when it closes.
TEST_F(KeyHookEndToEndTest, WindowHearsKeysAgainOnceALaterCopyCloses)
{
    const auto own = static_cast<std::uint32_t>(window_.winId());
    QProcess laterCopy;
    laterCopy.start(QCoreApplication::applicationDirPath() + "/lectorix", QStringList{});
    ASSERT_TRUE(testsupport::waitUntil([&] { return windowInBlock() != own; }, 30000));
    laterCopy.terminate();
    ASSERT_TRUE(laterCopy.waitForFinished(30000));
    EXPECT_EQ(windowInBlock(), own);
    typeThenB({"key", "a"});
    EXPECT_THAT(received_, ElementsAre(0x001E0001u, 0xC01E0001u, 0x00300001u, 0xC0300001u));
}

// Another copy of the program, started earlier, listens to the keys too.
class KeyHookAfterAnotherCopyTest : public KeyHookEndToEndTest {
protected:
    void beforeTheBridgeStarts() override
    {
        earlierCopy_.start(QCoreApplication::applicationDirPath() + "/lectorix", QStringList{});
        ASSERT_TRUE(testsupport::waitUntil([] { return windowInBlock() != 0; }, 30000));
        // Its listener starts right after it wrote its window.
        QTest::qWait(1000);
    }
    void TearDown() override
    {
        earlierCopy_.terminate();
        earlierCopy_.waitForFinished();
        KeyHookEndToEndTest::TearDown();
    }

    QProcess earlierCopy_;
};

TEST_F(KeyHookAfterAnotherCopyTest, TheCopyStartedLastHearsEachKeyOnce)
{
    typeThenB({"key", "a"});
    EXPECT_THAT(received_, ElementsAre(0x001E0001u, 0xC01E0001u, 0x00300001u, 0xC0300001u));
}

} // namespace
