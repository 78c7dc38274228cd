#include "cborinput.h"

#include "error.h"

#include <QCborStreamReader>

namespace contracts {

namespace {

// Deeper than any packet or body (map > array > array > cell) with room to spare.
constexpr int MaxDepth = 16;

// Walks one value; false at the first thing readSingleCbor refuses.
bool Scan(QCborStreamReader &reader, int depth, QString &problem)
{
    if (depth > MaxDepth) {
        problem = Texts::tr("aninhamento profundo demais");
        return false;
    }
    switch (reader.type()) {
    case QCborStreamReader::NegativeInteger: {
        // The magnitude is kept as -1 - value; zero stands for 2^64.
        const quint64 magnitude = quint64(reader.toNegativeInteger());
        if (magnitude == 0 || magnitude > (quint64(1) << 63)) {
            problem = Texts::tr("número inteiro fora do intervalo");
            return false;
        }
        return reader.next();
    }
    case QCborStreamReader::Array:
    case QCborStreamReader::Map:
        if (!reader.enterContainer())
            return false;
        while (reader.lastError() == QCborError::NoError && reader.hasNext()) {
            if (!Scan(reader, depth + 1, problem))
                return false;
        }
        return reader.lastError() == QCborError::NoError && reader.leaveContainer();
    default:
        return reader.next();
    }
}

} // namespace

QCborValue readSingleCbor(const QByteArray &bytes, QString *problem)
{
    QString why;
    QCborStreamReader scanner(bytes);
    bool ok = !bytes.isEmpty() && Scan(scanner, 0, why);
    if (ok && scanner.currentOffset() != bytes.size()) {
        why = Texts::tr("há bytes depois do fim");
        ok = false;
    }
    if (ok && scanner.lastError() != QCborError::NoError)
        ok = false;
    if (!ok) {
        if (problem)
            *problem = why.isEmpty() ? Texts::tr("conteúdo ilegível") : why;
        return QCborValue(QCborValue::Invalid);
    }
    return QCborValue::fromCbor(bytes);
}

} // namespace contracts
