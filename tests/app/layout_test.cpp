// The model profile and the pane geometry of the main window.
#include <gtest/gtest.h>

#include <cstring>

#include "app/layout.h"
#include "document/document.h"
#include "ui/app_state.h"

namespace {

// The profile's ids are what the transport is given (SetAcceptedProductIds).
bool IsAcceptedProductId(const AppState* app, uint32_t id)
{
    for (uint32_t accepted : app->acceptedProductIds)
        if (accepted != 0 && accepted == id)
            return true;
    return false;
}

TEST(ModelProfile, ShippedA4ProfileAcceptsOnlyItsId)
{
    AppState app;
    ResetAppState(&app);
    EXPECT_EQ(MODEL_A4, ApplyModelProfile(&app, "A4ZRPQ 2A02"));
    EXPECT_EQ(30u, app.quickKeyCount);
    EXPECT_EQ(30u, app.groupKeyCount);
    EXPECT_EQ(26u, app.firstProgramKey);
    EXPECT_TRUE(IsAcceptedProductId(&app, 0x2A02));
    for (uint16_t other : {0x0, 0x2A03, 0x2A0, 0xFFFF})
        EXPECT_FALSE(IsAcceptedProductId(&app, other)) << std::hex << other;
}

TEST(ModelProfile, A3ProfileWithTwoIdsAcceptsBoth)
{
    AppState app;
    ResetAppState(&app);
    EXPECT_EQ(MODEL_A3, ApplyModelProfile(&app, "A3ZRPQ 2A02 2a1f"));
    EXPECT_TRUE(IsAcceptedProductId(&app, 0x2A02));
    EXPECT_TRUE(IsAcceptedProductId(&app, 0x2A1F));
    EXPECT_FALSE(IsAcceptedProductId(&app, 0x2A03));
    for (int i = 0; i < 5; i++) {
        EXPECT_EQ(0x2A02u, app.acceptedProductIds[i]) << "slot " << i;
        EXPECT_EQ(0x2A1Fu, app.acceptedProductIds[5 + i]) << "slot " << 5 + i;
    }
}

TEST(ModelProfile, UnknownOrMissingProfileAcceptsNothingAndHasNoKeys)
{
    for (const char* text : {"A5ZRPQ 2A02", "", "A4ZRPQX 2A02", "a4zrpq 2A02", "2A02"}) {
        AppState app;
        ResetAppState(&app);
        EXPECT_EQ(MODEL_NONE, ApplyModelProfile(&app, text)) << '"' << text << '"';
        EXPECT_EQ(0u, app.quickKeyCount) << text;
        EXPECT_FALSE(IsAcceptedProductId(&app, 0x2A02)) << text;
        EXPECT_FALSE(IsAcceptedProductId(&app, 0)) << text;
    }
    AppState app;
    ResetAppState(&app);
    EXPECT_EQ(MODEL_NONE, ApplyModelProfile(&app, nullptr));
}

TEST(AppStateDefaults, ANewDocumentIsUntitledUntilItHasAFolder)
{
    Document doc = {};
    SetUntitledDocument(doc, "NewFile.Dat");
    EXPECT_TRUE(IsUntitledDocument(doc));
    SetDocumentPath(doc, "C:\\Data\\NewFile.Dat");
    EXPECT_FALSE(IsUntitledDocument(doc)) << "a file of that name in a folder is the user's";
}

TEST(AppStateDefaults, NoRowSelectedAndDialColumns)
{
    AppState app;
    ResetAppState(&app);
    EXPECT_EQ(-1, app.selectedRow);
    EXPECT_EQ(1u, app.listColumnSet);
    EXPECT_EQ(0, app.treePaneWidth);
}

TEST(StatusBar, PartEdgesAtSixHundredPixels)
{
    int edges[STATUS_PARTS];
    ComputeStatusEdges(600, edges);
    const int expected[STATUS_PARTS] = {160, 320, 420, 480, 540, 600};
    for (int i = 0; i < STATUS_PARTS; i++)
        EXPECT_EQ(expected[i], edges[i]) << "part " << i;
}

TEST(Dpi, SizesScaleAndPicturesAreNeverStretched)
{
    const struct {
        int dpi, toolbar, tree, picture, lastEdgeFromRight;
    } cases[] = {{96, 55, 16, 100, 440},  {120, 69, 20, 100, 550}, {144, 83, 24, 150, 660},
                 {168, 96, 28, 150, 770}, {192, 110, 32, 200, 880}, {288, 165, 48, 200, 1320}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.toolbar, ScaleToDpi(55, c.dpi)) << c.dpi;
        EXPECT_EQ(c.tree, ScaleToDpi(16, c.dpi)) << c.dpi;
        EXPECT_EQ(c.picture, PictureScale(c.dpi)) << c.dpi;
        int edges[STATUS_PARTS];
        ComputeStatusEdges(2000, edges, c.dpi);
        EXPECT_EQ(2000 - c.lastEdgeFromRight, edges[0]) << c.dpi;
        EXPECT_EQ(2000, edges[STATUS_PARTS - 1]) << c.dpi;
    }
    EXPECT_EQ(300, RescaleSize(200, 96, 144)) << "the tree pane moving to a 150 % monitor";
    EXPECT_EQ(200, RescaleSize(300, 144, 96));
}

TEST(PaneLayout, TreeWidthIsFixedAtTheFirstLayout)
{
    int tree = 0;
    PaneLayout layout;
    ComputePaneLayout(584, 300, 60, &tree, 1, VIEW_QUICK, &layout);
    EXPECT_EQ(194, tree);
    ComputePaneLayout(1264, 900, 60, &tree, 1, VIEW_QUICK, &layout);
    EXPECT_EQ(194, tree) << "a wider window must not widen the tree";
    EXPECT_EQ(192, layout.tree.width);
    EXPECT_EQ(194, layout.dialList.x);
    EXPECT_EQ(1264 - 194, layout.dialList.width);
    EXPECT_EQ(900 - 60 - 24, layout.dialList.height);
}

TEST(PaneLayout, WithoutDataThePanelCoversTheWholeWidth)
{
    int tree = 0;
    PaneLayout layout;
    ComputePaneLayout(600, 300, 40, &tree, 0, VIEW_GROUP, &layout);
    EXPECT_TRUE(layout.panel.visible);
    EXPECT_EQ(0, layout.panel.x);
    EXPECT_EQ(600, layout.panel.width);
    EXPECT_EQ(40, layout.panel.y);
    EXPECT_FALSE(layout.tree.visible);
    EXPECT_FALSE(layout.dialList.visible);
    EXPECT_FALSE(layout.memberList.visible);
}

TEST(PaneLayout, GroupViewSplitsFourToThree)
{
    int tree = 200;
    PaneLayout layout;
    ComputePaneLayout(900, 400, 50, &tree, 1, VIEW_GROUP, &layout);
    EXPECT_EQ(400, layout.dialList.width);  // (4 * 700) / 7
    EXPECT_EQ(600, layout.memberList.x);
    EXPECT_EQ(300, layout.memberList.width);
    EXPECT_TRUE(layout.memberList.visible);
    EXPECT_FALSE(layout.panel.visible);

    ComputePaneLayout(901, 400, 50, &tree, 1, VIEW_GROUP, &layout);
    EXPECT_EQ(400, layout.dialList.width) << "integer division truncates";
    EXPECT_EQ(301, layout.memberList.width) << "the member list takes the remainder";
}

TEST(PaneLayout, DeviceViewWithDataShowsPanelBesideTree)
{
    int tree = 0;
    PaneLayout layout;
    ComputePaneLayout(600, 300, 40, &tree, 1, VIEW_DEVICE, &layout);
    EXPECT_TRUE(layout.panel.visible);
    EXPECT_EQ(200, layout.panel.x);
    EXPECT_EQ(400, layout.panel.width);
    EXPECT_TRUE(layout.tree.visible);
    EXPECT_FALSE(layout.dialList.visible);
}

}
