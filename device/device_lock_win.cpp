/* The devices' lock. See device_lock_win.h. */
#include "device/device_lock_win.h"

#include <windows.h>

#include <string>

namespace {

/* A mutex rather than a file: the system releases it (as abandoned) when a holder dies. */
std::string gName;
HANDLE gLock = nullptr;
bool gHeld = false;

}  // namespace

void SetDeviceLockName(const char* name)
{
    const std::string next = name ? name : "";
    if (next == gName)
        return;
    ReleaseDeviceLock();
    if (gLock)
        CloseHandle(gLock);
    gLock = nullptr;
    gName = next;
}

int TakeDeviceLock()
{
    if (gName.empty() || gHeld)
        return 1;
    if (!gLock)
        gLock = CreateMutexA(nullptr, FALSE, gName.c_str());
    if (!gLock)
        return 0;
    const DWORD waited = WaitForSingleObject(gLock, 0);
    gHeld = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    return gHeld ? 1 : 0;
}

void ReleaseDeviceLock()
{
    if (!gHeld)
        return;
    ReleaseMutex(gLock);
    gHeld = false;
}
