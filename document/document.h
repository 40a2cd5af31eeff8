// The document: what the user edits and saves. It owns the device data image (the bytes that go
// to the device and into files), the edit state the editors change (settings and dial tables),
// and the facts about it: its file, whether it has unsaved changes, whether it holds data at
// all. Every front end changes it through the operations below, which know nothing of windows;
// the program's one document is gDocument, tests and other front ends build their own.
//
// The editors work on `edit`; the image follows it only when the work is committed, and the
// edit state is taken back from the image when the work is dropped (the settings sheet's
// Cancel). New data (a download, an opened file) reaches the image first and is then taken.
#pragma once

#include <cstddef>
#include <cstdint>

#include "device/device_image.h"
#include "document/edit_state.h"

constexpr int PATH_SIZE = 260;
constexpr int TITLE_SIZE = 128;

struct TransferProgress;

struct Document {
    DeviceImage image;
    EditState edit;
    char path[PATH_SIZE];    // the file's full path; only a title while untitled
    char title[TITLE_SIZE];  // the file's name and extension, shown in the caption
    uint8_t modified;        // unsaved changes: leaving asks to save
    uint32_t dataPresent;    // 1 once data came from the device or a file
};

// The program's one document.
extern Document gDocument;

// Gives the document its image (every record empty, ids in place) and an edit state taken from
// it; no data, no changes, the path and title left as they are. Called again, it only resets.
// 1, or 0 when out of memory.
int CreateDocument(Document& doc);
void ReleaseDocument(Document& doc);

// The name of a document that has never been opened or saved: `title` as both path and title.
void SetUntitledDocument(Document& doc, const char* title);
// The file the document now belongs to: its path; the title stays as it was (Save keeps the
// caption it had).
void SetDocumentPath(Document& doc, const char* path);
// The same with the file's name as the title (Open, Save As).
void NameDocument(Document& doc, const char* path);
// 1 while the document has never been opened or saved under a name of the user's: its path is
// still only a title, without a folder. Save then asks for a name, and the exit question runs
// Save As.
int IsUntitledDocument(const Document& doc);

// Every change the user makes goes through here, so leaving asks to save.
void MarkDocumentChanged(Document& doc);

// The steps once new data is in the image (a download, an opened file): the edit state is
// taken from it and malformed stored dial entries among the first `keyCount` keys and all Speed
// Dial entries are mended, in the image too, so that the lists, the backup file and every later
// save see the same directory. Returns how many entries were mended.
int TakeNewImage(Document& doc, int keyCount);

// A whole image read from the device replaces the document's: copied in, taken (TakeNewImage)
// and counted as data. A download that did not finish never reaches the document, so what it
// held stays exactly as it was. 1, or 0 when either image has no bytes (nothing changes).
int TakeDownloadedImage(Document& doc, const DeviceImage& whole, int keyCount);

// The window's and the command line's Download: the device read into an image of its own and
// taken (TakeDownloadedImage) only when every record came. 1, or 0 with the document exactly as
// it was. The pipes stay open, as DownloadImage leaves them.
int DownloadDocument(Document& doc, int keyCount, const TransferProgress* progress);

// The editors' work into the image (CommitEditState: values and the lengths of changed texts);
// 1, or 0 without an image.
int CommitEdits(Document& doc);
// The editors' work dropped: the edit state taken from the image again. 1, or 0 without an
// image.
int RevertEdits(Document& doc);

// Sets the length an upload sends for item `id` (0: the item is not sent), unless the device
// lacks the item, which stays absent. For the few items whose length the editors decide rather
// than their text. 1 when it was set.
int SetSentLength(Document& doc, uint32_t id, uint32_t length);

// The setting data file at `path` merged into the image; 1, or 0 when it cannot be read (the
// image is then unchanged). The caller takes the new data (TakeNewImage) and names the
// document.
int ReadDocumentFile(Document& doc, const char* path);
// Commits the edits and writes the image to `path`, replacing the file only when every byte is
// written. 1, or 0; the document's name and change flag are the caller's to set.
int WriteDocumentFile(Document& doc, const char* path);
