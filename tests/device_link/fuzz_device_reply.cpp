// Arbitrary device bytes against the download: the reply stream of a scripted device is the
// fuzz input. Whatever comes, the image keeps its ids, every length is one the image can hold,
// and the upload that follows stays within the records.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "ui/app_state.h"
#include "device/byte_order.h"
#include "document/document.h"
#include "device/device_transfer.h"
#include "scripted_backend.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool ready = false;
    static ScriptedBackend s;
    if (!ready) {
        ResetAppState(&gApp);
        ApplyModelProfile(&gApp, "A4ZRPQ 2A02");
        SetAcceptedProductIds(gApp.acceptedProductIds, ACCEPTED_ID_SLOTS);
        CreateDeviceImage(gDocument.image);
        SetUploadDumpPath(nullptr);
        ready = true;
    }
    ResetDeviceImage(gDocument.image);
    InitScriptedBackend(&s, 0x2A02);
    s.replies.assign(data, data + size);
    SetDeviceBackend(&s.backend);

    const int downloaded = DownloadImage(&gDocument.image, nullptr);
    for (int r = 0; r < ITEM_COUNT; r++) {
        if (ItemId(gDocument.image, r) != PositionItemId(r))
            std::abort();
        const uint32_t length = ItemLength(gDocument.image, r);
        if (length != ITEM_ABSENT && length > static_cast<uint32_t>(ITEM_VALUE_SIZE))
            std::abort();
    }
    if (downloaded && s.replyAt > s.replies.size())
        std::abort();
    UploadImage(&gDocument.image, nullptr);
    SetDeviceBackend(nullptr);
    return 0;
}
