// The Scanner and Auto Print Report pages' tables and rules. See scanner_page.h.
#include "settings/scanner_page.h"

#include "resources/resource_ids.h"

namespace {

const RadioButton RESOLUTION[] = {
    {IDC_SCAN_150DPI, 0, CODE_ANY},
    {IDC_SCAN_300DPI, 16, CODE_ANY},
    {IDC_SCAN_600DPI, 32, CODE_ANY},
};
const RadioButton FORMAT[] = {
    {IDC_SCAN_TIFF, 0, CODE_ANY},
    {IDC_SCAN_PDF, 4, CODE_ANY},
    {IDC_SCAN_JPEG, 8, CODE_ANY},
};
const RadioButton CODING[] = {
    {IDC_SCAN_MH, 0, CODE_ANY},
    {IDC_SCAN_MR, 1, CODE_ANY},
    {IDC_SCAN_MMR, 2, CODE_ANY},
};
const RadioButton DIVIDE[] = {
    {IDC_SCAN_DIVIDE_OFF, DIVIDE_OFF, CODE_ANY},
    {IDC_SCAN_DIVIDE_SIZE, DIVIDE_PER_SIZE, CODE_ANY},
    {IDC_SCAN_DIVIDE_PAGE, DIVIDE_PER_PAGE, CODE_ANY},
};

constexpr Condition PER_SIZE = WhenEqual(EDIT_FIELD(scanner.divideMode), DIVIDE_PER_SIZE);
constexpr Condition PER_PAGE = WhenEqual(EDIT_FIELD(scanner.divideMode), DIVIDE_PER_PAGE);
constexpr uint8_t READ_ON_CHECK =
    NUMBER_DIGITS | NUMBER_CHECK_LEAVE | NUMBER_CHECK_APPLY | NUMBER_STORE_ON_APPLY;
const NumberOptions SIZE_KB = {
    4, Range(DIVIDE_KB_MIN, DIVIDE_KB_MAX), IDS_RANGE_ERROR, READ_ON_CHECK, PER_SIZE, nullptr};
const NumberOptions DIVISIONS = {
    3, Range(DIVISIONS_MIN, DIVISIONS_MAX), IDS_RANGE_ERROR, READ_ON_CHECK, PER_SIZE, nullptr};
const NumberOptions PAGE_KB = {
    4, Range(DIVIDE_KB_MIN, DIVIDE_KB_MAX), IDS_RANGE_ERROR, READ_ON_CHECK, PER_PAGE, nullptr};

const Binding SCANNER_BINDINGS[] = {
    RadioGroup(EDIT_FIELD(scanner.resolution), RESOLUTION),
    RadioGroup(EDIT_FIELD(scanner.imageFormat), FORMAT),
    RadioGroup(EDIT_FIELD(scanner.codingMethod), CODING),
    RadioGroup(EDIT_FIELD(scanner.divideMode), DIVIDE),
    Number(IDC_SCAN_SIZE_KB, EDIT_FIELD(scanner.sizeDivideKb), SIZE_KB),
    Number(IDC_SCAN_MAX_DIVISIONS, EDIT_FIELD(scanner.maxDivisions), DIVISIONS),
    Number(IDC_SCAN_PAGE_KB, EDIT_FIELD(scanner.pageDivideKb), PAGE_KB),
};

const int PER_SIZE_FIELDS[] = {IDC_SCAN_SIZE_KB, IDC_SCAN_SIZE_KB_UNIT, IDC_SCAN_MAX_DIVISIONS,
                               IDC_SCAN_DIVISIONS_LABEL, IDC_SCAN_DIVISIONS_RANGE};
const int PER_PAGE_FIELDS[] = {IDC_SCAN_PAGE_KB, IDC_SCAN_PAGE_KB_UNIT};
const ControlRule SCANNER_ENABLES[] = {
    ControlsWhen(PER_SIZE_FIELDS, PER_SIZE),
    ControlsWhen(PER_PAGE_FIELDS, PER_PAGE),
};

const RadioButton JOURNAL[] = {
    {IDC_REPORT_JOURNAL_ON, 128, CODE_ANY},
    {IDC_REPORT_JOURNAL_OFF, 0, CODE_ANY},
};
const RadioButton TX_REPORT[] = {
    {IDC_REPORT_TX_ON, 0, CODE_ANY},
    {IDC_REPORT_TX_ERROR, 4, CODE_ANY},
    {IDC_REPORT_TX_OFF, 8, CODE_ANY},
};
const RadioButton RX_REPORT[] = {
    {IDC_REPORT_RX_ON, 0, CODE_ANY},
    {IDC_REPORT_RX_ERROR, 16, CODE_ANY},
    {IDC_REPORT_RX_OFF, 32, CODE_ANY},
};
const Binding REPORT_BINDINGS[] = {
    RadioGroup(EDIT_FIELD(report.journal), JOURNAL),
    RadioGroup(EDIT_FIELD(report.txReport), TX_REPORT),
    RadioGroup(EDIT_FIELD(report.rxReport), RX_REPORT),
};

uint32_t Within(uint32_t value, uint32_t min, uint32_t max, uint32_t replacement)
{
    return value < min || value > max ? replacement : value;
}

}  // namespace

const FormTable SCANNER_TABLE = Table(SCANNER_BINDINGS, SCANNER_ENABLES);
const FormTable REPORT_TABLE = Table(REPORT_BINDINGS);

void PrepareScannerPage(EditState& state)
{
    ScannerSettings& s = state.scanner;
    if (s.divideMode != DIVIDE_OFF && s.divideMode != DIVIDE_PER_PAGE &&
        s.divideMode != DIVIDE_PER_SIZE)
        s.divideMode = DIVIDE_OFF;
    s.pageDivideKb = Within(s.pageDivideKb, DIVIDE_KB_MIN, DIVIDE_KB_MAX, DIVIDE_KB_DEFAULT);
    s.sizeDivideKb = Within(s.sizeDivideKb, DIVIDE_KB_MIN, DIVIDE_KB_MAX, DIVIDE_KB_DEFAULT);
    s.maxDivisions = Within(s.maxDivisions, DIVISIONS_MIN, DIVISIONS_MAX, DIVISIONS_DEFAULT);
}
