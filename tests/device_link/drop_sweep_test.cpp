// The drop sweep: the link is cut at every exchange of a whole download and a whole upload, at
// each place it can go (before a packet, after it, inside a packet or value), and each time the
// transfer must end at once, the data must be as it was, and the next connection must work.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "link_test_support.h"

using namespace linktest;

namespace {

enum CutMode { CUT_WHOLE, CUT_HALF };

// Passes every pipe operation on until the one numbered `at`; there the cable is pulled: that
// operation fails (CUT_HALF: after half of its bytes went), the device loses its link, and
// every operation after it fails too, until the test plugs it back in.
struct CuttingBackend {
    DeviceBackend backend;
    const DeviceBackend* inner;
    SimDevice* device;
    long at;
    CutMode mode;
    long count;  // read and write operations seen
    long after;  // of them, after the cut
    bool pulled;
};

CuttingBackend* Cutting(void* c) { return static_cast<CuttingBackend*>(c); }

// 1 when the operation may go through whole; otherwise the cable is out (and *part is what of
// it still passes).
bool Passes(CuttingBackend* c, uint32_t count, uint32_t* part)
{
    *part = 0;
    if (c->pulled) {
        c->after++;
        return false;
    }
    if (c->count++ != c->at)
        return true;
    c->pulled = true;
    *part = c->mode == CUT_HALF ? count / 2 : 0;
    return false;
}

void InitCuttingBackend(CuttingBackend* c, const DeviceBackend* inner, SimDevice* device)
{
    c->inner = inner;
    c->device = device;
    c->at = -1;
    c->mode = CUT_WHOLE;
    c->count = c->after = 0;
    c->pulled = false;
    c->backend = {
        "cutting",
        c,
        [](void* ctx, int device, int pipe, PipeHandle* h) {
            CuttingBackend* self = Cutting(ctx);
            return self->pulled ? 0 : self->inner->openPipe(self->inner->context, device, pipe, h);
        },
        [](void* ctx, PipeHandle h, uint8_t* d) {
            CuttingBackend* self = Cutting(ctx);
            return self->pulled ? 0 : self->inner->readDescriptor(self->inner->context, h, d);
        },
        [](void* ctx, PipeHandle h, uint8_t* b, uint32_t n, uint32_t* done) {
            CuttingBackend* self = Cutting(ctx);
            uint32_t part = 0;
            if (Passes(self, n, &part))
                return self->inner->read(self->inner->context, h, b, n, done);
            *done = 0;
            if (part)
                self->inner->read(self->inner->context, h, b, part, done);
            SimDisconnect(self->device);
            return *done ? 1 : 0;  // a short read, or none at all
        },
        [](void* ctx, PipeHandle h, const uint8_t* b, uint32_t n, uint32_t* done) {
            CuttingBackend* self = Cutting(ctx);
            uint32_t part = 0;
            if (Passes(self, n, &part))
                return self->inner->write(self->inner->context, h, b, n, done);
            *done = 0;
            if (part)
                self->inner->write(self->inner->context, h, b, part, done);
            SimDisconnect(self->device);
            return *done ? 1 : 0;
        },
        [](void* ctx, PipeHandle h) {
            Cutting(ctx)->inner->closePipe(Cutting(ctx)->inner->context, h);
        },
    };
}

// After the transfer gives up, the program may still try a few operations (closing remote mode
// is not among them: the transfers only stop); more would be a loop against a dead link.
constexpr long MOST_TRIES_AFTER_CUT = 4;

class DropSweep : public LinkTest {
protected:
    void SetUp() override
    {
        LinkTest::SetUp();
        device = AddDevice(0);
        device->capturePackets = 0;
        InitCuttingBackend(&cutting, &sim->backend, device);
        SetDeviceBackend(&cutting.backend);
    }
    // Plugs the cable back in and arms the cut for operation `at` of what comes next.
    void Arm(long at, CutMode mode)
    {
        cutting.pulled = false;
        cutting.count = cutting.after = 0;
        cutting.at = at;
        cutting.mode = mode;
    }
    void PlugIn()
    {
        cutting.pulled = false;
        cutting.at = -1;
        DeviceClose();
    }
    // Connect: remote mode begun, counting from the first operation of the transfer.
    void Connect()
    {
        PlugIn();
        ASSERT_EQ(1, SetRemoteMode(REMOTE_MODE_BEGIN));
        ASSERT_EQ(0, DeviceOpen());
    }
    // How many operations a transfer takes with nothing cut.
    long Operations(int (*transfer)(Document&))
    {
        Connect();
        Arm(-1, CUT_WHOLE);
        EXPECT_EQ(1, transfer(held));
        return cutting.count;
    }
    // The next Connect and Download work and bring the device's data.
    void ExpectTheNextDownloadWorks(const char* what, long at, CutMode mode)
    {
        Connect();
        Document fresh = {};
        ASSERT_EQ(1, CreateDocument(fresh));
        EXPECT_EQ(1, DownloadDocument(fresh, 30, nullptr))
            << what << " cut at " << at << "/" << mode;
        EXPECT_EQ(0, std::memcmp(fresh.image.bytes, device->items, DEVICE_IMAGE_SIZE))
            << what << " cut at " << at << "/" << mode;
        ReleaseDocument(fresh);
    }

    SimDevice* device = nullptr;
    CuttingBackend cutting;
    Document held = {};
};

int Download(Document& doc) { return DownloadDocument(doc, 30, nullptr); }
int Upload(Document& doc) { return UploadImage(&doc.image, nullptr); }

// Every exchange of a download: the transfer fails at once, the document keeps every byte and
// fact it had, and the next download works.
TEST_F(DropSweep, EveryCutOfADownloadLeavesTheDocumentAsItWas)
{
    ASSERT_EQ(1, CreateDocument(held));
    const long operations = Operations(Download);
    ASSERT_GT(operations, 600);
    // What the program held before: other data, with unsaved changes.
    std::strcpy(held.edit.properties.deviceName, "Held before");
    CommitEdits(held);
    MarkDocumentChanged(held);
    const std::vector<uint8_t> before(held.image.bytes, held.image.bytes + DEVICE_IMAGE_SIZE);
    long points = 0;
    for (long at = 0; at < operations; at++)
        for (CutMode mode : {CUT_WHOLE, CUT_HALF}) {
            Connect();
            Arm(at, mode);
            EXPECT_EQ(0, Download(held)) << "cut at " << at << "/" << mode;
            EXPECT_LE(cutting.after, MOST_TRIES_AFTER_CUT) << "cut at " << at << "/" << mode;
            EXPECT_EQ(0, std::memcmp(held.image.bytes, before.data(), DEVICE_IMAGE_SIZE))
                << "cut at " << at << "/" << mode;
            EXPECT_STREQ("Held before", held.edit.properties.deviceName);
            EXPECT_EQ(1, held.modified);
            ExpectTheNextDownloadWorks("download", at, mode);
            points++;
        }
    ReleaseDocument(held);
    std::printf("drop sweep: %ld points in a download of %ld operations\n", points, operations);
}

// Every exchange of an upload, its commit included: the transfer fails at once, no commit
// reaches the device, its data stays as it was, and the next download brings that data.
TEST_F(DropSweep, EveryCutOfAnUploadLeavesTheDeviceAsItWas)
{
    SetUploadDumpPath(nullptr);
    ASSERT_EQ(1, CreateDocument(held));
    ASSERT_GT(Operations(Download), 0);
    std::strcpy(held.edit.properties.deviceName, "Uploaded");
    held.edit.system.autoResetTime = 4;
    CommitEdits(held);
    const std::vector<uint8_t> deviceBefore(device->items, device->items + DEVICE_IMAGE_SIZE);
    const long operations = Operations(Upload);
    ASSERT_GT(operations, 300);
    // The clean upload above changed the device: put its data back before the sweep.
    std::memcpy(device->items, deviceBefore.data(), DEVICE_IMAGE_SIZE);
    long points = 0;
    for (long at = 0; at < operations; at++)
        for (CutMode mode : {CUT_WHOLE, CUT_HALF}) {
            const uint32_t commits = device->commitCount;
            Connect();
            Arm(at, mode);
            EXPECT_EQ(0, Upload(held)) << "cut at " << at << "/" << mode;
            EXPECT_LE(cutting.after, MOST_TRIES_AFTER_CUT) << "cut at " << at << "/" << mode;
            EXPECT_EQ(commits, device->commitCount) << "cut at " << at << "/" << mode;
            EXPECT_EQ(0, std::memcmp(device->items, deviceBefore.data(), DEVICE_IMAGE_SIZE))
                << "cut at " << at << "/" << mode;
            ExpectTheNextDownloadWorks("upload", at, mode);
            points++;
        }
    ReleaseDocument(held);
    std::printf("drop sweep: %ld points in an upload of %ld operations\n", points, operations);
}

}  // namespace
