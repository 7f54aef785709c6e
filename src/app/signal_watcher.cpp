#include "app/signal_watcher.h"

#include <sys/socket.h>
#include <unistd.h>
#include <QSocketNotifier>
#include <csignal>

namespace {

// The handler may only write to a pipe; the event loop reads the other end.
int SignalPipe[2] = {-1, -1};

void OnSignal(int signalNumber) {
  const char byte = char(signalNumber);
  [[maybe_unused]] auto written = ::write(SignalPipe[0], &byte, 1);
}

}  // namespace

TSignalWatcher::TSignalWatcher(QObject* parent) : QObject(parent) {
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, SignalPipe) != 0) return;
  Notifier = new QSocketNotifier(SignalPipe[1], QSocketNotifier::Read, this);
  connect(Notifier, &QSocketNotifier::activated, this, &TSignalWatcher::ReadSignal);
  struct sigaction action = {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signalNumber : {SIGTERM, SIGINT, SIGHUP}) sigaction(signalNumber, &action, nullptr);
}

TSignalWatcher::~TSignalWatcher() {
  for (int signalNumber : {SIGTERM, SIGINT, SIGHUP}) std::signal(signalNumber, SIG_DFL);
}

void TSignalWatcher::ReadSignal() {
  char byte = 0;
  if (::read(SignalPipe[1], &byte, 1) == 1) emit TerminationRequested(int(byte));
}
