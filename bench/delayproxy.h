#pragma once

#include <QString>
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

// A slow link between the program and its server, on loopback: a TCP port that passes every
// connection on to the server, holding back what a client sends for a while, as a second room on
// Wi-Fi or a branch on a VPN would. It counts the round trips: a client's sending followed by the
// server's answer.
class DelayProxy {
  public:
    // The server at the connection URI; what a client sends waits `delayMs` before it goes on.
    DelayProxy(const QString& serverUri, int delayMs);
    ~DelayProxy();
    DelayProxy(const DelayProxy&) = delete;
    DelayProxy& operator=(const DelayProxy&) = delete;

    // Empty when the proxy listens; else why not.
    QString failure() const { return failure_; }
    // The server's URI with the proxy in its place.
    QString uri() const { return uri_; }
    // The round trips of every connection so far.
    long roundTrips() const { return roundTrips_.load(); }

  private:
    struct Link;
    void serve();
    void accepted(std::vector<std::unique_ptr<Link>>& links);

    QString upstreamHost_;
    int upstreamPort_ = 0;
    int delayMs_;
    int listener_ = -1;
    int wakeUp_[2] = {-1, -1};
    QString uri_;
    QString failure_;
    std::atomic<long> roundTrips_{0};
    std::thread thread_;
};
