#include "params/ParameterCache.h"

namespace vk {

void ParameterCache::reset()
{
    slots_.fill("0");
}

void ParameterCache::store(int number, std::string text)
{
    slots_.at(static_cast<std::size_t>(number)) = std::move(text);
}

const std::string& ParameterCache::fetch(int number) const
{
    return slots_.at(static_cast<std::size_t>(number));
}

}  // namespace vk
