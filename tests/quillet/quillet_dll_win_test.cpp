// Quillet.dll as the setup program uses it: loaded at run time, exports found by their
// undecorated names, called with the standard calling convention. The messages KVO_PostMsg
// posts are taken from this thread's queue.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

typedef LONG(WINAPI* QuilletExport)(HWND, const LONG*, const char*);

const UINT NO_MESSAGE = 0xFFFFFFFF;

class QuilletDll : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        char path[MAX_PATH];
        DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string dir(path, length);
        dir.erase(dir.find_last_of("\\/") + 1);
        module_ = LoadLibraryA((dir + "Quillet.dll").c_str());
    }

    static void TearDownTestSuite()
    {
        if (module_ != nullptr)
            FreeLibrary(module_);
        module_ = nullptr;
    }

    void SetUp() override
    {
        ASSERT_NE(module_, nullptr)
            << "Quillet.dll beside the test did not load, error " << GetLastError();
        postMsg_ = FindExport("KVO_PostMsg");
        strtol_ = FindExport("KVO_Strtol");
        ASSERT_NE(postMsg_, nullptr) << "no export named KVO_PostMsg";
        ASSERT_NE(strtol_, nullptr) << "no export named KVO_Strtol";
        window_ = CreateWindowExA(0, "STATIC", "quillet target", 0, 0, 0, 10, 10, HWND_MESSAGE,
                                  nullptr, nullptr, nullptr);
        ASSERT_NE(window_, nullptr) << "CreateWindowExA failed, error " << GetLastError();
        Drain();
    }

    static QuilletExport FindExport(const char* name)
    {
        // Through void (*)(): the one cast between function types that needs no warning.
        auto proc = reinterpret_cast<void (*)()>(GetProcAddress(module_, name));
        return reinterpret_cast<QuilletExport>(proc);
    }

    void TearDown() override
    {
        if (window_ != nullptr)
            DestroyWindow(window_);
        Drain();
    }

    static void Drain()
    {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    // "+W:<our window> " followed by the rest.
    std::string WindowToken(const char* prefix = "+W:") const
    {
        char token[32];
        std::snprintf(token, sizeof token, "%s%lX", prefix,
                      static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window_)));
        return token;
    }

    // The one message that arrived for hwnd (nullptr: thread messages), or msg.message NO_MESSAGE.
    static MSG TakeOne(HWND hwnd)
    {
        MSG msg = {};
        msg.message = NO_MESSAGE;
        HWND filter = hwnd != nullptr ? hwnd : reinterpret_cast<HWND>(-1);
        PeekMessageA(&msg, filter, 0, 0, PM_REMOVE);
        MSG extra;
        EXPECT_FALSE(PeekMessageA(&extra, filter, 0, 0, PM_REMOVE))
            << "a second message arrived: " << std::hex << extra.message;
        return msg;
    }

    void ExpectPosted(const std::string& text, const LONG* flag, UINT message, WPARAM wParam)
    {
        const std::string shown = text.size() > 80 ? text.substr(0, 80) + "..." : text;
        EXPECT_EQ(postMsg_(nullptr, flag, text.c_str()), 0) << shown;
        const MSG msg = TakeOne(window_);
        EXPECT_EQ(msg.message, message) << shown;
        EXPECT_EQ(msg.wParam, wParam) << shown;
        EXPECT_EQ(msg.lParam, 0) << shown;
    }

    static HMODULE module_;
    QuilletExport postMsg_ = nullptr;
    QuilletExport strtol_ = nullptr;
    HWND window_ = nullptr;
};

HMODULE QuilletDll::module_ = nullptr;

TEST_F(QuilletDll, ExportsOnlyUndecoratedNames)
{
    EXPECT_EQ(GetProcAddress(module_, "_KVO_PostMsg@12"), nullptr);
    EXPECT_EQ(GetProcAddress(module_, "KVO_PostMsg@12"), nullptr);
    EXPECT_EQ(GetProcAddress(module_, "_KVO_Strtol@12"), nullptr);
}

TEST_F(QuilletDll, PostsTheNamedMessageWithTheFlagAsWParam)
{
    const LONG five = 5, zero = 0, minusOne = -1;
    ExpectPosted(WindowToken() + " +M:8001", &five, 0x8001, 1);
    ExpectPosted(WindowToken() + " +M:8001", &zero, 0x8001, 0);
    ExpectPosted(WindowToken() + " +M:8001", &minusOne, 0x8001, 1);
    ExpectPosted("+M:8001 " + WindowToken(), &five, 0x8001, 1);
    ExpectPosted(WindowToken("+w:") + " +m:8002", &five, 0x8002, 1);
    ExpectPosted(WindowToken("+W:0x") + " +M:0x8003", &five, 0x8003, 1);
    ExpectPosted(WindowToken() + " +M:10 +M:20 +L:5 +P:6", &five, 0x20, 1);
}

TEST_F(QuilletDll, NullFlagPointerPostsZeroWParam)
{
    ExpectPosted(WindowToken() + " +M:8004", nullptr, 0x8004, 0);
}

TEST_F(QuilletDll, WithoutAWindowTokenPostsToWindow0ThatIsTheThreadQueue)
{
    const LONG one = 1;
    // x+W: is a window token whose value starts at the colon: window 0.
    const char* texts[] = {"+M:8005", "x+W:12 +M:8005"};
    for (const char* text : texts) {
        EXPECT_EQ(postMsg_(nullptr, &one, text), 0) << text;
        const MSG msg = TakeOne(nullptr);
        EXPECT_EQ(msg.message, 0x8005u) << text;
        EXPECT_EQ(msg.hwnd, nullptr) << text;
        EXPECT_EQ(msg.wParam, 1u) << text;
    }
}

TEST_F(QuilletDll, NullOrOverlongTextDoesNotCrash)
{
    const LONG one = 1;
    EXPECT_EQ(postMsg_(nullptr, &one, nullptr), 0);
    EXPECT_EQ(TakeOne(nullptr).message, static_cast<UINT>(WM_NULL));

    // The window token is the 30th; everything past it, and text beyond 1,023 characters, is
    // ignored.
    std::string text;
    for (int i = 0; i < 28; i++)
        text += "+M:1 ";
    text +=
        "+M:8006zzzzzzzzzzzzzzzzzzzzzzzzzzzzz " + WindowToken() + " +M:2 " + std::string(5000, 'q');
    ExpectPosted(text, &one, 0x8006, 1);
}

TEST_F(QuilletDll, StrtolConvertsWithTheGivenBase)
{
    struct Case {
        const char* text;
        LONG base;
        LONG expected;
    };
    const Case cases[] = {
        {"  -42abc", 10, -42},
        {"ff", 16, 255},
        {"0x1A", 0, 26},
        {"017", 0, 15},
        {"zz", 36, 1295},
        {"12", 1, 0},
        {"12", 37, 0},
        {"12", -5, 0},
        {"99999999999", 10, 2147483647},
        {"-99999999999", 10, -2147483647 - 1},
    };
    for (const Case& c : cases) {
        const LONG base = c.base;
        EXPECT_EQ(strtol_(nullptr, &base, c.text), c.expected)
            << "\"" << c.text << "\" in base " << c.base;
        EXPECT_EQ(base, c.base) << "the base was written";
    }
    EXPECT_EQ(strtol_(nullptr, nullptr, "0x10"), 16) << "a NULL base pointer counts as base 0";
    const LONG ten = 10;
    EXPECT_EQ(strtol_(nullptr, &ten, nullptr), 0) << "a NULL text converts to 0";
}

}  // namespace
