// The edit state: the settings fields mirrored from the image's items and the dial tables,
// which are what the editors change, with the one mapping table that carries values between the
// image and the edit state in both directions (edit_state.cpp). The document (document.h) holds
// the program's edit state beside its image.
//
// Text fields carry one byte more than the item holds; that last byte is never copied and
// always 0, so every text field is NUL-terminated whatever a file or device put in it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "device/device_image.h"
#include "document/dial_tables.h"

// Text fields carry one byte more than the item holds; that last byte is never copied and
// always 0, so every text field is NUL-terminated whatever a file or device put in it.

constexpr int TEXT_LONG_SIZE = 66;             // 64 characters
constexpr int TEXT_MEDIUM_SIZE = 34;           // 32 characters
constexpr int TEXT_SHORT_SIZE = 22;            // 20 characters
constexpr int DEVICE_NAME_SIZE = 36;           // 0x10C04, at most 32 characters
constexpr int DEVICE_FAX_NUMBER_SIZE = 24;     // 0x10C02, at most 20 characters
constexpr int PABX_PREFIX_SIZE = 5;            // 0x10504, at most 4 digits
constexpr int RESTRICTION_PASSWORD_SIZE = 10;  // 0x10D02, at most 8 digits
constexpr int RX_PRINT_TIMER_SIZE = 12;        // 0x10401
constexpr int COUNTER_COUNT = 13;              // 0x4
constexpr int FORWARD_LONG_SIZE = 72;          // 0x1040E, e-mail form
constexpr int FORWARD_SHORT_SIZE = 52;         // 0x1040E, fax form

// 0x3, read only: what the device has installed (1 = installed, anything else = not).
struct DeviceConfig {
    uint8_t adf;            // byte 0
    uint8_t optionalTray;   // byte 1; also the number of optional trays
    uint8_t ethernetBoard;  // byte 2
    uint8_t bypassTray;     // byte 3
    uint16_t memorySizeMb;  // bytes 4-5
    uint8_t inchPaper;      // byte 6: 0 metric paper sizes, 1 inch sizes
};

// 0x4, read only.
struct DeviceCounters {
    uint32_t values[COUNTER_COUNT];  // scan, full colour, black-and-white, level colour, ...
};

// Category 0x00, System page.
struct SystemSettings {
    uint8_t autoReset;            // 0x10000: 1 on
    uint8_t autoResetTime;        // 0x10001: index 30 s .. 5 min
    uint32_t energySaverMinutes;  // 0x10002: 1..240
    uint8_t autoOff;              // 0x10003: 1 on
    uint32_t autoOffMinutes;      // 0x10004: 15..240
    uint8_t languageSet;          // 0x10005: read only
    uint8_t language;             // 0x10006: language code
    uint8_t panelKeyVolume;       // 0x10007
    uint8_t alertVolume;          // 0x10008
    uint8_t lineVolume;           // 0x10009
    uint8_t daylightSaving;       // 0x1000A: 128 on
    uint8_t country;              // 0x1000B: index 0..43
    uint8_t functionPriority;     // 0x1000C: 0 copy, 4 fax, 8 printer
};

// Category 0x01, Paper page. Size modes and custom sizes are kept per tray (Tray 1, Tray 2,
// bypass), as the page shows them.
constexpr int PAPER_TRAYS = 3;
struct PaperSettings {
    uint8_t tray1Type;              // 0x10100
    uint8_t tray1Size;              // 0x10101: size code
    uint8_t tray2Type;              // 0x10105
    uint8_t tray2Size;              // 0x10106
    uint8_t bypassType;             // 0x1010D
    uint8_t bypassSize;             // 0x1010E
    uint8_t autoSelectTray1;        // 0x1010F: 1 on
    uint8_t autoSelectTray2;        // 0x10110
    uint8_t autoSelectBypass;       // 0x10111
    uint8_t extraSizes;             // 0x10112: 1 offers "A5 Portrait" and "B6 JIS Portrait"
    uint8_t sizeMode[PAPER_TRAYS];  // 0x10102, 0x10107, 0x1010A: 0 size list, 1 custom
    uint16_t customX[PAPER_TRAYS];  // 0x10103, 0x10108, 0x1010B: mm
    uint16_t customY[PAPER_TRAYS];  // 0x10104, 0x10109, 0x1010C: mm
};

// Category 0x02, Copy Setting page.
struct CopySettings {
    uint8_t paperTrayPriority;    // 0x10200
    uint8_t originalType;         // 0x10201
    uint8_t densityMode;          // 0x10202
    uint8_t autoDensity;          // 0x10203
    uint8_t manualDensity;        // 0x10204
    uint8_t sort;                 // 0x10205
    uint8_t twoInOne;             // 0x10206
    uint8_t twoSidedOriginal;     // 0x10207
    uint8_t twoSidedCopy;         // 0x10209
    uint8_t colorRed;             // 0x1020A
    uint8_t colorGreen;           // 0x1020B
    uint8_t colorBlue;            // 0x1020C
    uint8_t sharpness;            // 0x1020D
    uint8_t contrast;             // 0x1020E
    uint8_t faceDownEject;        // 0x1020F
    uint8_t originalBinding;      // 0x10210
    uint8_t originalOrientation;  // 0x10211
    uint8_t outputOrder;          // 0x10212
};

// Category 0x03, Transmission page.
struct TransmissionSettings {
    uint8_t scanDensity;        // 0x10300
    uint8_t resolution;         // 0x10301
    uint8_t memoryTx;           // 0x10302: 0 on, 4 off
    uint8_t printFaxHeader;     // 0x10303: 2 on
    uint8_t autoResend;         // 0x10304: 16 on
    uint8_t resendCount;        // 0x10305
    uint8_t resendCountMax;     // 0x10306: read only
    uint8_t resendInterval;     // 0x10307: minutes
    uint8_t resendIntervalMin;  // 0x10308: read only, high four bits
};

// Category 0x04, RX Operation page. The forwarding destination (0x1040E) is
// EditState::forwarding.
constexpr int RX_TIMING_ITEM_COUNT = 5;
struct ReceptionSettings {
    uint8_t rxPrintTimer;                             // 0x10400: 128 on
    uint8_t rxPrintTimerRecord[RX_PRINT_TIMER_SIZE];  // 0x10401: times, password, flags
    int8_t ringCount;                                 // 0x10402: signed
    uint8_t ringCountMax;                             // 0x10403
    uint8_t ringCountMin;                             // 0x10404
    uint8_t autoReduce;                               // 0x10405
    uint8_t rxType;                                   // 0x10406: 8 memory, 0 immediate
    uint8_t rxMode;                                   // 0x10407: also an upload selector
    uint8_t forwarding;                               // 0x1040D: 0 on, 32 forward and print, 64 off
    uint8_t faxFooter;                                // 0x1040F: 16 on
    uint8_t closedNetwork;                            // 0x10410: 32 on
    uint8_t faxTrayPriority;                          // 0x10411
    uint8_t timing[RX_TIMING_ITEM_COUNT];             // 0x10408-0x1040C: ringing, detection
};

// Category 0x05, Communication (Line) page.
struct LineSettings {
    uint8_t dialType;                       // 0x10500: 0 push button, 16 dial
    uint8_t pulseRate;                      // 0x10501: 8 10PPS, 0 20PPS
    uint8_t lineType;                       // 0x10502: 0 PSTN, 64 PABX
    char pabxPrefix[PABX_PREFIX_SIZE + 1];  // 0x10504: digits
};

// Category 0x06, Report page.
struct ReportSettings {
    uint8_t journal;   // 0x10600
    uint8_t txReport;  // 0x10601
    uint8_t rxReport;  // 0x10602
};

// Category 0x07, Network page. Addresses in their stored form.
struct NetworkSettings {
    uint8_t addressMode;    // 0x10700: 0 DHCP, 4 specified
    uint32_t ipAddress;     // 0x10702
    uint32_t subnetMask;    // 0x10704
    uint32_t gateway;       // 0x10706
    uint8_t dnsActive;      // 0x10707: 128 active
    uint32_t dnsServer;     // 0x10709
    uint8_t ethernetSpeed;  // 0x1070A
};

// Category 0x08, LDAP page.
struct LdapSettings {
    char serverName[TEXT_LONG_SIZE + 1];  // 0x10801
    char userName[TEXT_LONG_SIZE + 1];    // 0x10803
    char password[TEXT_MEDIUM_SIZE + 1];  // 0x10805
    uint32_t port;                        // 0x10806
    uint32_t searchTimeout;               // 0x10807: seconds
    uint32_t maxResults;                  // 0x10808
    char searchBase[TEXT_LONG_SIZE + 1];  // 0x1080A
    uint8_t searchCondition;              // 0x1080B
};

// Category 0x09, SMTP page.
struct SmtpSettings {
    char senderName[TEXT_SHORT_SIZE + 1];      // 0x10901: device character set
    char emailAddress[TEXT_LONG_SIZE + 1];     // 0x10903
    char serverName[TEXT_LONG_SIZE + 1];       // 0x10905
    uint32_t port;                             // 0x10906
    uint32_t serverTimeout;                    // 0x10907: seconds
    uint8_t insertFixedText;                   // 0x10908: 8 on
    char defaultSubject[TEXT_SHORT_SIZE + 1];  // 0x1090A
    uint8_t authentication;                    // 0x1090B: 0 on, 1 off, 2 POP before SMTP
    char userName[TEXT_LONG_SIZE + 1];         // 0x1090D
    char password[TEXT_MEDIUM_SIZE + 1];       // 0x1090F
};

// Category 0x0A, POP3 page.
struct Pop3Settings {
    char serverName[TEXT_LONG_SIZE + 1];  // 0x10A01
    uint32_t port;                        // 0x10A02
    uint32_t serverTimeout;               // 0x10A03: seconds
    char userName[TEXT_LONG_SIZE + 1];    // 0x10A05
    char password[TEXT_MEDIUM_SIZE + 1];  // 0x10A07
    uint8_t autoReception;                // 0x10A08: 1 on
    uint8_t receptionInterval;            // 0x10A09: minutes
    char adminEmail[TEXT_LONG_SIZE + 1];  // 0x10A0B
    uint8_t printCoverSheet;              // 0x10A0C: 1 on
    uint8_t saveErrorInfo;                // 0x10A0D: 2 on
};

// Category 0x0B, Scanner page.
struct ScannerSettings {
    uint8_t resolution;     // 0x10B00
    uint8_t imageFormat;    // 0x10B01
    uint8_t codingMethod;   // 0x10B02
    uint8_t divideMode;     // 0x10B03: 0 off, 2 per size, 1 per page
    uint32_t pageDivideKb;  // 0x10B04
    uint32_t sizeDivideKb;  // 0x10B05
    uint32_t maxDivisions;  // 0x10B06
};

// Category 0x0C, Properties dialog.
struct DeviceProperties {
    char faxNumber[DEVICE_FAX_NUMBER_SIZE + 1];  // 0x10C02
    char deviceName[DEVICE_NAME_SIZE + 1];       // 0x10C04: also the tree root's text
};

// Category 0x0D, User Restriction.
struct RestrictionSettings {
    uint8_t enabled;                               // 0x10D00: 1 on
    char password[RESTRICTION_PASSWORD_SIZE + 1];  // 0x10D02: digits
};

// The forwarding destination of item 0x1040E. `isEmail` says which form StoreEditState writes
// back: 1 the e-mail (long, 72-byte) form, 0 the fax (short, 52-byte) form, leaving the rest of
// the value alone.
struct ForwardingDestination {
    uint8_t record[FORWARD_LONG_SIZE];
    uint8_t isEmail;
};

// Everything the editors change: the settings fields and the dial directory. The dial tables
// carry each entry's image length with its bytes, since the dial writers set both.
struct EditState {
    DeviceConfig config;
    DeviceCounters counters;
    SystemSettings system;
    PaperSettings paper;
    CopySettings copy;
    TransmissionSettings transmission;
    ReceptionSettings reception;
    LineSettings line;
    ReportSettings report;
    NetworkSettings network;
    LdapSettings ldap;
    SmtpSettings smtp;
    Pop3Settings pop3;
    ScannerSettings scanner;
    DeviceProperties properties;
    RestrictionSettings restriction;
    ForwardingDestination forwarding;
    QuickDialTable quickDial;
    SpeedDialTable speedDial;
};

// Image -> edit state: every mapped item's value, and for the dial entries their lengths too.
// 1, or 0 without an image.
int LoadEditState(EditState& state, const DeviceImage& image);
// Edit state -> image, the exact inverse; 1, or 0 without an image. Settings item lengths are
// never touched (CommitEditState decides those of the texts).
int StoreEditState(const EditState& state, DeviceImage& image);
// What every commit of the editors' work stores: StoreEditState, and for every text item whose
// bytes this changed, the item's length set to its text's length, so the image never holds a
// text with another text's length (an item the device does not have keeps its ITEM_ABSENT).
// Texts that did not change keep their length. 1, or 0 without an image.
int CommitEditState(const EditState& state, DeviceImage& image);

// The edit-state bytes that mirror settings item `id` (not the dial entries, 0x3 or 0x4): 1 with
// *offset and *size set (a text's size includes its terminator), or 0 for an item the edit
// state does not carry.
int EditFieldOfItem(uint32_t id, size_t* offset, size_t* size);
