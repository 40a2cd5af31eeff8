// The Copier page's own rules. See copier_page.h.
#include "settings/copier_page.h"

#include "resources/resource_ids.h"

int TrayPriorityCount(uint8_t optionalTrays)
{
    return optionalTrays >= 1 && optionalTrays <= 4 ? optionalTrays + 1 : 1;
}

uint8_t ClampTrayPriority(uint8_t value, uint8_t optionalTrays, uint8_t bypassTray)
{
    const int last = TrayPriorityCount(optionalTrays) - 1;
    if (value <= last)
        return value;
    return static_cast<uint8_t>(bypassTray == 1 ? last + 1 : last);
}

const CopierA3Field* CopierA3CheckOrder(int applying)
{
    static const CopierA3Field LEAVE[COPIER_A3_FIELD_COUNT] = {{1228, 0, 20}, {1155, 5, 20}};
    static const CopierA3Field APPLY[COPIER_A3_FIELD_COUNT] = {{1155, 5, 20}, {1228, 0, 20}};
    return applying ? APPLY : LEAVE;
}

namespace {

const RadioButton ORIGINAL[] = {
    {IDC_COPY_ORIGINAL_TEXT, 0, CODE_ANY},
    {IDC_COPY_ORIGINAL_PHOTO, ORIGINAL_PHOTO, CODE_ANY},
    {IDC_COPY_ORIGINAL_TEXT_PHOTO, 2, CODE_ANY},
};

const RadioButton DENSITY_MODE[] = {
    {IDC_COPY_DENSITY_AUTO, 0, CODE_ANY},
    {IDC_COPY_DENSITY_MANUAL, 1, CODE_ANY},
};

const RadioButton AUTO_DENSITY[] = {
    {IDC_COPY_AUTO_LIGHTER, 0, CODE_ANY},
    {IDC_COPY_AUTO_NORMAL, 1, CODE_ANY},
    {IDC_COPY_AUTO_DARKER, 2, CODE_ANY},
};

const RadioButton SORT[] = {{IDC_COPY_SORT_OFF, 0, CODE_ANY}, {IDC_COPY_SORT_ON, 1, CODE_ANY}};

const RadioButton TWO_IN_ONE[] = {{IDC_COPY_2IN1_OFF, 0, CODE_ANY},
                                  {IDC_COPY_2IN1_ON, 1, CODE_ANY}};

const RadioButton TWO_SIDED_COPY[] = {
    {IDC_COPY_2SIDED_COPY_OFF, 0, CODE_ANY},
    {IDC_COPY_2SIDED_COPY_ON, 1, CODE_ANY},
};

const SliderOptions LEVEL = {Range(0, 4), 1, 2, 0, 0, 0, nullptr};

const Binding BINDINGS[] = {
    ComboIndex(IDC_COPY_TRAY_PRIORITY, EDIT_FIELD(copy.paperTrayPriority), IDS_TRAY_1, IDS_TRAY_5),
    RadioGroup(EDIT_FIELD(copy.originalType), ORIGINAL),
    RadioGroup(EDIT_FIELD(copy.densityMode), DENSITY_MODE),
    RadioGroup(EDIT_FIELD(copy.autoDensity), AUTO_DENSITY),
    Slider(IDC_COPY_MANUAL_DENSITY, EDIT_FIELD(copy.manualDensity), LEVEL),
    RadioGroup(EDIT_FIELD(copy.sort), SORT),
    RadioGroup(EDIT_FIELD(copy.twoInOne), TWO_IN_ONE),
    CheckBox(IDC_COPY_2SIDED_ORIGINAL, EDIT_FIELD(copy.twoSidedOriginal), 1),
    RadioGroup(EDIT_FIELD(copy.twoSidedCopy), TWO_SIDED_COPY),
    CheckBox(IDC_COPY_FACE_DOWN, EDIT_FIELD(copy.faceDownEject), 1),
    Slider(IDC_COPY_BALANCE_R, EDIT_FIELD(copy.colorRed), LEVEL),
    Slider(IDC_COPY_BALANCE_G, EDIT_FIELD(copy.colorGreen), LEVEL),
    Slider(IDC_COPY_BALANCE_B, EDIT_FIELD(copy.colorBlue), LEVEL),
    Slider(IDC_COPY_CONTRAST, EDIT_FIELD(copy.contrast), LEVEL),
    Slider(IDC_COPY_SHARPNESS, EDIT_FIELD(copy.sharpness), LEVEL),
    ComboIndex(IDC_COPY_BINDING, EDIT_FIELD(copy.originalBinding), IDS_BINDING_TOP_TO_TOP,
               IDS_BINDING_TOP_TO_BOTTOM),
    ComboIndex(IDC_COPY_ORIENTATION, EDIT_FIELD(copy.originalOrientation), IDS_ORIENTATION_PORTRAIT,
               IDS_ORIENTATION_LANDSCAPE),
    ComboIndex(IDC_COPY_OUTPUT_ORDER, EDIT_FIELD(copy.outputOrder), IDS_OUTPUT_FIRST_TO_LAST,
               IDS_OUTPUT_LAST_TO_FIRST),
};

const int DENSITY_MODE_RADIOS[] = {IDC_COPY_DENSITY_AUTO, IDC_COPY_DENSITY_MANUAL};

const ControlRule ENABLES[] = {
    ControlsWhen(DENSITY_MODE_RADIOS, WhenNotEqual(EDIT_FIELD(copy.originalType), ORIGINAL_PHOTO)),
};

const int ADF_GROUPS[] = {
    IDC_COPY_SORT_BOX,
    IDC_COPY_SORT_OFF,
    IDC_COPY_SORT_ON,
    IDC_COPY_2IN1_BOX,
    IDC_COPY_2IN1_OFF,
    IDC_COPY_2IN1_ON,
    IDC_COPY_2SIDED_ORIGINAL_BOX,
    IDC_COPY_2SIDED_ORIGINAL,
    IDC_COPY_2SIDED_COPY_BOX,
    IDC_COPY_2SIDED_COPY_OFF,
    IDC_COPY_2SIDED_COPY_ON,
};

const ControlRule SHOWS[] = {
    ControlsWhen(ADF_GROUPS, WhenEqual(EDIT_FIELD(config.adf), 1)),
};

}  // namespace

const FormTable COPIER_TABLE = Table(BINDINGS, ENABLES, SHOWS);
