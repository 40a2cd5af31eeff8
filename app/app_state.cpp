/*
 * The process-wide application state and the model profile that adapts the program to the A4
 * or the A3 device family.
 */
#include "app/app_state.h"

#include <cstdio>
#include <cstring>

AppState g_app;

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

    app->firstProgramKey = 26;
    app->quickKeyCount = 30;
    app->groupKeyCount = 30;
    for (int i = 0; i < 5; i++) {
        app->acceptedProductIds[i] = first;
        app->acceptedProductIds[5 + i] = second;
    }
    return app->model;
}

int IsAcceptedProductId(const AppState* app, uint16_t productId)
{
    for (uint32_t id : app->acceptedProductIds)
        if (id != 0 && id == productId)
            return 1;
    return 0;
}
