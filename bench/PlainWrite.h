#pragma once

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QString>
#include <fstream>

namespace bench {

// The plain side of an export's pair: the same bytes written to `path` by the standard
// library, with nothing made or checked on the way.
inline void WritePlainly(benchmark::State& state, const QByteArray& bytes, const QString& path) {
    const std::string name = path.toStdString();
    for (auto _ : state) {
        std::ofstream out(name, std::ios::binary | std::ios::trunc);
        out.write(bytes.constData(), bytes.size());
        out.close();
        if (!out) {
            state.SkipWithError("the plain file cannot be written");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

}  // namespace bench
