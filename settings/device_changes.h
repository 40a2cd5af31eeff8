// What an upload changes on the device: two images in (the device's data and the data to be
// sent), one row per setting or dial entry out, each named and valued through the same tables
// the settings pages and dial lists are built from, so the words match what those show.
//
// A row's texts are kept as parts that a front end resolves: string resources, the caption of
// a dialog template, the text of a control in a template or the text that labels it. The Win32
// layer reads them from the program's own templates (a translation then translates the review
// too); the tests resolve them by hand.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "device/device_image.h"
#include "ui/dialog_template.h"

enum WordKind : uint8_t {
    WORDS_TEXT,     // `text` as it stands
    WORDS_STRING,   // string resource `id`; a "%s" in it takes `text`
    WORDS_CAPTION,  // the caption of dialog template `id`
    WORDS_CONTROL,  // the text of control `control` in template `id` (a radio button's words)
    WORDS_LABEL,    // the words that name control `control` in template `id`: a check box's
                    // own, a radio button's group box, else the static text before it
};

struct WordPart {
    WordKind kind;
    int id;
    int control;
    std::string text;
};
// The parts are shown one after the other, without anything in between.
typedef std::vector<WordPart> Words;

bool operator==(const WordPart& a, const WordPart& b);

struct ItemChange {
    int record;
    uint32_t item;
    Words where;   // the settings tab (or dialog) or the dial list
    Words what;    // the field's label, or the entry's number and name
    Words before;  // on the device
    Words after;   // after the upload
};

struct ChangeOptions {
    int a3Model;  // the dial entries' scan options count as part of their value
};

// Every change an upload of `upload` makes to a device holding `device`, in record order: the
// records it sends whose length or value differ (ListChangedRecords), each as one row per field
// whose shown value differs (a record whose fields all look the same still gets one row, so no
// change goes unlisted). Images without bytes give no rows.
std::vector<ItemChange> ListChanges(const DeviceImage& device, const DeviceImage& upload,
                                    const ChangeOptions& options);

// Every setting and dial entry an upload of `image` would send, in record order, in the same
// rows: one per field the pages show (one per entry), with `before` and `after` both its value.
std::vector<ItemChange> ListSettings(const DeviceImage& image, const ChangeOptions& options);

// ---- Showing the parts ------------------------------------------------------------------------

// Where a front end finds the words of the parts. Each returns the text, or "" when it has none.
struct WordSource {
    std::string (*string)(void* context, int id);
    std::string (*caption)(void* context, int templateId);
    std::string (*controlText)(void* context, int templateId, int control);
    std::string (*labelText)(void* context, int templateId, int control);
    void* context;
};

std::string RenderWords(const Words& words, const WordSource& source);

