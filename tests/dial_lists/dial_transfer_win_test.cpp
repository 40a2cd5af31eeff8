// File, Export and Import Dial Directory in the real main window: the file dialogs they ask,
// the files they write, a bad file's message with nothing changed, a good file's lists, the
// stored image and the exit question, and address cards added to the Speed Dial list.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ui/app_state.h"
#include "ui/dialog_template.h"
#include "app/file_commands_win.h"
#include "app/commands_win.h"
#include "app/frame_win.h"
#include "app/help_win.h"
#include "app/main_window_win.h"
#include "app/program_win.h"
#include "app/startup_win.h"
#include "app/ui_state_win.h"
#include "ui/file_dialog_win.h"
#include "ui/frame_seam_win.h"
#include "ui/pictures_win.h"
#include "ui/ui_win.h"
#include "document/document.h"
#include "document/dial_tables.h"
#include "dial/dial_transfer_win.h"
#include "resources/resource_ids.h"
#include "tests/app/frame_harness_win.h"
#include "tests/dial_lists/dial_lists_harness_win.h"

namespace {

struct AskedDialog {
    std::string initial;
    int mode;
    std::string title;
};
std::vector<AskedDialog> gAsked;
std::string gAnswerPath;  // empty: the user cancels
int gAnswerFilter = 1;    // the file type the user leaves chosen

int AnswerDirectoryDialog(HWND, char* path, int size, int mode, const char* title)
{
    gAsked.push_back({path, mode, title});
    if (gAnswerPath.empty())
        return 0;
    lstrcpynA(path, gAnswerPath.c_str(), size);
    return gAnswerFilter;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

bool MenuItemEnabled(HWND window, int command)
{
    SendMessageA(window, WM_INITMENU, 0, 0);
    return !(GetMenuState(GetMenu(window), command, MF_BYCOMMAND) & MF_GRAYED);
}

// Columns of the Quick and Speed Dial lists.
constexpr int NAME_COLUMN = 1, NUMBER_COLUMN = 2, SPEED_COLUMN = 5;

const char HEADER[] = "\xEF\xBB\xBFList,No.,Kind,Name,Destination,SUB,SID,Speed,Date,Members\r\n";

class DirectoryCommands : public DialListWindow {
protected:
    void SetUp() override
    {
        Open();
        RecordMessages();
        gAsked.clear();
        gAnswerPath.clear();
        SetDirectoryDialogHook(AnswerDirectoryDialog);
        gDocument.edit.config.ethernetBoard = 1;
        PutFax(VIEW_QUICK, 0, "Alpha", "0123456", "12", "34", 1);
        PutEmail(VIEW_SPEED, 7, "Echo", "echo@example.com");
        PutGroup(4, "Team", {0}, {7});
        CommitEdits(gDocument);
        Show(VIEW_QUICK);
    }
    void TearDown() override
    {
        SetDirectoryDialogHook(nullptr);
        DialListWindow::TearDown();
    }

    void Command(int id)
    {
        SendMessageA(window, WM_COMMAND, id, 0);
        PumpMessages();
    }

    std::string Path(const char* name) const { return TestProgramFolder() + name; }
};

TEST_F(DirectoryCommands, OfferedOnlyWithData)
{
    EXPECT_TRUE(MenuItemEnabled(window, IDM_EXPORT_DIRECTORY));
    EXPECT_TRUE(MenuItemEnabled(window, IDM_IMPORT_DIRECTORY));
    gDocument.dataPresent = 0;
    RefreshUiState();
    EXPECT_FALSE(MenuItemEnabled(window, IDM_EXPORT_DIRECTORY));
    EXPECT_FALSE(MenuItemEnabled(window, IDM_IMPORT_DIRECTORY));
}

TEST_F(DirectoryCommands, ExportWritesTheFileTheDialogNames)
{
    gAnswerPath = Path("book.csv");
    Command(IDM_EXPORT_DIRECTORY);
    ASSERT_EQ(1u, gAsked.size());
    EXPECT_EQ(DIRECTORY_EXPORT, gAsked[0].mode);
    EXPECT_EQ("Export Dial Directory", gAsked[0].title);
    EXPECT_EQ("NewFile.csv", gAsked[0].initial) << "named after the document";
    const std::string csv = ReadFile(gAnswerPath);
    EXPECT_EQ(0u, csv.find("\xEF\xBB\xBFList,No.,Kind,")) << csv;
    EXPECT_NE(std::string::npos, csv.find("\r\nQuick Dial,01,fax,Alpha,0123456,12,34,14.4K,"));
    EXPECT_NE(std::string::npos, csv.find("\r\nQuick Dial,05,group,Team,"));
    EXPECT_NE(std::string::npos, csv.find(",Q01 S07\r\n"));
    EXPECT_TRUE(gMessageLog.asked.empty());
    EXPECT_EQ(0, gDocument.modified) << "exporting changes nothing";

    gAnswerPath = Path("book.vcf");
    Command(IDM_EXPORT_DIRECTORY);
    const std::string cards = ReadFile(gAnswerPath);
    EXPECT_EQ(0u, cards.find("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Alpha\r\n")) << cards;
    EXPECT_NE(std::string::npos, cards.find("EMAIL;TYPE=INTERNET:echo@example.com\r\n"));

    // A file that cannot be written says so.
    gAnswerPath = Path("no such folder\\book.csv");
    Command(IDM_EXPORT_DIRECTORY);
    ASSERT_EQ(1u, gMessageLog.asked.size());
    EXPECT_EQ("The file could not be written.", gMessageLog.asked[0].text);
    DeleteFileA(Path("book.csv").c_str());
    DeleteFileA(Path("book.vcf").c_str());
}

// The files people pass between offices read the same whatever language each Moravel speaks:
// CSV and address cards exported by the German program come back whole into the Japanese one.
TEST_F(DirectoryCommands, AFileExportedInOneLanguageImportsInAnother)
{
    HMODULE own = static_cast<HMODULE>(gApp.resourceModule);
    const std::string dir = LANGUAGE_LIBRARIES_DIR;
    HMODULE german = LoadLibraryExA((dir + "\\de\\QVPVX.DLL").c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE);
    HMODULE japanese = LoadLibraryExA((dir + "\\ja\\QVPVX.DLL").c_str(), nullptr,
                                      LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(german && japanese) << dir;
    gApp.resourceModule = german;
    gAnswerPath = Path("exported.csv");
    Command(IDM_EXPORT_DIRECTORY);
    gAnswerPath = Path("exported.vcf");
    Command(IDM_EXPORT_DIRECTORY);
    EXPECT_NE(std::string("Export Dial Directory"), gAsked[0].title) << "not the German library";

    gApp.resourceModule = japanese;
    PutFax(VIEW_QUICK, 0, "Other", "999", "", "", 0);
    CommitEdits(gDocument);
    gAnswerPath = Path("exported.csv");
    Command(IDM_IMPORT_DIRECTORY);
    gApp.resourceModule = own;
    EXPECT_TRUE(gMessageLog.asked.empty()) << gMessageLog.asked[0].text;
    EXPECT_EQ("Alpha", CellText(List(), 0, NAME_COLUMN));
    EXPECT_EQ("0123456", CellText(List(), 0, NUMBER_COLUMN));
    EXPECT_EQ("14.4K", CellText(List(), 0, SPEED_COLUMN));

    const std::string cards = ReadFile(Path("exported.vcf"));
    EXPECT_EQ(0u, cards.find("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Alpha\r\n")) << cards;
    gDocument.modified = 0;
    FreeLibrary(german);
    FreeLibrary(japanese);
    DeleteFileA(Path("exported.csv").c_str());
    DeleteFileA(Path("exported.vcf").c_str());
}

// The address book preview joins the book's UTF-8 names with the program's own texts: in
// German, the reason a row is skipped keeps its umlaut.
TEST_F(DirectoryCommands, TheAddressBookPreviewShowsTheLibrarysTextsWhole)
{
    HMODULE german = LoadLibraryExA((std::string(LANGUAGE_LIBRARIES_DIR) + "\\de\\QVPVX.DLL").c_str(),
                                    nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, german);
    HMODULE own = static_cast<HMODULE>(gApp.resourceModule);
    gApp.resourceModule = german;
    HRSRC found = FindResourceA(german, MAKEINTRESOURCEA(IDD_IMPORT_PREVIEW), MAKEINTRESOURCEA(5));
    DialogTemplate form;
    ASSERT_TRUE(found && ParseDialogTemplate(static_cast<const uint8_t*>(LockResource(
                                                 LoadResource(german, found))),
                                             SizeofResource(german, found), &form));
    char caption[128] = "", skipped[128] = "";
    WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(form.caption.c_str()), -1,
                        caption, sizeof caption, nullptr, nullptr);
    LoadStr(IDS_ADDRESS_SKIP_ROW, skipped, sizeof skipped);
    *std::strchr(skipped, '%') = '\0';

    Show(VIEW_SPEED);
    gAnswerPath = Path("echo.vcf");
    WriteFile(gAnswerPath, "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Echo\r\nEMAIL:echo@example.com\r\n"
                           "END:VCARD\r\n");
    std::vector<std::string> rows;
    {
        DialogAnswer cancel(caption, IDCANCEL, [&](HWND dialog) {
            rows = ListRows(GetDlgItem(dialog, IDC_IMPORT_LIST));
        });
        Command(IDM_IMPORT_DIRECTORY);
        EXPECT_EQ(1, cancel.Seen()) << caption;
    }
    gApp.resourceModule = own;
    FreeLibrary(german);
    ASSERT_EQ(1u, rows.size());
    EXPECT_NE(std::string::npos, rows[0].find(skipped)) << rows[0];
    DeleteFileA(gAnswerPath.c_str());
}

TEST_F(DirectoryCommands, ABadFileIsReportedAndChangesNothing)
{
    const EditState before = gDocument.edit;
    std::vector<uint8_t> image(gDocument.image.bytes, gDocument.image.bytes + DEVICE_IMAGE_SIZE);
    gAnswerPath = Path("bad.csv");
    WriteFile(gAnswerPath, std::string(HEADER) + "Quick Dial,01,fax,New,111\r\n"
                                                 "Quick Dial,02,fax,Who?,222\r\n"
                                                 "Speed Dial,03,fax,Three,---\r\n");
    Command(IDM_IMPORT_DIRECTORY);
    ASSERT_EQ(1u, gAsked.size());
    EXPECT_EQ(DIRECTORY_IMPORT, gAsked[0].mode);
    EXPECT_EQ("Import Dial Directory", gAsked[0].title);
    ASSERT_EQ(1u, gMessageLog.asked.size());
    EXPECT_EQ("The dial directory was not imported; nothing has been changed.\n\n"
              "line 3: name holds \"?\", which a name cannot hold\n"
              "line 4: fax number has no digit",
              gMessageLog.asked[0].text);
    EXPECT_EQ("Moravel", gMessageLog.asked[0].caption);
    EXPECT_EQ(0, std::memcmp(&before.quickDial, &gDocument.edit.quickDial, sizeof before.quickDial));
    EXPECT_EQ(0, std::memcmp(&before.speedDial, &gDocument.edit.speedDial, sizeof before.speedDial));
    EXPECT_EQ(0, std::memcmp(image.data(), gDocument.image.bytes, DEVICE_IMAGE_SIZE));
    EXPECT_EQ(0, gDocument.modified);
    EXPECT_EQ("Alpha", CellText(List(), 0, NAME_COLUMN)) << "the list shows what it showed";

    gMessageLog.asked.clear();
    gAnswerPath = Path("missing.csv");
    DeleteFileA(gAnswerPath.c_str());
    Command(IDM_IMPORT_DIRECTORY);
    ASSERT_EQ(1u, gMessageLog.asked.size());
    EXPECT_EQ(0u, gMessageLog.asked[0].text.find("The file could not be read"));
    DeleteFileA(Path("bad.csv").c_str());
}

TEST_F(DirectoryCommands, AGoodFileReplacesTheDirectoryAndAsksAtExit)
{
    gAnswerPath = Path("good.csv");
    WriteFile(gAnswerPath, std::string(HEADER) +
                               "Quick Dial,03,fax,\"Smith, J\",0301234,,,9.6K,2024-05-17\r\n"
                               "Speed Dial,00,fax,Zero,000\r\n"
                               "Quick Dial,10,group,Crew,,,,,,Q03 S00\r\n");
    Select(List(), 2);
    Command(IDM_IMPORT_DIRECTORY);
    EXPECT_TRUE(gMessageLog.asked.empty()) << gMessageLog.asked[0].text;
    EXPECT_EQ("", CellText(List(), 0, NAME_COLUMN)) << "Alpha is not in the file";
    EXPECT_EQ("Smith, J", CellText(List(), 2, NAME_COLUMN));
    EXPECT_EQ("0301234", CellText(List(), 2, NUMBER_COLUMN));
    EXPECT_EQ("9.6K", CellText(List(), 2, SPEED_COLUMN));
    EXPECT_EQ("Crew", CellText(List(), 9, NAME_COLUMN));
    EXPECT_EQ(2, gApp.currentRow) << "the row stays current";
    EXPECT_EQ(1, gDocument.modified);
    // The image holds the new directory, ready to be saved or uploaded.
    EXPECT_EQ(0, std::memcmp(ItemValue(gDocument.image, QUICK_DIAL_FIRST_RECORD + 2),
                             gDocument.edit.quickDial.entries[2], DIAL_ENTRY_SIZE));
    EXPECT_EQ(QUICK_FAX_LENGTH, ItemLength(gDocument.image, QUICK_DIAL_FIRST_RECORD + 2));
    EXPECT_EQ(0u, ItemLength(gDocument.image, QUICK_DIAL_FIRST_RECORD + 0));

    Show(VIEW_GROUP);
    Select(List(), 9);
    ASSERT_EQ(2, RowCount(Members()));
    EXPECT_EQ("03  Smith, J", CellText(Members(), 0, 0));
    EXPECT_EQ("00  Zero", CellText(Members(), 1, 0));

    // Leaving asks to save the imported directory; Cancel keeps the program open.
    gMessageLog.answer = IDCANCEL;
    EXPECT_EQ(0, CloseMainWindow(window, 1));
    ASSERT_EQ(1u, gMessageLog.asked.size());
    EXPECT_EQ(0u, gMessageLog.asked[0].text.find("Do you want to save the changes"))
        << gMessageLog.asked[0].text;
    EXPECT_TRUE(IsWindow(window));
    gDocument.modified = 0;
    DeleteFileA(gAnswerPath.c_str());
}

TEST_F(DirectoryCommands, ImportInTheGroupViewRefillsTheMemberPane)
{
    Show(VIEW_GROUP);
    Select(List(), 4);
    ASSERT_EQ(2, RowCount(Members()));
    gAnswerPath = Path("team.csv");
    WriteFile(gAnswerPath, std::string(HEADER) +
                               "Speed Dial,01,fax,One,1\r\nSpeed Dial,02,fax,Two,2\r\n"
                               "Speed Dial,03,fax,Three,3\r\n"
                               "Quick Dial,05,group,Team,,,,,,S01 S02 S03\r\n");
    Command(IDM_IMPORT_DIRECTORY);
    EXPECT_TRUE(gMessageLog.asked.empty()) << gMessageLog.asked[0].text;
    ASSERT_EQ(3, RowCount(Members()));
    EXPECT_EQ("03  Three", CellText(Members(), 2, 0));
    DeleteFileA(gAnswerPath.c_str());
}

TEST_F(DirectoryCommands, AnAddressBookIsPreviewedAndAddedOnlyOnImport)
{
    Show(VIEW_SPEED);
    const EditState before = gDocument.edit;
    gAnswerPath = Path("people.vcf");
    WriteFile(gAnswerPath, "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Fax Person\r\nTEL;TYPE=FAX:0405\r\n"
                           "EMAIL:fax.person@example.com\r\nEND:VCARD\r\n"
                           "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Echo\r\nEMAIL:echo@example.com\r\n"
                           "END:VCARD\r\n");
    std::vector<std::string> rows;
    std::string format, counts;
    {
        DialogAnswer cancel("Import Address Book", IDCANCEL, [&](HWND dialog) {
            rows = ListRows(GetDlgItem(dialog, IDC_IMPORT_LIST));
            format = WindowText(GetDlgItem(dialog, IDC_IMPORT_FORMAT));
            counts = WindowText(GetDlgItem(dialog, IDC_IMPORT_COUNTS));
        });
        Command(IDM_IMPORT_DIRECTORY);
        EXPECT_EQ(1, cancel.Seen());
    }
    EXPECT_EQ("Address cards (vCard).", format);
    EXPECT_EQ("To be added: 2. Skipped: 1.", counts);
    EXPECT_EQ((std::vector<std::string>{
                  "1 | Fax Person | 0405 | Speed Dial 0",
                  "1 | Fax Person | fax.person@example.com | Speed Dial 1",
                  "7 | Echo | echo@example.com | Skipped: already in the dial directory as Speed "
                  "Dial 7"}),
              rows);
    EXPECT_EQ(0, std::memcmp(&before.speedDial, &gDocument.edit.speedDial,
                             sizeof before.speedDial))
        << "Cancel changes nothing";
    EXPECT_EQ(0, gDocument.modified);

    // An Outlook export of a German system: semicolons, Windows-1252, German titles.
    gAnswerPath = Path("outlook.csv");
    WriteFile(gAnswerPath, "Vorname;Weitere Vornamen;Nachname;Firma;Fax gesch\xE4" "ftlich;"
                           "Fax privat;E-Mail-Adresse\r\n"
                           "J\xFCrgen;;M\xFCller;;+49 (30) 1234-56;;\r\n"
                           ";;;B\xFCro Nord;030 999;;nord@example.de\r\n");
    {
        DialogAnswer import("Import Address Book", IDOK, [&](HWND dialog) {
            format = WindowText(GetDlgItem(dialog, IDC_IMPORT_FORMAT));
        });
        Command(IDM_IMPORT_DIRECTORY);
        EXPECT_EQ(1, import.Seen());
    }
    EXPECT_EQ("An address book exported by Microsoft Outlook (German column titles).", format);
    EXPECT_TRUE(gMessageLog.asked.empty());
    EXPECT_EQ("J\xFCrgen M\xFCller", CellText(List(), 0, NAME_COLUMN));
    EXPECT_EQ("+49 30 1234-56", CellText(List(), 0, NUMBER_COLUMN));
    EXPECT_EQ("B\xFCro Nord", CellText(List(), 1, NAME_COLUMN));
    EXPECT_EQ("030 999", CellText(List(), 1, NUMBER_COLUMN));
    DialRecord r;
    ASSERT_EQ(1, DecodeSpeedEntry(&r, gDocument.edit, 2));
    EXPECT_STREQ("nord@example.de", r.email);
    EXPECT_EQ(1, gDocument.modified);
    gDocument.modified = 0;
    DeleteFileA(Path("people.vcf").c_str());
    DeleteFileA(gAnswerPath.c_str());
}

// Where spreadsheets split at semicolons, the export offers them as its second file type.
TEST_F(DirectoryCommands, ExportOffersTheRegionsSemicolons)
{
    char decimal[8] = "";
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal, sizeof decimal);
    ASSERT_TRUE(SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, ","));
    gAnswerPath = Path("semicolons.csv");
    gAnswerFilter = 2;
    Command(IDM_EXPORT_DIRECTORY);
    gAnswerFilter = 1;
    SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal);
    const std::string csv = ReadFile(gAnswerPath);
    EXPECT_EQ(0u, csv.find("\xEF\xBB\xBFList;No.;Kind;")) << csv;
    EXPECT_NE(std::string::npos, csv.find("\r\nQuick Dial;01;fax;Alpha;0123456;12;34;14.4K;"));
    DeleteFileA(gAnswerPath.c_str());
}

// The real common dialog: the file name typed, the type's extension added.
TEST_F(DirectoryCommands, TheRealDialogSavesUnderTheTypedName)
{
    SetDirectoryDialogHook(nullptr);
    const std::string path = Path("typed");
    DeleteFileA((path + ".csv").c_str());
    const std::string caption =
        DriveDialog([&] { SendMessageA(window, WM_COMMAND, IDM_EXPORT_DIRECTORY, 0); },
                    [&](HWND dialog) {
                        // The file name box of the common dialog.
                        SetDlgItemTextA(dialog, 0x47C, path.c_str());
                        SetDlgItemTextA(dialog, 0x480, path.c_str());
                        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
                    });
    EXPECT_EQ("Export Dial Directory", caption);
    PumpMessages();
    EXPECT_EQ(0u, ReadFile(path + ".csv").find("\xEF\xBB\xBFList,")) << "no " << path << ".csv";
    DeleteFileA((path + ".csv").c_str());
}

}  // namespace
