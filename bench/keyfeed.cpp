// Presses Ctrl+Alt+K on a fixed schedule for the key-source latency benchmark,
// either through XTest on the X display (what the XInput2 source sees) or as
// input-event records written into a FIFO (what the evdev source reads from a
// keyboard's device). The time just before each press is sent is appended to
// SENDS (nanoseconds, CLOCK_REALTIME), so both ways are timed the same.
//   tarvex_keyfeed x11 COUNT INTERVAL_MS SENDS
//   tarvex_keyfeed fifo PATH COUNT INTERVAL_MS SENDS
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <X11/Xlib.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <linux/input.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

long long nowNs()
{
    timespec t{};
    clock_gettime(CLOCK_REALTIME, &t);
    return t.tv_sec * 1000000000LL + t.tv_nsec;
}

void sleepUntil(long long ns)
{
    timespec t{time_t(ns / 1000000000LL), long(ns % 1000000000LL)};
    while (clock_nanosleep(CLOCK_REALTIME, TIMER_ABSTIME, &t, nullptr) == EINTR) {
    }
}

// Ctrl down, Alt down, K down, K up, Alt up, Ctrl up: what `xdotool key ctrl+alt+k` sends.
struct Press
{
    int key;
    bool down;
};
constexpr Press Chord[] = {{0, true}, {1, true}, {2, true}, {2, false}, {1, false}, {0, false}};

class X11Keys
{
public:
    bool open()
    {
        m_display = XOpenDisplay(nullptr);
        if (!m_display)
            return false;
        m_codes[0] = XKeysymToKeycode(m_display, XK_Control_L);
        m_codes[1] = XKeysymToKeycode(m_display, XK_Alt_L);
        m_codes[2] = XKeysymToKeycode(m_display, XK_k);
        return true;
    }
    void send()
    {
        for (const Press& press : Chord)
            XTestFakeKeyEvent(m_display, m_codes[press.key], press.down, 0);
        XFlush(m_display);
    }

private:
    Display* m_display = nullptr;
    unsigned m_codes[3] = {};
};

class FifoKeys
{
public:
    bool open(const char* path)
    {
        for (int i = 0; i < 500 && m_fd < 0; ++i) {
            m_fd = ::open(path, O_WRONLY | O_NONBLOCK);
            if (m_fd < 0)
                usleep(10000);
        }
        return m_fd >= 0;
    }
    // One write, as a keyboard's device delivers a burst of events at once.
    bool send()
    {
        static constexpr unsigned short Keys[] = {KEY_LEFTCTRL, KEY_LEFTALT, KEY_K};
        std::vector<input_event> records;
        for (const Press& press : Chord) {
            records.push_back({{0, 0}, EV_KEY, Keys[press.key], press.down ? 1 : 0});
            records.push_back({{0, 0}, EV_SYN, SYN_REPORT, 0});
        }
        const auto size = ssize_t(records.size() * sizeof(input_event));
        return ::write(m_fd, records.data(), size_t(size)) == size;
    }

private:
    int m_fd = -1;
};

} // namespace

int main(int argc, char** argv)
{
    const std::string way = argc > 1 ? argv[1] : "";
    const bool fifo = way == "fifo";
    if ((way != "x11" && !fifo) || argc != (fifo ? 6 : 5)) {
        std::fprintf(stderr,
                     "usage: %s x11 COUNT INTERVAL_MS SENDS | fifo PATH COUNT "
                     "INTERVAL_MS SENDS\n",
                     argv[0]);
        return 2;
    }
    const int first = fifo ? 3 : 2;
    const int count = std::atoi(argv[first]);
    const long long interval = std::atoll(argv[first + 1]) * 1000000LL;
    FILE* sends = std::fopen(argv[first + 2], "a");
    X11Keys x11;
    FifoKeys keyboard;
    if (!sends || (fifo ? !keyboard.open(argv[2]) : !x11.open())) {
        std::fprintf(stderr, "%s: cannot open the keys or %s\n", argv[0], argv[first + 2]);
        return 1;
    }
    const long long start = nowNs() + 200000000LL;
    for (int i = 0; i < count; ++i) {
        sleepUntil(start + i * interval);
        std::fprintf(sends, "%lld\n", nowNs());
        std::fflush(sends);
        if (fifo)
            keyboard.send();
        else
            x11.send();
    }
    std::fclose(sends);
    return 0;
}
