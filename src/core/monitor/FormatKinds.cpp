#include "monitor/FormatKinds.h"

#include <array>
#include <cstddef>

#include "monitor/CMeasurandsKTA.h"

namespace {

using K = FormatKind;
constexpr K I = K::Current, U = K::Voltage, P = K::ActivePower, Q = K::ReactivePower,
            S = K::ApparentPower, PF = K::PowerFactor, F = K::Frequency, LL = K::LeadLag,
            EP = K::ActiveEnergy, EQ = K::ReactiveEnergy, ES = K::ApparentEnergy,
            TM = K::OperatingTimer, THD = K::Thd, CNT = K::Count, AO = K::AnalogOutput,
            WIR = K::CircuitWiring, TEN = K::Tenths, DAT = K::BcdDate, TIM = K::BcdTime,
            INFO = K::DeviceInformation, NONE = K::None;

constexpr int kItems = CMeasurandsKTA::kFormattedItems;

// Items first-last take the count kinds of the cycle in turn, each for run
// consecutive items; a source of 0 or more copies the kinds of the items from
// source on instead (the second system of ZN devices repeats the first).
struct KindRange {
    int first;
    int last;
    int source;
    int run;
    int count;
    std::array<K, 24> cycle;
};

// In item order; every item 0-1882 in exactly one range.
// clang-format off
constexpr KindRange kRanges[] = {
    {0, 0, -1, 1, 1, {I}}, // current, total (sigma)
    {1, 1, -1, 1, 1, {U}}, // voltage, total
    {2, 4, -1, 1, 3, {P, Q, S}}, // active, reactive, apparent power, total
    {5, 5, -1, 1, 1, {PF}}, // power factor, total
    {6, 6, -1, 1, 1, {F}}, // frequency
    {7, 7, -1, 1, 1, {LL}}, // lead/lag of the total power factor
    {8, 11, -1, 1, 1, {I}}, // currents I1-I3, neutral current IN
    {12, 14, -1, 1, 1, {U}}, // voltages U12, U23, U31
    {15, 17, -1, 1, 1, {U}}, // voltages U1N, U2N, U3N
    {18, 26, -1, 3, 3, {P, Q, S}}, // active, reactive, apparent power of phases 1-3
    {27, 29, -1, 1, 1, {PF}}, // power factor of phases 1-3
    {30, 32, -1, 1, 1, {LL}}, // lead/lag of phases 1-3
    {33, 65, 0, 1, 0, {}}, // second system, as items 0-32
    {66, 79, -1, 1, 14, {EP, EQ, ES, EP, EQ, EQ, EQ, EQ, EQ, TM, EQ, EQ, EP, EQ}}, // energy counters, high tariff (integer part)
    {80, 93, -1, 1, 14, {EP, EQ, ES, EP, EQ, EQ, EQ, EQ, EQ, TM, EQ, EQ, EP, EQ}}, // energy counters, low tariff (integer part)
    {94, 121, 66, 1, 0, {}}, // second system, as items 66-93
    {122, 149, -1, 1, 1, {NONE}}, // fractional parts of items 66-79 and 80-93 (item + 56)
    {150, 177, -1, 1, 1, {NONE}}, // fractional parts of items 94-121 (item + 56)
    {178, 202, -1, 1, 1, {I}}, // current demand: five groups of five (I, I1, I2, I3, IN) for Latest, History1-History4
    {203, 217, -1, 1, 3, {P, Q, S}}, // power demand: five groups of three (P, Q, S) for Latest, History1-History4
    {218, 224, -1, 1, 7, {I, U, P, Q, S, PF, F}}, // maximum: I, U, P, Q, S, PF, F (totals)
    {225, 225, -1, 1, 1, {NONE}}, // not read by any command
    {226, 247, -1, 1, 22, {I, I, I, I, U, U, U, U, U, U, P, P, P, Q, Q, Q, S, S, S, PF, PF, PF}}, // maximum: I1-I3, IN, U12-U31, U1N-U3N, P1-P3, Q1-Q3, S1-S3, PF1-PF3
    {248, 277, 218, 1, 0, {}}, // second system, as items 218-247
    {278, 287, -1, 1, 1, {THD}}, // THD maximum, ten rows
    {288, 297, 278, 1, 0, {}}, // second system, as items 278-287
    {298, 302, -1, 1, 1, {I}}, // maximum current demand (I, I1, I2, I3, IN)
    {303, 304, -1, 1, 1, {P}}, // maximum active power demand, incoming / outgoing
    {305, 306, -1, 1, 1, {Q}}, // maximum reactive power demand, LAG / LEAD
    {307, 307, -1, 1, 1, {S}}, // maximum apparent power demand
    {308, 314, -1, 1, 7, {I, U, P, Q, S, PF, F}}, // minimum: I, U, P, Q, S, PF, F (totals)
    {315, 336, -1, 1, 22, {I, I, I, I, U, U, U, U, U, U, P, P, P, Q, Q, Q, S, S, S, PF, PF, PF}}, // minimum, same layout as 226-247
    {337, 365, 308, 1, 0, {}}, // second system, as items 308-336
    {366, 375, -1, 1, 1, {THD}}, // THD latest, ten rows
    {376, 385, 366, 1, 0, {}}, // second system, as items 366-375
    {386, 389, -1, 1, 1, {WIR}}, // wiring of circuits A-D
    {390, 397, -1, 1, 1, {CNT}}, // counters 1-8
    {398, 629, -1, 1, 1, {TEN}}, // QH energy records, tenths
    {630, 861, -1, 1, 1, {CNT}}, // QH pulse counts
    {862, 885, -1, 1, 8, {U, U, U, U, U, U, U, F}}, // per-circuit voltages and frequency, three blocks of eight
    {886, 1005, -1, 1, 1, {I}}, // QH channel currents
    {1006, 1389, -1, 4, 4, {P, Q, S, PF}}, // QH channel powers: four items each of P, Q, S, PF
    {1390, 1401, -1, 1, 12, {NONE, NONE, I, I, I, I, I, NONE, NONE, P, Q, S}}, // demand of a QH channel: I, I1-I3, IN; P, Q, S
    {1402, 1869, -1, 1, 24, {I, DAT, NONE, I, DAT, NONE, I, DAT, NONE, I, DAT, NONE, I, DAT, NONE, P, DAT, NONE, Q, DAT, NONE, S, DAT, NONE}}, // max/min records of I, I1-I3, IN, P, Q, S: value, date, time word
    {1870, 1871, -1, 1, 2, {DAT, TIM}}, // QH device clock, date and time
    {1872, 1872, -1, 1, 1, {THD}}, // THD
    {1873, 1878, -1, 1, 1, {INFO}}, // device information texts
    {1879, 1882, -1, 1, 1, {AO}}, // analog outputs Ao1-Ao4
};
// clang-format on

constexpr std::array<K, kItems> BuildKinds()
{
    std::array<K, kItems> kinds{};
    int next = 0;
    for (const KindRange& r : kRanges) {
        if (r.first != next || r.last < r.first || r.last >= kItems)
            throw "format-kind ranges must cover every item once, in order";
        if (r.source >= 0 ? r.source + (r.last - r.first) >= r.first : r.count < 1 || r.run < 1)
            throw "a copied range must come from earlier items; a cycle must not be empty";
        for (int item = r.first; item <= r.last; ++item) {
            const int k = item - r.first;
            if (r.source >= 0)
                kinds[static_cast<std::size_t>(item)] =
                    kinds[static_cast<std::size_t>(r.source + k)];
            else
                kinds[static_cast<std::size_t>(item)] =
                    r.cycle[static_cast<std::size_t>((k / r.run) % r.count)];
        }
        next = r.last + 1;
    }
    if (next != kItems)
        throw "format-kind ranges end early";
    return kinds;
}

constexpr std::array<K, kItems> kKinds = BuildKinds();

} // namespace

FormatKind FormatKindOf(int item)
{
    if (item < 0 || item >= kItems)
        return FormatKind::None;
    return kKinds[static_cast<std::size_t>(item)];
}
