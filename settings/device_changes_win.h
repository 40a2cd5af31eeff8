/*
 * The change list shown: the words of its rows read from the program's own dialog templates
 * and strings (so they match the pages, in whatever language the resources are), the modal
 * dialog that lists them before an upload or for a comparison, and the text that names what a
 * device did not take.
 */
#ifndef MORAVEL_SETTINGS_DEVICE_CHANGES_WIN_H
#define MORAVEL_SETTINGS_DEVICE_CHANGES_WIN_H

#include <windows.h>

#include <string>
#include <vector>

#include "settings/device_changes.h"

enum ChangesPurpose {
    CHANGES_UPLOAD, /* "Upload to Device": Upload (IDOK) and Cancel */
    CHANGES_DEVICE, /* Compare with Device: Close only */
    CHANGES_FILE,   /* Compare with File: Close only */
};

/* The rows as text, each part resolved: where, what, before, after. */
struct ShownChange {
    std::string where;
    std::string what;
    std::string before;
    std::string after;
};
std::vector<ShownChange> ShowChanges(const std::vector<ItemChange>& changes);

/* The dialog; `fileName` names the file compared (CHANGES_FILE). IDOK when the user chose
 * Upload, IDCANCEL otherwise. */
INT_PTR RunChangesDialog(HWND owner, const std::vector<ItemChange>& changes, ChangesPurpose purpose,
                         const char* fileName);

/* The message naming what the device did not take: one line per change (the device's value
 * and the one sent), at most a screenful. */
std::string RefusedMessage(const std::vector<ItemChange>& refused);

#endif
