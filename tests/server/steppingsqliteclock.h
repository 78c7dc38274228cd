#pragma once
// A clock for SQLite that moves one second forward each time it is read. While an object
// lives, every SQLite connection opened in this process reads it (through a file system
// layer that is SQLite's own in all else), so each statement that asks for the time gets
// a later second than the statement before: what a slow run would see, without waiting.

#include <QDateTime>

class SteppingSqliteClock {
public:
    // The first reading gives `start` (UTC).
    explicit SteppingSqliteClock(const QDateTime &start);
    ~SteppingSqliteClock();
    SteppingSqliteClock(const SteppingSqliteClock &) = delete;
    SteppingSqliteClock &operator=(const SteppingSqliteClock &) = delete;
};
