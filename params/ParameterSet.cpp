#include "params/ParameterSet.h"

#include "link/DriveCommands.h"
#include "link/DriveLink.h"
#include "params/IntegerText.h"
#include "params/ParameterTable.h"

namespace vk {

ParameterSet::ParameterSet(DriveLink& link, ParameterControls& controls)
    : link_(link), controls_(controls)
{
}

void ParameterSet::EditWrite(int number, const std::string& text)
{
    const ParameterEntry* entry = parameterEntry(number);
    if (!entry || !entry->read)
        return;
    if (entry->edit != 0)
        controls_.setEditText(entry->edit, text);
    else if (entry->flags)
        decodeFlags(*entry->flags, StrToHex(text), controls_);
}

std::int32_t ParameterSet::GetEditValue(int number)
{
    valuePresent_ = true;
    const ParameterEntry* entry = parameterEntry(number);
    if (!entry || !entry->written) {
        valuePresent_ = false;
        return 0;
    }
    if (entry->edit != 0)
        return convertIntegerText(controls_.editText(entry->edit));
    if (entry->flags)
        return encodeFlags(*entry->flags, controls_);
    return 0;
}

bool ParameterSet::ReadParam()
{
    for (const ParameterEntry& entry : parameterTable()) {
        if (!entry.read)
            continue;
        const auto text = readParameter(link_, entry.number);
        if (!text) {
            link_.state().TimedOut = false;
            return false;
        }
        cache_.store(entry.number, *text);
        EditWrite(entry.number, *text);
    }
    return true;
}

bool ParameterSet::UpdateParam()
{
    for (int number = 0; number <= kLastWriteVisit; ++number) {
        if (!link_.awaitOutputRoom(kWriteRoomBytes, kWriteRoomBudget))
            return false;
        const std::int32_t value = GetEditValue(number);
        if (valuePresent_ && !writeParameter(link_, number, value))
            return false;
    }
    return true;
}

std::int32_t ParameterSet::ReadStat()
{
    const StatusReply reply = queryStatus(link_);
    if (reply.text)
        cache_.store(kStatusNumber, *reply.text);
    statusWord_ = reply.status;
    return reply.status;
}

}  // namespace vk
