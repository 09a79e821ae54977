#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <stdexcept>

#include "PlainWrite.h"
#include "listoutput/CHtml.h"
#include "runtime/App.h"
#include "ui/Form.h"
#include "ui/ListView.h"

// An Export button writes the whole list view of its window. The two benchmarks write the same
// page of a 10,000-row list, once through the HTML job and once as bare bytes, so their ratio
// is what the job adds to the file system's own cost.

namespace {

constexpr int kRows = 10000;
constexpr int kColumns = 6;

class ListWindow : public ui::Form {
  public:
    ui::ListView LView{this, QStringLiteral("LView")};
};

QTemporaryDir& folder() {
    static QTemporaryDir dir;
    return dir;
}

QString exportPath() {
    return folder().filePath(QStringLiteral("export.html"));
}

// The window outlives the benchmarks on purpose: a widget must not be destroyed after the
// application object, which goes first at the end of main.
ui::ListView& list() {
    static ListWindow* window = [] {
        rt::App::setPath(folder().path());
        rt::App::setDataFolder(folder().path());
        auto* w = new ListWindow;
        ui::ListView& lvw = w->LView;
        for (const char* header : {"FOOD", "GROUP", "ENERGY", "PROTEIN", "FAT", "LANGUAGE"}) {
            lvw.ColumnHeaders.Add(-1, QString(), QString::fromLatin1(header));
        }
        // Names in other scripts turn into character references, as the delivered foods do.
        const QString regional = QString::fromUtf8("\xE0\xA4\xA6\xE0\xA4\xBE\xE0\xA4\xB2");
        for (int i = 0; i < kRows; ++i) {
            ui::ListItem& item = lvw.ListItems.Add(
                i % 10 == 0 ? regional + QStringLiteral(" %1").arg(i)
                            : QStringLiteral("Rice, parboiled & milled %1").arg(i));
            item.setSubItems(1, QStringLiteral("Cereals and millets"));
            item.setSubItems(2, QString::number(340 + i % 97));
            item.setSubItems(3, QString::number(6.8 + (i % 13) * 0.1, 'f', 2));
            item.setSubItems(4, QString::number(0.5 + (i % 7) * 0.1, 'f', 2));
            item.setSubItems(5, i % 10 == 0 ? QStringLiteral("Hindi") : QStringLiteral("English"));
        }
        return w;
    }();
    return window->LView;
}

void exportList() {
    CHtml job;
    job.setLvwToPrint(&list());
    job.setTitle(QStringLiteral("Foods"));
    job.setFileName(exportPath());
    if (!job.PrintLvw()) {
        throw std::runtime_error(job.LastErrorMsg().toStdString());
    }
}

// The page as the job writes it.
const QByteArray& page() {
    static const QByteArray bytes = [] {
        exportList();
        QFile file(exportPath());
        if (!file.open(QIODevice::ReadOnly)) {
            throw std::runtime_error("the exported page cannot be read");
        }
        return file.readAll();
    }();
    return bytes;
}

void BM_HtmlExport10k(benchmark::State& state) {
    const qsizetype size = page().size();
    for (auto _ : state) {
        exportList();
    }
    state.SetBytesProcessed(state.iterations() * size);
    state.counters["columns"] = kColumns;
}
BENCHMARK(BM_HtmlExport10k)->Unit(benchmark::kMillisecond);

void BM_PlainWrite10k(benchmark::State& state) {
    bench::WritePlainly(state, page(), folder().filePath(QStringLiteral("plain.html")));
}
BENCHMARK(BM_PlainWrite10k)->Unit(benchmark::kMillisecond);

}  // namespace
