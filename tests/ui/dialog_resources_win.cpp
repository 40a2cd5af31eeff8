/* The dialog templates of a module. See dialog_resources_win.h. */
#include "tests/ui/dialog_resources_win.h"

#include "ui/layout_check.h"
#include "ui/layout_check_win.h"

#include <commctrl.h>

#include <cstring>
#include <sstream>

namespace {

BOOL CALLBACK CollectId(HMODULE, LPCSTR, LPSTR name, LONG_PTR ids)
{
    if (IS_INTRESOURCE(name))
        reinterpret_cast<std::vector<int>*>(ids)->push_back(
            static_cast<int>(reinterpret_cast<ULONG_PTR>(name)));
    return TRUE;
}

}  // namespace

std::vector<int> DialogResourceIds(HMODULE module)
{
    std::vector<int> ids;
    EnumResourceNamesA(module, RT_DIALOG, CollectId, reinterpret_cast<LONG_PTR>(&ids));
    return ids;
}

const uint8_t* DialogResource(HMODULE module, int id, size_t* size)
{
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), RT_DIALOG);
    *size = found ? SizeofResource(module, found) : 0;
    return found ? static_cast<const uint8_t*>(LockResource(LoadResource(module, found))) : nullptr;
}

/* The style is the template's first dword, or the fourth of an extended template. */
std::vector<uint8_t> AsHiddenPopup(const uint8_t* bytes, size_t size)
{
    std::vector<uint8_t> copy(bytes, bytes + size);
    const bool extended = size >= 16 && bytes[2] == 0xFF && bytes[3] == 0xFF;
    const size_t at = extended ? 12 : 0;
    DWORD style;
    if (size < at + sizeof style)
        return {};
    memcpy(&style, &copy[at], sizeof style);
    style &= ~(WS_CHILD | WS_VISIBLE | WS_DISABLED | DS_CONTROL);
    style |= WS_POPUP;
    memcpy(&copy[at], &style, sizeof style);
    return copy;
}

void RegisterOwnClasses()
{
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_INTERNET_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSA wc = {};
    wc.style = CS_GLOBALCLASS;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "MoravelPreviewPage";
    RegisterClassA(&wc);
}

std::string WalkForms(HMODULE module, int* forms, const FormLook& look)
{
    std::ostringstream report;
    *forms = 0;
    for (int id : DialogResourceIds(module)) {
        size_t size = 0;
        const uint8_t* bytes = DialogResource(module, id, &size);
        DialogTemplate parsed;
        if (!ParseDialogTemplate(bytes, size, &parsed)) {
            report << "dialog " << id << ": no whole template\n";
            continue;
        }
        if (look(id, bytes, size, parsed, report))
            ++*forms;
    }
    return report.str();
}

namespace {

INT_PTR CALLBACK QuietDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

int ScreenDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}
}  // namespace

int ScreenWidthAtDpi() { return MulDiv(1024, ScreenDpi(), 96); }
int ScreenHeightAtDpi() { return MulDiv(768, ScreenDpi(), 96); }

namespace {

// A control by its id and, when it has one, its text as the template holds it (UTF-8).
std::string Name(const DialogTemplate& form, int index, int id)
{
    std::string name = std::to_string(id);
    if (index >= 0 && static_cast<size_t>(index) < form.controls.size()) {
        const std::u16string& text = form.controls[static_cast<size_t>(index)].text;
        if (!text.empty())
            name += " \"" + Utf8(text) + "\"";
    }
    return name;
}

}  // namespace

std::string Utf8(const std::u16string& text)
{
    const wchar_t* wide = reinterpret_cast<const wchar_t*>(text.c_str());
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(text.size()), nullptr,
                                         0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(text.size()), &out[0], size,
                            nullptr, nullptr);
    return out;
}

std::string LayoutFaultsOfForms(HMODULE module, int* forms)
{
    return WalkForms(module, forms, [module](int id, const uint8_t* bytes, size_t size,
                                             const DialogTemplate& form, std::ostream& report) {
        std::vector<uint8_t> copy = AsHiddenPopup(bytes, size);
        // Unicode: an ANSI dialog would pass its texts through this process's code page, and
        // a form in another script would be measured as question marks.
        HWND dialog = copy.empty() ? nullptr
                                   : CreateDialogIndirectParamW(
                                         module, reinterpret_cast<LPCDLGTEMPLATEW>(copy.data()),
                                         nullptr, QuietDialogProc, 0);
        if (!dialog) {
            report << "dialog " << id << ": not created (error " << GetLastError() << ")\n";
            return false;
        }
        RECT outer;
        GetWindowRect(dialog, &outer);
        const std::vector<LayoutFault> faults =
            CheckLayout(MeasureLayout(dialog), outer.right - outer.left, outer.bottom - outer.top,
                        ScreenWidthAtDpi(), ScreenHeightAtDpi());
        for (const LayoutFault& f : faults)
            report << "dialog " << id << ", " << DescribeLayoutFault(f) << " ("
                   << Name(form, f.index, f.id)
                   << (f.otherIndex >= 0 ? " / " + Name(form, f.otherIndex, f.otherId) : "")
                   << ")\n";
        DestroyWindow(dialog);
        return true;
    });
}
