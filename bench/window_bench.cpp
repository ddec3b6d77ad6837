// "Load Image" and the slot gestures through the real window, on Google Benchmark; run by hand
// (not a test) on the offscreen platform, as scripts/perf-report does:
//     QT_QPA_PLATFORM=offscreen build/bench/bench/window_bench [benchmark options]
// Gesture/NAME: one slot gesture with its repaint.
// Load/SIZE/FORMAT: "Load Image" after its dialog (read, enlarge, repaint) of a sheet SIZE pixels
//   square, its time beside counters: `decode`, a full decode of the same file timed in turn with
//   each load (so a change in the machine's load falls on both alike), and the peak memory growth
//   of one load and of one full decode, each in a fresh process (`load_peak_MB`, `decode_peak_MB`).
// LoadSteps/FORMAT: the load of a 256 x 256 sheet step by step, each step a counter in µs.
#include "dialogseam.h"
#include "form1.h"
#include "imagefiles.h"
#include "opensave.h"
#include "picturearea.h"
#include "pictureloader.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <optional>
#include <string>

using namespace mosaikon;

namespace {

Form1 *form = nullptr;
QTemporaryDir *folder = nullptr;

double millis(const std::function<void()> &work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

long statusKb(const char *field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qsizetype(std::strlen(field))).trimmed().split(' ')[0].toLong();
    return -1;
}

// Peak resident growth of `work` in MB, in this process: its high-water mark is reset first.
double peakGrowthMb(const std::function<void()> &work) {
    QFile reset(QStringLiteral("/proc/self/clear_refs"));
    if (reset.open(QIODevice::WriteOnly)) reset.write("5");
    reset.close();
    const long before = statusKb("VmRSS:");
    work();
    return double(statusKb("VmHWM:") - before) / 1024.0;
}

// The peak growth of one load ("--peak-load") or full decode ("--peak-decode") of `path`,
// measured in a fresh process, so memory that earlier work left to the allocator does not hide it.
double peakInChild(const char *mode, const QString &path) {
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(mode), path});
    child.waitForFinished(-1);
    bool ok = false;
    const double mb = child.readAllStandardOutput().trimmed().toDouble(&ok);
    return ok ? mb : -1;
}

void loadThroughWindow(const QString &path) {
    ScopedDialogFunctions answer(
        [&](OPENFILENAMEA *rec) { return answerWithPath(rec, path.toUtf8()); });
    form->Command1_Click();
    QApplication::processEvents();
}

QImage fullDecode(const QString &path) {
    QImageReader reader(path);
    reader.setAllocationLimit(1024);
    return reader.read();
}

QString writtenSheet(int size, const char *suffix) {
    QString path =
        folder->filePath(QStringLiteral("sheet%1.%2").arg(size).arg(QLatin1String(suffix)));
    if (!QFile::exists(path) && !testing::writeSheet(path, testing::lopsidedSheet(size, size)))
        return {};
    return path;
}

void benchLoad(benchmark::State &state, int size, const char *suffix) {
    const QString path = writtenSheet(size, suffix);
    if (path.isEmpty()) return state.SkipWithError("cannot write the sheet");
    double decode = 0;
    for (auto _ : state) {
        state.SetIterationTime(millis([&] { loadThroughWindow(path); }) / 1e3);
        decode += millis([&] { (void)fullDecode(path); });
    }
    state.counters["decode_ms"] = benchmark::Counter(decode, benchmark::Counter::kAvgIterations);
    state.counters["load_peak_MB"] = peakInChild("--peak-load", path);
    state.counters["decode_peak_MB"] = peakInChild("--peak-decode", path);
}

// Each step timed on its own in every run: where the load's time goes beside the decode.
void benchLoadSteps(benchmark::State &state, const char *suffix) {
    const QString path = writtenSheet(256, suffix);
    if (path.isEmpty()) return state.SkipWithError("cannot write the sheet");
    double steps[6] = {};
    for (auto _ : state) {
        int step = 0;
        const auto lap = [&](const std::function<void()> &work) {
            steps[step++] += millis(work) * 1e3;
        };
        lap([&] {
            ScopedDialogFunctions answer(
                [&](OPENFILENAMEA *rec) { return answerWithPath(rec, path.toUtf8()); });
            OpenSave dialog;
            dialog.setFilter(QStringLiteral("Images|*.gif;*.jpg;*.bmp"));
            dialog.ShowOpen();
            (void)dialog.FileName();
        });
        std::optional<PixelSurface> corner;
        lap([&] { corner = loadSheetPicture(path); });
        lap([&] { form->grid.showSheet(*corner); });
        lap([&] { form->Picture1->refresh(); });
        lap([] { QApplication::processEvents(); });
        lap([&] { (void)fullDecode(path); });
    }
    const char *names[] = {"dialog_us",  "read_us",   "enlarge_us",
                           "repaint_us", "events_us", "decode_us"};
    for (int i = 0; i < 6; ++i)
        state.counters[names[i]] = benchmark::Counter(steps[i], benchmark::Counter::kAvgIterations);
}

// A slot gesture and the repaint of slot `index`.
void gesture(benchmark::State &state, int index, const std::function<void()> &work) {
    for (auto _ : state) {
        work();
        if (index >= 0) form->SpritePicture1[std::size_t(index)]->repaint();
    }
}

// The largest table there is: every slot used.
void benchExport(benchmark::State &state) {
    for (int i = 0; i < 64; ++i) form->SpritePicture1_DragDrop(i, QStringLiteral("Picture1"), 0, 0);
    for (auto _ : state) form->Command3_Click();
}

void registerAll() {
    const auto drop = [](int index, const char *source) {
        form->SpritePicture1_DragDrop(index, QString::fromLatin1(source), 5, 5);
    };
    const auto add = [](const char *name, int index, const std::function<void()> &work) {
        benchmark::RegisterBenchmark(name, gesture, index, work)->Unit(benchmark::kMicrosecond);
    };
    add("Gesture/tile_drop", 9, [=] { drop(9, "Picture1"); });
    add("Gesture/click", 9, [] { form->SpritePicture1_Click(9); });
    add("Gesture/right_press", 9, [] { form->SpritePicture1_MouseDown(9, 2, 0, 5, 5); });
    // The handler repaints the two slots whose border changes itself; alternating the targets
    // makes every drop move the border.
    add("Gesture/origin_drop", -1, [=, target = 27]() mutable {
        target = target == 27 ? 36 : 27;
        drop(target, "Command4");
    });
    add("Gesture/pointer_move", -1, [] { form->Picture1_MouseMove(0, 0, 77.5f, 200.f); });
    benchmark::RegisterBenchmark("Gesture/export_full_grid", benchExport)
        ->Unit(benchmark::kMicrosecond);
    // A decode of the larger sheets takes long beside their load: a few runs of those.
    for (int size : {256, 2048, 8000})
        for (const char *suffix : {"gif", "jpg", "bmp"}) {
            auto *load = benchmark::RegisterBenchmark(
                ("Load/" + std::to_string(size) + "/" + suffix).c_str(), benchLoad, size, suffix);
            load->UseManualTime()->Unit(benchmark::kMillisecond);
            if (size > 256) load->Iterations(size > 2048 ? 3 : 11);
        }
    for (const char *suffix : {"gif", "jpg", "bmp"})
        benchmark::RegisterBenchmark((std::string("LoadSteps/") + suffix).c_str(), benchLoadSteps,
                                     suffix);
}

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    Form1 window;
    form = &window;
    window.show();
    QApplication::processEvents();
    if (argc == 3 && std::strncmp(argv[1], "--peak-", 7) == 0) {
        const QString path = QString::fromLocal8Bit(argv[2]);
        std::printf("%.1f\n", std::strcmp(argv[1], "--peak-load") == 0
                                  ? peakGrowthMb([&] { loadThroughWindow(path); })
                                  : peakGrowthMb([&] { (void)fullDecode(path); }));
        return 0;
    }
    QTemporaryDir sheets;
    folder = &sheets;
    form->Picture1_MouseMove(0, 0, 100, 40); // tile drops place the tile at (3, 1)
    registerAll();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
