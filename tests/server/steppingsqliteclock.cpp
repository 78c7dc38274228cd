#include "steppingsqliteclock.h"

#include <sqlite3.h>

namespace {

// Milliseconds from the start of the Julian day count to the Unix epoch: SQLite's clock
// counts from there.
constexpr sqlite3_int64 kUnixEpochJulianMs = 210866760000000LL;

sqlite3_vfs *g_original = nullptr;
sqlite3_vfs g_stepping;
sqlite3_int64 g_nextJulianMs = 0;

int currentTimeInt64(sqlite3_vfs *, sqlite3_int64 *julianMs)
{
    *julianMs = g_nextJulianMs;
    g_nextJulianMs += 1000;
    return SQLITE_OK;
}

int currentTime(sqlite3_vfs *vfs, double *julianDays)
{
    sqlite3_int64 julianMs = 0;
    currentTimeInt64(vfs, &julianMs);
    *julianDays = static_cast<double>(julianMs) / 86400000.0;
    return SQLITE_OK;
}

} // namespace

SteppingSqliteClock::SteppingSqliteClock(const QDateTime &start)
{
    g_nextJulianMs = kUnixEpochJulianMs + start.toMSecsSinceEpoch();
    if (!g_original) {
        g_original = sqlite3_vfs_find(nullptr);
        g_stepping = *g_original;
        g_stepping.zName = "stepping-clock";
        g_stepping.xCurrentTime = currentTime;
        g_stepping.xCurrentTimeInt64 = currentTimeInt64;
    }
    sqlite3_vfs_register(&g_stepping, 1);
}

SteppingSqliteClock::~SteppingSqliteClock()
{
    // Connections still open on the stepping layer keep working: it stays registered,
    // only no longer the default.
    sqlite3_vfs_register(g_original, 1);
}
