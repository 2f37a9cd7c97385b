#include "app/ApplicationStore.h"

#include <atomic>

#include "app/CSettingsStore.h"

namespace {
std::atomic<CSettingsStore*> g_store{nullptr};
}

void SetApplicationStore(CSettingsStore* store)
{
    g_store = store;
}

CSettingsStore& ApplicationStore()
{
    static CMemorySettingsStore fallback;
    CSettingsStore* store = g_store;
    return store ? *store : fallback;
}
