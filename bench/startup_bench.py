#!/usr/bin/env python3
"""Start-up cost: time from launching a program until its start page is
requested, for the program and for a bare QWebEngineView program built the
same way, side by side in one run. Prints the medians and their ratio.

    bench/startup_bench.py [--runs N] [--build build]
"""
import argparse
import http.server
import os
import statistics
import subprocess
import threading
import time

requested = threading.Event()


class Handler(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        requested.set()
        body = b'<html><head><meta charset="utf-8"><title>t</title></head><body>start</body></html>'
        self.send_response(200)
        self.send_header("Content-Type", "text/html; charset=utf-8")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


def time_start(program, port):
    env = dict(os.environ)
    env.setdefault("QT_QPA_PLATFORM", "offscreen")
    env["QTWEBENGINE_DISABLE_SANDBOX"] = "1"
    env["QTWEBENGINE_CHROMIUM_FLAGS"] = '--disable-gpu --host-resolver-rules="MAP * 127.0.0.1:%d"' % port
    requested.clear()
    start = time.monotonic()
    proc = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        if not requested.wait(60):
            raise RuntimeError(program + " never requested its start page")
        return time.monotonic() - start
    finally:
        proc.kill()
        proc.wait()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--build", default="build")
    args = parser.parse_args()
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    port = server.server_address[1]
    programs = {"bare QWebEngineView": os.path.join(args.build, "bin", "bare_webengine"),
                "gleaner": os.path.join(args.build, "bin", "gleaner")}
    times = {name: [] for name in programs}
    for _ in range(args.runs):
        for name, path in programs.items():  # alternate, so drift hits both
            times[name].append(time_start(path, port))
    for name, values in times.items():
        print("%-22s median %.3f s  (runs: %s)" % (name, statistics.median(values),
                                                   ", ".join("%.3f" % v for v in values)))
    ratio = statistics.median(times["gleaner"]) / statistics.median(times["bare QWebEngineView"])
    print("ratio gleaner / bare: %.2fx (limit 1.3x) %s" % (ratio, "ok" if ratio <= 1.3 else "OVER"))
    server.shutdown()


if __name__ == "__main__":
    main()
