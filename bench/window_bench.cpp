// Times "Load Image" after its dialog (load, enlarge, repaint) for sheets of 256, 2048 and 8000
// pixels square in each format, beside a full decode of the same file, the steps of that load for
// the 256 x 256 sheets, and every slot gesture with its repaint. Prints Markdown tables, ratios
// first; run by hand (not a test):
//     QT_QPA_PLATFORM=offscreen build/release/bench/window_bench [work-folder]
#include "dialogseam.h"
#include "form1.h"
#include "imagefiles.h"
#include "opensave.h"
#include "picturearea.h"
#include "pictureloader.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

using namespace mosaikon;

namespace {

double micros(const std::function<void()> &work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1000.0;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Median wall time of `runs` calls, in microseconds.
double medianMicros(int runs, const std::function<void()> &work) {
    std::vector<double> times(static_cast<std::size_t>(runs));
    for (double &time : times) time = micros(work);
    return median(times);
}

// Median wall times of `first` and `second`, in microseconds, timed in turn within each run, so
// that a change in the machine's load falls on both alike.
std::pair<double, double> alternatingMedians(int runs, const std::function<void()> &first,
                                             const std::function<void()> &second) {
    std::vector<double> a(static_cast<std::size_t>(runs)), b(a.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        a[i] = micros(first);
        b[i] = micros(second);
    }
    return {median(a), median(b)};
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
// Run it in a fresh process, so memory that earlier work left to the allocator does not hide it.
double peakGrowthMb(const std::function<void()> &work) {
    QFile reset(QStringLiteral("/proc/self/clear_refs"));
    if (reset.open(QIODevice::WriteOnly)) reset.write("5");
    reset.close();
    const long before = statusKb("VmRSS:");
    work();
    return double(statusKb("VmHWM:") - before) / 1024.0;
}

// The peak growth of one load ("--peak-load") or full decode ("--peak-decode") of `path`,
// measured in a child process of this program.
double peakInChild(const char *mode, const QString &path) {
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(mode), path});
    child.waitForFinished(-1);
    bool ok = false;
    const double mb = child.readAllStandardOutput().trimmed().toDouble(&ok);
    return ok ? mb : -1;
}

void loadThroughWindow(Form1 &form, const QString &path) {
    ScopedDialogFunctions answer(
        [&](OPENFILENAMEA *rec) { return answerWithPath(rec, path.toUtf8()); });
    form.Command1_Click();
    QApplication::processEvents();
}

QImage fullDecode(const QString &path) {
    QImageReader reader(path);
    reader.setAllocationLimit(1024);
    return reader.read();
}

void benchLoads(Form1 &form, const QString &folder) {
    std::printf("## Load Image after the dialog\n\n");
    std::printf("| sheet | format | load (ms) | full decode (ms) | load / decode | load peak (MB) "
                "| decode peak (MB) |\n");
    std::printf("|---|---|---|---|---|---|---|\n");
    for (int size : {256, 2048, 8000}) {
        const QImage sheet = testing::lopsidedSheet(size, size, false);
        for (const char *suffix : {"gif", "jpg", "bmp"}) {
            const QString path =
                folder + QStringLiteral("/sheet%1.%2").arg(size).arg(QLatin1String(suffix));
            if (!testing::writeSheet(path, sheet)) {
                std::printf("| %d² | %s | cannot write the sheet |\n", size, suffix);
                continue;
            }
            const int runs = size > 2048 ? 3 : size > 256 ? 11 : 41;
            auto [load, decode] = alternatingMedians(
                runs, [&] { loadThroughWindow(form, path); }, [&] { (void)fullDecode(path); });
            load /= 1000.0;
            decode /= 1000.0;
            const double loadPeak = peakInChild("--peak-load", path);
            const double decodePeak = peakInChild("--peak-decode", path);
            std::printf("| %d² | %s | %.2f | %.2f | %.3f | %.1f | %.1f |\n", size, suffix, load,
                        decode, load / decode, loadPeak, decodePeak);
            std::fflush(stdout);
            QFile::remove(path);
        }
    }
}

// "Load Image" of the 256 x 256 sheets step by step, each step timed on its own in every run:
// where the load's time goes beside the decode.
void benchLoadSteps(Form1 &form, const QString &folder) {
    std::printf("\n## Load Image of a 256² sheet, step by step (median µs)\n\n");
    std::printf("| format | dialog object | read and decode | enlarge into the view | repaint "
                "| events | full decode |\n|---|---|---|---|---|---|---|\n");
    const QImage sheet = testing::lopsidedSheet(256, 256, false);
    for (const char *suffix : {"gif", "jpg", "bmp"}) {
        const QString path = folder + QStringLiteral("/steps.%1").arg(QLatin1String(suffix));
        if (!testing::writeSheet(path, sheet)) continue;
        std::vector<double> steps[6];
        for (int run = 0; run < 41; ++run) {
            QElapsedTimer timer;
            const auto lap = [&](int step) {
                steps[step].push_back(double(timer.nsecsElapsed()) / 1000.0);
                timer.start();
            };
            timer.start();
            {
                ScopedDialogFunctions answer(
                    [&](OPENFILENAMEA *rec) { return answerWithPath(rec, path.toUtf8()); });
                OpenSave dialog;
                dialog.setFilter(QStringLiteral("Images|*.gif;*.jpg;*.bmp"));
                dialog.ShowOpen();
                (void)dialog.FileName();
            }
            lap(0);
            const PixelSurface corner = loadSheetPicture(path);
            lap(1);
            form.grid.showSheet(corner);
            lap(2);
            form.Picture1->refresh();
            lap(3);
            QApplication::processEvents();
            lap(4);
            (void)fullDecode(path);
            lap(5);
        }
        std::printf("| %s |", suffix);
        for (std::vector<double> &times : steps) {
            std::sort(times.begin(), times.end());
            std::printf(" %.1f |", times[times.size() / 2]);
        }
        std::printf("\n");
        QFile::remove(path);
    }
}

void benchGestures(Form1 &form) {
    std::printf(
        "\n## Slot gestures, each with its repaint\n\n| gesture | median (µs) |\n|---|---|\n");
    constexpr int runs = 2001;
    const auto withRepaint = [&](int index, const std::function<void()> &gesture) {
        return medianMicros(runs, [&] {
            gesture();
            form.SpritePicture1[std::size_t(index)]->repaint();
        });
    };
    form.Picture1_MouseMove(0, 0, 100, 40);
    std::printf("| tile drop | %.1f |\n", withRepaint(9, [&] {
                    form.SpritePicture1_DragDrop(9, QStringLiteral("Picture1"), 5, 5);
                }));
    std::printf("| click (flip) | %.1f |\n", withRepaint(9, [&] { form.SpritePicture1_Click(9); }));
    std::printf("| right press (clear) | %.1f |\n",
                withRepaint(9, [&] { form.SpritePicture1_MouseDown(9, 2, 0, 5, 5); }));
    // The handler repaints the two slots whose border changes itself; alternate the targets, so
    // every drop moves the border.
    int target = 27;
    std::printf("| origin drop | %.1f |\n", medianMicros(runs, [&] {
                    target = target == 27 ? 36 : 27;
                    form.SpritePicture1_DragDrop(target, QStringLiteral("Command4"), 5, 5);
                }));
    std::printf("| pointer move | %.2f |\n",
                medianMicros(runs, [&] { form.Picture1_MouseMove(0, 0, 77.5f, 200.f); }));
    std::printf("| export (full grid, incl. clipboard) | %.1f |\n", [&] {
        for (int i = 0; i < 64; ++i)
            form.SpritePicture1_DragDrop(i, QStringLiteral("Picture1"), 0, 0);
        return medianMicros(201, [&] { form.Command3_Click(); });
    }());
}

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    if (argc == 3 && argv[1][0] == '-') {
        const QString mode = QString::fromLatin1(argv[1]);
        const QString path = QString::fromLocal8Bit(argv[2]);
        Form1 form;
        form.show();
        QApplication::processEvents();
        const double mb = mode == QLatin1String("--peak-load")
                              ? peakGrowthMb([&] { loadThroughWindow(form, path); })
                              : peakGrowthMb([&] { (void)fullDecode(path); });
        std::printf("%.1f\n", mb);
        return 0;
    }
    QTemporaryDir temp;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temp.path();
    QDir().mkpath(folder);
    Form1 form;
    form.show();
    QApplication::processEvents();
    benchGestures(form);
    std::printf("\n");
    benchLoads(form, folder);
    benchLoadSteps(form, folder);
    return 0;
}
