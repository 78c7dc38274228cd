#pragma once
// Helpers shared by the fuzz targets: the input as Qt types, and property checks that
// stop the run (libFuzzer keeps the input that broke one, like a crash).

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

// The input bytes, copied: the fuzzer's buffer is only lent for the call.
inline QByteArray bytesOf(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

[[noreturn]] inline void propertyBroken(const char *condition, const char *file, int line, const QString &detail)
{
    std::fprintf(stderr, "%s:%d: property broken: %s\n", file, line, condition);
    if (!detail.isEmpty())
        std::fprintf(stderr, "  %s\n", detail.toUtf8().constData());
    std::abort();
}

} // namespace fuzz

// FUZZ_CHECK(condition) or FUZZ_CHECK(condition, detail text shown when it breaks).
#define FUZZ_CHECK(condition, ...) \
    ((condition) ? void() : fuzz::propertyBroken(#condition, __FILE__, __LINE__, QString(__VA_ARGS__)))
