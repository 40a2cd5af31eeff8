/*
 * Where the program lives: its folder (where the backup, the help and the resource library
 * are), the backup file's name, and the module its resources come from.
 */
#ifndef MORAVEL_PROGRAM_WIN_H
#define MORAVEL_PROGRAM_WIN_H

#include <windows.h>

/* The program's folder, with its trailing backslash. */
const char* ProgramDirectory();
/* Puts the program's folder elsewhere (dir with its trailing backslash), before InitApplication:
 * each test process gets a folder of its own, so no two share a backup file. */
void SetProgramDirectory(const char* dir);
/* Full path of the backup file next to the program. */
const char* BackupPath(char* buffer, int size);

/* Chooses the module resources come from: QVPVX.DLL in programDir when it loads, else the
 * instance. programDir ends with a backslash. */
void LoadResourceModule(HINSTANCE instance, const char* programDir);
/* Lets go of a resource library: the instance serves again. */
void FreeResourceLibrary();

#endif
