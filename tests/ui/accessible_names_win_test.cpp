// Screen readers' names under Wine: every input control of every form of the program and of the
// A3 library is named by the rule, and the table's names reach the real windows through
// IAccPropServices. Wine's oleacc creates the service but does not keep what SetHwndPropStr is
// given (E_NOTIMPL), so the windows' side is checked with a service of the test's own; Wine's
// AccessibleObjectFromWindow does find labels, which checks the rule's label search.
#include <gtest/gtest.h>

#include <windows.h>
#include <initguid.h>
#include <oleacc.h>

#include <sstream>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "tests/app/frame_harness_win.h"
#include "tests/ui/dialog_resources_win.h"
#include "ui/accessible_names.h"
#include "ui/accessible_names_win.h"
#include "ui/form_dialog_win.h"
#include "ui/ui_win.h"

namespace {

std::string Narrow(const std::u16string& text) { return std::string(text.begin(), text.end()); }

// Every input control without a name, one line each; `forms` counts the forms read.
std::string UnnamedControls(HMODULE module, int* forms)
{
    return WalkForms(module, forms, [](int id, const uint8_t*, size_t, const DialogTemplate& form,
                                       std::ostream& report) {
        for (size_t i : UnnamedInputControls(form, id, ACCESSIBLE_NAMES)) {
            const TemplateControl& c = form.controls[i];
            static const char* const kinds[] = {"button",     "edit",      "static", "list box",
                                                "scroll bar", "combo box", ""};
            report << "dialog " << id << ": control " << c.id << " (" << kinds[c.kind]
                   << Narrow(c.className) << " \"" << Narrow(c.text) << "\") has no name\n";
        }
        return true;
    });
}

TEST(AccessibleNames, EveryInputControlOfTheProgramHasAName)
{
    int forms = 0;
    const std::string unnamed = UnnamedControls(GetModuleHandleA(nullptr), &forms);
    EXPECT_GE(forms, 25) << "the program's dialogs were not all found";
    EXPECT_EQ("", unnamed);
}

TEST(AccessibleNames, EveryInputControlOfTheA3LibraryHasAName)
{
    HMODULE library = LoadLibraryA(A3_LIBRARY);
    ASSERT_NE(nullptr, library) << A3_LIBRARY;
    int forms = 0;
    const std::string unnamed = UnnamedControls(library, &forms);
    EXPECT_GE(forms, 25) << "the library's dialogs were not all found";
    EXPECT_EQ("", unnamed);
    FreeLibrary(library);
}

// A service that keeps what it is given.
struct Recorder : IAccPropServices {
    struct Given {
        HWND window;
        DWORD object, child;
        GUID property;
        std::wstring text;
    };
    std::vector<Given> given;

    const Given* For(HWND window) const
    {
        for (const Given& g : given)
            if (g.window == window)
                return &g;
        return nullptr;
    }
    HRESULT WINAPI QueryInterface(REFIID, void** out) override
    {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG WINAPI AddRef() override { return 2; }
    ULONG WINAPI Release() override { return 1; }
    HRESULT WINAPI SetHwndPropStr(HWND w, DWORD o, DWORD c, MSAAPROPID p, LPCWSTR s) override
    {
        given.push_back({w, o, c, p, s});
        return S_OK;
    }
    HRESULT WINAPI SetHwndProp(HWND, DWORD, DWORD, MSAAPROPID, VARIANT) override { return S_OK; }
    HRESULT WINAPI SetPropValue(const BYTE*, DWORD, MSAAPROPID, VARIANT) override
    {
        return E_NOTIMPL;
    }
    HRESULT WINAPI SetPropServer(const BYTE*, DWORD, const MSAAPROPID*, int, IAccPropServer*,
                                 AnnoScope) override
    {
        return E_NOTIMPL;
    }
    HRESULT WINAPI ClearProps(const BYTE*, DWORD, const MSAAPROPID*, int) override
    {
        return E_NOTIMPL;
    }
    HRESULT WINAPI SetHwndPropServer(HWND, DWORD, DWORD, const MSAAPROPID*, int, IAccPropServer*,
                                     AnnoScope) override
    {
        return E_NOTIMPL;
    }
    HRESULT WINAPI ClearHwndProps(HWND, DWORD, DWORD, const MSAAPROPID*, int) override
    {
        return E_NOTIMPL;
    }
    HRESULT WINAPI ComposeHwndIdentityString(HWND, DWORD, DWORD, BYTE**, DWORD*) override
    {
        return E_NOTIMPL;
    }
    HRESULT WINAPI DecomposeHwndIdentityString(const BYTE*, DWORD, HWND*, DWORD*, DWORD*) override
    {
        return E_NOTIMPL;
    }
    HRESULT WINAPI SetHmenuProp(HMENU, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHmenuPropStr(HMENU, DWORD, MSAAPROPID, LPCWSTR) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHmenuPropServer(HMENU, DWORD, const MSAAPROPID*, int, IAccPropServer*,
                                      AnnoScope) override
    {
        return E_NOTIMPL;
    }
    HRESULT WINAPI ClearHmenuProps(HMENU, DWORD, const MSAAPROPID*, int) override
    {
        return E_NOTIMPL;
    }
    HRESULT WINAPI ComposeHmenuIdentityString(HMENU, DWORD, BYTE**, DWORD*) override
    {
        return E_NOTIMPL;
    }
    HRESULT WINAPI DecomposeHmenuIdentityString(const BYTE*, DWORD, HMENU*, DWORD*) override
    {
        return E_NOTIMPL;
    }
};

std::wstring TableText(int stringId)
{
    char text[128];
    wchar_t wide[128] = {};
    LoadStr(static_cast<UINT>(stringId), text, sizeof text);
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 128);
    return wide;
}

// Every control of `form` that the table names got its name as its client area's name, and so
// did each edit inside it (an address control's fields).
std::string CheckGiven(const Recorder& recorder, HWND window, int form)
{
    std::ostringstream faults;
    int checked = 0;
    for (size_t i = 0; i < ACCESSIBLE_NAMES.count; i++) {
        const AccessibleName& entry = ACCESSIBLE_NAMES.names[i];
        if (entry.form != form)
            continue;
        HWND control = GetDlgItem(window, entry.control);
        std::vector<HWND> named = {control};
        for (HWND c = GetWindow(control, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            char type[16] = {};
            GetClassNameA(c, type, sizeof type);
            if (lstrcmpiA(type, "Edit") == 0)
                named.push_back(c);
        }
        for (HWND w : named) {
            const Recorder::Given* g = recorder.For(w);
            if (!g || g->object != static_cast<DWORD>(OBJID_CLIENT) || g->child != CHILDID_SELF ||
                !IsEqualGUID(g->property, PROPID_ACC_NAME) || g->text != TableText(entry.stringId))
                faults << "control " << entry.control << " (window " << w
                       << ") did not get its name\n";
            ++checked;
        }
    }
    if (!checked)
        faults << "form " << form << " has no names to check\n";
    return faults.str();
}

TEST(AccessibleNames, TheMainWindowsPanesGetTheirNamesOnceItIsShown)
{
    Recorder recorder;
    SetAccPropServicesForTest(&recorder);
    ASSERT_EQ(1, StartFrame());
    HWND window = OpenMainWindow();
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(WaitFor([&] { return !recorder.given.empty(); }, window));
    EXPECT_EQ("", CheckGiven(recorder, window, FORM_MAIN_WINDOW));
    CloseTestWindow(window);
    SetAccPropServicesForTest(nullptr);
}

// What the rule calls a label is what an MSAA implementation speaks: Wine's oleacc, asked for
// the name of every edit the rule names by its label, finds that label too. (Wine searches
// labels for edits only; its combo boxes, list views and scroll bars have no name at all.)
TEST(AccessibleNames, WinesOleaccFindsTheLabelsTheRuleFinds)
{
    RegisterOwnClasses();
    CoInitialize(nullptr);
    HMODULE module = GetModuleHandleA(nullptr);
    std::ostringstream faults;
    int checked = 0;
    for (int id : DialogResourceIds(module)) {
        size_t size = 0;
        const uint8_t* bytes = DialogResource(module, id, &size);
        DialogTemplate parsed;
        std::vector<uint8_t> copy = AsHiddenPopup(bytes, size);
        if (!ParseDialogTemplate(bytes, size, &parsed) || copy.empty())
            continue;
        HWND dialog = CreateDialogIndirectParamA(
            module, reinterpret_cast<LPCDLGTEMPLATEA>(copy.data()), nullptr,
            [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
        for (size_t i = 0; dialog && i < parsed.controls.size(); i++) {
            const TemplateControl& c = parsed.controls[i];
            if (c.kind != CLASS_EDIT ||
                NameSourceOf(parsed, i, id, NameTable{nullptr, 0}) != NAME_LABEL)
                continue;
            IAccessible* object = nullptr;
            BSTR name = nullptr;
            VARIANT self = {};
            self.vt = VT_I4;
            self.lVal = CHILDID_SELF;
            if (SUCCEEDED(AccessibleObjectFromWindow(GetDlgItem(dialog, c.id), OBJID_CLIENT,
                                                     IID_IAccessible,
                                                     reinterpret_cast<void**>(&object)))) {
                object->get_accName(self, &name);
                object->Release();
            }
            if (!name || !*name)
                faults << "dialog " << id << ": control " << c.id << " has no name in oleacc\n";
            SysFreeString(name);
            ++checked;
        }
        if (dialog)
            DestroyWindow(dialog);
    }
    CoUninitialize();
    EXPECT_GE(checked, 45) << "the labelled edits were not all found";
    EXPECT_EQ("", faults.str());
}

struct DialogCheck {
    Recorder* recorder;
    std::string faults;
};

// Every dialog of the binding frame names its controls as it opens: the Group dialog's lists.
TEST(AccessibleNames, AFormDialogNamesItsControlsAsItOpens)
{
    ASSERT_EQ(1, StartFrame());
    Recorder recorder;
    SetAccPropServicesForTest(&recorder);
    DialogCheck check = {&recorder, "not opened"};
    static const FormDialogDef GROUP = Dialog(IDD_GROUP, FormTable{}).Init([](FormDialog& d) {
        DialogCheck& c = *static_cast<DialogCheck*>(d.context);
        c.faults = CheckGiven(*c.recorder, d.form.window, IDD_GROUP);
        PostMessageA(d.form.window, WM_COMMAND, IDCANCEL, 0);
        return 0;
    });
    RunFormDialog(nullptr, GROUP, nullptr, 0, &check);
    EXPECT_EQ("", check.faults);
    SetAccPropServicesForTest(nullptr);
}

// The address fields of the Network page: the control and each of its four fields.
TEST(AccessibleNames, AnAddressControlsFieldsGetItsName)
{
    RegisterOwnClasses();
    Recorder recorder;
    SetAccPropServicesForTest(&recorder);
    size_t size = 0;
    const uint8_t* bytes = DialogResource(GetModuleHandleA(nullptr), IDD_PAGE_NETWORK, &size);
    ASSERT_NE(nullptr, bytes);
    std::vector<uint8_t> copy = AsHiddenPopup(bytes, size);
    HWND page = CreateDialogIndirectParamA(
        GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(copy.data()), nullptr,
        [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    ASSERT_NE(nullptr, page);
    GiveAccessibleNames(page, IDD_PAGE_NETWORK);
    EXPECT_EQ("", CheckGiven(recorder, page, IDD_PAGE_NETWORK));
    DestroyWindow(page);
    SetAccPropServicesForTest(nullptr);
}

}  // namespace
