// Runs one whole harvest in the real window against the local imitation of
// the engines, then saves a picture of the window: harvest_demo OUT.png
// (scripts/harvest-screenshot.sh runs it under Xvfb).

#include "e2e/engine_web.h"

#include "harvest/linkresolution.h"
#include "shell/application.h"
#include "shell/embeddedbrowser.h"
#include "shell/mainwindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <cstdio>

using namespace gleaner;

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: harvest_demo OUT.png\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    gleaner::testing::EngineWeb web;
    const int port = web.start();
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --proxy-server=http://127.0.0.1:" + QByteArray::number(port));
    redirectSettings().connectTo = {"www.baidu.com:80:127.0.0.1:" + std::to_string(port)};

    QApplication app(argc, argv);
    initProgramState();
    int rc = 1;
    {
        MainWindow window(harvestState(), captionCipher());
        window.show();
        auto find = [&](const char* name) { return window.findChild<QWidget*>(QString::fromUtf8(name)); };
        auto* oneClick = static_cast<QPushButton*>(find("按钮_自动采集"));

        // Search on Baidu; once page 1 is shown, start one-click harvesting.
        QTimer::singleShot(1000, &window, [&] {
            static_cast<QComboBox*>(find("组合框_引擎"))->setCurrentIndex(0);
            static_cast<QLineEdit*>(find("编辑框_关键字"))->setText(QStringLiteral("拾穗"));
            static_cast<QCheckBox*>(find("选择框_去重复"))->setChecked(true);
            QObject::connect(window.browser(), &EmbeddedBrowser::documentComplete, &window, [oneClick] {
                static bool started = false;
                if (!started) {
                    started = true;
                    QTimer::singleShot(300, oneClick, &QPushButton::click);
                }
            });
            static_cast<QPushButton*>(find("超级按钮_搜索"))->click();
        });
        // When the run is over, take the picture.
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &window, [&] {
            if (window.linkCount() > 0 && oneClick->text() == QStringLiteral("一键采集")) {
                poll.stop();
                QTimer::singleShot(1500, &window, [&] {
                    rc = window.screen()->grabWindow(window.winId()).save(out) ? 0 : 1;
                    QApplication::quit();
                });
            }
        });
        poll.start(100);
        QTimer::singleShot(120000, &app, &QApplication::quit); // never hang
        QApplication::exec();
    }
    releaseProgramState();
    web.server().stop();
    return rc;
}
