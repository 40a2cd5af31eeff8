/* The program's folder, its backup file and its resource module. See program_win.h. */
#include "app/program_win.h"

#include <cstdio>
#include <cstring>

#include "ui/ui_win.h"

namespace {

/* The program's folder, or the one a test gave it. */
char gProgramDir[MAX_PATH];

/* Directory of module, with its trailing backslash. */
void ModuleDirectory(HMODULE module, char* dir, int size)
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(module, path, sizeof path);
    if (n == 0 || n >= sizeof path)
        path[0] = '\0';
    char* slash = std::strrchr(path, '\\');
    if (slash)
        slash[1] = '\0';
    else
        path[0] = '\0';
    lstrcpynA(dir, path, size);
}

}  // namespace

void SetProgramDirectory(const char* dir) { lstrcpynA(gProgramDir, dir, sizeof gProgramDir); }

const char* ProgramDirectory()
{
    if (gProgramDir[0] == '\0')
        ModuleDirectory(nullptr, gProgramDir, sizeof gProgramDir);
    return gProgramDir;
}

const char* BackupPath(char* buffer, int size)
{
    const char* name = gApp.model == MODEL_A3 ? "A3SPVX.BAK" : "A4SPVX.BAK";
    std::snprintf(buffer, size, "%s%s", ProgramDirectory(), name);
    return buffer;
}
