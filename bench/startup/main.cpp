// Start-up time and memory at rest of the real program, measured from outside.
//
//   bench_startup [--runs N] [--settle MS] [--catalogue FILE] RUN_DIR
//
// Copies RUN_DIR (the executable with its catalogue and collections) to a scratch folder,
// optionally puts FILE in place of its catalogue, and writes the first-run markers into a
// settings location of its own, so that no notice comes up. Then, on the X display named
// by DISPLAY (best a bare Xvfb: no window manager, black root), it starts the program N
// times (after one warm-up start that is not counted) and reports, for each start:
//   mapped   process start (just before fork) to the main window being mapped
//   painted  process start to the first frame of the window on screen
//   rss/pss  VmRSS and Pss of the process after it has been left alone for MS ms
// and the median, minimum and maximum of each. The program itself is not changed or
// instrumented in any way.

#include "platform/SettingsStore.h"
#include "platform/SettingsTable.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Options
{
    int runs = 10;
    int settleMs = 3000;
    QString catalogue;
    QString runDir;
};

struct Sample
{
    double mappedMs = 0;
    double paintedMs = 0;
    long rssKb = 0;
    long pssKb = 0;
};

[[noreturn]] void die(const std::string &message)
{
    std::fprintf(stderr, "bench_startup: %s\n", message.c_str());
    std::exit(2);
}

Options parseOptions(int argc, char **argv)
{
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const auto value = [&]() -> const char * {
            if (i + 1 >= argc)
                die("missing value after " + a);
            return argv[++i];
        };
        if (a == "--runs")
            o.runs = std::atoi(value());
        else if (a == "--settle")
            o.settleMs = std::atoi(value());
        else if (a == "--catalogue")
            o.catalogue = QString::fromLocal8Bit(value());
        else if (!a.empty() && a[0] != '-' && o.runDir.isEmpty())
            o.runDir = QString::fromLocal8Bit(a);
        else
            die("usage: bench_startup [--runs N] [--settle MS] [--catalogue FILE] RUN_DIR");
    }
    if (o.runDir.isEmpty() || o.runs < 1)
        die("usage: bench_startup [--runs N] [--settle MS] [--catalogue FILE] RUN_DIR");
    return o;
}

void copyTree(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(source);
        if (it.fileInfo().isDir())
            QDir().mkpath(target);
        else if (!QFile::copy(source, target))
            die("cannot copy " + source.toStdString());
    }
}

// The X side: tells when a window of the program is mapped and when its first frame shows.
class Display
{
public:
    Display()
    {
        m_conn = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(m_conn))
            die("cannot open the X display (DISPLAY unset or no server)");
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_conn)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_conn, m_root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_conn);
    }
    ~Display() { xcb_disconnect(m_conn); }

    // Waits until a top-level window of class "zelto" at least minWidth wide is mapped.
    std::optional<xcb_window_t> waitForMappedWindow(Clock::time_point deadline, int minWidth)
    {
        while (Clock::now() < deadline) {
            std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event(xcb_poll_for_event(m_conn), &std::free);
            if (!event) {
                if (xcb_connection_has_error(m_conn))
                    die("lost the X display");
                pollfd p { xcb_get_file_descriptor(m_conn), POLLIN, 0 };
                ::poll(&p, 1, 5);
                continue;
            }
            if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY)
                continue;
            const auto *map = reinterpret_cast<xcb_map_notify_event_t *>(event.get());
            if (map->override_redirect)
                continue;
            if (isProgramWindow(map->window) && width(map->window) >= minWidth)
                return map->window;
        }
        return std::nullopt;
    }

    // A window mapped without a background shows the black root until the program draws;
    // its first frame is the first image of it that is not one flat colour.
    bool hasContent(xcb_window_t window)
    {
        auto geometry = reply(xcb_get_geometry_reply(m_conn, xcb_get_geometry(m_conn, window), nullptr));
        if (!geometry)
            return false;
        auto image = reply(xcb_get_image_reply(m_conn,
            xcb_get_image(m_conn, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0, geometry->width, geometry->height, ~0u),
            nullptr));
        if (!image)
            return false;
        const auto *data = reinterpret_cast<const uint32_t *>(xcb_get_image_data(image.get()));
        const int count = xcb_get_image_data_length(image.get()) / 4;
        if (count == 0)
            return false;
        return std::any_of(
            data, data + count, [first = data[0] & 0xffffff](uint32_t px) { return (px & 0xffffff) != first; });
    }

    void drainEvents()
    {
        while (xcb_generic_event_t *e = xcb_poll_for_event(m_conn))
            std::free(e);
    }

private:
    template <typename T> static std::unique_ptr<T, decltype(&std::free)> reply(T *r) { return { r, &std::free }; }

    bool isProgramWindow(xcb_window_t window)
    {
        auto property = reply(xcb_get_property_reply(
            m_conn, xcb_get_property(m_conn, 0, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 64), nullptr));
        if (!property)
            return false;
        const char *value = static_cast<const char *>(xcb_get_property_value(property.get()));
        const int length = xcb_get_property_value_length(property.get());
        // WM_CLASS is "instance\0class\0".
        return length > 0 && std::strncmp(value, "zelto", std::min(length, 6)) == 0;
    }

    int width(xcb_window_t window)
    {
        auto geometry = reply(xcb_get_geometry_reply(m_conn, xcb_get_geometry(m_conn, window), nullptr));
        return geometry ? geometry->width : 0;
    }

    xcb_connection_t *m_conn;
    xcb_window_t m_root;
};

long procValueKb(pid_t pid, const char *file, const std::string &key)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/" + file);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(key + ":", 0) == 0)
            return std::atol(line.c_str() + key.size() + 1);
    }
    return -1;
}

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

Sample runOnce(
    Display &display, const QString &runDir, const QString &configDir, const QString &runtimeDir, int settleMs)
{
    QDir().mkpath(runtimeDir);
    QFile::setPermissions(runtimeDir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray dir = QFile::encodeName(runDir);
    const QByteArray config = QFile::encodeName(configDir);
    const QByteArray runtime = QFile::encodeName(runtimeDir);
    display.drainEvents();

    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid < 0)
        die("fork failed");
    if (pid == 0) {
        if (chdir(dir.constData()) != 0)
            _exit(127);
        setenv("XDG_CONFIG_HOME", config.constData(), 1);
        setenv("XDG_RUNTIME_DIR", runtime.constData(), 1);
        execl("./zelto", "./zelto", static_cast<char *>(nullptr));
        _exit(127);
    }

    Sample s;
    const auto deadline = start + std::chrono::seconds(30);
    const std::optional<xcb_window_t> window = display.waitForMappedWindow(deadline, 400);
    if (!window) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        die("the main window did not appear within 30 s");
    }
    s.mappedMs = msSince(start);
    while (!display.hasContent(*window)) {
        if (Clock::now() > deadline)
            die("the main window stayed blank");
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    s.paintedMs = msSince(start);

    std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
    s.rssKb = procValueKb(pid, "status", "VmRSS");
    s.pssKb = procValueKb(pid, "smaps_rollup", "Pss");
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    return s;
}

template <typename F> void printStats(const char *name, const std::vector<Sample> &samples, F field, const char *unit)
{
    std::vector<double> v;
    for (const Sample &s : samples)
        v.push_back(field(s));
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    const double median = n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    std::printf("%-8s median %8.1f  min %8.1f  max %8.1f  %s\n", name, median, v.front(), v.back(), unit);
}

} // namespace

int main(int argc, char **argv)
{
    const Options options = parseOptions(argc, argv);
    if (!QFileInfo(options.runDir + QStringLiteral("/zelto")).isExecutable())
        die("no program at " + options.runDir.toStdString() + "/zelto");

    QTemporaryDir scratch(QDir::tempPath() + QStringLiteral("/zelto-bench-startup.XXXXXX"));
    if (!scratch.isValid())
        die("cannot create a scratch folder");
    const QString runDir = scratch.filePath(QStringLiteral("run"));
    copyTree(options.runDir, runDir);
    if (!options.catalogue.isEmpty()) {
        QFile::remove(runDir + QStringLiteral("/zeltodata.dll"));
        if (!QFile::copy(options.catalogue, runDir + QStringLiteral("/zeltodata.dll")))
            die("cannot copy " + options.catalogue.toStdString());
    }

    const QString configDir = scratch.filePath(QStringLiteral("config"));
    SettingsStore store(configDir + QStringLiteral("/zelto/settings.ini"));
    for (const StoredSetting *marker : { &Settings::HelpMarker, &Settings::WebMarker, &Settings::CloseMarker })
        store.set(*marker);

    Display display;
    std::vector<Sample> samples;
    for (int i = 0; i <= options.runs; ++i) {
        const Sample s = runOnce(
            display, runDir, configDir, scratch.filePath(QStringLiteral("runtime-%1").arg(i)), options.settleMs);
        const bool warmUp = i == 0;
        std::printf("%-8s mapped %7.1f ms  painted %7.1f ms  rss %7.1f MB  pss %7.1f MB\n",
            warmUp ? "warm-up" : QByteArray::number(i).constData(), s.mappedMs, s.paintedMs, s.rssKb / 1024.0,
            s.pssKb / 1024.0);
        std::fflush(stdout);
        if (!warmUp)
            samples.push_back(s);
    }
    std::printf("-- %d starts\n", options.runs);
    printStats(
        "mapped", samples, [](const Sample &s) { return s.mappedMs; }, "ms");
    printStats(
        "painted", samples, [](const Sample &s) { return s.paintedMs; }, "ms");
    printStats(
        "rss", samples, [](const Sample &s) { return s.rssKb / 1024.0; }, "MB");
    printStats(
        "pss", samples, [](const Sample &s) { return s.pssKb / 1024.0; }, "MB");
    return 0;
}
