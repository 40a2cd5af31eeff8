// Pipes of simulated devices: the command pipe establishes the link, the reply pipe reads what
// the model answered. Reads never wait: a device that has not answered has nothing to give, which
// is what a time-out would report.
#include "devsim/sim_backend.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "device/setting_file_io.h"
#include "devsim/sim_demo.h"

namespace {

PipeHandle MakeHandle(int device, int pipe) { return static_cast<PipeHandle>(device * 2 + pipe); }

int DeviceOf(PipeHandle handle) { return static_cast<int>(handle / 2); }

SimBackend* Sim(void* context) { return static_cast<SimBackend*>(context); }

SimDevice* DeviceFor(SimBackend* sim, PipeHandle handle)
{
    if (handle < 0 || handle >= DEVICE_NUMBER_COUNT * 2)
        return nullptr;
    const int device = DeviceOf(handle);
    if (!sim->pipeOpen[device][handle % 2])
        return nullptr;
    return sim->devices[device];
}

void SaveIfCommitted(SimBackend* sim)
{
    SimDevice* d = sim->devices[0];
    if (sim->statePath.empty() || !d || d->commitCount == sim->savedCommitCount)
        return;
    sim->savedCommitCount = d->commitCount;
    WriteWholeFileSafely(sim->statePath.c_str(), d->items, DEVICE_IMAGE_SIZE);
}

int OpenPipe(void* context, int device, int pipe, PipeHandle* handle)
{
    SimBackend* sim = Sim(context);
    if (device < 0 || device >= DEVICE_NUMBER_COUNT || !sim->devices[device] ||
        sim->pipeOpen[device][pipe])
        return 0;
    SimDevice* d = sim->devices[device];
    const bool first = !sim->pipeOpen[device][0] && !sim->pipeOpen[device][1];
    if (first && !SimConnect(d, sim->clock()))
        return 0;
    if (!first && !d->linkUp)
        return 0;
    sim->pipeOpen[device][pipe] = 1;
    *handle = MakeHandle(device, pipe);
    return 1;
}

int ReadDescriptor(void* context, PipeHandle command, uint8_t* descriptor)
{
    SimDevice* d = DeviceFor(Sim(context), command);
    if (!d || !d->linkUp)
        return 0;
    SimDescriptor(d, descriptor);
    return 1;
}

int Read(void* context, PipeHandle pipe, uint8_t* buffer, uint32_t count, uint32_t* done)
{
    SimBackend* sim = Sim(context);
    SimDevice* d = DeviceFor(sim, pipe);
    *done = 0;
    if (!d)
        return 0;
    SimTick(d, sim->clock());
    if (!d->linkUp)
        return 0;
    *done = static_cast<uint32_t>(SimTakeOutput(d, buffer, count));
    return 1;
}

int Write(void* context, PipeHandle pipe, const uint8_t* bytes, uint32_t count, uint32_t* done)
{
    SimBackend* sim = Sim(context);
    SimDevice* d = DeviceFor(sim, pipe);
    *done = 0;
    if (!d || !d->linkUp)
        return 0;
    SimReceive(d, bytes, count, sim->clock());
    *done = count;
    SaveIfCommitted(sim);
    return 1;
}

void ClosePipe(void* context, PipeHandle pipe)
{
    SimBackend* sim = Sim(context);
    if (pipe < 0 || pipe >= DEVICE_NUMBER_COUNT * 2)
        return;
    const int device = DeviceOf(pipe);
    sim->pipeOpen[device][pipe % 2] = 0;
    if (!sim->pipeOpen[device][0] && !sim->pipeOpen[device][1] && sim->devices[device])
        SimDisconnect(sim->devices[device]);
}

std::unique_ptr<SimBackend> gBuiltIn;
std::unique_ptr<SimDevice> gBuiltInDevice;

}  // namespace

uint64_t SteadyClockMs()
{
    using namespace std::chrono;
    return static_cast<uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void InitSimBackend(SimBackend* sim)
{
    sim->backend = {"sim", sim, OpenPipe, ReadDescriptor, Read, Write, ClosePipe};
    for (int n = 0; n < DEVICE_NUMBER_COUNT; n++) {
        sim->devices[n] = nullptr;
        sim->pipeOpen[n][0] = sim->pipeOpen[n][1] = 0;
    }
    sim->clock = SteadyClockMs;
    sim->statePath.clear();
    sim->savedCommitCount = 0;
}

const DeviceBackend* BuiltInSimBackend(const char* statePath)
{
    if (!gBuiltIn)
        gBuiltIn.reset(new SimBackend);
    if (!gBuiltInDevice)
        gBuiltInDevice.reset(new SimDevice);
    InitSimBackend(gBuiltIn.get());
    SimInitDemo(gBuiltInDevice.get());
    gBuiltIn->devices[0] = gBuiltInDevice.get();

    if (statePath && *statePath) {
        gBuiltIn->statePath = statePath;
        std::vector<uint8_t> file(DEVICE_IMAGE_SIZE);
        size_t size = 0;
        if (ReadWholeFile(statePath, file.data(), file.size(), &size)) {
            SimLoadState(gBuiltInDevice.get(), file.data(), size);
        } else if (std::FILE* existing = std::fopen(statePath, "rb")) {
            // There is a file, but not one the device can read: leave it alone and run on the
            // demo content rather than overwrite it at the first commit.
            std::fclose(existing);
            gBuiltIn->statePath.clear();
        }
    }
    return &gBuiltIn->backend;
}

SimDevice* BuiltInSimDevice() { return gBuiltIn ? gBuiltInDevice.get() : nullptr; }
