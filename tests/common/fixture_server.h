#pragma once

// An HTTP server on loopback for tests: listens on a free port, serves the
// routes a test gives it and records every request it sees.

#include <httplib.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace gleaner::testing {

class FixtureServer {
public:
    using Handler = std::function<void(const httplib::Request&, httplib::Response&)>;

    FixtureServer() = default;
    ~FixtureServer() { stop(); }
    FixtureServer(const FixtureServer&) = delete;
    FixtureServer& operator=(const FixtureServer&) = delete;

    // Serves `body` with `contentType` at `path`.
    void page(const std::string& path, std::string body, std::string contentType = "text/html; charset=utf-8")
    {
        handle(path, [body = std::move(body), contentType = std::move(contentType)](const httplib::Request&,
                                                                                      httplib::Response& res) {
            res.set_content(body, contentType.c_str());
        });
    }

    void handle(const std::string& path, Handler handler)
    {
        m_server.Get(path, [this, handler = std::move(handler)](const httplib::Request& req, httplib::Response& res) {
            record(req);
            handler(req, res);
        });
    }

    // Starts listening on 127.0.0.1 and returns the port.
    int start()
    {
        m_server.set_error_handler([this](const httplib::Request& req, httplib::Response& res) {
            if (res.status == 404)
                record(req);
        });
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        // A stop before the accept loop runs would be lost: wait for it.
        for (int i = 0; i < 5000 && !m_server.is_running(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return m_port;
    }

    void stop()
    {
        if (m_thread.joinable()) {
            m_server.stop();
            m_thread.join();
        }
    }

    int port() const { return m_port; }

    // Every request so far as host + path + "?" + query, in order.
    std::vector<std::string> requests() const
    {
        std::lock_guard lock(m_mutex);
        return m_requests;
    }

    // The last request for anything but the site icon, which the browser
    // asks for on its own.
    std::string lastPageRequest() const
    {
        const std::vector<std::string> all = requests();
        for (auto it = all.rbegin(); it != all.rend(); ++it)
            if (it->find("/favicon.ico") == std::string::npos)
                return *it;
        return {};
    }

    bool saw(const std::string& request) const
    {
        for (const std::string& r : requests())
            if (r == request)
                return true;
        return false;
    }

private:
    void record(const httplib::Request& req)
    {
        std::lock_guard lock(m_mutex);
        m_requests.push_back(describe(req));
    }

public:
    // host + path + "?" + raw query. A request sent to the server as a proxy
    // names scheme and host in its target; they are taken from there.
    static std::string describe(const httplib::Request& req)
    {
        std::string target = req.target;
        std::string host = req.get_header_value("Host");
        for (const char* scheme : {"http://", "https://"}) {
            if (target.rfind(scheme, 0) == 0) {
                const auto slash = target.find('/', std::strlen(scheme));
                host = target.substr(std::strlen(scheme), slash - std::strlen(scheme));
                target = slash == std::string::npos ? "/" : target.substr(slash);
            }
        }
        if (const auto colon = host.find(':'); colon != std::string::npos)
            host.resize(colon);
        return host + target;
    }

private:

    httplib::Server m_server;
    std::thread m_thread;
    int m_port = 0;
    mutable std::mutex m_mutex;
    std::vector<std::string> m_requests;
};

} // namespace gleaner::testing
