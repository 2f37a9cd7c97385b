#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>

#include "device/CDeviceType.h"
#include "monitor/CMeasurandsKTA.h"
#include "monitor/FormatKinds.h"
#include "monitor/MonitorTexts.h"
#include "monitor/ZnMonitorCells.h"
#include "monitor/ZnMonitorChain.h"
#include "support/CatalogueIds.h"
#include "text/CStringTable.h"

namespace {

using namespace ZnMonitorCells;

constexpr std::uint16_t kWirings[] = {0, 1, 2, 3, 4, 5, 16, 17};

int ItemAt(const GridCells& g, int column, int row)
{
    for (const GridItemCell& c : g.items)
        if (c.column == column && c.row == row)
            return c.item;
    return -1;
}

int RowLabelled(const GridCells& g, int textId)
{
    for (const GridHeaderCell& h : g.headers)
        if (h.column == 0 && h.textId == textId)
            return h.row;
    return -1;
}

std::set<int> ItemsOf(const GridCells& g)
{
    std::set<int> items;
    for (const GridItemCell& c : g.items)
        items.insert(c.item);
    return items;
}

CMeasurandsKTA ImageWith(std::uint16_t wiring, std::array<int, 4> circuitWiring = {})
{
    CMeasurandsKTA image;
    image.wiringSystem = wiring;
    for (int c = 0; c < 4; ++c)
        image.SetItem(kCircuitWiringItem + c, circuitWiring[std::size_t(c)]);
    return image;
}

// Every grid of every wiring and mode: cells inside the grid, no cell used
// twice, header texts in the string table, items of a format kind.
TEST(ZnMonitorCells, EveryLayoutIsWellFormed)
{
    for (std::uint16_t wiring : kWirings)
        for (int mode = 0; mode < kPageModes; ++mode) {
            const CMeasurandsKTA image = ImageWith(wiring);
            const PageLayout page = PageLayoutOf(image, mode);
            std::vector<GridCells> grids = {page.top, page.bottom, ThdLayoutOf(wiring)};
            for (const GridCells& g : grids) {
                std::set<std::pair<int, int>> used;
                for (const GridHeaderCell& h : g.headers) {
                    EXPECT_LT(h.column, g.columns);
                    EXPECT_LT(h.row, g.rows);
                    EXPECT_TRUE(used.insert({h.column, h.row}).second) << wiring << "/" << mode;
                    EXPECT_FALSE(LoadText(h.textId).empty()) << h.textId;
                }
                for (const GridItemCell& c : g.items) {
                    EXPECT_LT(c.column, g.columns);
                    EXPECT_LT(c.row, g.rows);
                    EXPECT_TRUE(used.insert({c.column, c.row}).second) << wiring << "/" << mode;
                    EXPECT_NE(FormatKindOf(c.item), FormatKind::None) << c.item;
                }
            }
        }
}

TEST(ZnMonitorCells, FourWireThreePhaseHasOneSystemTheOthersTwo)
{
    for (std::uint16_t wiring : kWirings) {
        const int systems = (wiring == 4 || wiring == 5) ? 1 : 2;
        EXPECT_EQ(SystemCount(wiring), systems) << wiring;
        const PageLayout page = PageLayoutOf(ImageWith(wiring), kTrend);
        EXPECT_EQ(page.bottom.headers.empty(), systems == 1) << wiring;
        int headingRows = 0;
        for (const GridHeaderCell& h : ThdLayoutOf(wiring).headers)
            headingRows += h.column == 0 &&
                           (h.textId == Text::kSystemFirst || h.textId == Text::kSystemFirst + 1);
        EXPECT_EQ(headingRows, systems) << wiring;
    }
}

// The second system's grid shows the same quantities as the first, from
// its own items in every mode.
TEST(ZnMonitorCells, SecondSystemShowsItsOwnItemsInEachMode)
{
    // U1N of system 1 and 2 by mode.
    const std::map<int, std::pair<int, int>> u1n = {
        {kTrend, {15, 48}}, {kMax, {233, 263}}, {kMin, {322, 351}}};
    for (const auto& [mode, items] : u1n) {
        const PageLayout page = PageLayoutOf(ImageWith(1), mode);
        EXPECT_EQ(page.top.items.size(), page.bottom.items.size()) << mode;
        EXPECT_TRUE(ItemsOf(page.top).count(items.first)) << mode;
        EXPECT_TRUE(ItemsOf(page.bottom).count(items.second)) << mode;
        EXPECT_FALSE(ItemsOf(page.bottom).count(items.first)) << mode;
    }
    // Totals of system 2 from 248 (max) and 337 (min), phases from 256 and 344.
    const auto max2 = ItemsOf(PageLayoutOf(ImageWith(3), kMax).bottom);
    EXPECT_TRUE(max2.count(249) && max2.count(256) && max2.count(254)); // U, I1, F
    const auto min2 = ItemsOf(PageLayoutOf(ImageWith(3), kMin).bottom);
    EXPECT_TRUE(min2.count(338) && min2.count(344) && min2.count(343));
}

TEST(ZnMonitorCells, WiringDecidesTheQuantitiesShown)
{
    // Single-phase 2-wire: circuits A and B with their currents, no neutral.
    const GridCells two = PageLayoutOf(ImageWith(0), kTrend).top;
    EXPECT_EQ(ItemAt(two, 2, RowLabelled(two, Text::kCircuitFirst)), 8);
    EXPECT_EQ(ItemAt(two, 2, RowLabelled(two, Text::kCircuitFirst + 1)), 9);
    EXPECT_FALSE(ItemsOf(two).count(11));
    EXPECT_GT(RowLabelled(PageLayoutOf(ImageWith(0), kTrend).bottom, Text::kCircuitFirst + 2), 0);
    // Single-phase 3-wire: phases 1 and 3 and the neutral, never phase 2.
    const auto three = ItemsOf(PageLayoutOf(ImageWith(1), kTrend).top);
    EXPECT_TRUE(three.count(8) && three.count(10) && three.count(11) && three.count(17));
    EXPECT_FALSE(three.count(9) || three.count(16));
    // 3-phase 3-wire: line voltages and currents, no phase voltages, no neutral.
    const auto delta = ItemsOf(PageLayoutOf(ImageWith(3), kTrend).top);
    EXPECT_TRUE(delta.count(12) && delta.count(13) && delta.count(14) && delta.count(10));
    EXPECT_FALSE(delta.count(15) || delta.count(11) || delta.count(18));
    // 3-phase 4-wire: everything of the standard window's top grid.
    const auto star = ItemsOf(PageLayoutOf(ImageWith(5), kTrend).top);
    for (int item : {0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 15, 16, 17, 20, 26, 29})
        EXPECT_TRUE(star.count(item)) << item;
    // 1P3W + 1P2W: system 1 as single-phase 3-wire, system 2 two circuits C and D.
    const PageLayout mixed = PageLayoutOf(ImageWith(17), kTrend);
    EXPECT_TRUE(ItemsOf(mixed.top).count(11)); // the neutral of the 3-wire circuit
    EXPECT_GT(RowLabelled(mixed.bottom, Text::kCircuitFirst + 3), 0);
    EXPECT_FALSE(ItemsOf(mixed.bottom).count(44)); // no neutral on system 2
}

TEST(ZnMonitorCells, BranchedCircuitsShowTheVoltageTheirWiringNames)
{
    // Circuit A on 1-N, B on 3-N, C on 1-3, D on an unknown code (1-N).
    const PageLayout page = PageLayoutOf(ImageWith(16, {0, 1, 2, 7}), kTrend);
    EXPECT_EQ(ItemAt(page.top, 1, RowLabelled(page.top, Text::kCircuitFirst)), 15);
    EXPECT_EQ(ItemAt(page.top, 1, RowLabelled(page.top, Text::kCircuitFirst + 1)), 17);
    EXPECT_EQ(ItemAt(page.bottom, 1, RowLabelled(page.bottom, Text::kCircuitFirst + 2)), 14 + 33);
    EXPECT_EQ(ItemAt(page.bottom, 1, RowLabelled(page.bottom, Text::kCircuitFirst + 3)), 15 + 33);
    // Plain single-phase 2-wire has only 1-N, whatever the wiring registers say.
    const PageLayout plain = PageLayoutOf(ImageWith(0, {1, 1, 1, 1}), kMax);
    EXPECT_EQ(ItemAt(plain.top, 1, RowLabelled(plain.top, Text::kCircuitFirst + 1)), 15 + 218);
}

TEST(ZnMonitorCells, EnergyShowsBothTariffsOfEachSystemSideBySide)
{
    const PageLayout page = PageLayoutOf(ImageWith(1), kEnergy);
    EXPECT_TRUE(page.sideBySide);
    const int time = RowLabelled(page.top, 1400), activeIn = RowLabelled(page.top, 1401);
    EXPECT_EQ(ItemAt(page.top, 1, time), 75);
    EXPECT_EQ(ItemAt(page.top, 2, time), 89);
    EXPECT_EQ(ItemAt(page.bottom, 1, activeIn), 94);
    EXPECT_EQ(ItemAt(page.bottom, 2, activeIn), 108);
    EXPECT_EQ(ItemsOf(page.top).size() + ItemsOf(page.bottom).size(), 56u);
    EXPECT_TRUE(PageLayoutOf(ImageWith(5), kEnergy).bottom.items.empty());
    EXPECT_TRUE(PageLayoutOf(ImageWith(5), 4).top.items.empty()); // no such mode
}

TEST(ZnMonitorCells, ThdItemsMapToTheSpectrumOfTheirSystemAndQuantity)
{
    const auto u3nMax = SpectrumSourceOf(287);
    ASSERT_TRUE(u3nMax);
    EXPECT_EQ(u3nMax->firstRegister, 1536 + 9 * 64);
    EXPECT_EQ(u3nMax->row, 9);
    const auto i1Second = SpectrumSourceOf(376);
    ASSERT_TRUE(i1Second);
    EXPECT_EQ(i1Second->firstRegister, 8536);
    EXPECT_EQ(i1Second->row, 10);
    EXPECT_EQ(i1Second->Offset(), 300);
    EXPECT_EQ(SpectrumSourceOf(297)->row, 19);
    EXPECT_EQ(SpectrumSourceOf(366)->row, SpectrumSourceOf(278)->row);
    for (int item : {277, 298, 365, 386, kCircuitWiringItem})
        EXPECT_FALSE(SpectrumSourceOf(item)) << item;
    // Every THD cell of every wiring has a spectrum.
    for (std::uint16_t wiring : kWirings)
        for (const GridItemCell& c : ThdLayoutOf(wiring).items)
            EXPECT_TRUE(SpectrumSourceOf(c.item)) << c.item;
    EXPECT_EQ(ThdLayoutOf(3).items.front().item, kFirstThdItem);
}

TEST(ZnMonitorCells, ItemNamesAreUniqueAscendingAndCoverEveryLayout)
{
    const auto& names = ZnMonitorItemNames();
    std::set<std::string> seen;
    std::set<int> items;
    int last = -1;
    for (const MonitorItemName& n : names) {
        EXPECT_GT(n.item, last);
        last = n.item;
        EXPECT_TRUE(seen.insert(n.name).second) << n.name;
        items.insert(n.item);
    }
    for (std::uint16_t wiring : kWirings) {
        for (int mode = 0; mode < kPageModes; ++mode) {
            const PageLayout page = PageLayoutOf(ImageWith(wiring, {0, 1, 2, 0}), mode);
            for (const GridCells* g : {&page.top, &page.bottom})
                for (int item : ItemsOf(*g))
                    EXPECT_TRUE(items.count(item)) << item;
        }
        for (int item : ItemsOf(ThdLayoutOf(wiring)))
            EXPECT_TRUE(items.count(item)) << item;
    }
    EXPECT_EQ(std::find_if(names.begin(), names.end(),
                           [](const MonitorItemName& n) { return n.item == 48; })
                  ->name,
              "U1N sys2");
}

// The job chain: device information, page values, THD, spectrum, round again.
TEST(ZnMonitorChain, RunsTheFourJobsInTurnAndKeepsGoingAfterAnError)
{
    CDeviceType zn;
    zn.SelectById(kZnpw);
    CZnMonitorChain chain;
    EXPECT_EQ(chain.Start(), ZnJob::DeviceInformation);
    ZnJobDecision d = chain.OnJobFinished(true, zn);
    EXPECT_TRUE(d.refreshDeviceInformation);
    EXPECT_EQ(d.statusTextId, MonitorText::kCommunicating);
    EXPECT_EQ(d.next, ZnJob::PageValues);
    d = chain.OnJobFinished(false, zn);
    EXPECT_TRUE(chain.ErrorFlag());
    EXPECT_FALSE(d.refreshPage);
    EXPECT_EQ(d.statusTextId, MonitorText::kCommunicationError);
    EXPECT_EQ(d.next, ZnJob::Thd);
    d = chain.OnJobFinished(true, zn);
    EXPECT_FALSE(chain.ErrorFlag());
    EXPECT_EQ(d.thdGrid, ZnJobDecision::ThdGrid::ShowValues);
    d = chain.OnJobFinished(true, zn);
    EXPECT_EQ(d.graph, ZnJobDecision::HarmonicsGraph::ShowImage);
    EXPECT_EQ(d.next, ZnJob::DeviceInformation);
}

TEST(ZnMonitorChain, AnotherFamilyClosesOnlyWhenIdentified)
{
    CDeviceType kta;
    kta.SelectById(kKtaGen3Modbus);
    CZnMonitorChain chain;
    chain.Start();
    // A device that did not answer has not changed its family.
    ZnJobDecision d = chain.OnJobFinished(false, CDeviceType());
    EXPECT_FALSE(d.closeWithResultOk);
    for (int i = 0; i < 3; ++i)
        chain.OnJobFinished(true, kta);
    d = chain.OnJobFinished(true, kta);
    EXPECT_TRUE(d.closeWithResultOk);
    EXPECT_FALSE(d.next);
}

TEST(ZnMonitorChain, WithoutHarmonicsTheThdGridClearsAndTheGraphHides)
{
    CDeviceType zmpv;
    zmpv.SelectById(kZmpvModbus);
    CDeviceType zn;
    zn.SelectById(kZnpw);
    CZnMonitorChain chain;
    chain.Start();
    chain.OnJobFinished(true, zn);
    chain.OnJobFinished(true, zn);
    EXPECT_EQ(chain.OnJobFinished(true, zmpv).thdGrid, ZnJobDecision::ThdGrid::Clear);
    EXPECT_EQ(chain.OnJobFinished(true, zmpv).graph, ZnJobDecision::HarmonicsGraph::Hide);
}

} // namespace
