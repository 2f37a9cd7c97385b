#include "config/SigmaDisplay.h"

#include <cstddef>

#include "device/ParameterSet.h"

namespace {
constexpr int kMeasuredTexts = 3600; // 3600 + code, running on into the energy texts 3700-3719
constexpr int kPeakTexts = 5000;     // 5000 + code for 210-213 and 310-313
constexpr int kNameTexts = 15004;
constexpr int kMeasuredLast = 42;
constexpr int kNeutralCurrent = 11;
constexpr int kNeutralThd = 33;
constexpr int kScreensForAll = 4;

constexpr Capabilities kFirstLinesMask = CapKtb | CapKtaGen2;
constexpr Capabilities kKtbOnlyMask = CapKtb;

bool IsLine4(int row)
{
    return row % kSigmaLinesPerScreen == kSigmaLinesPerScreen - 1;
}

std::vector<int> KtbMeasuredCodes(Capabilities caps)
{
    const bool neutral = (caps & (Cap3P4W | CapKtbV3)) != 0;
    std::vector<int> codes;
    for (int code = 0; code <= kMeasuredLast; ++code)
        if (neutral || (code != kNeutralCurrent && code != kNeutralThd))
            codes.push_back(code);
    return codes;
}

// Without KTB each of the first three lines has a fixed short choice.
std::vector<int> ShortList(int row)
{
    switch (row % kSigmaLinesPerScreen) {
    case 0:
        return {0, 1};
    case 1:
        return {0, 3, 4, 5};
    case 2:
        return {0, 2, 6, 7};
    default:
        return {};
    }
}

void AppendRange(std::vector<int>& codes, int first, int last)
{
    for (int code = first; code <= last; ++code)
        codes.push_back(code);
}
} // namespace

int SigmaRowCount(Capabilities caps)
{
    return (caps & CapKtb) != 0 ? kSigmaRowsMax : kScreensForAll * kSigmaLinesPerScreen;
}

int SigmaRowWord(int row)
{
    return kSigmaFirstWord + row;
}

int SigmaRowNameId(int row)
{
    return kNameTexts + row;
}

Capabilities SigmaRowMask(int row)
{
    const bool allScreens = row < kScreensForAll * kSigmaLinesPerScreen;
    return allScreens && !IsLine4(row) ? kFirstLinesMask : kKtbOnlyMask;
}

bool SigmaRowEditable(Capabilities caps, int row)
{
    return (caps & SigmaRowMask(row)) != 0;
}

int SigmaItemTextId(int code)
{
    if (code >= 0 && code < 120)
        return kMeasuredTexts + code;
    if ((code >= 210 && code <= 213) || (code >= 310 && code <= 313))
        return kPeakTexts + code;
    return 0;
}

SigmaItemList SigmaItemsFor(Capabilities caps, int row)
{
    SigmaItemList list;
    if ((caps & CapKtb) == 0) {
        list.codes = ShortList(row);
        list.measuredCount = static_cast<int>(list.codes.size());
        return list;
    }
    list.codes = KtbMeasuredCodes(caps);
    list.measuredCount = static_cast<int>(list.codes.size());
    if (!IsLine4(row))
        return list;
    AppendRange(list.codes, 100, 119);
    if ((caps & CapKtbGen2) != 0) {
        AppendRange(list.codes, 210, 213);
        AppendRange(list.codes, 310, 313);
    }
    return list;
}

int SigmaListPosition(const SigmaItemList& list, int code)
{
    int position = -1;
    if (code < 100) {
        for (int i = 0; i < list.measuredCount; ++i)
            if (list.codes[static_cast<std::size_t>(i)] == code)
                position = i;
    } else if (code < 210) {
        position = code - 100 + list.measuredCount;
    } else if (code < 310) {
        position = code - 190 + list.measuredCount;
    } else {
        position = code - 286 + list.measuredCount;
    }
    // A code between the item ranges would land on a neighbouring item.
    return SigmaCodeAt(list, position) == code ? position : -1;
}

int SigmaCodeAt(const SigmaItemList& list, int position)
{
    if (position < 0 || position >= static_cast<int>(list.codes.size()))
        return -1;
    return list.codes[static_cast<std::size_t>(position)];
}

bool StoreSigmaChoice(ParameterSet& set, int row, int listIndex)
{
    const Capabilities caps = set.type.Caps();
    if (row < 0 || row >= SigmaRowCount(caps) || !SigmaRowEditable(caps, row))
        return false;
    const int code = SigmaCodeAt(SigmaItemsFor(caps, row), listIndex);
    if (code < 0)
        return false;
    set[SigmaRowWord(row)] = static_cast<std::uint16_t>(code);
    return true;
}
