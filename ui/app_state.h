/*
 * AppState: the window and view facts of the program (the document's are in document/). Portable
 * on purpose: the enabling rules, the layout and the dial rules read it in native tests, so
 * window and module handles are kept as opaque pointers and only the Win32 layer casts them
 * back.
 */
#ifndef MORAVEL_UI_APP_STATE_H
#define MORAVEL_UI_APP_STATE_H

#include <cstdint>

constexpr int ACCEPTED_ID_SLOTS = 10;

enum ModelFamily : uint8_t { MODEL_NONE = 0, MODEL_A4 = 1, MODEL_A3 = 2 };

enum View : uint32_t { VIEW_DEVICE = 0, VIEW_QUICK = 1, VIEW_SPEED = 2, VIEW_GROUP = 3 };

struct AppState {
    uint8_t model;
    uint32_t acceptedProductIds[ACCEPTED_ID_SLOTS];
    uint32_t quickKeyCount;
    uint32_t groupKeyCount;
    uint32_t firstProgramKey;

    void* instanceModule;
    void* resourceModule;
    void* resourceLibrary;
    void* mainWindow;

    uint32_t connected;
    uint32_t remoteModeOpen;

    View currentView;
    int32_t selectedRow;
    int32_t currentRow;
    int32_t treePaneWidth;
    uint32_t listColumnSet;
    /* The main window's DPI (96 at 100 %): the sizes of its parts are scaled to it. */
    int32_t dpi;

    /* Source index of each dial clipboard's copy (Quick Dial, Speed Dial, Group); -1 = empty. */
    int32_t quickClipSource;
    int32_t speedClipSource;
    int32_t groupClipSource;

    /* Child windows and image lists of the main window. */
    void* toolbar;
    void* tooltip;
    void* statusBar;
    void* tree;
    void* dialList;
    void* memberList;
    void* connectionPanel;
    void* treeImages;
    void* toolbarImages;
    void* toolbarDisabledImages;
};

extern AppState gApp;

/* Puts every field to its value at start-up (everything zero but the few non-zero defaults). */
void ResetAppState(AppState* app);

/* Reads the model profile text ("%s %x %x", e.g. "A4ZRPQ 2A02") into the model fields. An
 * unknown name leaves the model at MODEL_NONE with no accepted ids and no keys. Returns model. */
int ApplyModelProfile(AppState* app, const char* profileText);

#endif
