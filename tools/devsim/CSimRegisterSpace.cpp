#include "CSimRegisterSpace.h"

constexpr int kRegisterCount = 65536;

CSimRegisterSpace::CSimRegisterSpace() : values_(kRegisterCount, 0), attributes_(kRegisterCount, 0)
{
}

void CSimRegisterSpace::Define(int first, int count, std::uint8_t attributes)
{
    for (int a = first; a < first + count && a < kRegisterCount; ++a)
        attributes_[Index(a)] |= attributes;
}

void CSimRegisterSpace::Clear(int first, int count, std::uint8_t attributes)
{
    for (int a = first; a < first + count && a < kRegisterCount; ++a)
        attributes_[Index(a)] &= static_cast<std::uint8_t>(~attributes);
}

void CSimRegisterSpace::DefinePairs(int first, int count32)
{
    for (int i = 0; i < count32; ++i) {
        const int low = first + 2 * i;
        if (low + 1 >= kRegisterCount)
            break;
        attributes_[Index(low)] =
            static_cast<std::uint8_t>((attributes_[Index(low)] & ~PairHigh) | PairLow);
        attributes_[Index(low + 1)] =
            static_cast<std::uint8_t>((attributes_[Index(low + 1)] & ~PairLow) | PairHigh);
    }
}

bool CSimRegisterSpace::IsPresent(int first, int count) const
{
    return AllHave(first, count, Present);
}

bool CSimRegisterSpace::AllHave(int first, int count, std::uint8_t attribute) const
{
    if (first < 0 || count < 0 || first + count > kRegisterCount)
        return false;
    for (int a = first; a < first + count; ++a)
        if (!(attributes_[Index(a)] & attribute))
            return false;
    return true;
}

bool CSimRegisterSpace::AnyHas(int first, int count, std::uint8_t attribute) const
{
    for (int a = first; a < first + count && a < kRegisterCount; ++a)
        if (attributes_[Index(a)] & attribute)
            return true;
    return false;
}

std::int32_t CSimRegisterSpace::Get32(int address) const
{
    return static_cast<std::int32_t>(std::uint32_t(Get(address)) |
                                     (std::uint32_t(Get(address + 1)) << 16));
}

void CSimRegisterSpace::Set32(int address, std::int32_t value)
{
    Set(address, static_cast<std::uint16_t>(std::uint32_t(value) & 0xFFFF));
    Set(address + 1, static_cast<std::uint16_t>(std::uint32_t(value) >> 16));
}

int CSimRegisterSpace::CanonicalOf(int address) const
{
    if (!highWordFirst_)
        return address;
    const std::uint8_t a = attributes_[Index(address)];
    if (a & PairLow)
        return address + 1;
    if (a & PairHigh)
        return address - 1;
    return address;
}
