#include "params/ParameterSet.h"

#include "link/DriveCommands.h"
#include "link/DriveLink.h"
#include "params/BulkTransfer.h"
#include "params/IntegerText.h"
#include "params/ParameterTable.h"

#include <array>

namespace vk {
namespace {

// Send's walk: every number up to the last it may write, one without a value too.
constexpr auto kWriteVisits = [] {
    std::array<int, ParameterSet::kLastWriteVisit + 1> numbers{};
    for (int number = 0; number <= ParameterSet::kLastWriteVisit; ++number)
        numbers[static_cast<std::size_t>(number)] = number;
    return numbers;
}();

}  // namespace

ParameterSet::ParameterSet(DriveLink& link, ParameterControls& controls) : link_(link), controls_(controls)
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
    const std::optional<int> unanswered = readEach(
        bulkReadNumbers(), [this](int number) { return readParameter(link_, number); },
        [this](int number, const std::string& text) {
            cache_.store(number, text);
            EditWrite(number, text);
        });
    if (unanswered)
        link_.state().TimedOut = false;
    return !unanswered;
}

bool ParameterSet::UpdateParam()
{
    const auto valueOf = [this](int number) {
        const std::int32_t value = GetEditValue(number);
        return valuePresent_ ? std::optional(value) : std::nullopt;
    };
    const auto write = [this](int number, std::int32_t value) { return writeParameter(link_, number, value); };
    return !writeEach(link_, kWriteVisits, valueOf, write);
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
