#include "device/RegisterMap.h"

namespace {

using enum RegisterWidth;

// Register, count, first word, width, ends block, capability mask (low, high).
// Entry order is download order: a block closes only at an entry that ends it.
// clang-format off
const std::vector<RegisterBlock> kMainMap = {
    { 5200,  4,   0, Bits16, true , 0x80000000, 0xA0},
    { 5328,  1,  28, Bits16, true , 0x80000000, 0x1B0},
    { 5332,  1,  29, Bits16, true , 0x80000000, 0x0},
    {20302,  1,  30, Bits16, true , 0x0, 0x10},
    { 5600,  1,  31, Bits16, false, 0x80000000, 0xDB0},
    { 5601,  2,  33, Bits16, false, 0x80000000, 0xDB0},
    { 5603,  1,  36, Bits32, false, 0x80000000, 0xDB0},
    { 5605,  4,  38, Bits16, true , 0x80000000, 0xDB0},
    { 5609,  2,  47, Bits16, true , 0x0, 0xC10},
    { 5611,  1,  50, Bits16, true , 0x0, 0xC10},
    { 5612,  2,  56, Bits16, true , 0x0, 0xC00},
    { 5614,  1,  59, Bits16, true , 0x0, 0xC00},
    { 5615,  2,  65, Bits16, true , 0x0, 0xC00},
    { 5617,  1,  68, Bits16, true , 0x0, 0xC00},
    { 5696,  1,  35, Bits16, true , 0x0, 0xC00},
    { 5697,  1,  49, Bits16, true , 0x0, 0xC00},
    { 5698,  1,  58, Bits16, true , 0x0, 0xC00},
    { 5699,  1,  67, Bits16, true , 0x0, 0xC00},
    { 5728,  2, 148, Bits16, true , 0x20000, 0x200},
    { 5730,  2, 150, Bits16, true , 0x10020000, 0x200},
    { 5732,  2, 152, Bits16, true , 0x10020000, 0x0},
    { 5734,  1, 154, Bits16, true , 0x10020000, 0x200},
    { 5736,  1, 155, Bits16, true , 0x10000000, 0x0},
    { 5737,  1, 164, Bits16, true , 0x12000000, 0x0},
    { 5738,  8, 156, Bits16, true , 0x2000000, 0x0},
    { 5760,  2, 165, Bits16, true , 0x1000000, 0x0},
    { 5856,  2, 167, Bits16, true , 0x80000000, 0x1B0},
    { 5984,  2, 169, Bits16, true , 0x0, 0x1},
    { 5986,  2, 180, Bits16, true , 0x80000000, 0xDB0},
    { 5988,  2, 182, Bits16, true , 0x80000000, 0xCB0},
    { 5990,  1, 171, Bits16, true , 0x0, 0xC},
    { 5991,  2, 184, Bits16, true , 0x0, 0xD00},
    { 6112,  2, 186, Bits16, true , 0x100, 0x0},
    { 6114,  2, 188, Bits16, true , 0x1000, 0x0},
    { 6116,  2, 190, Bits16, true , 0x200, 0x0},
    { 6120,  2, 192, Bits16, true , 0x400, 0x0},
    { 6124,  2, 194, Bits16, true , 0x800, 0x0},
    { 6240,  1, 196, Bits16, false, 0x100, 0x0},
    { 6241,  1, 197, Bits32, false, 0x100, 0x0},
    { 6243,  1, 199, Bits16, true , 0x100, 0x0},
    { 6244,  1, 201, Bits16, true , 0x80000000, 0xA0},
    { 6245,  1, 202, Bits16, false, 0x200, 0x0},
    { 6246,  1, 203, Bits32, false, 0x200, 0x0},
    { 6248,  1, 205, Bits16, true , 0x200, 0x0},
    { 6249,  1, 207, Bits16, false, 0x400, 0x0},
    { 6250,  1, 208, Bits32, false, 0x400, 0x0},
    { 6252,  1, 210, Bits16, true , 0x400, 0x0},
    { 6253,  1, 211, Bits16, false, 0x800, 0x0},
    { 6254,  1, 212, Bits32, false, 0x800, 0x0},
    { 6256,  1, 214, Bits16, true , 0x800, 0x0},
    { 6304,  1, 200, Bits16, true , 0x0, 0xC00},
    { 6305,  1, 206, Bits16, true , 0x0, 0xC00},
    { 6368,  2, 224, Bits16, false, 0x80000000, 0x40A0},
    { 6370,  2, 226, Bits32, false, 0x80000000, 0x40A0},
    { 6374,  3, 230, Bits16, true , 0x80000000, 0x40A0},
    { 6378,  2, 233, Bits32, false, 0x20100000, 0x40A1},
    { 6382,  3, 237, Bits16, true , 0x20100000, 0x40A1},
    { 6386,  2, 240, Bits32, false, 0x80000000, 0x40A0},
    { 6390,  3, 244, Bits16, false, 0x80000000, 0x40A0},
    { 6394,  2, 247, Bits32, false, 0x80000000, 0x40A0},
    { 6398,  3, 251, Bits16, false, 0x80000000, 0x40A0},
    { 6402,  2, 254, Bits32, false, 0x80000000, 0x40A0},
    { 6406,  3, 258, Bits16, false, 0x80000000, 0x40A0},
    { 6410,  2, 261, Bits32, false, 0x80000000, 0x40A0},
    { 6414,  3, 265, Bits16, false, 0x80000000, 0x40A0},
    { 6418,  2, 268, Bits32, false, 0x80000000, 0x40A0},
    { 6422,  3, 272, Bits16, false, 0x80000000, 0x40A0},
    { 6426,  2, 275, Bits32, false, 0x80000000, 0x40A0},
    { 6430,  3, 279, Bits16, true , 0x80000000, 0x40A0},
    { 6434,  2, 282, Bits32, false, 0x80000000, 0x40A0},
    { 6438,  3, 286, Bits16, false, 0x80000000, 0x40A0},
    { 6442,  2, 289, Bits32, false, 0x80000000, 0x40A0},
    { 6446,  3, 293, Bits16, true , 0x80000000, 0x40A0},
    { 6450,  2, 296, Bits32, false, 0x20100000, 0x40A1},
    { 6454,  3, 300, Bits16, true , 0x20100000, 0x40A1},
    { 6458,  2, 303, Bits32, false, 0x80000000, 0x40A0},
    { 6462,  3, 307, Bits16, false, 0x80000000, 0x40A0},
    { 6466,  2, 310, Bits32, false, 0x80000000, 0x40A0},
    { 6470,  3, 314, Bits16, false, 0x80000000, 0x40A0},
    { 6474,  2, 317, Bits32, false, 0x80000000, 0x40A0},
    { 6478,  3, 321, Bits16, false, 0x80000000, 0x40A0},
    { 6482,  2, 324, Bits32, false, 0x80000000, 0x40A0},
    { 6486,  3, 328, Bits16, true , 0x80000000, 0x40A0},
    { 6490,  2, 331, Bits32, false, 0x20100000, 0x40A1},
    { 6494,  3, 335, Bits16, true , 0x20100000, 0x40A1},
    { 6498,  2, 338, Bits32, false, 0x80000000, 0x40A0},
    { 6502,  3, 342, Bits16, false, 0x80000000, 0x40A0},
    { 6506,  2, 345, Bits32, false, 0x80000000, 0x40A0},
    { 6510,  3, 349, Bits16, true , 0x80000000, 0x40A0},
    { 6514,  2, 352, Bits32, false, 0x0, 0xA6},
    { 6518,  3, 356, Bits16, true , 0x0, 0xA6},
    { 6624,  3, 215, Bits16, true , 0x80000000, 0x0},
    { 6627,  1, 218, Bits16, true , 0x0, 0xC},
    { 6752,  1, 109, Bits16, false, 0x0, 0x1},
    { 6753,  1, 110, Bits32, true , 0x0, 0x1},
    { 6768,  6, 112, Bits32, true , 0x0, 0x2},
    { 6780,  6, 124, Bits32, true , 0x0, 0x2},
    { 6792,  6, 136, Bits32, true , 0x0, 0x2},
    { 6880,  4, 219, Bits16, true , 0x80000000, 0x0},
    { 7007,  1, 359, Bits16, true , 0x0, 0x2000},
    { 7008, 14, 360, Bits16, true , 0x10, 0x0},
    { 7022, 14, 374, Bits16, true , 0x10, 0x0},
    { 7038, 14, 389, Bits16, true , 0x20, 0x0},
    { 7052, 14, 403, Bits16, true , 0x20, 0x0},
    { 7068, 14, 418, Bits16, true , 0x40, 0x0},
    { 7082, 14, 432, Bits16, true , 0x40, 0x0},
    { 7098, 14, 447, Bits16, true , 0x80, 0x0},
    { 7112, 14, 461, Bits16, true , 0x80, 0x0},
    { 7392,  3,   4, Bits16, true , 0x0, 0x6},
    { 7395,  1,   7, Bits16, true , 0x0, 0x2},
    { 7396,  3,   8, Bits16, true , 0x0, 0x6},
    { 7399,  1,  11, Bits16, true , 0x0, 0x2},
    { 7400,  3,  12, Bits16, true , 0x0, 0x6},
    { 7403,  1,  15, Bits16, true , 0x0, 0x2},
    { 7404,  3,  16, Bits16, true , 0x0, 0x6},
    { 7407,  1,  19, Bits16, true , 0x0, 0x2},
    { 7408,  8,  20, Bits16, true , 0x0, 0x2},
    { 7552,  1, 223, Bits16, true , 0x0, 0xC},
    { 7680,  1,  42, Bits32, true , 0x0, 0xC00},
    { 7682,  1,  51, Bits32, true , 0x0, 0xC00},
    { 7684,  1,  60, Bits32, true , 0x0, 0xC00},
    { 7686,  1,  69, Bits32, true , 0x0, 0xC00},
    { 7712,  1,  32, Bits16, true , 0x0, 0x800},
    { 7713,  1,  46, Bits16, true , 0x0, 0x800},
    { 7714,  1,  55, Bits16, true , 0x0, 0x800},
    { 7715,  1,  64, Bits16, true , 0x0, 0x800},
    { 7716,  2,  44, Bits16, true , 0x0, 0x800},
    { 7718,  2,  53, Bits16, true , 0x0, 0x800},
    { 7720,  2,  62, Bits16, true , 0x0, 0x800},
    { 7722,  2,  71, Bits16, true , 0x0, 0x800},
    { 7724,  8, 172, Bits16, true , 0x0, 0x800},
};

const std::vector<RegisterBlock> kQhMap = {
    {25502,  1,  30, Bits16, true , 0x0, 0x40},
    { 9040,  1,  31, Bits16, true , 0x0, 0x40},
    { 9043,  1,  36, Bits32, true , 0x0, 0x40},
    { 9045,  1,  38, Bits16, true , 0x0, 0x40},
    { 9048,  1,  41, Bits16, true , 0x0, 0x40},
    { 9392,  2,  33, Bits16, true , 0x0, 0x40},
    { 9394,  1,  40, Bits16, true , 0x0, 0x40},
    { 9396,  2,  47, Bits16, true , 0x0, 0x40},
    { 9398,  1,  50, Bits16, true , 0x0, 0x40},
    { 9400,  2,  56, Bits16, true , 0x0, 0x40},
    { 9402,  1,  59, Bits16, true , 0x0, 0x40},
    { 9404,  2,  65, Bits16, true , 0x0, 0x40},
    { 9406,  1,  68, Bits16, true , 0x0, 0x40},
    { 9408,  2,  73, Bits16, true , 0x0, 0x40},
    { 9410,  1,  75, Bits16, true , 0x0, 0x40},
    { 9412,  2,  76, Bits16, true , 0x0, 0x40},
    { 9414,  1,  78, Bits16, true , 0x0, 0x40},
    { 9416,  2,  79, Bits16, true , 0x0, 0x40},
    { 9418,  1,  81, Bits16, true , 0x0, 0x40},
    { 9420,  2,  82, Bits16, true , 0x0, 0x40},
    { 9422,  1,  84, Bits16, true , 0x0, 0x40},
    { 9424,  2,  85, Bits16, true , 0x0, 0x800000},
    { 9426,  1,  87, Bits16, true , 0x0, 0x800000},
    { 9428,  2,  88, Bits16, true , 0x0, 0x800000},
    { 9430,  1,  90, Bits16, true , 0x0, 0x800000},
    { 9432,  2,  91, Bits16, true , 0x0, 0x800000},
    { 9434,  1,  93, Bits16, true , 0x0, 0x800000},
    { 9436,  2,  94, Bits16, true , 0x0, 0x800000},
    { 9438,  1,  96, Bits16, true , 0x0, 0x800000},
    { 9440,  2,  97, Bits16, true , 0x0, 0x800000},
    { 9442,  1,  99, Bits16, true , 0x0, 0x800000},
    { 9444,  2, 100, Bits16, true , 0x0, 0x800000},
    { 9446,  1, 102, Bits16, true , 0x0, 0x800000},
    { 9448,  2, 103, Bits16, true , 0x0, 0x800000},
    { 9450,  1, 105, Bits16, true , 0x0, 0x800000},
    { 9452,  2, 106, Bits16, true , 0x0, 0x800000},
    { 9454,  1, 108, Bits16, true , 0x0, 0x800000},
    { 9088,  5, 150, Bits16, true , 0x10020000, 0x0},
    { 9094,  1, 155, Bits16, true , 0x10000000, 0x0},
    { 9095,  1, 164, Bits16, true , 0x12000000, 0x0},
    { 9120,  8, 156, Bits16, true , 0x2000000, 0x0},
    { 9056,  2, 167, Bits16, true , 0x0, 0x40},
    { 9072,  4, 180, Bits16, true , 0x0, 0x40},
};
// clang-format on

} // namespace

const std::vector<RegisterBlock>& MainRegisterMap()
{
    return kMainMap;
}

const std::vector<RegisterBlock>& QhRegisterMap()
{
    return kQhMap;
}

const std::vector<RegisterBlock>& RegisterMapOf(RegisterMapKind kind)
{
    return kind == RegisterMapKind::Qh ? kQhMap : kMainMap;
}

RegisterMapKind RegisterMapKindFor(const CDeviceType& type)
{
    return type.Has(CapQh) ? RegisterMapKind::Qh : RegisterMapKind::Main;
}

const std::vector<RegisterBlock>& RegisterMapFor(const CDeviceType& type)
{
    return RegisterMapOf(RegisterMapKindFor(type));
}

bool HasWordOrderRegister(const CDeviceType& type)
{
    return RegisterMapKindFor(type) == RegisterMapKind::Main;
}

bool EntryApplies(const RegisterBlock& entry, Capabilities caps)
{
    return (entry.Caps() & caps) != 0;
}

bool EntryApplies(const RegisterBlock& entry, const CDeviceType& type)
{
    return EntryApplies(entry, type.Caps());
}
