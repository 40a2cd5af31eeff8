/*
 * Help Topics. Current Windows no longer has the old help viewer, so the program's HTML manual
 * next to it is opened in the user's browser; a help file for the old viewer is still opened
 * with it when one is there.
 */
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>

#include "app/help_win.h"
#include "app/program_win.h"
#include "resources/resource_ids.h"
#include "ui/ui_win.h"

namespace {

HelpOpener gHelpOpener = nullptr;

bool FileExists(const char* path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

/* 1 when the document was handed to its viewer. */
int OpenDocument(HWND window, const char* path, int oldViewer)
{
    if (gHelpOpener)
        return gHelpOpener(path, oldViewer);
    if (oldViewer)
        return WinHelpA(window, path, HELP_CONTENTS, 0) ? 1 : 0;
    /* The shell may hand the document to an extension, which COM starts. */
    EnsureCom();
    INT_PTR result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(window, "open", path, nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32 ? 1 : 0;
}

}

void SetHelpOpener(HelpOpener opener) { gHelpOpener = opener; }

const char* HelpFilePath(const char* extension, char* buffer, int size)
{
    const char* name = gApp.model == MODEL_A3 ? "A3SPVX" : "QVPVX";
    std::snprintf(buffer, size, "%s%s.%s", ProgramDirectory(), name, extension);
    return buffer;
}

void ShowHelpTopics(HWND window)
{
    char path[MAX_PATH];
    if (FileExists(HelpFilePath("HLP", path, sizeof path)) && OpenDocument(window, path, 1))
        return;
    HelpFilePath("html", path, sizeof path);
    if (FileExists(path) && OpenDocument(window, path, 0))
        return;

    char format[256], text[256 + MAX_PATH];
    LoadStr(IDS_HELP_NOT_FOUND, format, sizeof format);
    std::snprintf(text, sizeof text, format, path);
    ShowMessage(window, text, MB_OK | MB_ICONINFORMATION);
}
