#pragma once

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QSaveFile>
#include <QString>

namespace bench {

// The plain side of an export's pair: the same bytes written to `path` as the export writes
// its page (QSaveFile: to a file beside it that then takes its place), with nothing made or
// checked on the way.
inline void WritePlainly(benchmark::State& state, const QByteArray& bytes, const QString& path) {
    for (auto _ : state) {
        QSaveFile out(path);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
            out.write(bytes) != bytes.size() || !out.commit()) {
            state.SkipWithError("the plain file cannot be written");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

}  // namespace bench
