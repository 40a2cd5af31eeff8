/*
 * The process-wide application state and the model profile that adapts the program to the A4
 * or the A3 device family.
 */
#include "ui/app_state.h"

#include <cstdio>
#include <cstring>

#include "document/dial_tables.h"

AppState gApp;

namespace {

/* Stands in for a product id the profile text does not give: wider than any USB id, so it
 * matches no device. */
constexpr uint32_t NO_PRODUCT_ID = 0xFFFFFFFFu;
constexpr int PROFILE_NAME_SIZE = 128;

}

void ResetAppState(AppState* app)
{
    std::memset(app, 0, sizeof *app);
    app->selectedRow = -1;
    app->listColumnSet = 1;
    app->quickClipSource = -1;
    app->speedClipSource = -1;
    app->groupClipSource = -1;
    app->dpi = 96;
}

int ApplyModelProfile(AppState* app, const char* profileText)
{
    char name[PROFILE_NAME_SIZE] = "";
    unsigned int first = NO_PRODUCT_ID;
    unsigned int second = NO_PRODUCT_ID;
    if (profileText)
        std::sscanf(profileText, "%127s %x %x", name, &first, &second);

    if (std::strcmp(name, "A3ZRPQ") == 0)
        app->model = MODEL_A3;
    else if (std::strcmp(name, "A4ZRPQ") == 0)
        app->model = MODEL_A4;
    else {
        app->model = MODEL_NONE;
        return MODEL_NONE;
    }

    app->firstProgramKey = PROGRAM_KEY_FIRST;
    app->quickKeyCount = QUICK_KEY_COUNT;
    app->groupKeyCount = QUICK_KEY_COUNT;
    for (int i = 0; i < 5; i++) {
        app->acceptedProductIds[i] = first;
        app->acceptedProductIds[5 + i] = second;
    }
    return app->model;
}
