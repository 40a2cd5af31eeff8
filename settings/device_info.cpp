// The device information dialogs' rules. See device_info.h.
#include "settings/device_info.h"

#include <cstring>

#include "device/byte_order.h"
#include "resources/resource_ids.h"
#include "settings/settings_rules.h"

DeviceInfoTexts DescribeDeviceOptions(EditState& state)
{
    const DeviceConfig& c = state.config;
    DeviceInfoTexts texts;
    texts.adf = c.adf == 1 ? IDS_INSTALLED : IDS_NOT_INSTALLED;
    texts.optionalTray = c.optionalTray == 1 ? IDS_TRAY2_INSTALLED : IDS_NOT_INSTALLED;
    texts.bypassTray = c.bypassTray == 1 ? IDS_INSTALLED : IDS_NOT_INSTALLED;
    texts.ethernetBoard = NormaliseEthernetFlag(state) == 1 ? IDS_INSTALLED : IDS_NOT_INSTALLED;
    texts.memoryMb = c.memorySizeMb;
    return texts;
}

PropertiesWork TakePropertiesWork(const EditState& state)
{
    PropertiesWork work = {};
    SetWorkText(work.name, sizeof work.name, DEVICE_NAME_CHARS, state.properties.deviceName);
    SetWorkText(work.faxNumber, sizeof work.faxNumber, DEVICE_FAX_NUMBER_CHARS,
                state.properties.faxNumber);
    return work;
}

void SetWorkText(char* field, int size, int chars, const char* text)
{
    if (!field || size <= 0)
        return;
    std::memset(field, 0, static_cast<size_t>(size));
    if (chars > size - 1)
        chars = size - 1;
    for (int i = 0; text && i < chars && text[i]; i++)
        field[i] = text[i];
}

int CommitProperties(const PropertiesWork& work, Document& doc)
{
    if (!doc.image.bytes)
        return 0;
    EditState& state = doc.edit;
    SetWorkText(state.properties.deviceName, sizeof state.properties.deviceName, DEVICE_NAME_CHARS,
                work.name);
    SetWorkText(state.properties.faxNumber, sizeof state.properties.faxNumber,
                DEVICE_FAX_NUMBER_CHARS, work.faxNumber);
    SetSentLength(doc, 0x10C04, static_cast<uint32_t>(std::strlen(state.properties.deviceName)));
    SetSentLength(doc, 0x10C02, static_cast<uint32_t>(std::strlen(state.properties.faxNumber)));
    return CommitEdits(doc);
}
