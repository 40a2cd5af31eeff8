// Whole-file access with the Win32 file functions, for the Windows build.
#include "device/setting_file_io.h"

#include <windows.h>

#include <string>

int ReadWholeFile(const char* path, uint8_t* buffer, size_t capacity, size_t* size)
{
    if (!path || !size || (!buffer && capacity > 0))
        return 0;
    HANDLE file =
        CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    LARGE_INTEGER fileSize;
    bool ok = GetFileSizeEx(file, &fileSize) && fileSize.QuadPart >= 0 &&
              static_cast<unsigned long long>(fileSize.QuadPart) <= capacity;
    size_t total = 0;
    const size_t want = ok ? static_cast<size_t>(fileSize.QuadPart) : 0;
    while (ok && total < want) {
        DWORD got = 0;
        if (!ReadFile(file, buffer + total, static_cast<DWORD>(want - total), &got, nullptr) ||
            got == 0)
            ok = false;
        total += got;
    }
    CloseHandle(file);
    if (!ok)
        return 0;
    *size = total;
    return 1;
}

namespace {

SafeWriteObserver gObserver = nullptr;

void Step(int step)
{
    if (gObserver)
        gObserver(step);
}

int WriteAll(HANDLE file, const uint8_t* bytes, size_t size)
{
    size_t total = 0;
    while (total < size) {
        DWORD wrote = 0;
        if (!WriteFile(file, bytes + total, static_cast<DWORD>(size - total), &wrote, nullptr) ||
            wrote == 0)
            return 0;
        total += wrote;
    }
    return 1;
}

// Puts the temporary file in the target's place. A read-only target is refused, as creating it
// anew would be: the user protected it (checked here because not every MoveFileEx refuses it).
// A hidden or system target would refuse to be replaced by a file of other attributes, so those
// two are taken off first and given back if the replacement fails.
int ReplaceTarget(const char* temp, const char* path)
{
    const DWORD old = GetFileAttributesA(path);
    if (old != INVALID_FILE_ATTRIBUTES && (old & FILE_ATTRIBUTE_READONLY))
        return 0;
    const DWORD guarded = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    const bool unguard = old != INVALID_FILE_ATTRIBUTES && (old & guarded) != 0;
    if (unguard) {
        DWORD plain = old & ~guarded;
        if (!SetFileAttributesA(path, plain ? plain : FILE_ATTRIBUTE_NORMAL))
            return 0;
    }
    if (MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 1;
    if (unguard)
        SetFileAttributesA(path, old);
    return 0;
}

}  // namespace

int WriteWholeFileSafely(const char* path, const uint8_t* bytes, size_t size)
{
    if (!path || (!bytes && size > 0))
        return 0;
    const std::string temp = std::string(path) + SAFE_WRITE_SUFFIX;
    if (temp.size() >= MAX_PATH)
        return 0;
    // A temporary file left by an earlier crash may carry attributes that refuse CREATE_ALWAYS.
    SetFileAttributesA(temp.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE file = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_ARCHIVE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    Step(SAFE_WRITE_TEMP_CREATED);
    const size_t half = size / 2;
    bool ok = WriteAll(file, bytes, half);
    Step(SAFE_WRITE_HALF_WRITTEN);
    ok = ok && WriteAll(file, bytes + half, size - half) && FlushFileBuffers(file);
    ok = CloseHandle(file) && ok;
    Step(SAFE_WRITE_ALL_WRITTEN);
    if (ok) {
        Step(SAFE_WRITE_BEFORE_REPLACE);
        if (ReplaceTarget(temp.c_str(), path)) {
            Step(SAFE_WRITE_REPLACED);
            return 1;
        }
    }
    DeleteFileA(temp.c_str());
    return 0;
}

void RemoveStaleSaveFile(const char* path)
{
    if (!path)
        return;
    const std::string temp = std::string(path) + SAFE_WRITE_SUFFIX;
    if (GetFileAttributesA(temp.c_str()) == INVALID_FILE_ATTRIBUTES)
        return;
    SetFileAttributesA(temp.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(temp.c_str());
}

void SetSafeWriteObserver(SafeWriteObserver observer) { gObserver = observer; }

int SetFileHiddenOnly(const char* path)
{
    return path && SetFileAttributesA(path, FILE_ATTRIBUTE_HIDDEN) ? 1 : 0;
}
