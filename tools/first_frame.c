/* Launches a program on the X display and reports, in milliseconds from launch, when
 * its main window was mapped and when that window first showed its settled picture,
 * then the program's resident memory once it has settled, in KiB:
 *
 *     first_frame SETTLE_MS PROGRAM [ARGS...]   prints "MAP_MS FRAME_MS RSS_KIB"
 *
 * The main window is the first top-level window of at least 200 x 150 pixels to be
 * mapped. From then on three rows of it (at a quarter, half and three quarters of its
 * height) are read about every millisecond until SETTLE_MS after launch; the first
 * frame is the first reading that differs from the last one in under 2 % of its
 * pixels (a blinking caret is allowed for). The program is then ended.
 * Built by tools/measure_startup.sh with the system C compiler and -lX11. */
#define _POSIX_C_SOURCE 200809L
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#define ROWS 3
#define MAX_READINGS 4000

static double nowMs(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

static void pauseMs(double ms) {
    struct timespec t = {0, (long)(ms * 1e6)};
    nanosleep(&t, NULL);
}

static long residentKib(pid_t pid) {
    char path[64], line[256];
    long kib = -1;
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE* f = fopen(path, "r");
    if (!f) return -1;
    while (fgets(line, sizeof line, f))
        if (sscanf(line, "VmRSS: %ld", &kib) == 1) break;
    fclose(f);
    return kib;
}

static int ignoreErrors(Display* d, XErrorEvent* e) {
    (void)d;
    (void)e;
    return 0;
}

int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: %s SETTLE_MS PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    const double settle = atof(argv[1]);
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "first_frame: no X display\n");
        return 2;
    }
    XSetErrorHandler(ignoreErrors);
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const double start = nowMs();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }

    Window window = 0;
    double mapped = -1;
    while (!window) {
        if (waitpid(child, NULL, WNOHANG) == child) {
            fprintf(stderr, "first_frame: the program ended before showing a window\n");
            return 1;
        }
        if (nowMs() - start > 20000) {
            fprintf(stderr, "first_frame: no window within 20 s\n");
            kill(child, SIGKILL);
            return 1;
        }
        if (!XPending(display)) {
            pauseMs(0.2);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type != MapNotify || event.xmap.event != root || event.xmap.override_redirect) continue;
        XWindowAttributes a;
        if (XGetWindowAttributes(display, event.xmap.window, &a) && a.width >= 200 && a.height >= 150) {
            window = event.xmap.window;
            mapped = nowMs() - start;
        }
    }

    XWindowAttributes a;
    XGetWindowAttributes(display, window, &a);
    const int width = a.width;
    const size_t readingSize = (size_t)width * ROWS;
    unsigned long* readings = malloc(readingSize * MAX_READINGS * sizeof *readings);
    double* times = malloc(MAX_READINGS * sizeof *times);
    int count = 0;
    while (nowMs() - start < settle && count < MAX_READINGS) {
        unsigned long* reading = readings + readingSize * (size_t)count;
        int ok = 1;
        for (int r = 0; r < ROWS && ok; ++r) {
            XImage* image = XGetImage(display, window, 0, a.height * (r + 1) / (ROWS + 1), (unsigned)width, 1,
                                      AllPlanes, ZPixmap);
            if (!image) {
                ok = 0;
                break;
            }
            for (int x = 0; x < width; ++x) reading[(size_t)r * width + x] = XGetPixel(image, x, 0);
            XDestroyImage(image);
        }
        if (ok) times[count++] = nowMs() - start;
        pauseMs(1.0);
    }
    double frame = -1;
    if (count > 0) {
        const unsigned long* last = readings + readingSize * (size_t)(count - 1);
        for (int i = 0; i < count && frame < 0; ++i) {
            const unsigned long* reading = readings + readingSize * (size_t)i;
            size_t differing = 0;
            for (size_t p = 0; p < readingSize; ++p) differing += reading[p] != last[p];
            if (differing * 50 < readingSize) frame = times[i];
        }
    }
    const long rss = residentKib(child);
    kill(child, SIGTERM);
    waitpid(child, NULL, 0);
    printf("%.1f %.1f %ld\n", mapped, frame, rss);
    return frame < 0 ? 1 : 0;
}
