// The document's operations. See document.h.
#include "document/document.h"

#include <cstring>

#include "device/device_transfer.h"
#include "device/setting_file.h"
#include "document/dial_records.h"

Document gDocument = {};

namespace {

void CopyText(char* out, size_t size, const char* text)
{
    if (size == 0)
        return;
    size_t n = 0;
    for (; text && text[n] && n + 1 < size; n++)
        out[n] = text[n];
    out[n] = '\0';
}

// Name and extension of a path.
const char* FileNameOf(const char* path)
{
    const char* name = path;
    for (const char* p = path; *p; p++)
        if (*p == '\\' || *p == '/' || *p == ':')
            name = p + 1;
    return name;
}

}  // namespace

int CreateDocument(Document& doc)
{
    if (!CreateDeviceImage(doc.image))
        return 0;
    LoadEditState(doc.edit, doc.image);
    doc.modified = 0;
    doc.dataPresent = 0;
    return 1;
}

void ReleaseDocument(Document& doc) { ReleaseDeviceImage(doc.image); }

void SetUntitledDocument(Document& doc, const char* title)
{
    CopyText(doc.title, sizeof doc.title, title);
    CopyText(doc.path, sizeof doc.path, doc.title);
}

void SetDocumentPath(Document& doc, const char* path)
{
    if (path)
        CopyText(doc.path, sizeof doc.path, path);
}

void NameDocument(Document& doc, const char* path)
{
    if (!path)
        return;
    CopyText(doc.path, sizeof doc.path, path);
    CopyText(doc.title, sizeof doc.title, FileNameOf(path));
}

int IsUntitledDocument(const Document& doc) { return std::strcmp(doc.path, doc.title) == 0; }

void MarkDocumentChanged(Document& doc) { doc.modified = 1; }

int TakeNewImage(Document& doc, int keyCount)
{
    LoadEditState(doc.edit, doc.image);
    const int mended = TidyDialDirectory(doc.edit, keyCount);
    if (mended)
        StoreEditState(doc.edit, doc.image);
    return mended;
}

int TakeDownloadedImage(Document& doc, const DeviceImage& whole, int keyCount)
{
    if (!doc.image.bytes || !whole.bytes)
        return 0;
    std::memcpy(doc.image.bytes, whole.bytes, DEVICE_IMAGE_SIZE);
    doc.dataPresent = 1;
    TakeNewImage(doc, keyCount);
    return 1;
}

int DownloadDocument(Document& doc, int keyCount, const TransferProgress* progress)
{
    DeviceImage read = {nullptr};
    const int whole = CreateDeviceImage(read) && DownloadImage(&read, progress) &&
                      TakeDownloadedImage(doc, read, keyCount);
    ReleaseDeviceImage(read);
    return whole;
}

int CommitEdits(Document& doc) { return CommitEditState(doc.edit, doc.image); }

int RevertEdits(Document& doc) { return LoadEditState(doc.edit, doc.image); }

int SetSentLength(Document& doc, uint32_t id, uint32_t length)
{
    return SetPresentItemLength(doc.image, id, length);
}

int ReadDocumentFile(Document& doc, const char* path) { return ReadSettingFile(doc.image, path); }

int WriteDocumentFile(Document& doc, const char* path)
{
    CommitEdits(doc);
    return WriteSettingFile(doc.image, path);
}
