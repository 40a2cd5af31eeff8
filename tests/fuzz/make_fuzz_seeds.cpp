// Writes the seed files of the fuzz targets whose input is not a file of its own: the reply
// stream of a whole download from the demo device, its dial tables, its reports and its
// forwarding destinations, and typical field texts. Run once to make them:
//   build/native/tests/fuzz/make_fuzz_seeds tests/fuzz/seeds
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "device/device_protocol.h"
#include "device/device_transfer.h"
#include "device/device_transport.h"
#include "devsim/sim_backend.h"
#include "devsim/sim_demo.h"
#include "document/document.h"
#include "settings/forwarding.h"
#include "ui/app_state.h"

namespace {

using Bytes = std::vector<uint8_t>;

std::string gOut;

bool Write(const char* target, const char* name, const Bytes& bytes)
{
    const std::string path = gOut + "/" + target + "/" + name;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() || std::fclose(f)) {
        std::fprintf(stderr, "make_fuzz_seeds: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

void Append(Bytes& to, const void* bytes, size_t size)
{
    const uint8_t* b = static_cast<const uint8_t*>(bytes);
    to.insert(to.end(), b, b + size);
}

// Every read of the inner backend, in order: what the device said.
struct RecordingBackend {
    DeviceBackend backend;
    const DeviceBackend* inner;
    Bytes replies;
};

void InitRecording(RecordingBackend* r, const DeviceBackend* inner)
{
    r->inner = inner;
    r->backend = *inner;
    r->backend.context = r;
    r->backend.openPipe = [](void* c, int device, int pipe, PipeHandle* h) {
        const DeviceBackend* in = static_cast<RecordingBackend*>(c)->inner;
        return in->openPipe(in->context, device, pipe, h);
    };
    r->backend.readDescriptor = [](void* c, PipeHandle h, uint8_t* d) {
        const DeviceBackend* in = static_cast<RecordingBackend*>(c)->inner;
        return in->readDescriptor(in->context, h, d);
    };
    r->backend.read = [](void* c, PipeHandle h, uint8_t* b, uint32_t n, uint32_t* done) {
        RecordingBackend* self = static_cast<RecordingBackend*>(c);
        const int ok = self->inner->read(self->inner->context, h, b, n, done);
        Append(self->replies, b, *done);
        return ok;
    };
    r->backend.write = [](void* c, PipeHandle h, const uint8_t* b, uint32_t n, uint32_t* done) {
        const DeviceBackend* in = static_cast<RecordingBackend*>(c)->inner;
        return in->write(in->context, h, b, n, done);
    };
    r->backend.closePipe = [](void* c, PipeHandle h) {
        const DeviceBackend* in = static_cast<RecordingBackend*>(c)->inner;
        in->closePipe(in->context, h);
    };
}

// Slot byte and entry bytes for every key and entry that holds something.
Bytes DialChunks(const EditState& s)
{
    Bytes out;
    const uint8_t empty[DIAL_ENTRY_SIZE] = {};
    for (int i = 0; i < QUICK_KEY_COUNT; i++)
        if (std::memcmp(s.quickDial.entries[i], empty, DIAL_ENTRY_SIZE) != 0) {
            out.push_back(static_cast<uint8_t>(i));
            Append(out, s.quickDial.entries[i], DIAL_ENTRY_SIZE);
        }
    for (int i = 0; i < SPEED_DIAL_COUNT; i++)
        if (std::memcmp(s.speedDial.entries[i], empty, DIAL_ENTRY_SIZE) != 0) {
            out.push_back(static_cast<uint8_t>(QUICK_KEY_COUNT + i));
            Append(out, s.speedDial.entries[i], DIAL_ENTRY_SIZE);
        }
    return out;
}

bool ForwardingSeeds(const EditState& s)
{
    const Bytes chunks = DialChunks(s);
    struct Typed {
        const char* name;
        uint8_t record[FORWARD_LONG_SIZE];
    } typed[4] = {};
    EncodeForwardingEmail(typed[0].record, "reception@example.com");
    EncodeForwardingFax(typed[1].record, "+49 30 1234567", "0815", "secret");
    typed[2].record[0] = FORWARD_KIND_SPEED_FAX;
    typed[2].record[1] = 1;
    typed[3].record[0] = FORWARD_KIND_QUICK_EMAIL;
    typed[3].record[1] = 2;
    const char* names[] = {"typed-email.bin", "typed-fax.bin", "speed-dial-fax.bin",
                           "quick-dial-email.bin"};
    bool ok = true;
    for (int i = 0; i < 4; i++) {
        Bytes seed(typed[i].record, typed[i].record + FORWARD_LONG_SIZE);
        Append(seed, chunks.data(), chunks.size());
        ok &= Write("fuzz_forwarding", names[i], seed);
    }
    return ok;
}

bool ReportSeeds(const EditState& s)
{
    // 100 dpi: A4 portrait and landscape, and a small page that needs many.
    const uint8_t pages[][4] = {{40, 64, 70, 0}, {40, 93, 48, 1}, {10, 20, 20, 0}};
    const char* names[] = {"a4-portrait.bin", "a4-landscape-a3.bin", "small-page.bin"};
    bool ok = true;
    for (int i = 0; i < 3; i++) {
        Bytes seed(pages[i], pages[i] + 4);
        Append(seed, &s.quickDial, sizeof s.quickDial);
        Append(seed, &s.speedDial, sizeof s.speedDial);
        Append(seed, &s.properties, sizeof s.properties);
        ok &= Write("fuzz_print_report", names[i], seed);
    }
    return ok;
}

bool RecordSeeds(const EditState& s)
{
    const Bytes chunks = DialChunks(s);
    const uint8_t settings[] = {0, 1, 2, 4};
    const char* names[] = {"demo.bin", "demo-japanese.bin", "demo-inch.bin", "demo-a3.bin"};
    bool ok = true;
    for (int i = 0; i < 4; i++) {
        Bytes seed(1, settings[i]);
        Append(seed, chunks.data(), chunks.size());
        ok &= Write("fuzz_dial_records", names[i], seed);
    }
    return ok;
}

bool FieldSeeds()
{
    // Flags: bits 0-1 code page, 2 Japanese, 3 SUB/SID, 4-5 filter, 6-7 limit.
    struct Field {
        const char* name;
        uint8_t flags;
        const char* text;
    } fields[] = {
        {"name-1252.bin", 0x00 | 0x40, "M\xfcller & S\xf6hne GmbH"},
        {"name-932.bin", 0x01 | 0x04 | 0x40, "\x93\x8c\x8b\x9e\x96\x7b\x8e\xd0"},
        {"number.bin", 0x10 | 0x80, "+49 (30) 1234-567 P"},
        {"sub-code.bin", 0x18 | 0x40, "0815*#"},
        {"email.bin", 0x20 | 0x80, "fax.reception@example.co.uk"},
        {"digits.bin", 0x30, "0123"},
    };
    bool ok = true;
    for (const Field& f : fields) {
        Bytes seed(1, f.flags);
        Append(seed, f.text, std::strlen(f.text) + 1);
        ok &= Write("fuzz_dial_fields", f.name, seed);
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_fuzz_seeds SEEDS_DIR\n");
        return 2;
    }
    gOut = argv[1];
    ResetAppState(&gApp);
    ApplyModelProfile(&gApp, "A4ZRPQ 2A02");
    SetAcceptedProductIds(gApp.acceptedProductIds, ACCEPTED_ID_SLOTS);
    SetUploadDumpPath(nullptr);

    SimBackend sim;
    InitSimBackend(&sim);
    SimDevice device;
    SimInitDemo(&device);
    sim.devices[0] = &device;
    RecordingBackend recording;
    InitRecording(&recording, &sim.backend);
    SetDeviceBackend(&recording.backend);
    Document doc = {};
    if (!SetRemoteMode(REMOTE_MODE_BEGIN) || DeviceOpen() != 0 || !CreateDocument(doc)) {
        std::fprintf(stderr, "make_fuzz_seeds: the demo device did not answer\n");
        return 1;
    }
    recording.replies.clear();
    if (!DownloadDocument(doc, QUICK_KEY_COUNT, nullptr)) {
        std::fprintf(stderr, "make_fuzz_seeds: the download failed\n");
        return 1;
    }
    DeviceClose();
    SetDeviceBackend(nullptr);

    bool ok = Write("fuzz_device_reply", "demo-download.bin", recording.replies);
    ok &= RecordSeeds(doc.edit);
    ok &= ReportSeeds(doc.edit);
    ok &= ForwardingSeeds(doc.edit);
    ok &= FieldSeeds();
    ReleaseDocument(doc);
    return ok ? 0 : 1;
}
