#include "QuitSignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int g_fds[2] = {-1, -1};

void onSignal(int)
{
    const char c = 1;
    [[maybe_unused]] auto n = ::write(g_fds[0], &c, 1);
}
} // namespace

QuitSignals::QuitSignals(QObject *parent) : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_fds) != 0)
        return;
    m_notifier = new QSocketNotifier(g_fds[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char buf[16];
        [[maybe_unused]] auto n = ::read(g_fds[1], buf, sizeof buf);
        emit quitRequested();
    });
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(sig, &sa, nullptr);
}

QuitSignals::~QuitSignals()
{
    struct sigaction sa {};
    sa.sa_handler = SIG_DFL;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(sig, &sa, nullptr);
    delete m_notifier;
    m_notifier = nullptr;
    for (int &fd : g_fds) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}
