#include "tests/print/test_printer_win.h"

#include <winspool.h>

#include <fstream>
#include <sstream>

namespace {

// Wine's own export: the Unix path of a Windows one, for the shell command.
std::string UnixPath(const std::string& path)
{
    typedef char*(CDECL * ToUnix)(const WCHAR*);
    auto toUnix = reinterpret_cast<ToUnix>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
    if (!toUnix)
        return std::string();
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    char* unix = toUnix(wide);
    if (!unix)
        return std::string();
    std::string result = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
}

std::string ReadFileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

int TestPrinter::Install(const std::string& folder, bool refuse)
{
    folder_ = folder;
    const std::string id = std::to_string(GetCurrentProcessId()) + (refuse ? "r" : "");
    name = "Moravel Test Printer " + id;
    port_ = "MORAVELTEST" + id + ":";
    driver_ = "Moravel Test PS " + id;

    std::string dir = UnixPath(folder);
    if (dir.empty()) {
        error = "no Unix path for " + folder;
        return 0;
    }
    if (dir.back() == '/')
        dir.pop_back();
    const std::string command =
        refuse ? "|cat >/dev/null; exit 1"
               : "|d='" + dir + "'; n=$(ls \"$d\"/job-*.ps 2>/dev/null | wc -l); " +
                     "tee \"$d/job-$n.ps\" | gs -q -dSAFER -dNOPAUSE -dBATCH -sDEVICE=txtwrite " +
                     "-sOutputFile=\"$d/job-$n-page-%d.txt\" - >/dev/null 2>&1";
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\Printing\\Spooler", 0, nullptr, 0,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        error = "no spooler key";
        return 0;
    }
    RegSetValueExA(key, port_.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                   static_cast<DWORD>(command.size() + 1));
    RegCloseKey(key);

    // The driver reads its PPD from the driver folder.
    char drivers[MAX_PATH];
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(drivers),
                                    sizeof drivers, &needed)) {
        error = "no printer driver folder";
        return 0;
    }
    ppd_ = std::string(drivers) + "\\moravel-test-" + id + ".ppd";
    if (!CopyFileA(MORAVEL_TEST_PPD, ppd_.c_str(), FALSE)) {
        error = "cannot copy " + std::string(MORAVEL_TEST_PPD);
        return 0;
    }
    DRIVER_INFO_3A driver = {};
    driver.cVersion = 3;
    driver.pName = const_cast<char*>(driver_.c_str());
    driver.pDriverPath = const_cast<char*>("wineps.drv");
    driver.pDataFile = const_cast<char*>(ppd_.c_str());
    driver.pConfigFile = const_cast<char*>("wineps.drv");
    if (!AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&driver)) &&
        GetLastError() != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED) {
        error = "AddPrinterDriver failed: " + std::to_string(GetLastError());
        return 0;
    }
    PRINTER_INFO_2A info = {};
    info.pPrinterName = const_cast<char*>(name.c_str());
    info.pPortName = const_cast<char*>(port_.c_str());
    info.pDriverName = const_cast<char*>(driver_.c_str());
    info.pPrintProcessor = const_cast<char*>("WinPrint");
    info.pDatatype = const_cast<char*>("RAW");
    HANDLE printer = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (!printer && GetLastError() != ERROR_PRINTER_ALREADY_EXISTS) {
        error = "AddPrinter failed: " + std::to_string(GetLastError());
        return 0;
    }
    if (printer)
        ClosePrinter(printer);
    installed_ = true;
    HDC probe = CreateDc();
    if (!probe) {
        error = "no device context for " + name;
        return 0;
    }
    DeleteDC(probe);
    return 1;
}

void TestPrinter::Remove()
{
    if (!installed_)
        return;
    installed_ = false;
    HANDLE printer = nullptr;
    PRINTER_DEFAULTSA access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (OpenPrinterA(const_cast<char*>(name.c_str()), &printer, &access)) {
        DeletePrinter(printer);
        ClosePrinter(printer);
    }
    DeletePrinterDriverA(nullptr, nullptr, const_cast<char*>(driver_.c_str()));
    DeleteFileA(ppd_.c_str());
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\Printing\\Spooler", 0, KEY_ALL_ACCESS,
                      &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, port_.c_str());
        RegCloseKey(key);
    }
}

HDC TestPrinter::CreateDc() const { return CreateDCA("WINSPOOL", name.c_str(), nullptr, nullptr); }

int TestPrinter::JobCount() const
{
    int count = 0;
    while (Exists(folder_ + "job-" + std::to_string(count) + ".ps"))
        count++;
    return count;
}

std::string TestPrinter::PostScript(int job) const
{
    return ReadFileText(folder_ + "job-" + std::to_string(job) + ".ps");
}

std::vector<std::string> TestPrinter::PageTexts(int job) const
{
    std::vector<std::string> pages;
    for (int page = 1;; page++) {
        const std::string path =
            folder_ + "job-" + std::to_string(job) + "-page-" + std::to_string(page) + ".txt";
        if (!Exists(path))
            break;
        std::string text = ReadFileText(path);
        // The driver's space glyph reads back as a no-break space (UTF-8 C2 A0).
        std::string plain;
        for (size_t i = 0; i < text.size(); i++) {
            if (static_cast<unsigned char>(text[i]) == 0xC2 && i + 1 < text.size() &&
                static_cast<unsigned char>(text[i + 1]) == 0xA0) {
                plain += ' ';
                i++;
            } else {
                plain += text[i];
            }
        }
        pages.push_back(plain);
    }
    return pages;
}
