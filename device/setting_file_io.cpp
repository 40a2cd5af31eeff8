// Whole-file access with C stdio, for native builds (tests, tools, the simulated device).
#include "device/setting_file_io.h"

#include <cstdio>
#include <string>

#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#endif

int ReadWholeFile(const char* path, uint8_t* buffer, size_t capacity, size_t* size)
{
    if (!path || !size || (!buffer && capacity > 0))
        return 0;
    FILE* file = fopen(path, "rb");
    if (!file)
        return 0;
    size_t got = capacity > 0 ? fread(buffer, 1, capacity, file) : 0;
    // One byte more than the buffer holds means the file is too large to be read whole.
    bool tooLarge = got == capacity && fgetc(file) != EOF;
    bool failed = ferror(file) != 0;
    fclose(file);
    if (tooLarge || failed)
        return 0;
    *size = got;
    return 1;
}

namespace {

SafeWriteObserver gObserver = nullptr;

void Step(int step)
{
    if (gObserver)
        gObserver(step);
}

}  // namespace

int WriteWholeFileSafely(const char* path, const uint8_t* bytes, size_t size)
{
    if (!path || (!bytes && size > 0))
        return 0;
    const std::string temp = std::string(path) + SAFE_WRITE_SUFFIX;
    FILE* file = fopen(temp.c_str(), "wb");
    if (!file)
        return 0;
    Step(SAFE_WRITE_TEMP_CREATED);
    const size_t half = size / 2;
    bool ok = half == 0 || fwrite(bytes, 1, half, file) == half;
    Step(SAFE_WRITE_HALF_WRITTEN);
    ok = ok && (size == half || fwrite(bytes + half, 1, size - half, file) == size - half);
    ok = fflush(file) == 0 && ok;
#if defined(__unix__) || defined(__APPLE__)
    ok = ok && fsync(fileno(file)) == 0;
#endif
    ok = fclose(file) == 0 && ok;
    Step(SAFE_WRITE_ALL_WRITTEN);
    if (ok) {
        Step(SAFE_WRITE_BEFORE_REPLACE);
        if (rename(temp.c_str(), path) == 0) {
            Step(SAFE_WRITE_REPLACED);
            return 1;
        }
    }
    remove(temp.c_str());
    return 0;
}

void RemoveStaleSaveFile(const char* path)
{
    if (path)
        remove((std::string(path) + SAFE_WRITE_SUFFIX).c_str());
}

void SetSafeWriteObserver(SafeWriteObserver observer) { gObserver = observer; }

int SetFileHiddenOnly(const char*) { return 1; }
