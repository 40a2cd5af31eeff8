/* Names given to windows and status changes told to screen readers. See accessible_names_win.h. */
#include "ui/accessible_names_win.h"

#include "ui/accessible_names.h"
#include "ui/ui_win.h"

namespace {

IAccPropServices* gTestServices = nullptr;

/* The headers for Windows 7 leave out what Windows 8 added for live regions. */
constexpr DWORD LIVE_REGION_CHANGED = 0x8019; /* EVENT_OBJECT_LIVEREGIONCHANGED */
constexpr LONG LIVE_POLITE = 1;
const GUID LIVE_SETTING_PROPERTY = {
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
/* PROPID_ACC_NAME, defined here so that no translation unit needs <initguid.h>. */
const GUID NAME_PROPERTY = {
    0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};
const GUID SERVICES_CLASS = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
const GUID SERVICES_INTERFACE = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};

/* A reference the caller releases, or nullptr (COM not started, no oleacc). */
IAccPropServices* OpenServices()
{
    if (gTestServices) {
        gTestServices->AddRef();
        return gTestServices;
    }
    IAccPropServices* services = nullptr;
    EnsureCom();
    if (FAILED(CoCreateInstance(SERVICES_CLASS, nullptr, CLSCTX_INPROC_SERVER, SERVICES_INTERFACE,
                                reinterpret_cast<void**>(&services))))
        return nullptr;
    return services;
}

void SetName(IAccPropServices* services, HWND control, const wchar_t* name)
{
    services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, NAME_PROPERTY,
                             name);
    for (HWND child = GetWindow(control, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char type[16];
        if (GetClassNameA(child, type, sizeof type) && lstrcmpiA(type, "Edit") == 0)
            services->SetHwndPropStr(child, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                     NAME_PROPERTY, name);
    }
}

void CALLBACK MainWindowNamesTimer(HWND window, UINT, UINT_PTR id, DWORD)
{
    KillTimer(window, id);
    GiveAccessibleNames(window, FORM_MAIN_WINDOW);
}

}  // namespace

void GiveAccessibleNames(HWND window, int form)
{
    IAccPropServices* services = nullptr;
    for (size_t i = 0; i < ACCESSIBLE_NAMES.count; i++) {
        const AccessibleName& entry = ACCESSIBLE_NAMES.names[i];
        HWND control = entry.form == form ? GetDlgItem(window, entry.control) : nullptr;
        if (!control)
            continue;
        if (!services && !(services = OpenServices()))
            return;
        char text[128];
        wchar_t name[128];
        LoadStr(static_cast<UINT>(entry.stringId), text, sizeof text);
        if (text[0] && MultiByteToWideChar(CP_ACP, 0, text, -1, name, 128) > 0)
            SetName(services, control, name);
    }
    if (services)
        services->Release();
}

void GiveMainWindowNamesLater(HWND window)
{
    /* A timer's message comes only when nothing else, painting included, is waiting. */
    SetTimer(window, reinterpret_cast<UINT_PTR>(&MainWindowNamesTimer), 0, MainWindowNamesTimer);
}

void AnnounceStatusText(HWND statusBar, int part, int speak)
{
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, statusBar, OBJID_CLIENT, part + 1);
    if (!speak)
        return;
    /* A live region is what Narrator reads out without the focus on it; marking the bar again
     * each time keeps no state for a window that may be gone. */
    if (IAccPropServices* services = OpenServices()) {
        VARIANT polite = {};
        polite.vt = VT_I4;
        polite.lVal = LIVE_POLITE;
        services->SetHwndProp(statusBar, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                              LIVE_SETTING_PROPERTY, polite);
        services->Release();
    }
    NotifyWinEvent(LIVE_REGION_CHANGED, statusBar, OBJID_CLIENT, CHILDID_SELF);
}

void SetAccPropServicesForTest(IAccPropServices* services) { gTestServices = services; }
