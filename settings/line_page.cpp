// The Line page's own rule. See line_page.h.
#include "settings/line_page.h"

#include "resources/resource_ids.h"

#include "settings/system_page.h"

int ApplyLineCountryRule(EditState& state)
{
    if (!IsPushButtonCountry(state.system.country))
        return 1;
    state.line.dialType = DIAL_PUSH_BUTTON;
    return 0;
}

namespace {

/* Push button leaves the pulse rate as it was. */
const RadioButton DIAL[] = {
    {IDC_LINE_PUSH, DIAL_PUSH_BUTTON, CODE_ANY},
    {IDC_LINE_DIAL_10PPS, DIAL_PULSE, PULSE_10PPS},
    {IDC_LINE_DIAL_20PPS, DIAL_PULSE, PULSE_20PPS},
};

const RadioButton LINE_TYPE[] = {
    {IDC_LINE_PSTN, LINE_PSTN, CODE_ANY},
    {IDC_LINE_PABX, LINE_PABX, CODE_ANY},
};

const TextOptions PREFIX = {PABX_PREFIX_SIZE - 1, FILTER_DIGITS, 0, 0, 0};

const Binding BINDINGS[] = {
    RadioGroup(EDIT_FIELD(line.dialType), DIAL, EDIT_FIELD(line.pulseRate)),
    RadioGroup(EDIT_FIELD(line.lineType), LINE_TYPE),
    Text(IDC_LINE_PREFIX, EDIT_FIELD(line.pabxPrefix), PREFIX),
};

const int PREFIX_FIELD[] = {IDC_LINE_PREFIX, IDC_LINE_PREFIX_LABEL};

const ControlRule ENABLES[] = {
    ControlsWhen(PREFIX_FIELD, WhenNotEqual(EDIT_FIELD(line.lineType), LINE_PSTN)),
};

}  // namespace

const FormTable LINE_TABLE = Table(BINDINGS, ENABLES);
