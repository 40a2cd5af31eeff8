/* The dialog templates of a module. See dialog_resources_win.h. */
#include "tests/ui/dialog_resources_win.h"

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
