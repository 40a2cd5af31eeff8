// Shared set-up of the device link tests: an accepting model profile, the image, hooks that
// record what the window would have shown and done, a clock the tests move, and a simulated
// backend whose device numbers the tests fill. A counting wrapper tells which pipes were opened
// and closed.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "ui/app_state.h"
#include "document/document.h"
#include "device/device_protocol.h"
#include "device/device_transfer.h"
#include "device/device_transport.h"
#include "devsim/sim_backend.h"
#include "devsim/sim_demo.h"

namespace linktest {

inline uint64_t gNowMs = 1000000;
inline uint64_t FakeClock() { return gNowMs; }

// What the hooks saw, in order: "message 9002", "disconnect", "status text", "stop timer".
inline std::vector<std::string> gEvents;
inline std::vector<int> gMessages;

inline void OnMessage(int id)
{
    gMessages.push_back(id);
    gEvents.push_back("message " + std::to_string(id));
}
inline void OnDisconnect() { gEvents.push_back("disconnect"); }
inline void OnStatusText() { gEvents.push_back("status text"); }
inline void OnStopTimer() { gEvents.push_back("stop timer"); }

// Counts opens and closes per device number around another backend.
struct CountingBackend {
    DeviceBackend backend;
    const DeviceBackend* inner;
    int opened[DEVICE_NUMBER_COUNT][2];
    int closed[DEVICE_NUMBER_COUNT][2];
};

inline CountingBackend* Counting(void* c) { return static_cast<CountingBackend*>(c); }

inline void InitCountingBackend(CountingBackend* c, const DeviceBackend* inner)
{
    c->inner = inner;
    std::memset(c->opened, 0, sizeof c->opened);
    std::memset(c->closed, 0, sizeof c->closed);
    c->backend = {
        "counting",
        c,
        [](void* ctx, int device, int pipe, PipeHandle* h) {
            CountingBackend* self = Counting(ctx);
            int ok = self->inner->openPipe(self->inner->context, device, pipe, h);
            if (ok)
                self->opened[device][pipe]++;
            return ok;
        },
        [](void* ctx, PipeHandle h, uint8_t* d) {
            CountingBackend* self = Counting(ctx);
            return self->inner->readDescriptor(self->inner->context, h, d);
        },
        [](void* ctx, PipeHandle h, uint8_t* b, uint32_t n, uint32_t* done) {
            CountingBackend* self = Counting(ctx);
            return self->inner->read(self->inner->context, h, b, n, done);
        },
        [](void* ctx, PipeHandle h, const uint8_t* b, uint32_t n, uint32_t* done) {
            CountingBackend* self = Counting(ctx);
            return self->inner->write(self->inner->context, h, b, n, done);
        },
        [](void* ctx, PipeHandle h) {
            CountingBackend* self = Counting(ctx);
            // Both pipe-handle schemes of the tests' backends are device * 2 + pipe.
            self->closed[h / 2][h % 2]++;
            self->inner->closePipe(self->inner->context, h);
        },
    };
}

class LinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetAppState(&gApp);
        ApplyModelProfile(&gApp, "A4ZRPQ 2A02");
        SetAcceptedProductIds(gApp.acceptedProductIds, ACCEPTED_ID_SLOTS);
        ASSERT_EQ(CreateDeviceImage(gDocument.image), 1);
        ResetDeviceImage(gDocument.image);
        ClearRestartFlag();
        gPollCheckFailed = 0;
        gEvents.clear();
        gMessages.clear();
        gNowMs = 1000000;
        // gApp stands for the window the protocol reports to.
        const DeviceLinkHooks hooks = {
            OnMessage,
            OnDisconnect,
            OnStatusText,
            OnStopTimer,
            [] { return static_cast<int>(gApp.connected); },
            [] { gApp.remoteModeOpen = 0; },
        };
        SetDeviceLinkHooks(&hooks);
        SetUploadDumpPath(nullptr);
        sim.reset(new SimBackend);
        InitSimBackend(sim.get());
        sim->clock = FakeClock;
        InitCountingBackend(&counting, &sim->backend);
        SetDeviceBackend(&counting.backend);
    }

    void TearDown() override
    {
        SetDeviceNumber(-1);
        SetDeviceBackend(nullptr);
        SetDeviceLinkHooks(nullptr);
        SetUploadDumpPath(DEFAULT_UPLOAD_DUMP_PATH);
    }

    // A demo device at `number`, recording the packets it receives.
    SimDevice* AddDevice(int number)
    {
        devices.emplace_back(new SimDevice);
        SimDevice* d = devices.back().get();
        SimInitDemo(d);
        d->capturePackets = 1;
        sim->devices[number] = d;
        return d;
    }

    // Codes of the packets a device received with `operation`, in order.
    static std::vector<uint32_t> Codes(const SimDevice* d, uint8_t operation)
    {
        std::vector<uint32_t> codes;
        for (const SimPacket& p : d->received)
            if (p.operation == operation)
                codes.push_back(p.code);
        return codes;
    }

    std::unique_ptr<SimBackend> sim;
    CountingBackend counting;
    std::vector<std::unique_ptr<SimDevice>> devices;
};

}  // namespace linktest
